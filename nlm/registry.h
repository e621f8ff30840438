#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace nlm {

using RegKey = std::uintptr_t;
// The predefined keys are 32-bit numbers that a handle holds sign-extended: a 64-bit Windows
// takes HKEY_LOCAL_MACHINE as 0xFFFFFFFF80000002 and refuses 0x0000000080000002.
inline constexpr RegKey kHkeyLocalMachine =
    static_cast<RegKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));
inline constexpr std::uint32_t kKeyQueryValue = 1;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegLink = 6;
inline constexpr std::uint32_t kRegMultiSz = 7;
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
  // 0 when the value is read: `data` holds its bytes (on Windows in the ANSI code page; in a Wine
  // prefix the same text in UTF-8) and `size` their number as the A call counts them, in bytes of
  // the ANSI code page. kErrorMoreData, with nothing read, when they need more than `size`.
  virtual long QueryValue(RegKey key, const std::string& value_name, std::uint32_t& type,
                          std::string& data, std::uint32_t& size) = 0;
};

// The registry LogoManager is installed in: Windows' own, or on Linux the one of the Wine
// prefix, read once.
std::unique_ptr<Registry> SystemRegistry();

}  // namespace nlm
