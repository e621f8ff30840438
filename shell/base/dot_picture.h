#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace shell {

// A monochrome picture as the phone shows it: true is a dark dot.
class DotPicture {
 public:
  DotPicture(int width, int height)
      : width_(width), height_(height), dots_(static_cast<std::size_t>(width * height), 0) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool At(int column, int row) const { return dots_[Index(column, row)] != 0; }
  void Set(int column, int row, bool dark) { dots_[Index(column, row)] = dark ? 1 : 0; }

  friend bool operator==(const DotPicture&, const DotPicture&) = default;

 private:
  std::size_t Index(int column, int row) const {
    return static_cast<std::size_t>(row * width_ + column);
  }

  int width_;
  int height_;
  std::vector<std::uint8_t> dots_;  // bytes, not bits: read thousands of times a load
};

}  // namespace shell
