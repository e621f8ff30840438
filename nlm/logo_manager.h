#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "nlm/registry.h"
#include "shell/base/native_path.h"

namespace nlm {

inline constexpr char kAppPathsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\LogoManager.exe";

struct LogoManagerLookup {
  std::string LogoManagerPath;  // empty when LogoManager is not registered
  bool usable;                  // registered, and the program file exists
};

// Where LogoManager is registered, and whether its program file is there. Every failing step is
// skipped, and a failure anywhere leaves it unusable.
LogoManagerLookup LookUpLogoManager(Registry& registry);

// Whether a Windows program path names an existing program file: a regular file whose name, as
// Windows reads it, ends with ".exe" in any letter case. Nothing else may be started: Windows (and
// Wine) runs a batch file (.bat, .cmd) through its command interpreter, which would read the
// logo's name on the command line as commands.
bool ProgramFileExists(const std::string& windows_path);

// Whether a Windows path names an existing regular file, found by the system's own path rules:
// on Linux in the Wine prefix, as Wine finds it.
bool RegularFileExists(const std::string& windows_path);

// How LogoManager is started with the current file.
struct ExportLaunch {
  shell::NativeString program;                 // Windows: LogoManager; Linux: wine
  std::vector<shell::NativeString> arguments;  // Linux: LogoManager, and the file as Wine names it
  shell::NativeString command_line;            // Windows: LogoManager, one blank, the file
};
ExportLaunch LogoManagerLaunch(const std::string& LogoManagerPath,
                               const std::filesystem::path& CurrentFilePath);

// Starts the program and returns at once, without a shell, without waiting for it and without
// tying its input or output to ours; false when it could not be started.
bool StartDetached(const ExportLaunch& launch);

// The export: starts LogoManager with the current file, once its program file is found again as
// at start-up (it may have been removed since). False, and nothing started, when it is gone or
// the program that runs it (wine, on Linux) cannot be started.
bool StartLogoManager(const std::string& LogoManagerPath,
                      const std::filesystem::path& CurrentFilePath);

}  // namespace nlm
