#pragma once

#include <QByteArray>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

// Reads what a window shows, as a person would see it, from the widgets' own painting.
namespace window_probe {

// The dots a big-screen widget shows for a width x height picture at (ox, oy) of its drawing
// area, which starts inside a 2-pixel border: '#' when the cell's whole 5 x 5 square is black,
// '.' when none of it is, '?' for anything in between.
std::vector<std::string> BigScreenDots(QWidget* picture, int ox, int oy, int width, int height);

// The preview's 84 x 48 pixels inside its 1-pixel border: '#' for black.
std::vector<std::string> PreviewDots(QWidget* preview);

// The colour of pixel (x, y) of the drawing area inside a border of the given width.
QColor PixelOf(QWidget* surface, int x, int y, int border);

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

// Points the per-user settings at a fresh folder whose IconJAR.conf holds Lang=value; the
// folder lives as long as the returned object.
std::unique_ptr<QTemporaryDir> UseLanguageSetting(const QByteArray& value);

}  // namespace window_probe
