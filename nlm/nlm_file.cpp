#include "nlm/nlm_file.h"

#include <limits>

#include "shell/base/file_failure.h"
#include "shell/base/read_only_file.h"

namespace nlm {

std::optional<NlmLayout> LayoutOfLength(std::int16_t file_length) {
  for (const NlmLayout& layout : kLayouts) {
    if (layout.file_length == file_length) {
      return layout;
    }
  }
  return std::nullopt;
}

std::string BytesToBits(const std::vector<std::uint8_t>& data) {
  std::string bits;
  bits.reserve(data.size() * 8);
  for (const std::uint8_t byte : data) {
    for (int bit = 7; bit >= 0; --bit) {
      bits += (byte >> bit & 1) != 0 ? '1' : '0';
    }
  }
  return bits;
}

NlmContent ReadNlmFile(const std::filesystem::path& path) {
  const std::uintmax_t length = shell::FileLength(path);
  if (length > static_cast<std::uintmax_t>(std::numeric_limits<std::int16_t>::max())) {
    throw shell::FileAccessError(shell::FileFailure{shell::FileFailureKind::Overflow});
  }
  NlmContent content{static_cast<std::int16_t>(length), {}};
  shell::ReadOnlyFile file(path);
  const auto read_exactly = [&file](std::size_t count) {
    std::vector<std::uint8_t> bytes = file.ReadUpTo(count);
    if (bytes.size() < count) {
      throw shell::FileAccessError(shell::FileFailure{shell::FileFailureKind::ReadPastEnd});
    }
    return bytes;
  };
  read_exactly(kHeaderLength);
  // A file that reports fewer bytes than its header, such as those under /proc that report
  // none, ends before its pixel data by its own account, whatever a read still gives.
  if (content.length < kHeaderLength) {
    throw shell::FileAccessError(shell::FileFailure{shell::FileFailureKind::ReadPastEnd});
  }
  content.pixel_data = read_exactly(static_cast<std::size_t>(content.length - kHeaderLength));
  return content;
}

shell::DotPicture DotsFromBits(const std::string& bits, const NlmLayout& layout) {
  shell::DotPicture dots(layout.width, layout.height);
  for (int row = 0; row < layout.height; ++row) {
    for (int column = 0; column < layout.width; ++column) {
      dots.Set(column, row,
               bits[static_cast<std::size_t>(row * layout.bits_per_row + column)] == '1');
    }
  }
  return dots;
}

NlmPicture DecodeNlmContent(const NlmContent& content) {
  const std::optional<NlmLayout> layout = LayoutOfLength(content.length);
  if (!layout) {
    throw shell::FileAccessError(shell::FileFailure{shell::FileFailureKind::UnlistedLength});
  }
  if (content.pixel_data.size() != static_cast<std::size_t>(content.length - kHeaderLength)) {
    throw shell::FileAccessError(shell::FileFailure{shell::FileFailureKind::ReadPastEnd});
  }
  return {*layout, DotsFromBits(BytesToBits(content.pixel_data), *layout)};
}

NlmPicture DecodeNlmFile(const std::filesystem::path& path) {
  return DecodeNlmContent(ReadNlmFile(path));
}

}  // namespace nlm
