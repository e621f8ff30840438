#include "window_probe.h"

#include <QFile>
#include <QImage>
#include <QSettings>

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

shell::Rgb BigScreenPixel(QWidget* picture, int x, int y) {
  return Painted(picture, 2, 505, 289).At(x, y);
}

std::vector<std::string> Blank(int width, int height) {
  return std::vector<std::string>(static_cast<std::size_t>(height),
                                  std::string(static_cast<std::size_t>(width), '.'));
}

std::unique_ptr<QTemporaryDir> UseLanguageSetting(const QByteArray& value) {
  auto folder = std::make_unique<QTemporaryDir>();
  QFile file(folder->filePath(QStringLiteral("IconJAR.conf")));
  if (!file.open(QIODevice::WriteOnly)) {
    qFatal("cannot write the settings file");
  }
  file.write("[Options]\nLang=" + value + "\n");
  file.close();
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
  return folder;
}

void WindowTest::StartInFreshFolder() {
  folder_ = std::make_unique<QTemporaryDir>();
  std::filesystem::current_path(Folder());
  messages_.shown.clear();
  settings_ = UseLanguageSetting("pl");
}

void WindowTest::Finish() {
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  // Qt's own removal cannot name files whose names are not valid UTF-8.
  std::error_code ignored;
  std::filesystem::remove_all(Folder(), ignored);
}

}  // namespace window_probe
