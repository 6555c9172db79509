#include <QPainterPath>

#include <algorithm>

#include "art.h"

namespace art {

QFont Font(qreal pixelSize, bool bold) {
  QFont f(QStringLiteral("WenQuanYi Micro Hei"));
  f.setPixelSize(std::max(1, static_cast<int>(pixelSize)));
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

QImage Canvas(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

void Prepare(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

void FitText(QPainter& p, const QRectF& r, const QString& text, const QColor& color,
             const QString& ref, bool outline, const QColor& outlineColor) {
  if (text.isEmpty() || r.isEmpty()) return;
  // Lay the glyphs out at a large size, then scale their ink box into r.
  QPainterPath path;
  path.addText(0, 0, Font(100), text);
  const QRectF ink = path.boundingRect();
  if (ink.isEmpty()) return;
  // Scaled as the reference text would be to fit, so a flat glyph like 一 keeps its weight.
  QRectF box = ink;
  if (!ref.isEmpty()) {
    QPainterPath refPath;
    refPath.addText(0, 0, Font(100), ref);
    box = refPath.boundingRect();
  }
  // Never larger than the text's own ink allows: a word longer than the reference still fits.
  const qreal s = std::min({r.width() / box.width(), r.height() / box.height(),
                            r.width() / ink.width(), r.height() / ink.height()});
  QTransform t;
  t.translate(r.center().x(), r.center().y());
  t.scale(s, s);
  t.translate(-ink.center().x(), -ink.center().y());
  const QPainterPath placed = t.map(path);
  p.save();
  if (outline) {
    p.setPen(QPen(outlineColor, std::max(1.0, r.height() * 0.08), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(placed);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(placed);
  p.restore();
}

}  // namespace art
