#include "shell/qt/surface_view.h"

#include <qdrawutil.h>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace shell {

SurfaceView::SurfaceView(Surface& surface, Border border, QWidget* parent)
    : QWidget(parent),
      surface_(surface),
      border_(border),
      shown_(surface, border == Border::Sunken2px) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  surface_.SetChangeListener([this] { SurfaceChanged(); });
}

SurfaceView::~SurfaceView() {
  surface_.SetChangeListener({});
}

void SurfaceView::SurfaceChanged() {
  switch (pacer_.Changed(surface_.Mode())) {
    case RepaintPacer::Paint::Later:
      update();
      break;
    case RepaintPacer::Paint::Now:
      repaint();
      break;
    case RepaintPacer::Paint::Nothing:
      break;
  }
}

void SurfaceView::paintEvent(QPaintEvent*) {
  pacer_.Painted();
  surface_.Present();
  QPainter painter(this);
  const QRect outer = rect();
  if (border_ == Border::Sunken2px) {
    qDrawWinPanel(&painter, outer, palette(), true);
  } else {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
  }
  // Drawn in device pixels, one to one: at a fractional scale a scaled drawing would make cells
  // of two widths. At scale 1 the screen image is that already, drawn without a copy.
  const double scale = devicePixelRatioF();
  const Raster& pixels = shown_.At(scale);
  const QImage image(reinterpret_cast<const uchar*>(pixels.Pixels()), pixels.Width(),
                     pixels.Height(), pixels.Width() * 4, QImage::Format_RGB32);
  painter.scale(1 / scale, 1 / scale);
  const int inset = static_cast<int>(std::lround(BorderWidth() * scale));
  painter.drawImage(QPoint(inset, inset), image);
}

}  // namespace shell
