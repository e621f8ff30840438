#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string_view>

#include "shell/base/rgb.h"

class QLabel;

namespace shell {

QString FromUtf8(std::string_view text);
Rgb ToRgb(const QColor& colour);

// The window's own font and its bold caption font: the sans-serif face nearest to the classic
// "MS Sans Serif", with Polish letters.
QFont WindowFont();
QFont BoldFont(qreal point_size);

// Sets the caption and, where it would be cut off, narrows the font until it fits the label.
void SetCaption(QLabel* label, const QString& text);

}  // namespace shell
