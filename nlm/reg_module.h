#pragma once

#include <cstdint>
#include <string>

#include "nlm/registry.h"

namespace nlm {

// Reading one string value out of the registry, the way the export finds LogoManager.
class RegModule {
 public:
  explicit RegModule(Registry& registry) : registry_(registry) {}

  // Opens the key and keeps its handle in RegKeyHandle; the outcome is not passed on.
  void OpenRegKey(const RegKey& root, const std::string& subKey, const std::uint32_t& access);

  // The value as text, or the empty text when it cannot be read. It is read into a buffer of
  // 255 bytes, so a value that needs more, with its NUL, cannot: bytes as RegQueryValueExA counts
  // them, in the ANSI code page. Blanks before it are removed, those after it kept. Throws
  // std::invalid_argument when the 255 bytes hold no NUL.
  std::string GetRegString(const RegKey& root, const std::string& subKey,
                           const std::string& valueName);

  RegKey RegKeyHandle = 0;

 private:
  Registry& registry_;
};

}  // namespace nlm
