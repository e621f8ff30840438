#include "shell/qt/surface_view.h"

#include <qdrawutil.h>
#include <QImage>
#include <QPainter>

namespace shell {

SurfaceView::SurfaceView(Surface& surface, Border border, QWidget* parent)
    : QWidget(parent), surface_(surface), border_(border) {
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
  const Raster& screen = surface_.Screen();
  const QImage image(reinterpret_cast<const uchar*>(screen.Pixels()), screen.Width(),
                     screen.Height(), screen.Width() * 4, QImage::Format_RGB32);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const int inset = BorderWidth();
  painter.drawImage(QRect(inset, inset, screen.Width(), screen.Height()), image);
}

}  // namespace shell
