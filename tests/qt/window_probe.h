#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "shell/raster.h"
#include "support/recording_messages.h"

// Reads what a window shows, as a person would see it, from the widgets' own painting.
namespace window_probe {

// The drawing area of a surface widget, inside its border, as painted on screen.
shell::Raster Painted(QWidget* surface, int border, int width, int height);

// The dots a big-screen widget (2-pixel border) shows for a width x height picture at (ox, oy).
std::vector<std::string> BigScreenDots(QWidget* picture, int ox, int oy, int width, int height);
// The preview's 84 x 48 pixels (1-pixel border): '#' for black.
std::vector<std::string> PreviewDots(QWidget* preview);
// Pixel (x, y) of the big screen's drawing area.
shell::Rgb BigScreenPixel(QWidget* picture, int x, int y);

std::vector<std::string> Blank(int width, int height);

// The control of that name, which must exist.
template <typename T>
T* Find(QWidget* window, const char* name) {
  T* control = window->findChild<T*>(QString::fromLatin1(name));
  if (!control) {
    qFatal("no control %s", name);
  }
  return control;
}

// What each window test starts from: a fresh folder, the settings in Polish, and the message
// boxes recorded.
class WindowTest : public QObject {
 protected:
  std::filesystem::path Folder() const { return folder_->path().toStdString(); }
  void StartInFreshFolder();
  void Finish();

  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<QTemporaryDir> settings_;
  test_support::RecordingMessages messages_;
};

// Points the per-user settings at a fresh folder whose IconJAR.conf holds Lang=value; the
// folder lives as long as the returned object.
std::unique_ptr<QTemporaryDir> UseLanguageSetting(const QByteArray& value);

}  // namespace window_probe
