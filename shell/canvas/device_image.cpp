#include "shell/canvas/device_image.h"

#include <cmath>
#include <vector>

#include "shell/canvas/logo_canvas.h"

namespace shell {

namespace {

// Where each logical pixel of an axis starts in device pixels; one more entry for the end.
using Starts = std::vector<int>;

Starts CellStarts(int logical, int line, int square) {
  Starts starts;
  for (int x = 0; x <= logical; ++x) {
    const int in_cell = x % kCellPitch;
    starts.push_back(x / kCellPitch * (line + square) +
                     (in_cell == 0 ? 0 : line + (in_cell - 1) * square / (kCellPitch - 1)));
  }
  // The last pixel is the closing grid line.
  starts.back() = starts[static_cast<std::size_t>(logical) - 1] + line;
  return starts;
}

Starts EvenStarts(int logical, int pixels) {
  Starts starts;
  for (int x = 0; x <= logical; ++x) {
    starts.push_back(x * pixels);
  }
  return starts;
}

Raster Mapped(const Raster& shown, const Starts& xs, const Starts& ys, double scale) {
  const auto box = [scale](int logical) { return static_cast<int>(std::lround(logical * scale)); };
  Raster pixels(box(shown.Width()), box(shown.Height()), kScreenColor);
  const int left = (pixels.Width() - xs.back()) / 2;
  const int top = (pixels.Height() - ys.back()) / 2;
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) {
      const auto column = static_cast<std::size_t>(x);
      const auto row = static_cast<std::size_t>(y);
      pixels.FillBox(left + xs[column], top + ys[row], left + xs[column + 1] - 1,
                     top + ys[row + 1] - 1, shown.At(x, y));
    }
  }
  return pixels;
}

int WholePixels(double scale) {
  return std::max(1, static_cast<int>(std::floor(scale + 1e-9)));
}

}  // namespace

Raster BigScreenAtScale(const Raster& shown, double scale) {
  // The largest whole pitch within the scaled cell, the line as thick as the scale's whole part.
  const int pitch = std::max(2, static_cast<int>(std::floor(kCellPitch * scale + 1e-9)));
  const int line = std::min(WholePixels(scale), pitch - 1);
  const int square = pitch - line;
  return Mapped(shown, CellStarts(shown.Width(), line, square),
                CellStarts(shown.Height(), line, square), scale);
}

Raster PreviewAtScale(const Raster& shown, double scale) {
  const int pixels = WholePixels(scale);
  return Mapped(shown, EvenStarts(shown.Width(), pixels), EvenStarts(shown.Height(), pixels),
                scale);
}

const Raster& ScreenAtScale::At(double scale) {
  if (scale == 1.0) {
    return surface_.Screen();
  }
  if (!made_ || scale != made_scale_ || surface_.ScreenChanges() != made_from_) {
    made_ = big_screen_ ? BigScreenAtScale(surface_.Screen(), scale)
                        : PreviewAtScale(surface_.Screen(), scale);
    made_scale_ = scale;
    made_from_ = surface_.ScreenChanges();
  }
  return *made_;
}

}  // namespace shell
