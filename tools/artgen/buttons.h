#pragma once
#include <QColor>
#include <QImage>
#include <QString>

namespace art {

enum class ButtonLook { Disabled, Normal, Lit, Pressed };

// A glossy rounded button; textShare is the part of the button the words may fill.
QImage Button(int w, int h, const QString& text, QColor base, ButtonLook look, qreal textShare);

}  // namespace art
