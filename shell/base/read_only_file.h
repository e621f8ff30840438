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

  // The length the file reported when it was opened.
  std::uintmax_t Length() const { return length_; }

  // Reads from the current position until count bytes are read or the file ends, never past the
  // length it reported: a file that reports none, as those under /proc do, reads as empty
  // whatever a read would still give, and one that grows is read as it was opened.
  std::vector<std::uint8_t> ReadUpTo(std::size_t count);

 private:
  // Reads at most count bytes once; 0 at the end of the file.
  std::size_t ReadSome(std::uint8_t* into, std::size_t count);

#ifdef _WIN32
  void* handle_;
#else
  int fd_;
#endif
  std::uintmax_t length_ = 0;
  std::uintmax_t position_ = 0;
};

// The whole of a file that must be no longer than `limit` bytes for its kind (a settings file,
// a registry): one that reports more is refused with Overflow before anything is read.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t limit);

}  // namespace shell
