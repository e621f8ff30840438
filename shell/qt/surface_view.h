#pragma once

#include <QWidget>

#include "shell/canvas/device_image.h"
#include "shell/canvas/repaint_pacer.h"
#include "shell/canvas/surface.h"

namespace shell {

// Shows a canvas surface inside its border, pixel for pixel and never smoothed, so the grid stays
// crisp at any scale factor. The screen image is painted on every repaint, so dots survive the
// window being covered and uncovered.
class SurfaceView : public QWidget {
 public:
  enum class Border { Sunken2px, Flat1px };

  SurfaceView(Surface& surface, Border border, QWidget* parent);
  ~SurfaceView() override;

  int BorderWidth() const { return border_ == Border::Sunken2px ? 2 : 1; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void SurfaceChanged();

  Surface& surface_;
  Border border_;
  ScreenAtScale shown_;
  RepaintPacer pacer_;
};

}  // namespace shell
