// LogoManager under Wine: the prefix's registry, its drives, and starting it with wine.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>

#include "nlm/logo_manager.h"
#include "nlm/wine_prefix.h"
#include "nlm/wine_registry.h"
#include "shell/read_only_file.h"

namespace nlm {

std::unique_ptr<Registry> SystemRegistry() {
  return std::make_unique<WineRegistry>(WineRegistry::FromFile(WinePrefix() / "system.reg"));
}

bool RegularFileExists(const std::string& windows_path) {
  const std::optional<std::filesystem::path> file = UnixPathOf(windows_path, WinePrefix());
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
  const std::optional<std::string> file = WindowsPathOf(CurrentFilePath, WinePrefix());
  return {"wine", {LogoManagerPath, file.value_or(CurrentFilePath.native())}, {}};
}

bool StartDetached(const ExportLaunch& launch) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(launch.program.c_str()));
  for (const shell::NativeString& argument : launch.arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  // The grandchild runs the program in a session of its own, so nobody waits for it; a pipe
  // closed by a successful exec, or carrying its errno, tells whether it started.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    return false;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    if (::fork() == 0) {
      const int null = ::open("/dev/null", O_RDWR);
      ::dup2(null, 0);
      ::dup2(null, 1);
      ::dup2(null, 2);
      ::execvp(argv[0], argv.data());
      const int error = errno;
      [[maybe_unused]] const ssize_t written = ::write(report[1], &error, sizeof error);
    }
    ::_exit(0);
  }
  ::close(report[1]);
  int error = 0;
  ssize_t got = -1;
  if (child > 0) {
    ::waitpid(child, nullptr, 0);
    do {
      got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
  }
  ::close(report[0]);
  return child > 0 && got == 0;
}

}  // namespace nlm
