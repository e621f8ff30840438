#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace thumbnailer {

namespace {

std::string Because(int error) {
  return std::strerror(error);
}

bool WriteAll(int fd, std::span<const char> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      errno = written == 0 ? EIO : errno;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::optional<std::string> RefusalOfOutput(const std::filesystem::path& input,
                                           const std::filesystem::path& output) {
  struct stat there {};
  if (::lstat(output.c_str(), &there) != 0) {
    return errno == ENOENT ? std::nullopt : std::optional(Because(errno));
  }
  if (S_ISLNK(there.st_mode)) {
    return "a symbolic link, which is not followed";
  }
  if (!S_ISREG(there.st_mode)) {
    return "not a regular file";
  }
  struct stat read_from {};
  if (::stat(input.c_str(), &read_from) == 0 && read_from.st_dev == there.st_dev &&
      read_from.st_ino == there.st_ino) {
    return "the input file itself";
  }
  if (::access(output.c_str(), W_OK) != 0) {
    return Because(errno);
  }
  return std::nullopt;
}

std::optional<std::string> ReplaceWith(const std::filesystem::path& output,
                                       std::span<const char> bytes) {
  std::string temporary =
      (output.parent_path() / ("." + output.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    return Because(errno);
  }
  // As a file created in the ordinary way would be: readable by all unless the umask says not.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int error = 0;
  if (::fchmod(fd, 0666 & ~mask) != 0 || !WriteAll(fd, bytes)) {
    error = errno;
  }
  if (::close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && ::rename(temporary.c_str(), output.c_str()) != 0) {
    error = errno;
  }
  if (error == 0) {
    return std::nullopt;
  }
  ::unlink(temporary.c_str());
  return Because(error);
}

}  // namespace thumbnailer
