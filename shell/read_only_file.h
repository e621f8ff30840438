#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace shell {

// The length of an existing regular file, refused like an open would be refused.
std::uintmax_t FileLength(const std::filesystem::path& path);

// An existing regular file opened for reading only. Opening never creates a file and never waits:
// a FIFO, socket, device or folder of that name is refused with a FileAccessError, as is every
// other failure. Any name the file system holds can be opened, whatever its encoding.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::filesystem::path& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Reads from the current position until count bytes are read or the file ends.
  std::vector<std::uint8_t> ReadUpTo(std::size_t count);

 private:
#ifdef _WIN32
  void* handle_;
#else
  int fd_;
#endif
};

}  // namespace shell
