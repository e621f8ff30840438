#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "shell/base/rgb.h"

namespace shell {

// A rectangle of pixels; (0, 0) is the top-left pixel. Drawing outside it is clipped.
class Raster {
 public:
  Raster(int width, int height, Rgb fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const;

  void Fill(Rgb colour);
  // Fills the box with corners (x1, y1) and (x2, y2), both included, in either order.
  void FillBox(int x1, int y1, int x2, int y2, Rgb colour);
  void SetPixel(int x, int y, Rgb colour) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
      pixels_[static_cast<std::size_t>(y * width_ + x)] = ToPixel(colour);
    }
  }

  // Rows of 0xFFRRGGBB pixels, Width() pixels each, top row first.
  const std::uint32_t* Pixels() const { return pixels_.data(); }

  friend bool operator==(const Raster&, const Raster&) = default;

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace shell
