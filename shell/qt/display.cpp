#include "shell/qt/display.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QStringList>
#include <QVariant>

#include "shell/form/caption_fit.h"

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
  font.setPointSizeF(FittingPointSize(font.pointSizeF(), label->width(), [&](double size) {
    QFont sized = font;
    sized.setPointSizeF(size);
    return QFontMetricsF(sized).horizontalAdvance(text);
  }));
  label->setFont(font);
}

}  // namespace shell
