#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/base/dot_picture.h"

namespace nlm {

inline constexpr std::int16_t kHeaderLength = 10;

enum class NlmKind { OperatorLogo, PictureMessage, StartupLogo };

// The picture kinds, told apart by the file's total length alone.
struct NlmLayout {
  NlmKind kind;
  std::int16_t file_length;
  int width;
  int height;
  int bits_per_row;  // the startup logo's rows end in 4 bits that are not dots
};
inline constexpr NlmLayout kLayouts[] = {
    {NlmKind::OperatorLogo, 136, 72, 14, 72},
    {NlmKind::PictureMessage, 262, 72, 28, 72},
    {NlmKind::StartupLogo, 538, 84, 48, 88},
};
std::optional<NlmLayout> LayoutOfLength(std::int16_t file_length);

// Each byte as 8 characters "0" or "1", most significant bit first, in file order.
std::string BytesToBits(const std::vector<std::uint8_t>& data);

// A whole file as read: its length and the bytes after the header.
struct NlmContent {
  std::int16_t length;
  std::vector<std::uint8_t> pixel_data;
};

// Reads the file: its length first, as a 16-bit value (a longer file is an Overflow and is never
// opened), then the header and the pixel data. Throws shell::FileAccessError, with ReadPastEnd
// for a file shorter than its header or than its length said.
NlmContent ReadNlmFile(const std::filesystem::path& path);

// The dots of the bit text of a picture of that layout.
shell::DotPicture DotsFromBits(const std::string& bits, const NlmLayout& layout);

struct NlmPicture {
  NlmLayout layout;
  shell::DotPicture dots;
};

// The picture of a whole file's content; throws shell::FileAccessError, with UnlistedLength for a
// length no kind has.
NlmPicture DecodeNlmContent(const NlmContent& content);

// Reads the whole file, then tells its kind from its length; throws shell::FileAccessError, with
// UnlistedLength for a file read without error whose length no kind has.
NlmPicture DecodeNlmFile(const std::filesystem::path& path);

}  // namespace nlm
