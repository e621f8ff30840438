#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <system_error>

#include "shell/base/file_failure.h"
#include "shell/base/read_only_file.h"

namespace shell {

namespace {

[[noreturn]] void ThrowErrno(int error) {
  throw FileAccessError(FailureFromError(std::error_code(error, std::system_category())));
}

void RequireRegularFile(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) {
    throw FileAccessError(FileFailure{FileFailureKind::IsFolder});
  }
  if (!S_ISREG(info.st_mode)) {
    throw FileAccessError(FileFailure{FileFailureKind::NotRegularFile});
  }
}

struct stat RegularFileStatus(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    ThrowErrno(errno);
  }
  RequireRegularFile(info);
  return info;
}

}  // namespace

std::uintmax_t FileLength(const std::filesystem::path& path) {
  return static_cast<std::uintmax_t>(RegularFileStatus(path).st_size);
}

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path) : fd_(-1) {
  // Looking first keeps devices from being opened at all; the check after opening catches a
  // file that was swapped in between.
  struct stat info = RegularFileStatus(path);
  do {
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) {
    ThrowErrno(errno);
  }
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    ::close(fd_);
    ThrowErrno(error);
  }
  try {
    RequireRegularFile(info);
  } catch (...) {
    ::close(fd_);
    throw;
  }
  length_ = static_cast<std::uintmax_t>(info.st_size);
}

ReadOnlyFile::~ReadOnlyFile() {
  ::close(fd_);
}

std::size_t ReadOnlyFile::ReadSome(std::uint8_t* into, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd_, into, count);
    if (got >= 0) {
      return static_cast<std::size_t>(got);
    }
    if (errno != EINTR) {
      ThrowErrno(errno);
    }
  }
}

}  // namespace shell
