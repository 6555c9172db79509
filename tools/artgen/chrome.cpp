// The window frame, the table felt and the table's smaller decorations.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <array>
#include <cmath>

#include "art.h"
#include "assets/picture_ids.h"
#include "buttons.h"

namespace art {

namespace {

QImage Felt(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  Prepare(p);
  QRadialGradient g(w / 2.0, h * 0.46, std::max(w, h) * 0.62);
  g.setColorAt(0, QColor(0x1B, 0x80, 0x55));
  g.setColorAt(0.6, kFelt);
  g.setColorAt(1, QColor(0x06, 0x36, 0x22));
  p.fillRect(img.rect(), g);
  // Cloth grain: fixed-seed speckles, the same on every run.
  QRandomGenerator rng(20240607);
  for (int i = 0; i < w * h / 10; ++i) {
    const int x = static_cast<int>(rng.bounded(w));
    const int y = static_cast<int>(rng.bounded(h));
    const int a = static_cast<int>(rng.bounded(18));
    p.setPen(rng.bounded(2) == 0 ? QColor(255, 255, 255, a) : QColor(0, 0, 0, a));
    p.drawPoint(x, y);
  }
  // A stitched inner border marks the playing area.
  const qreal m = w * 0.012;
  p.setPen(QPen(QColor(0xE8, 0xD9, 0x9A, 70), 1.2, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(m, m, w - 2 * m, h - 2 * m), 18, 18);
  // Soft emblem in the middle.
  const QPointF c(w / 2.0, h / 2.0);
  const qreal r = h * 0.16;
  p.setPen(QPen(QColor(0xE8, 0xD9, 0x9A, 40), 2));
  p.drawEllipse(c, r, r);
  p.drawEllipse(c, r * 0.82, r * 0.82);
  return img;
}

QImage Skin() {
  const int w = 46, h = 220;
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  Prepare(p);
  QLinearGradient band(0, 0, 0, 20);
  band.setColorAt(0, QColor(0x8C, 0x1D, 0x18));
  band.setColorAt(0.5, QColor(0x6A, 0x12, 0x10));
  band.setColorAt(1, QColor(0x45, 0x0A, 0x08));
  p.fillRect(QRect(0, 0, w, 20), band);
  QLinearGradient side(0, 0, 8, 0);
  side.setColorAt(0, QColor(0x45, 0x0A, 0x08));
  side.setColorAt(1, QColor(0x6A, 0x12, 0x10));
  p.fillRect(QRect(0, 20, w, 200), QColor(0x5A, 0x10, 0x0C));
  p.fillRect(QRect(0, 20, 8, 200), side);
  QLinearGradient side2(38, 0, 46, 0);
  side2.setColorAt(0, QColor(0x6A, 0x12, 0x10));
  side2.setColorAt(1, QColor(0x45, 0x0A, 0x08));
  p.fillRect(QRect(38, 20, 8, 200), side2);
  // Gold trim along the inner edges.
  p.setPen(QPen(kGold, 1));
  p.drawLine(0, 19, w, 19);
  p.drawLine(7, 19, 7, 212);
  p.drawLine(38, 19, 38, 212);
  p.drawLine(7, 212, 38, 212);
  p.setPen(QPen(QColor(0xF8, 0xD8, 0x80, 140), 1));
  p.drawLine(0, 0, w, 0);
  return img;
}

QImage TitleButton(bool close, int look) {
  const int w = 28, h = 17;
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  QColor base = close ? QColor(0xB8, 0x2E, 0x22) : QColor(0x7A, 0x3A, 0x20);
  if (look == 1) base = base.lighter(135);
  if (look == 2) base = base.darker(125);
  p.setPen(QPen(look == 1 ? kGold : QColor(0x30, 0x08, 0x06), 1));
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, base.lighter(130));
  g.setColorAt(1, base.darker(120));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0), 4, 4);
  p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
  const qreal o = look == 2 ? 0.8 : 0.0;
  if (close) {
    p.drawLine(QPointF(10 + o, 4.5 + o), QPointF(18 + o, 12.5 + o));
    p.drawLine(QPointF(18 + o, 4.5 + o), QPointF(10 + o, 12.5 + o));
  } else {
    p.drawLine(QPointF(9 + o, 11.5 + o), QPointF(19 + o, 11.5 + o));
  }
  return img;
}

QImage Icon() {
  QImage img = Canvas(16, 16);
  QPainter p(&img);
  Prepare(p);
  p.setPen(QPen(QColor(0x40, 0x30, 0x10), 0.8));
  p.setBrush(kIvory);
  p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 2, 2);
  FitText(p, QRectF(4, 2.5, 8, 11), QStringLiteral("中"), kRed);
  return img;
}

QImage Panel(int w, int h, int alpha) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0x20, 0x14, 0x08, alpha));
  g.setColorAt(1, QColor(0x08, 0x05, 0x02, alpha));
  p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E, 170), 1.2));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0), 7, 7);
  return img;
}

QImage WildBox() {
  const int w = 80, h = 125;
  QImage img = Panel(w, h, 200);
  QPainter p(&img);
  Prepare(p);
  FitText(p, QRectF(10, 10, 60, 30), QStringLiteral("赖子"), kGold);
  // The socket the wild tile sits in (offset 20, 59; 36 x 56).
  p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E, 110), 1));
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawRoundedRect(QRectF(17.5, 56.5, 42, 62), 5, 5);
  return img;
}

QImage Clock() {
  const int w = 81, h = 38;
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E, 200), 1.2));
  p.setBrush(QColor(0x14, 0x0C, 0x04, 210));
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0), 10, 10);
  // An alarm clock face.
  const QPointF c(22, 20);
  p.setPen(QPen(QColor(0x70, 0x10, 0x10), 1.2));
  p.setBrush(QColor(0xD8, 0x30, 0x28));
  p.drawEllipse(QPointF(12, 7), 5, 5);
  p.drawEllipse(QPointF(32, 7), 5, 5);
  p.setBrush(Qt::white);
  p.setPen(QPen(QColor(0xD8, 0x30, 0x28), 3));
  p.drawEllipse(c, 13, 13);
  p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(0, -8));
  p.drawLine(c, c + QPointF(6, 3));
  // Display for the seconds (the countdown label sits at +48, +5).
  p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
  p.setBrush(QColor(0x05, 0x05, 0x05));
  p.drawRoundedRect(QRectF(44.5, 4.5, 32, 29), 5, 5);
  return img;
}

QImage Tag(int w, int h, const QString& text, const QColor& color) {
  return Button(w, h, text, color, ButtonLook::Normal, 0.7);
}

QImage Advert() {
  const int w = 82, h = 80;
  QImage img = Panel(w, h, 230);
  QPainter p(&img);
  Prepare(p);
  FitText(p, QRectF(6, 6, 70, 18), QStringLiteral("Qintara"), kGold);
  // Three little tiles.
  for (int i = 0; i < 3; ++i) {
    const QRectF t(12 + i * 20.0, 30, 18, 26);
    p.setPen(QPen(kIvoryEdge, 0.8));
    p.setBrush(kIvory);
    p.drawRoundedRect(t, 3, 3);
    TileContent(p, t.adjusted(2, 2, -2, -2), i == 0 ? 0 : i == 1 ? 2 : 3, i == 0 ? 5 : 8);
  }
  FitText(p, QRectF(6, 60, 70, 14), QStringLiteral("欢乐麻将"), QColor(0xF5, 0xEC, 0xD8));
  return img;
}

// The seat change: the four winds on tiles around a ring of arrows, room below for the caption.
QImage Shuffle() {
  const int w = 320, h = 150;
  QImage img = Panel(w, h, 225);
  QPainter p(&img);
  Prepare(p);
  const QPointF c(w / 2.0, 60);
  p.setPen(QPen(kGold, 3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  const qreal r = 24;
  for (int k = 0; k < 4; ++k) {
    // Four arcs chasing each other clockwise, each with its head.
    const qreal start = 90 - k * 90 - 12;
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), static_cast<int>(start * 16), -60 * 16);
    const qreal end = (start - 60) * M_PI / 180;
    const QPointF tip(c.x() + r * std::cos(end), c.y() - r * std::sin(end));
    const QPointF along(std::sin(end), std::cos(end));  // clockwise direction at the tip
    const QPointF out(std::cos(end), -std::sin(end));
    QPolygonF head;
    head << tip + along * 7 << tip - along * 2 + out * 6 << tip - along * 2 - out * 6;
    p.setBrush(kGold);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
  }
  // 东 right, 南 bottom, 西 left, 北 top: the winds of the four seats.
  const QString winds[4] = {QStringLiteral("北"), QStringLiteral("东"), QStringLiteral("南"),
                            QStringLiteral("西")};
  const QPointF at[4] = {
      {c.x(), c.y() - 44}, {c.x() + 56, c.y()}, {c.x(), c.y() + 44}, {c.x() - 56, c.y()}};
  for (int k = 0; k < 4; ++k) {
    const QRectF t(at[k].x() - 10, at[k].y() - 13, 20, 26);
    p.setPen(QPen(kIvoryEdge, 0.8));
    p.setBrush(kIvory);
    p.drawRoundedRect(t, 3, 3);
    FitText(p, t.adjusted(3, 4, -3, -4), winds[k], kInk);
  }
  return img;
}

}  // namespace

void Chrome(const Emit& sink) {
  const QImage skin = Skin();
  sink(assets::pic::kSkin, skin);
  for (int i = 0; i < 8; ++i) {
    const auto& cut = assets::pic::kSkinCuts[i];
    sink(assets::pic::kSkinPiece + i, skin.copy(cut.x, cut.y, cut.w, cut.h));
  }
  sink(assets::pic::kIcon, Icon());
  for (int look = 0; look < 3; ++look) {
    sink(assets::pic::kCloseNormal + look, TitleButton(true, look));
    sink(assets::pic::kMinNormal + look, TitleButton(false, look));
  }
  sink(assets::pic::kTableFelt, Felt(1024, 768));
  sink(assets::pic::kTableFeltSmall, Felt(800, 600));
  sink(assets::pic::kWildBox, WildBox());
  sink(assets::pic::kClock, Clock());
  sink(assets::pic::kTingMark, Tag(36, 22, QStringLiteral("听"), QColor(0xE0, 0x8A, 0x12)));
  sink(assets::pic::kReadyMark, Tag(48, 26, QStringLiteral("准备"), QColor(0x1F, 0x8A, 0x5A)));
  sink(assets::pic::kBank, Tag(56, 26, QStringLiteral("银行"), QColor(0xB0, 0x84, 0x18)));
  sink(assets::pic::kBankLit, Tag(56, 26, QStringLiteral("银行"), QColor(0xE0, 0xAC, 0x28)));
  sink(assets::pic::kAdvert, Advert());
  sink(assets::pic::kLocationStrip, Panel(394, 39, 150));
  sink(assets::pic::kDiceMultiplier, Tag(48, 26, QStringLiteral("倍数"), QColor(0x8E, 0x44, 0xAD)));
  sink(assets::pic::kWealthMultiplier,
       Tag(48, 26, QStringLiteral("财富"), QColor(0xB0, 0x84, 0x18)));
  {
    QImage img = Canvas(57, 13);
    QPainter p(&img);
    Prepare(p);
    FitText(p, QRectF(1, 1, 55, 11), QStringLiteral("常用语"), kGold);
    sink(assets::pic::kPhrases, img);
  }
  {
    QImage img = Canvas(57, 13);
    QPainter p(&img);
    Prepare(p);
    FitText(p, QRectF(1, 1, 55, 11), QStringLiteral("语音"), kGold);
    sink(assets::pic::kEmotes, img);
  }
  sink(assets::pic::kSeatPanel, Panel(160, 70, 150));
  sink(assets::pic::kShuffle, Shuffle());
}

}  // namespace art
