#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "shell/surface.h"

namespace shell {

// Shows a canvas surface inside its border, pixel for pixel and never smoothed, so the grid stays
// crisp at any scale factor. The screen image is painted on every repaint, so dots survive the
// window being covered and uncovered.
class SurfaceView : public QWidget {
 public:
  enum class Border { Sunken2px, Flat1px };

  SurfaceView(Surface& surface, Border border, QWidget* parent);

  int BorderWidth() const { return border_ == Border::Sunken2px ? 2 : 1; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void SurfaceChanged();

  Surface& surface_;
  Border border_;
  // Immediate drawing reaches the screen within one frame: a quick load costs no more paints than
  // a Deferred one, and a slow one shows its dots as they come.
  QElapsedTimer unpainted_since_;
  int changes_unpainted_ = 0;  // the clock is read only every so many changes
  // A load changes the surface thousands of times; one scheduled paint covers them all.
  bool paint_scheduled_ = false;
};

}  // namespace shell
