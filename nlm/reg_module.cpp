#include "nlm/reg_module.h"

#include <stdexcept>

namespace nlm {

namespace {

constexpr std::uint32_t kBufferSize = 255;

}  // namespace

void RegModule::OpenRegKey(const RegKey& root, const std::string& subKey,
                           const std::uint32_t& access) {
  RegKey opened = 0;
  registry_.OpenKey(root, subKey, access, opened);
  RegKeyHandle = opened;
}

std::string RegModule::GetRegString(const RegKey& root, const std::string& subKey,
                                    const std::string& valueName) {
  std::string buffer(kBufferSize, '\0');
  OpenRegKey(root, subKey, kKeyQueryValue);
  std::uint32_t size = kBufferSize;
  std::uint32_t type = kRegSz;
  const long result = registry_.QueryValue(RegKeyHandle, valueName, type,
                                           reinterpret_cast<std::uint8_t*>(buffer.data()), size);
  if (result != kErrorSuccess) {
    return {};
  }
  const std::size_t first = buffer.find_first_not_of(' ');
  const std::size_t last = buffer.find_last_not_of(' ');
  buffer = first == std::string::npos ? std::string() : buffer.substr(first, last - first + 1);
  const std::size_t nul = buffer.find('\0');
  if (nul == std::string::npos) {
    throw std::invalid_argument("the registry value fills its buffer without an end");
  }
  return buffer.substr(0, nul);
}

}  // namespace nlm
