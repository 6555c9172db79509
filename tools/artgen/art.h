#pragma once
// Drawing helpers of the artwork generator: one consistent look for every picture of the table.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <functional>

namespace art {

// Palette.
inline const QColor kIvory{0xFB, 0xF7, 0xEA};
inline const QColor kIvoryShade{0xE6, 0xDC, 0xBE};
inline const QColor kIvoryEdge{0xA8, 0x9C, 0x7A};
inline const QColor kBack{0x1F, 0x6F, 0x5C};  // tile backs: deep jade
inline const QColor kBackLight{0x3F, 0xA0, 0x86};
inline const QColor kBackDark{0x12, 0x45, 0x39};
inline const QColor kInk{0x1A, 0x23, 0x5E};  // numerals and winds
inline const QColor kRed{0xC6, 0x22, 0x22};
inline const QColor kGreen{0x15, 0x7A, 0x3A};
inline const QColor kBlue{0x1E, 0x4F, 0xA8};
inline const QColor kGold{0xF2, 0xC1, 0x4E};
inline const QColor kFelt{0x0E, 0x5E, 0x3C};

QFont Font(qreal pixelSize, bool bold = true);
QImage Canvas(int w, int h);
// A painter with antialiasing and smooth transforms.
void Prepare(QPainter& p);
// Draws text so that its ink is centred in r, as large as fits (or as large as ref would fit).
void FitText(QPainter& p, const QRectF& r, const QString& text, const QColor& color,
             const QString& ref = QString(), bool outline = false,
             const QColor& outlineColor = Qt::white);

// Tile faces: content of tile kind (suit index 0..3, rank 1..9) drawn upright into r.
void TileContent(QPainter& p, const QRectF& r, int suitIndex, int rank);

// A picture id and its image.
using Emit = std::function<void(int id, const QImage& image)>;

void Tiles(const Emit& sink);
void Widgets(const Emit& sink);
void Chrome(const Emit& sink);
// The exit, leave and reconnect dialogs and the connection indicator.
void Dialogs(const Emit& sink);

}  // namespace art
