#include "shell/raster.h"

#include <algorithm>
#include <cstddef>

namespace shell {

Raster::Raster(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ToPixel(fill)) {}

Rgb Raster::At(int x, int y) const {
  return FromPixel(pixels_[static_cast<std::size_t>(y * width_ + x)]);
}

void Raster::Fill(Rgb colour) {
  std::fill(pixels_.begin(), pixels_.end(), ToPixel(colour));
}

void Raster::FillBox(int x1, int y1, int x2, int y2, Rgb colour) {
  const int left = std::max(std::min(x1, x2), 0);
  const int right = std::min(std::max(x1, x2), width_ - 1);
  const int top = std::max(std::min(y1, y2), 0);
  const int bottom = std::min(std::max(y1, y2), height_ - 1);
  if (left > right || top > bottom) {
    return;
  }
  const std::uint32_t pixel = ToPixel(colour);
  for (int y = top; y <= bottom; ++y) {
    auto row = pixels_.begin() + y * width_;
    std::fill(row + left, row + right + 1, pixel);
  }
}

}  // namespace shell
