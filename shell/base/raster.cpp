#include "shell/base/raster.h"

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
  // A plain loop: most boxes are a cell's 5 pixels wide or a grid line's 1, where a call to
  // std::fill per row costs more than the writes themselves.
  const std::uint32_t pixel = ToPixel(colour);
  const int span = right - left + 1;
  std::uint32_t* row = pixels_.data() + static_cast<std::ptrdiff_t>(top) * width_ + left;
  for (int y = top; y <= bottom; ++y, row += width_) {
    for (int x = 0; x < span; ++x) {
      row[x] = pixel;
    }
  }
}

}  // namespace shell
