// Buttons, speech bubbles, dice, portraits, compasses, switches and badges.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

#include "art.h"
#include "assets/picture_ids.h"
#include "buttons.h"

namespace art {

QImage Button(int w, int h, const QString& text, QColor base, ButtonLook look, qreal textShare) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  if (look == ButtonLook::Disabled) base = QColor(0x7A, 0x80, 0x7C);
  if (look == ButtonLook::Lit) base = base.lighter(125);
  if (look == ButtonLook::Pressed) base = base.darker(115);
  const QRectF all(0.5, 0.5, w - 1.0, h - 1.0);
  const qreal rad = std::min(w, h) * 0.22;
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, base.lighter(140));
  g.setColorAt(0.48, base);
  g.setColorAt(0.52, base.darker(112));
  g.setColorAt(1, base.darker(135));
  const QColor rim = look == ButtonLook::Lit ? kGold : base.darker(170);
  p.setPen(QPen(rim, look == ButtonLook::Lit ? 2.0 : 1.0));
  p.setBrush(g);
  p.drawRoundedRect(all.adjusted(0.5, 0.5, -0.5, -0.5), rad, rad);
  // Gloss on the upper half.
  QLinearGradient gloss(0, 0, 0, h * 0.5);
  gloss.setColorAt(0, QColor(255, 255, 255, 90));
  gloss.setColorAt(1, QColor(255, 255, 255, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(gloss);
  p.drawRoundedRect(QRectF(2, 2, w - 4.0, h * 0.46), rad * 0.8, rad * 0.8);
  const QColor ink = look == ButtonLook::Disabled ? QColor(0xC8, 0xCC, 0xC8) : Qt::white;
  const qreal off = look == ButtonLook::Pressed ? 1.0 : 0.0;
  const qreal mx = w * (1 - textShare) / 2, my = h * (1 - textShare) / 2;
  FitText(p, QRectF(mx + off, my + off, w - 2 * mx, h - 2 * my), text, ink, {}, true,
          base.darker(190));
  return img;
}

namespace {

// ---- operation buttons ----

void OperationButtons(const Emit& sink) {
  const std::array<const char*, 6> words{"吃", "碰", "杠", "听", "胡", "过"};
  const std::array<QColor, 6> colors{QColor(0x2E, 0x8B, 0x3E), QColor(0x1F, 0x6C, 0xC4),
                                     QColor(0x7B, 0x3F, 0xB5), QColor(0xE0, 0x8A, 0x12),
                                     QColor(0xD0, 0x2A, 0x2A), QColor(0x55, 0x6B, 0x7F)};
  for (int b = 0; b < 6; ++b) {
    const auto i = static_cast<std::size_t>(b);
    const QString w = QString::fromUtf8(words.at(i));
    sink(assets::pic::kOpBase + 3 * b, Button(50, 71, w, colors.at(i), ButtonLook::Disabled, 0.62));
    sink(assets::pic::kOpBase + 3 * b + 1,
         Button(50, 71, w, colors.at(i), ButtonLook::Normal, 0.62));
    sink(assets::pic::kOpBase + 3 * b + 2, Button(50, 71, w, colors.at(i), ButtonLook::Lit, 0.66));
  }
}

// ---- speech bubbles ----

// tail: 0 down, 1 left, 2 up, 3 right (towards the seat that speaks).
QImage Bubble(const QString& text, int tail) {
  const int w = 116, h = 74, t = 14;
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  QRectF body(1.5, 1.5, w - 3.0, h - 3.0);
  QPolygonF tip;
  switch (tail) {
    case 0:
      body.setBottom(h - t);
      tip << QPointF(w * 0.42, h - t - 2) << QPointF(w * 0.5, h - 1.5)
          << QPointF(w * 0.6, h - t - 2);
      break;
    case 1:
      body.setLeft(t);
      tip << QPointF(t + 2, h * 0.4) << QPointF(1.5, h * 0.62) << QPointF(t + 2, h * 0.62);
      break;
    case 2:
      body.setTop(t);
      tip << QPointF(w * 0.42, t + 2) << QPointF(w * 0.5, 1.5) << QPointF(w * 0.6, t + 2);
      break;
    default:
      body.setRight(w - t);
      tip << QPointF(w - t - 2, h * 0.4) << QPointF(w - 1.5, h * 0.62)
          << QPointF(w - t - 2, h * 0.62);
  }
  QPainterPath shape;
  shape.addRoundedRect(body, 16, 16);
  QPainterPath tipPath;
  tipPath.addPolygon(tip);
  tipPath.closeSubpath();
  shape = shape.united(tipPath);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0xFF, 0xFB, 0xE6));
  g.setColorAt(1, QColor(0xFF, 0xE0, 0x8A));
  p.setPen(QPen(QColor(0xC2, 0x5B, 0x0E), 2.5));
  p.setBrush(g);
  p.drawPath(shape);
  const QRectF inner = body.adjusted(10, 8, -10, -8);
  FitText(p, inner, text, kRed, QStringLiteral("碰"), true, Qt::white);
  return img;
}

void Bubbles(const Emit& sink) {
  const std::array<const char*, 9> words{"吃",   "碰", "杠", "暗杠", "红中杠",
                                         "开杠", "胡", "听", "潇洒"};
  // Resource 800 + 4k + j holds the bubble of position {1, 3, 0, 2}[j].
  const std::array<int, 4> posOf{1, 3, 0, 2};
  const std::array<int, 4> tailOf{0, 1, 2, 3};  // by position: own down, left, top up, right
  for (int k = 0; k < 9; ++k) {
    for (int j = 0; j < 4; ++j) {
      const int pos = posOf.at(static_cast<std::size_t>(j));
      sink(assets::pic::kBubbleBase + 4 * k + j,
           Bubble(QString::fromUtf8(words.at(static_cast<std::size_t>(k))),
                  tailOf.at(static_cast<std::size_t>(pos))));
    }
  }
}

// ---- dice ----

void Pips(QPainter& p, const QRectF& r, int v) {
  static constexpr std::array<std::array<int, 9>, 6> kLayout{{
      {0, 0, 0, 0, 1, 0, 0, 0, 0},
      {1, 0, 0, 0, 0, 0, 0, 0, 1},
      {1, 0, 0, 0, 1, 0, 0, 0, 1},
      {1, 0, 1, 0, 0, 0, 1, 0, 1},
      {1, 0, 1, 0, 1, 0, 1, 0, 1},
      {1, 0, 1, 1, 0, 1, 1, 0, 1},
  }};
  const qreal cell = r.width() / 3;
  const bool redOne = v == 1 || v == 4;
  const qreal rad = v == 1 ? cell * 0.48 : cell * 0.3;
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 9; ++i) {
    if (kLayout.at(static_cast<std::size_t>(v - 1)).at(static_cast<std::size_t>(i)) == 0) continue;
    const QPointF c(r.left() + cell * (i % 3 + 0.5), r.top() + cell * (i / 3 + 0.5));
    QRadialGradient g(c - QPointF(rad * 0.3, rad * 0.3), rad * 1.2);
    const QColor base = redOne ? kRed : QColor(0x20, 0x20, 0x28);
    g.setColorAt(0, base.lighter(150));
    g.setColorAt(1, base);
    p.setBrush(g);
    p.drawEllipse(c, rad, rad);
  }
}

QImage Die(int size, int value, qreal angle) {
  QImage img = Canvas(size, size);
  QPainter p(&img);
  Prepare(p);
  p.translate(size / 2.0, size / 2.0);
  p.rotate(angle);
  const qreal s = angle == 0 ? size - 3.0 : size * 0.74;
  const QRectF r(-s / 2, -s / 2, s, s);
  QRadialGradient g(r.topLeft() + QPointF(s * 0.3, s * 0.3), s);
  g.setColorAt(0, Qt::white);
  g.setColorAt(1, QColor(0xE2, 0xDD, 0xD0));
  p.setPen(QPen(QColor(0x60, 0x58, 0x48), 1.2));
  p.setBrush(g);
  p.drawRoundedRect(r, s * 0.2, s * 0.2);
  Pips(p, r.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1), value);
  return img;
}

void DiceSet(const Emit& sink) {
  for (int v = 1; v <= 6; ++v) sink(assets::pic::kDiceBase + v - 1, Die(48, v, 0));
  // Tumbling frames: a turned die with motion streaks.
  for (int f = 0; f < 10; ++f) {
    QImage img = Die(48, f % 6 + 1, 18.0 + f * 31.0);
    QPainter p(&img);
    Prepare(p);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.5, Qt::SolidLine, Qt::RoundCap));
    const qreal a = (f * 47) % 360 * M_PI / 180;
    for (int k = 0; k < 3; ++k) {
      const qreal rr = 20 + k * 2.0;
      p.drawArc(QRectF(24 - rr, 24 - rr, 2 * rr, 2 * rr), static_cast<int>(a * 2880 / M_PI),
                40 * 16);
    }
    sink(assets::pic::kDiceBase + 6 + f, img);
  }
  for (int v = 1; v <= 6; ++v) sink(assets::pic::kSmallDiceBase + v - 1, Die(24, v, 0));
}

// ---- portraits ----

QImage Portrait(int n) {
  const int w = 87, h = 88;
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  const bool female = n % 2 == 1;
  const std::array<QColor, 5> bg{QColor(0x8E, 0xC5, 0xE8), QColor(0xF5, 0xC6, 0x8E),
                                 QColor(0xB9, 0xE0, 0xA5), QColor(0xE8, 0xB4, 0xD4),
                                 QColor(0xD6, 0xD0, 0xF0)};
  const std::array<QColor, 4> skin{QColor(0xFF, 0xDB, 0xB8), QColor(0xF3, 0xC8, 0x9E),
                                   QColor(0xE0, 0xAC, 0x7E), QColor(0xFF, 0xE6, 0xCC)};
  const std::array<QColor, 5> hair{QColor(0x1E, 0x17, 0x12), QColor(0x4A, 0x2E, 0x1A),
                                   QColor(0x2B, 0x2B, 0x33), QColor(0x7A, 0x4A, 0x22),
                                   QColor(0x60, 0x60, 0x66)};
  const std::array<QColor, 6> shirt{QColor(0xC0, 0x39, 0x2B), QColor(0x29, 0x80, 0xB9),
                                    QColor(0x27, 0xAE, 0x60), QColor(0x8E, 0x44, 0xAD),
                                    QColor(0xD3, 0x54, 0x00), QColor(0x34, 0x49, 0x5E)};
  const auto pick = [n](const auto& arr, int mul) {
    return arr.at((n * mul + n / 3) % arr.size());
  };
  const QRectF all(0.5, 0.5, w - 1.0, h - 1.0);
  QLinearGradient g(0, 0, 0, h);
  const QColor b = pick(bg, 3);
  g.setColorAt(0, b.lighter(115));
  g.setColorAt(1, b.darker(115));
  p.setPen(QPen(QColor(0x3A, 0x2C, 0x12), 1.5));
  p.setBrush(g);
  p.drawRoundedRect(all, 10, 10);
  p.setClipRect(QRectF(1.5, 1.5, w - 3.0, h - 3.0));
  const QColor sk = pick(skin, 1), hr = pick(hair, 7), sh = pick(shirt, 5);
  // Shoulders.
  p.setPen(Qt::NoPen);
  p.setBrush(sh);
  p.drawEllipse(QRectF(10, 66, 67, 50));
  p.setBrush(sk);
  p.drawRect(QRectF(37, 58, 13, 12));
  // Long hair behind the head.
  p.setBrush(hr);
  if (female) p.drawRoundedRect(QRectF(19, 20, 49, 54), 18, 18);
  // Head.
  p.setBrush(sk);
  p.drawEllipse(QRectF(23, 16, 41, 47));
  // Hair on top.
  p.setBrush(hr);
  QPainterPath top;
  top.moveTo(22, 40);
  top.cubicTo(20, 8, 67, 8, 65, 40);
  if (n % 4 < 2) {
    top.cubicTo(58, 26, 40, 22, 30, 30);
  } else {
    top.cubicTo(60, 30, 52, 22, 44, 24);
    top.cubicTo(36, 26, 28, 30, 22, 40);
  }
  top.closeSubpath();
  p.drawPath(top);
  // Eyes, brows, mouth, cheeks.
  p.setBrush(QColor(0x22, 0x1A, 0x14));
  p.drawEllipse(QRectF(33, 39, 5, 6));
  p.drawEllipse(QRectF(49, 39, 5, 6));
  p.setPen(QPen(hr, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(31, 35 - n % 3 * 0.5), QPointF(38, 34));
  p.drawLine(QPointF(49, 34), QPointF(56, 35 - n % 3 * 0.5));
  p.setPen(QPen(QColor(0xB0, 0x40, 0x40), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(37, 44, 13, 9 + n % 3), 200 * 16, 140 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 120, 120, female ? 90 : 40));
  p.drawEllipse(QRectF(27, 47, 8, 5));
  p.drawEllipse(QRectF(52, 47, 8, 5));
  if (n % 5 == 3) {  // glasses
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(30, 37, 11, 10));
    p.drawEllipse(QRectF(46, 37, 11, 10));
    p.drawLine(QPointF(41, 41), QPointF(46, 41));
  }
  if (female) {  // a hair flower
    p.setPen(Qt::NoPen);
    p.setBrush(pick(shirt, 2).lighter(130));
    p.drawEllipse(QRectF(55, 20, 10, 10));
  }
  return img;
}

void Portraits(const Emit& sink) {
  for (int n = 0; n < 10; ++n) sink(assets::pic::kFaceBaseA + n, Portrait(n));
  for (int n = 0; n < 10; ++n) sink(assets::pic::kFaceBaseB + n, Portrait(n + 10));
}

// ---- compass ----

QImage Compass(int ownIndex) {
  const int s = 110;
  QImage img = Canvas(s, s);
  QPainter p(&img);
  Prepare(p);
  const QPointF c(s / 2.0, s / 2.0);
  QRadialGradient g(c - QPointF(12, 12), s * 0.7);
  g.setColorAt(0, QColor(0x3B, 0x2A, 0x16));
  g.setColorAt(1, QColor(0x16, 0x0F, 0x08));
  p.setPen(QPen(kGold, 3));
  p.setBrush(g);
  p.drawEllipse(c, s / 2.0 - 2.5, s / 2.0 - 2.5);
  p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E, 120), 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, s / 2.0 - 8, s / 2.0 - 8);
  // Needle towards the own seat.
  QPolygonF needle;
  needle << QPointF(c.x(), c.y() + 26) << QPointF(c.x() + 7, c.y()) << QPointF(c.x(), c.y() - 26)
         << QPointF(c.x() - 7, c.y());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xD0, 0x2A, 0x2A));
  p.drawPolygon(needle);
  p.setBrush(kGold);
  p.drawEllipse(c, 4, 4);
  // Winds by seat index: 北 西 南 东. The seat at position q has index (own - q) & 3.
  const std::array<const char*, 4> winds{"北", "西", "南", "东"};
  const std::array<QRectF, 4> at{QRectF(c.x() - 15, s - 36, 30, 30), QRectF(6, c.y() - 15, 30, 30),
                                 QRectF(c.x() - 15, 6, 30, 30), QRectF(s - 36, c.y() - 15, 30, 30)};
  for (int q = 0; q < 4; ++q) {
    const int seat = (ownIndex - q) & 3;
    const QColor col = q == 0 ? kGold : QColor(0xF5, 0xEC, 0xD8);
    FitText(p, at.at(static_cast<std::size_t>(q)).adjusted(3, 3, -3, -3),
            QString::fromUtf8(winds.at(static_cast<std::size_t>(seat))), col);
  }
  return img;
}

// ---- control bar ----

void ControlBar(const Emit& sink) {
  // ButtonGif pairs (normal, lit): send, history, start, continue, settings, minimise,
  // this hand, all hands, rules, exit.
  const std::array<const char*, 10> words{"发送",   "聊天", "开始", "继续", "设置",
                                          "最小化", "本局", "战绩", "规则", "退出"};
  const std::array<QColor, 10> colors{QColor(0x1F, 0x8A, 0x5A), QColor(0x2C, 0x6E, 0xA8),
                                      QColor(0xC8, 0x3A, 0x1E), QColor(0xC8, 0x3A, 0x1E),
                                      QColor(0x2C, 0x6E, 0xA8), QColor(0x2C, 0x6E, 0xA8),
                                      QColor(0x2C, 0x6E, 0xA8), QColor(0x2C, 0x6E, 0xA8),
                                      QColor(0x2C, 0x6E, 0xA8), QColor(0x8A, 0x2B, 0x2B)};
  for (int k = 0; k < 20; ++k) {
    const auto pair = static_cast<std::size_t>(k / 2);
    const ButtonLook look = k % 2 == 0 ? ButtonLook::Normal : ButtonLook::Lit;
    const QString text = QString::fromUtf8(words.at(pair));
    const int w = k < 2 ? 50 : 60;
    sink(assets::pic::kButtonBase + k, Button(w, 30, text, colors.at(pair), look, 0.62));
    if (k >= 2)
      sink(assets::pic::kSmallButtonBase + k - 2,
           Button(47, 23, text, colors.at(pair), look, 0.64));
  }
  // Send, history, start and continue switched off.
  for (int k = 0; k < 4; ++k) {
    const auto pair = static_cast<std::size_t>(k);
    const QString text = QString::fromUtf8(words.at(pair));
    sink(assets::pic::kBarDisabled + k,
         Button(k == 0 ? 50 : 60, 30, text, colors.at(pair), ButtonLook::Disabled, 0.62));
    if (k > 0)
      sink(assets::pic::kSmallBarDisabled + k - 1,
           Button(47, 23, text, colors.at(pair), ButtonLook::Disabled, 0.64));
  }
}

// ---- switches, badges, dialog buttons ----

QImage Switch(bool on, bool lit) {
  const int w = 60, h = 26;
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  const QColor track = on ? QColor(0x2E, 0xA0, 0x4E) : QColor(0x8A, 0x8F, 0x94);
  p.setPen(QPen(lit ? kGold : track.darker(150), lit ? 2.0 : 1.0));
  p.setBrush(lit ? track.lighter(115) : track);
  p.drawRoundedRect(QRectF(1, 1, w - 2.0, h - 2.0), h / 2.0 - 1, h / 2.0 - 1);
  const qreal knobX = on ? w - h / 2.0 : h / 2.0;
  p.setPen(QPen(QColor(0, 0, 0, 60), 1));
  p.setBrush(QColor(0xFA, 0xFA, 0xF5));
  p.drawEllipse(QPointF(knobX, h / 2.0), h / 2.0 - 3, h / 2.0 - 3);
  FitText(p, on ? QRectF(6, 5, 24, 16) : QRectF(w - 30.0, 5, 24, 16),
          on ? QStringLiteral("开") : QStringLiteral("关"), Qt::white);
  return img;
}

void Switches(const Emit& sink) {
  sink(assets::pic::kSwitchOff, Switch(false, false));
  sink(assets::pic::kSwitchOffLit, Switch(false, true));
  sink(assets::pic::kSwitchOn, Switch(true, false));
  sink(assets::pic::kSwitchOnLit, Switch(true, true));
  sink(assets::pic::kSwitchConfirm,
       Button(65, 30, QStringLiteral("确定"), QColor(0x1F, 0x8A, 0x5A), ButtonLook::Normal, 0.6));
  sink(assets::pic::kSwitchCancel,
       Button(65, 30, QStringLiteral("取消"), QColor(0x8A, 0x5A, 0x2B), ButtonLook::Normal, 0.6));
  const QColor voice(0x2C, 0x6E, 0xA8);
  sink(assets::pic::kVoiceMandarin,
       Button(60, 26, QStringLiteral("普通话"), voice, ButtonLook::Normal, 0.66));
  sink(assets::pic::kVoiceMandarinLit,
       Button(60, 26, QStringLiteral("普通话"), voice, ButtonLook::Lit, 0.66));
  sink(assets::pic::kVoiceDialect,
       Button(60, 26, QStringLiteral("方言"), voice, ButtonLook::Normal, 0.66));
  sink(assets::pic::kVoiceDialectLit,
       Button(60, 26, QStringLiteral("方言"), voice, ButtonLook::Lit, 0.66));
}

QImage Badge(int kind) {
  if (kind == 0) {  // the game's logo
    QImage img = Canvas(96, 40);
    QPainter p(&img);
    Prepare(p);
    QLinearGradient g(0, 0, 0, 40);
    g.setColorAt(0, QColor(0xB3, 0x1B, 0x1B));
    g.setColorAt(1, QColor(0x6E, 0x0E, 0x0E));
    p.setPen(QPen(kGold, 2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 1, 94, 38), 8, 8);
    FitText(p, QRectF(8, 7, 80, 26), QStringLiteral("Qintara"), kGold);
    return img;
  }
  QImage img = Canvas(22, 22);
  QPainter p(&img);
  Prepare(p);
  const QPointF c(11, 11);
  QPolygonF star;
  const int points = kind == 1 ? 5 : 6;
  for (int i = 0; i < points * 2; ++i) {
    const qreal r = i % 2 == 0 ? 10.0 : 4.5;
    const qreal a = -M_PI / 2 + i * M_PI / points;
    star << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
  }
  p.setPen(QPen(QColor(0x8A, 0x5A, 0x00), 1));
  p.setBrush(kind == 1 ? kGold : QColor(0xE0, 0x4A, 0x4A));
  p.drawPolygon(star);
  return img;
}

QImage CloseCross(bool lit) {
  QImage img = Canvas(24, 24);
  QPainter p(&img);
  Prepare(p);
  p.setPen(QPen(lit ? kGold : QColor(0x6A, 0x1A, 0x1A), 1.5));
  p.setBrush(lit ? QColor(0xE0, 0x3A, 0x3A) : QColor(0xB0, 0x2A, 0x2A));
  p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
  p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 8), QPointF(16, 16));
  p.drawLine(QPointF(16, 8), QPointF(8, 16));
  return img;
}

// A dialog's background: a gradient body, a title band and a double border.
QImage Panel(int w, int h, QColor top, QColor bottom, QColor border, QColor band) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  // Square outside: the window itself is a rectangle.
  p.drawRect(QRectF(0, 0, w, h));
  p.setBrush(band);
  p.drawRoundedRect(QRectF(6, 6, w - 12.0, 32), 6, 6);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(border, 2));
  p.drawRect(QRectF(1, 1, w - 2.0, h - 2.0));
  p.setPen(QPen(border.lighter(120), 1));
  p.drawRoundedRect(QRectF(5, 5, w - 10.0, h - 10.0), 7, 7);
  p.drawLine(QPointF(14, 42), QPointF(w - 14.0, 42));
  return img;
}

}  // namespace

void Widgets(const Emit& sink) {
  OperationButtons(sink);
  Bubbles(sink);
  DiceSet(sink);
  Portraits(sink);
  for (int k = 0; k < 4; ++k) sink(assets::pic::kCompassBase + k, Compass(k));
  ControlBar(sink);
  Switches(sink);
  for (int k = 0; k < 3; ++k) sink(assets::pic::kBadgeBase + k, Badge(k));
  const QColor leave(0xB0, 0x2A, 0x2A), stay(0x1F, 0x8A, 0x5A);
  sink(assets::pic::kExitLeave,
       Button(80, 30, QStringLiteral("离开"), leave, ButtonLook::Normal, 0.6));
  sink(assets::pic::kExitLeaveLit,
       Button(80, 30, QStringLiteral("离开"), leave, ButtonLook::Lit, 0.6));
  sink(assets::pic::kExitStay,
       Button(80, 30, QStringLiteral("取消"), stay, ButtonLook::Normal, 0.6));
  sink(assets::pic::kExitStayLit,
       Button(80, 30, QStringLiteral("取消"), stay, ButtonLook::Lit, 0.6));
  sink(assets::pic::kSheetClose, CloseCross(false));
  sink(assets::pic::kSheetCloseLit, CloseCross(true));
  sink(assets::pic::kRuleClose, CloseCross(false));
  sink(assets::pic::kRuleCloseLit, CloseCross(true));
  sink(assets::pic::kSettingsPanel,
       Panel(212, 310, QColor(0x1E, 0x4A, 0x3E), QColor(0x0F, 0x2C, 0x25), kGold,
             QColor(0x12, 0x36, 0x2D)));
  sink(assets::pic::kRulesPanel, Panel(600, 620, QColor(0xFB, 0xF5, 0xE2), QColor(0xEE, 0xE0, 0xBE),
                                       QColor(0x8A, 0x2B, 0x2B), QColor(0xE9, 0xD6, 0xA8)));
}

}  // namespace art
