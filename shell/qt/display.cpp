#include "shell/qt/display.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <cmath>


namespace shell {

namespace {

const QStringList& SansSerifFaces() {
  static const QStringList faces{
      QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
  return faces;
}

QFont SansSerif(qreal point_size) {
  QFont font;
  font.setFamilies(SansSerifFaces());
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(point_size);
  return font;
}

constexpr qreal kSmallestPointSize = 6.0;

}  // namespace

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Rgb ToRgb(const QColor& colour) {
  return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
             static_cast<std::uint8_t>(colour.blue())};
}

QFont WindowFont() {
  return SansSerif(8.0);
}

QFont BoldFont(qreal point_size) {
  QFont font = SansSerif(point_size);
  font.setBold(true);
  return font;
}

void SetCaption(QLabel* label, const QString& text) {
  // Each caption starts again from the font the label was given.
  static constexpr char kDesignFont[] = "designFont";
  if (!label->property(kDesignFont).isValid()) {
    label->setProperty(kDesignFont, label->font());
  }
  label->setText(text);
  QFont font = label->property(kDesignFont).value<QFont>();
  // Text width grows with the point size, so one measurement gives the size that fits; each
  // further step costs a font of its own, which is slow to make, so there are few of them.
  const qreal width = QFontMetricsF(font).horizontalAdvance(text);
  if (width > label->width()) {
    const qreal fitting = font.pointSizeF() * label->width() / width;
    font.setPointSizeF(std::max(kSmallestPointSize, std::floor(fitting * 4) / 4));
    while (QFontMetricsF(font).horizontalAdvance(text) > label->width() &&
           font.pointSizeF() > kSmallestPointSize) {
      font.setPointSizeF(font.pointSizeF() - 0.25);
    }
  }
  label->setFont(font);
}

}  // namespace shell
