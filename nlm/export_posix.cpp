// LogoManager under Wine: the prefix's registry, its drives, and starting it with wine.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "nlm/logo_manager.h"
#include "nlm/wine_prefix.h"
#include "nlm/wine_registry.h"
#include "shell/base/read_only_file.h"

namespace nlm {

std::unique_ptr<Registry> SystemRegistry() {
  const std::optional<std::filesystem::path> prefix = WinePrefix();
  return std::make_unique<WineRegistry>(prefix ? WineRegistry::FromFile(*prefix / "system.reg")
                                               : WineRegistry());
}

bool RegularFileExists(const std::string& windows_path) {
  const std::optional<std::filesystem::path> prefix = WinePrefix();
  const std::optional<std::filesystem::path> file =
      prefix ? UnixPathOf(windows_path, *prefix) : std::nullopt;
  if (!file) {
    return false;
  }
  try {
    shell::FileLength(*file);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

ExportLaunch LogoManagerLaunch(const std::string& LogoManagerPath,
                               const std::filesystem::path& CurrentFilePath) {
  // LogoManager sees the file through the prefix's drives; a file none of them holds is passed
  // as it is.
  const std::optional<std::filesystem::path> prefix = WinePrefix();
  const std::optional<std::string> file =
      prefix ? WindowsPathOf(CurrentFilePath, *prefix) : std::nullopt;
  return {"wine", {LogoManagerPath, file.value_or(CurrentFilePath.native())}, {}};
}

bool StartDetached(const ExportLaunch& launch) {
  // Programs started earlier are reaped once they have ended, so none lingers as a zombie.
  static std::vector<pid_t> started;
  std::erase_if(started, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(launch.program.c_str()));
  for (const shell::NativeString& argument : launch.arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  // In a session of its own, its input and output on /dev/null: nothing ties it to plover. The
  // spawn reports a program that cannot be run, so a failed start is never taken for one.
  posix_spawn_file_actions_t files;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&files);
  for (const int fd : {0, 1, 2}) {
    posix_spawn_file_actions_addopen(&files, fd, "/dev/null", O_RDWR, 0);
  }
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int error = ::posix_spawnp(&pid, argv[0], &files, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
  if (error != 0) {
    return false;
  }
  started.push_back(pid);
  return true;
}

}  // namespace nlm
