#include "window_probe.h"

#include <QImage>

#include "shell/logo_canvas.h"
#include "support/text_art.h"

namespace window_probe {

shell::Raster Painted(QWidget* surface, int border, int width, int height) {
  const QImage image = surface->grab().toImage();
  shell::Raster raster(width, height, shell::kScreenColor);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const QColor c = image.pixelColor(border + x, border + y);
      raster.FillBox(
          x, y, x, y,
          shell::Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                     static_cast<std::uint8_t>(c.blue())});
    }
  }
  return raster;
}

std::vector<std::string> BigScreenDots(QWidget* picture, int ox, int oy, int width, int height) {
  return test_support::ArtFromBigScreen(Painted(picture, 2, 505, 289), ox, oy, width, height);
}

std::vector<std::string> PreviewDots(QWidget* preview) {
  return test_support::ArtFromPreview(Painted(preview, 1, 84, 48), shell::kDotColor);
}

}  // namespace window_probe
