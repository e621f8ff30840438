#include "shell/base/read_only_file.h"

#include <algorithm>

#include "shell/base/file_failure.h"

namespace shell {

std::vector<std::uint8_t> ReadOnlyFile::ReadUpTo(std::size_t count) {
  const std::uintmax_t left = length_ - std::min(position_, length_);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uintmax_t>(count, left)));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const std::size_t got = ReadSome(bytes.data() + filled, bytes.size() - filled);
    if (got == 0) {
      break;
    }
    filled += got;
  }
  bytes.resize(filled);
  position_ += filled;
  return bytes;
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t limit) {
  ReadOnlyFile file(path);
  if (file.Length() > limit) {
    throw FileAccessError(FileFailure{FileFailureKind::Overflow});
  }
  return file.ReadUpTo(static_cast<std::size_t>(file.Length()));
}

}  // namespace shell
