#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace nlm {

using RegKey = std::uintptr_t;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kKeyQueryValue = 1;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

// The two registry calls the LogoManager lookup makes, with the results Windows gives them:
// RegOpenKeyExA and RegQueryValueExA.
class Registry {
 public:
  virtual ~Registry() = default;
  // 0 when the key is open and its handle stored in `opened`.
  virtual long OpenKey(RegKey root, const std::string& sub_key, std::uint32_t access,
                       RegKey& opened) = 0;
  // 0 when the value's bytes, at most `size` of them, are in `data`; `size` is then their
  // number. kErrorMoreData, with nothing written, when they need more.
  virtual long QueryValue(RegKey key, const std::string& value_name, std::uint32_t& type,
                          std::uint8_t* data, std::uint32_t& size) = 0;
};

// The registry LogoManager is installed in: Windows' own, or on Linux the one of the Wine
// prefix, read once.
std::unique_ptr<Registry> SystemRegistry();

}  // namespace nlm
