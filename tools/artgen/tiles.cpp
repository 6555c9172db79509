// Tile faces and backs in the five picture sets.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>

#include "art.h"
#include "assets/picture_ids.h"

namespace art {

namespace {

struct Spot {
  double x, y;
  QColor color;
};

void RoundBox(QPainter& p, const QRectF& r, qreal radius, const QBrush& fill,
              const QPen& pen = Qt::NoPen) {
  p.setPen(pen);
  p.setBrush(fill);
  p.drawRoundedRect(r, radius, radius);
}

// ---- 筒 ----

void Coin(QPainter& p, QPointF c, qreal r, const QColor& color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawEllipse(c, r, r);
  p.setBrush(kIvory);
  p.drawEllipse(c, r * 0.72, r * 0.72);
  p.setBrush(color);
  p.drawEllipse(c, r * 0.52, r * 0.52);
  p.setBrush(kIvory);
  p.drawEllipse(c, r * 0.22, r * 0.22);
}

void BigCoin(QPainter& p, QPointF c, qreal r) {
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(c, r, r);
  p.setBrush(kIvory);
  p.drawEllipse(c, r * 0.84, r * 0.84);
  // A ring of petals.
  p.setBrush(kBlue);
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    p.drawEllipse(QPointF(c.x() + std::cos(a) * r * 0.6, c.y() + std::sin(a) * r * 0.6), r * 0.16,
                  r * 0.16);
  }
  p.setBrush(kRed);
  p.drawEllipse(c, r * 0.34, r * 0.34);
  p.setBrush(kIvory);
  p.drawEllipse(c, r * 0.14, r * 0.14);
}

void Dots(QPainter& p, const QRectF& r, int rank) {
  const QColor B = kBlue, G = kGreen, R = kRed;
  std::vector<Spot> s;
  double rx = 0.2, ry = 0.2;
  switch (rank) {
    case 1:
      BigCoin(p, r.center(), std::min(r.width(), r.height()) * 0.44);
      return;
    case 2:
      s = {{0.5, 0.27, G}, {0.5, 0.73, B}};
      rx = 0.3, ry = 0.2;
      break;
    case 3:
      s = {{0.22, 0.19, B}, {0.5, 0.5, R}, {0.78, 0.81, G}};
      rx = 0.19, ry = 0.16;
      break;
    case 4:
      s = {{0.28, 0.27, B}, {0.72, 0.27, G}, {0.28, 0.73, G}, {0.72, 0.73, B}};
      rx = 0.21, ry = 0.2;
      break;
    case 5:
      s = {{0.24, 0.21, B}, {0.76, 0.21, G}, {0.5, 0.5, R}, {0.24, 0.79, G}, {0.76, 0.79, B}};
      rx = 0.19, ry = 0.16;
      break;
    case 6:
      s = {{0.3, 0.18, G}, {0.7, 0.18, G}, {0.3, 0.55, R},
           {0.7, 0.55, R}, {0.3, 0.84, R}, {0.7, 0.84, R}};
      rx = 0.19, ry = 0.14;
      break;
    case 7:
      s = {{0.2, 0.12, G}, {0.5, 0.24, G}, {0.8, 0.36, G}, {0.3, 0.62, R},
           {0.7, 0.62, R}, {0.3, 0.87, R}, {0.7, 0.87, R}};
      rx = 0.16, ry = 0.11;
      break;
    case 8:
      for (int i = 0; i < 4; ++i) {
        s.push_back({0.29, 0.13 + 0.245 * i, B});
        s.push_back({0.71, 0.13 + 0.245 * i, B});
      }
      rx = 0.2, ry = 0.115;
      break;
    default: {
      const std::array<QColor, 3> rows{B, R, G};
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) s.push_back({0.19 + 0.31 * j, 0.17 + 0.33 * i, rows.at(i)});
      rx = 0.15, ry = 0.15;
    }
  }
  const qreal rad = std::min(rx * r.width(), ry * r.height());
  for (const Spot& d : s)
    Coin(p, QPointF(r.left() + d.x * r.width(), r.top() + d.y * r.height()), rad, d.color);
}

// ---- 条 ----

void Stick(QPainter& p, QPointF c, qreal w, qreal h, const QColor& color, qreal angle = 0) {
  p.save();
  p.translate(c);
  p.rotate(angle);
  const QRectF body(-w / 2, -h / 2, w, h);
  QLinearGradient g(body.left(), 0, body.right(), 0);
  g.setColorAt(0, color.darker(135));
  g.setColorAt(0.45, color.lighter(125));
  g.setColorAt(1, color.darker(140));
  p.setPen(QPen(color.darker(190), std::max(0.6, w * 0.08)));
  p.setBrush(g);
  p.drawRoundedRect(body, w * 0.45, w * 0.45);
  // Joints of the cane.
  p.setPen(QPen(color.darker(200), std::max(0.6, w * 0.14)));
  p.drawLine(QPointF(-w * 0.42, 0), QPointF(w * 0.42, 0));
  p.setPen(QPen(kIvory, std::max(0.5, w * 0.1)));
  p.drawLine(QPointF(0, -h * 0.36), QPointF(0, -h * 0.12));
  p.drawLine(QPointF(0, h * 0.12), QPointF(0, h * 0.36));
  p.restore();
}

void Bird(QPainter& p, const QRectF& r) {
  const qreal u = std::min(r.width(), r.height() * 0.8);
  const QPointF c = r.center();
  p.save();
  p.translate(c);
  p.scale(u / 100.0, u / 100.0);
  p.setPen(Qt::NoPen);
  // Tail feathers.
  const std::array<QColor, 3> tail{kBlue, kGreen, kRed};
  for (int i = 0; i < 3; ++i) {
    p.save();
    p.translate(-8, 22);
    p.rotate(150 + i * 22);
    p.setBrush(tail.at(static_cast<std::size_t>(i)));
    p.drawEllipse(QRectF(0, -7, 52, 14));
    p.restore();
  }
  // Body and wing.
  p.setBrush(kGreen);
  p.drawEllipse(QRectF(-22, -18, 48, 46));
  p.setBrush(kBlue);
  p.drawEllipse(QRectF(-12, -4, 30, 22));
  // Head, crest, beak, eye.
  p.setBrush(kGreen.darker(110));
  p.drawEllipse(QRectF(8, -42, 28, 28));
  p.setBrush(kRed);
  p.drawEllipse(QRectF(14, -54, 10, 16));
  p.drawEllipse(QRectF(22, -52, 9, 14));
  p.setBrush(kGold.darker(115));
  QPainterPath beak;
  beak.moveTo(34, -30);
  beak.lineTo(48, -26);
  beak.lineTo(34, -22);
  p.drawPath(beak);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(23, -35, 9, 9));
  p.setBrush(Qt::black);
  p.drawEllipse(QRectF(26, -32, 5, 5));
  // Legs.
  p.setPen(QPen(kRed.darker(120), 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(-2, 27), QPointF(-6, 44));
  p.drawLine(QPointF(10, 27), QPointF(12, 44));
  p.restore();
}

void Bamboo(QPainter& p, const QRectF& r, int rank) {
  if (rank == 1) {
    Bird(p, r);
    return;
  }
  struct S {
    double x, y;
    QColor color;
    double angle = 0;
  };
  const QColor G = kGreen, R = kRed, B = kBlue;
  std::vector<S> s;
  int rows = 2;
  switch (rank) {
    case 2:
      s = {{0.5, 0.26, B}, {0.5, 0.74, G}};
      break;
    case 3:
      s = {{0.5, 0.26, B}, {0.28, 0.74, G}, {0.72, 0.74, G}};
      break;
    case 4:
      s = {{0.28, 0.26, B}, {0.72, 0.26, G}, {0.28, 0.74, G}, {0.72, 0.74, B}};
      break;
    case 5:
      s = {{0.2, 0.26, G}, {0.8, 0.26, B}, {0.5, 0.5, R}, {0.2, 0.74, B}, {0.8, 0.74, G}};
      break;
    case 6:
      s = {{0.2, 0.26, G}, {0.5, 0.26, G}, {0.8, 0.26, G},
           {0.2, 0.74, B}, {0.5, 0.74, B}, {0.8, 0.74, B}};
      break;
    case 7:
      rows = 3;
      s = {{0.5, 0.17, R}, {0.2, 0.5, G},  {0.5, 0.5, B}, {0.8, 0.5, G},
           {0.2, 0.83, G}, {0.5, 0.83, B}, {0.8, 0.83, G}};
      break;
    case 8:
      s = {{0.14, 0.26, G}, {0.4, 0.26, G, -24}, {0.6, 0.26, G, 24},  {0.86, 0.26, G},
           {0.14, 0.74, B}, {0.4, 0.74, B, 24},  {0.6, 0.74, B, -24}, {0.86, 0.74, B}};
      break;
    default:
      rows = 3;
      for (int i = 0; i < 3; ++i) {
        s.push_back({0.2, 0.17 + 0.33 * i, G});
        s.push_back({0.5, 0.17 + 0.33 * i, R});
        s.push_back({0.8, 0.17 + 0.33 * i, B});
      }
  }
  const qreal h = r.height() * (rows == 2 ? 0.42 : 0.29);
  const qreal w = std::min(r.width() * (rank == 8 ? 0.14 : 0.16), h * 0.42);
  for (const S& d : s)
    Stick(p, QPointF(r.left() + d.x * r.width(), r.top() + d.y * r.height()), w, h, d.color,
          d.angle);
}

// ---- 万 and honours ----

const std::array<const char*, 9> kNumerals{"一", "二", "三", "四", "五", "六", "七", "八", "九"};

void Characters(QPainter& p, const QRectF& r, int rank) {
  const QRectF top(r.left(), r.top(), r.width(), r.height() * 0.44);
  const QRectF bottom(r.left(), r.top() + r.height() * 0.47, r.width(), r.height() * 0.53);
  FitText(p, top.adjusted(r.width() * 0.08, 0, -r.width() * 0.08, 0),
          QString::fromUtf8(kNumerals.at(static_cast<std::size_t>(rank - 1))), kInk,
          QStringLiteral("四"));
  FitText(p, bottom, QStringLiteral("萬"), kRed);
}

void Honour(QPainter& p, const QRectF& r, int rank) {
  static constexpr std::array<const char*, 6> kText{"東", "南", "西", "北", "中", "發"};
  if (rank == 7) {
    // 白板: a blue double frame on the bare face.
    const qreal m = std::min(r.width(), r.height());
    const QRectF f =
        r.adjusted(r.width() * 0.1, r.height() * 0.1, -r.width() * 0.1, -r.height() * 0.1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlue, std::max(1.0, m * 0.07)));
    p.drawRoundedRect(f, m * 0.06, m * 0.06);
    p.setPen(QPen(kBlue, std::max(0.6, m * 0.025)));
    const qreal in = m * 0.09;
    p.drawRect(f.adjusted(in, in, -in, -in));
    return;
  }
  const QColor color = rank == 5 ? kRed : rank == 6 ? kGreen : kInk;
  const QRectF box =
      r.adjusted(r.width() * 0.02, r.height() * 0.08, -r.width() * 0.02, -r.height() * 0.08);
  FitText(p, box, QString::fromUtf8(kText.at(static_cast<std::size_t>(rank - 1))), color);
}

// ---- tile bodies ----

// Draws content upright into the face rect, turned by angle degrees.
void FaceContent(QPainter& p, const QRectF& face, int angle, int suitIndex, int rank) {
  p.save();
  p.translate(face.center());
  p.rotate(angle);
  const bool sideways = angle == 90 || angle == -90;
  const qreal w = sideways ? face.height() : face.width();
  const qreal h = sideways ? face.width() : face.height();
  const QRectF r(-w / 2, -h / 2, w, h);
  TileContent(p, r.adjusted(w * 0.09, h * 0.07, -w * 0.09, -h * 0.07), suitIndex, rank);
  p.restore();
}

QLinearGradient FaceGradient(const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, QColor(0xFF, 0xFD, 0xF4));
  g.setColorAt(1, QColor(0xF0, 0xE8, 0xD0));
  return g;
}

QLinearGradient BackGradient(const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, kBackLight);
  g.setColorAt(0.55, kBack);
  g.setColorAt(1, kBackDark);
  return g;
}

const QPen kOutline(QColor(0x2A, 0x24, 0x18, 150), 1.0);

// A tile lying face up, seen from the player's side: the face, then its edge below.
QImage LyingFace(int w, int h, int angle, int suitIndex, int rank) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  const qreal t = std::max(5.0, std::round(h * 0.18));
  const QRectF all(0.5, 0.5, w - 1.0, h - 1.0);
  const qreal rad = std::min(w, h) * 0.13;
  RoundBox(p, all, rad, BackGradient(all), kOutline);
  RoundBox(p, QRectF(0.5, 0.5, w - 1.0, h - 1.0 - t * 0.45), rad, kIvoryShade);
  const QRectF face(0.5, 0.5, w - 1.0, h - 1.0 - t);
  RoundBox(p, face, rad, FaceGradient(face), QPen(kIvoryEdge, 0.8));
  FaceContent(p, face, angle, suitIndex, rank);
  return img;
}

// The own tile standing upright, face towards the player, its top edge showing.
QImage StandingFace(int w, int h, int suitIndex, int rank) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  const QRectF all(0.5, 0.5, w - 1.0, h - 1.0);
  const qreal rad = w * 0.13;
  RoundBox(p, all, rad, BackGradient(all), kOutline);
  RoundBox(p, QRectF(0.5, 4.5, w - 1.0, h - 5.0), rad, kIvoryShade);
  const QRectF face(0.5, 9.5, w - 1.0, h - 12.0);
  RoundBox(p, face, rad, FaceGradient(face), QPen(kIvoryEdge, 0.8));
  FaceContent(p, face, 0, suitIndex, rank);
  return img;
}

// A standing tile seen from behind: its jade back with the ivory layer along the top.
QImage StandingBack(int w, int h) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  const QRectF all(0.5, 0.5, w - 1.0, h - 1.0);
  const qreal rad = w * 0.13;
  const qreal cap = std::max(3.0, h * 0.08);
  RoundBox(p, all, rad, kIvoryShade, kOutline);
  const QRectF back(0.5, cap, w - 1.0, h - cap - 0.5);
  RoundBox(p, back, rad, BackGradient(back), kOutline);
  p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
  p.setBrush(Qt::NoBrush);
  const qreal in = w * 0.16;
  p.drawRoundedRect(back.adjusted(in, in, -in, -in), rad * 0.6, rad * 0.6);
  return img;
}

// A side player's standing tile seen edge-on: the ivory layer on the side facing the middle.
QImage SideStanding(int w, int h, bool faceRight) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  const QRectF all(0.5, 0.5, w - 1.0, h - 1.0);
  const qreal rad = w * 0.2;
  RoundBox(p, all, rad, kIvoryShade, kOutline);
  const qreal split = w * 0.55;
  const QRectF back =
      faceRight ? QRectF(0.5, 0.5, split, h - 1.0) : QRectF(w - 0.5 - split, 0.5, split, h - 1.0);
  RoundBox(p, back, rad, BackGradient(back));
  // The top of the tile catches the light.
  const qreal cap = w * 0.5;
  QLinearGradient g(0, 0, 0, cap);
  g.setColorAt(0, QColor(255, 255, 255, 110));
  g.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1.0, cap), rad, rad);
  p.setPen(QPen(QColor(0, 0, 0, 60), 1.0));
  p.drawLine(QPointF(1.5, cap), QPointF(w - 1.5, cap));
  p.setPen(kOutline);
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(all, rad, rad);
  return img;
}

// A tile lying face down: its back on top, the ivory layer below it at the edge.
QImage LyingBack(int w, int h) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  const qreal t = std::max(5.0, std::round(h * 0.18));
  const QRectF all(0.5, 0.5, w - 1.0, h - 1.0);
  const qreal rad = std::min(w, h) * 0.13;
  RoundBox(p, all, rad, kIvoryShade, kOutline);
  RoundBox(p, QRectF(0.5, 0.5, w - 1.0, h - 1.0 - t * 0.5), rad, kBackDark);
  const QRectF top(0.5, 0.5, w - 1.0, h - 1.0 - t);
  RoundBox(p, top, rad, BackGradient(top), QPen(kBackDark, 0.8));
  p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
  p.setBrush(Qt::NoBrush);
  const qreal in = std::min(w, h) * 0.15;
  p.drawRoundedRect(top.adjusted(in, in, -in, -in), rad * 0.5, rad * 0.5);
  return img;
}

struct SetShape {
  int faceW, faceH, angle;
  int standW, standH;  // entry 7
  int lieW, lieH;      // entry 8
};
constexpr std::array<SetShape, 5> kSets{{
    {50, 58, 0, 50, 77, 38, 55},
    {59, 46, 90, 33, 66, 50, 44},
    {34, 37, 180, 34, 49, 33, 36},
    {59, 46, -90, 34, 66, 50, 44},
    {50, 77, 0, 50, 77, 38, 55},
}};

}  // namespace

void TileContent(QPainter& p, const QRectF& r, int suitIndex, int rank) {
  switch (suitIndex) {
    case 0:
      Honour(p, r, rank);
      break;
    case 1:
      Bamboo(p, r, rank);
      break;
    case 2:
      Characters(p, r, rank);
      break;
    default:
      Dots(p, r, rank);
  }
}

void Tiles(const Emit& sink) {
  for (int s = 0; s < 5; ++s) {
    const SetShape& shape = kSets.at(static_cast<std::size_t>(s));
    for (int e = 0; e < 36; ++e) {
      const int id = assets::pic::kTileBase + 36 * s + e;
      if (e == 7) {
        if (s == 1 || s == 3) {
          sink(id, SideStanding(shape.standW, shape.standH, s == 1));
        } else {
          sink(id, StandingBack(shape.standW, shape.standH));
        }
      } else if (e == 8) {
        sink(id, LyingBack(shape.lieW, shape.lieH));
      } else if (s == 4) {
        sink(id, StandingFace(shape.faceW, shape.faceH, e / 9, e % 9 + 1));
      } else {
        sink(id, LyingFace(shape.faceW, shape.faceH, shape.angle, e / 9, e % 9 + 1));
      }
    }
  }
}

}  // namespace art
