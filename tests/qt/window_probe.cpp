#include "window_probe.h"

#include <QFile>
#include <QSettings>

namespace window_probe {

namespace {

QImage Grab(QWidget* widget) {
  return widget->grab().toImage();
}

bool IsBlack(const QImage& image, int x, int y) {
  return image.pixel(x, y) == qRgb(0, 0, 0);
}

}  // namespace

std::vector<std::string> BigScreenDots(QWidget* picture, int ox, int oy, int width, int height) {
  const QImage image = Grab(picture);
  std::vector<std::string> rows;
  for (int r = 0; r < height; ++r) {
    std::string row;
    for (int c = 0; c < width; ++c) {
      int black = 0;
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
          black += IsBlack(image, 2 + ox + 6 * c + 1 + x, 2 + oy + 6 * r + 1 + y) ? 1 : 0;
        }
      }
      row += black == 25 ? '#' : black == 0 ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> PreviewDots(QWidget* preview) {
  const QImage image = Grab(preview);
  std::vector<std::string> rows;
  for (int y = 0; y < 48; ++y) {
    std::string row;
    for (int x = 0; x < 84; ++x) {
      row += IsBlack(image, 1 + x, 1 + y) ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

QColor PixelOf(QWidget* surface, int x, int y, int border) {
  return Grab(surface).pixelColor(border + x, border + y);
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

}  // namespace window_probe
