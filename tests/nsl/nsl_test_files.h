#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace nsl_test {

// 504 bitmap bytes, all clear but the given (index, value) pairs.
inline std::vector<std::uint8_t> Bitmap(
    std::initializer_list<std::pair<std::size_t, std::uint8_t>> set = {}) {
  std::vector<std::uint8_t> bitmap(504, 0);
  for (const auto& [index, value] : set) {
    bitmap[index] = value;
  }
  return bitmap;
}

inline void AppendChunk(std::vector<std::uint8_t>& out, std::string_view name, std::size_t length) {
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(static_cast<std::uint8_t>(length >> 8));
  out.push_back(static_cast<std::uint8_t>(length & 0xFF));
}

// A header of `length` bytes that is no chunk stream, every byte `fill`.
inline std::vector<std::uint8_t> PlainFile(std::size_t header_length, std::uint8_t fill,
                                           const std::vector<std::uint8_t>& bitmap) {
  std::vector<std::uint8_t> file(header_length, fill);
  file.insert(file.end(), bitmap.begin(), bitmap.end());
  return file;
}

// "FORM", then a comment chunk of `comment_length` bytes, then "NSLD" with its data.
inline std::vector<std::uint8_t> ChunkFile(std::size_t comment_length,
                                           const std::vector<std::uint8_t>& nsld_data,
                                           std::size_t nsld_length = 504) {
  std::vector<std::uint8_t> body;
  if (comment_length > 0) {
    AppendChunk(body, "COMM", comment_length);
    body.insert(body.end(), comment_length, 'c');
  }
  AppendChunk(body, "NSLD", nsld_length);
  body.insert(body.end(), nsld_data.begin(), nsld_data.end());
  std::vector<std::uint8_t> file;
  AppendChunk(file, "FORM", body.size());
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

// The usual 70-byte header: FORM, VERS, MODL, COMM, then the NSLD chunk at offset 64.
inline std::vector<std::uint8_t> UsualFile(const std::vector<std::uint8_t>& bitmap) {
  std::vector<std::uint8_t> body;
  AppendChunk(body, "VERS", 4);
  body.insert(body.end(), {'1', '.', '0', 0});
  AppendChunk(body, "MODL", 6);
  body.insert(body.end(), {'3', '3', '1', '0', 0, 0});
  AppendChunk(body, "COMM", 30);
  body.insert(body.end(), 30, 0);
  AppendChunk(body, "NSLD", 504);
  body.insert(body.end(), bitmap.begin(), bitmap.end());
  std::vector<std::uint8_t> file;
  AppendChunk(file, "FORM", body.size());
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace nsl_test
