#include "shell/canvas/thumbnail.h"

#include <algorithm>

#include "shell/canvas/logo_canvas.h"

namespace shell {

namespace {

constexpr int kSmallestPitchWithGrid = 4;

// The picture with every dot a pitch-pixel square, and the grid lines when there are any.
Raster Magnified(const DotPicture& dots, int pitch, bool grid) {
  const int line = grid ? 1 : 0;  // with a grid the picture is one pixel wider, for the last line
  Raster image(dots.Width() * pitch + line, dots.Height() * pitch + line, kScreenColor);
  for (int c = 0; grid && c <= dots.Width(); ++c) {
    image.FillBox(c * pitch, 0, c * pitch, dots.Height() * pitch, kGridColor);
  }
  for (int r = 0; grid && r <= dots.Height(); ++r) {
    image.FillBox(0, r * pitch, dots.Width() * pitch, r * pitch, kGridColor);
  }
  for (int r = 0; r < dots.Height(); ++r) {
    for (int c = 0; c < dots.Width(); ++c) {
      if (dots.At(c, r)) {
        image.FillBox(c * pitch + line, r * pitch + line, (c + 1) * pitch - 1, (r + 1) * pitch - 1,
                      kDotColor);
      }
    }
  }
  return image;
}

}  // namespace

Raster Thumbnail(const DotPicture& dots, int size) {
  const bool grid = (size - 1) / dots.Width() >= kSmallestPitchWithGrid;
  const int pitch = grid ? (size - 1) / dots.Width() : size / dots.Width();
  if (pitch >= 1) {
    return Magnified(dots, pitch, grid);
  }
  // Fewer pixels than dots: the nearest dot for each pixel, the aspect kept.
  const int width = std::max(1, std::min(size, size * dots.Width() / dots.Height()));
  const int height = std::max(1, width * dots.Height() / dots.Width());
  Raster image(width, height, kScreenColor);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (dots.At(x * dots.Width() / width, y * dots.Height() / height)) {
        image.SetPixel(x, y, kDotColor);
      }
    }
  }
  return image;
}

}  // namespace shell
