#include "nlm/logo_manager.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "nlm/reg_module.h"

namespace nlm {

namespace {

// The path's last name, as Windows reads it, ends with ".exe": Windows drops the trailing blanks
// and dots of a path unless it is taken as written, after "\\?\" or "\??\". Byte by byte: no
// ANSI code page writes a blank, a dot or an ASCII letter with a byte of another character.
bool NamesAProgram(std::string_view windows_path) {
  const bool as_written = windows_path.starts_with("\\\\?\\") || windows_path.starts_with("\\??\\");
  const std::string_view name =
      as_written ? windows_path : windows_path.substr(0, windows_path.find_last_not_of(" .") + 1);
  constexpr std::string_view kProgram = ".exe";
  return name.size() > kProgram.size() &&
         std::equal(kProgram.begin(), kProgram.end(), name.end() - kProgram.size(),
                    [](char wanted, char c) {
                      return wanted == (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
                    });
}

}  // namespace

LogoManagerLookup LookUpLogoManager(Registry& registry) {
  LogoManagerLookup lookup{{}, false};
  try {
    lookup.LogoManagerPath = RegModule(registry).GetRegString(kHkeyLocalMachine, kAppPathsKey, "");
  } catch (const std::invalid_argument&) {
    return lookup;  // a value without an end: not registered
  }
  lookup.usable = !lookup.LogoManagerPath.empty() && ProgramFileExists(lookup.LogoManagerPath);
  return lookup;
}

bool ProgramFileExists(const std::string& windows_path) {
  return NamesAProgram(windows_path) && RegularFileExists(windows_path);
}

bool StartLogoManager(const std::string& LogoManagerPath,
                      const std::filesystem::path& CurrentFilePath) {
  return ProgramFileExists(LogoManagerPath) &&
         StartDetached(LogoManagerLaunch(LogoManagerPath, CurrentFilePath));
}

}  // namespace nlm
