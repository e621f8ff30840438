#include "nlm/logo_manager.h"

#include <stdexcept>

#include "nlm/reg_module.h"

namespace nlm {

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

bool StartLogoManager(const std::string& LogoManagerPath,
                      const std::filesystem::path& CurrentFilePath) {
  return ProgramFileExists(LogoManagerPath) &&
         StartDetached(LogoManagerLaunch(LogoManagerPath, CurrentFilePath));
}

}  // namespace nlm
