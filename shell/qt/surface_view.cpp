#include "shell/qt/surface_view.h"

#include <qdrawutil.h>
#include <QImage>
#include <QPainter>

namespace shell {

namespace {

constexpr qint64 kFrameMilliseconds = 16;
constexpr int kChangesBetweenClockReadings = 256;

}  // namespace

SurfaceView::SurfaceView(Surface& surface, Border border, QWidget* parent)
    : QWidget(parent), surface_(surface), border_(border) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  surface_.SetChangeListener([this] { SurfaceChanged(); });
}

void SurfaceView::SurfaceChanged() {
  if (!paint_scheduled_) {
    paint_scheduled_ = true;
    update();
  }
  if (surface_.Mode() != PresentationMode::Immediate) {
    return;
  }
  if (!unpainted_since_.isValid()) {
    unpainted_since_.start();
  } else if (++changes_unpainted_ % kChangesBetweenClockReadings == 0 &&
             unpainted_since_.elapsed() >= kFrameMilliseconds) {
    repaint();
  }
}

void SurfaceView::paintEvent(QPaintEvent*) {
  paint_scheduled_ = false;
  unpainted_since_.invalidate();
  changes_unpainted_ = 0;
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
