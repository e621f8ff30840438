#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "shell/raster.h"

// Reads what a window shows, as a person would see it, from the widgets' own painting.
namespace window_probe {

// The drawing area of a surface widget, inside its border, as painted on screen.
shell::Raster Painted(QWidget* surface, int border, int width, int height);

// The dots a big-screen widget (2-pixel border) shows for a width x height picture at (ox, oy).
std::vector<std::string> BigScreenDots(QWidget* picture, int ox, int oy, int width, int height);
// The preview's 84 x 48 pixels (1-pixel border): '#' for black.
std::vector<std::string> PreviewDots(QWidget* preview);

// The control of that name, which must exist.
template <typename T = QWidget>
T* Find(QWidget* window, const char* name) {
  T* control = window->findChild<T*>(QString::fromLatin1(name));
  if (!control) {
    qFatal("no control %s", name);
  }
  return control;
}

}  // namespace window_probe
