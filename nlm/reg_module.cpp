#include "nlm/reg_module.h"

#include <algorithm>
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
  OpenRegKey(root, subKey, kKeyQueryValue);
  std::string buffer;
  std::uint32_t size = kBufferSize;
  std::uint32_t type = kRegSz;
  if (registry_.QueryValue(RegKeyHandle, valueName, type, buffer, size) != kErrorSuccess) {
    return {};
  }
  // The buffer is NULs past the value, so only a value that fills it can be left without an end.
  if (size == kBufferSize && buffer.find('\0') == std::string::npos) {
    throw std::invalid_argument("the registry value fills its buffer without an end");
  }
  buffer.resize(std::min(buffer.find('\0'), buffer.size()));
  buffer.erase(0, buffer.find_first_not_of(' '));
  return buffer;
}

}  // namespace nlm
