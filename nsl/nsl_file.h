#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "shell/base/dot_picture.h"

namespace nsl {

inline constexpr std::size_t NslHeaderLength = 70;
inline constexpr std::size_t NslBitmapLength = 504;
inline constexpr int kLogoWidth = 84;
inline constexpr int kLogoHeight = 48;
inline constexpr int kBandHeight = 8;

// Where the bitmap starts in a file that begins with a chunk stream ("FORM" and a 2-byte
// big-endian length, then chunks of a 4-character name and a 2-byte big-endian length) holding
// an NSLD chunk of 504 bytes. Empty for every other file, whose bitmap follows a fixed 70-byte
// header that is not examined. `head` is the start of the file, as much of it as was read.
std::optional<std::size_t> FindNsldChunk(std::span<const std::uint8_t> head);

// The 84 x 48 dots of a bitmap: 6 bands of 8 rows, 84 bytes a band, one per column; bit k of a
// byte is row 8 * band + k.
shell::DotPicture DecodeNslBitmap(std::span<const std::uint8_t, NslBitmapLength> bitmap);

// The longest file that can hold a startup logo: a chunk stream of the largest extent "FORM" can
// give; any other file's logo lies in its first 574 bytes.
inline constexpr std::size_t kLongestNslFile = 6 + 0xFFFF;

// The next bytes of a file, `count` of them or fewer where it ends.
using ReadUpTo = std::function<std::vector<std::uint8_t>(std::size_t count)>;

// Reads the startup logo from a file's start, never more than kLongestNslFile bytes; throws
// shell::FileAccessError, with ReadPastEnd for a file that ends before its bitmap does.
shell::DotPicture ReadNsl(const ReadUpTo& read_up_to);

// Reads the startup logo of the file; throws shell::FileAccessError, with ReadPastEnd for a file
// that ends before its bitmap does.
shell::DotPicture ReadNslFile(const std::filesystem::path& path);

}  // namespace nsl
