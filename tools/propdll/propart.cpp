// qintara-propart --out DIR: draws the reference plug-in's pictures (a closed treasure chest and
// a prize) as DIR/<picture number>.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

#include "ref_plugin.h"

namespace {

QImage Chest() {
  QImage img(144, 120, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // Lid.
  QPainterPath lid;
  lid.moveTo(10, 52);
  lid.cubicTo(10, 8, 134, 8, 134, 52);
  lid.closeSubpath();
  QLinearGradient wood(0, 0, 0, 120);
  wood.setColorAt(0, QColor(0xA8, 0x5A, 0x1E));
  wood.setColorAt(1, QColor(0x5E, 0x2C, 0x0C));
  p.setPen(QPen(QColor(0x3A, 0x1A, 0x06), 3));
  p.setBrush(wood);
  p.drawPath(lid);
  // Body.
  p.drawRoundedRect(QRectF(10, 52, 124, 60), 6, 6);
  // Gold bands and lock.
  const QColor gold(0xF2, 0xC2, 0x3A);
  p.setPen(QPen(QColor(0x8A, 0x62, 0x10), 2));
  p.setBrush(gold);
  p.drawRect(QRectF(10, 48, 124, 9));
  p.drawRect(QRectF(28, 20, 10, 92));
  p.drawRect(QRectF(106, 20, 10, 92));
  p.drawRoundedRect(QRectF(60, 44, 24, 30), 4, 4);
  p.setBrush(QColor(0x3A, 0x1A, 0x06));
  p.drawEllipse(QPointF(72, 56), 3.5, 3.5);
  p.drawRect(QRectF(70.5, 57, 3, 9));
  return img;
}

QImage Prize() {
  QImage img(96, 96, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(48, 48, 46);
  glow.setColorAt(0, QColor(255, 240, 160, 200));
  glow.setColorAt(1, QColor(255, 200, 60, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(48, 48), 46, 46);
  // A gold ingot.
  QPainterPath ingot;
  ingot.moveTo(14, 50);
  ingot.cubicTo(20, 78, 76, 78, 82, 50);
  ingot.cubicTo(70, 58, 26, 58, 14, 50);
  QLinearGradient g(0, 30, 0, 80);
  g.setColorAt(0, QColor(0xFF, 0xE0, 0x70));
  g.setColorAt(1, QColor(0xC8, 0x8A, 0x10));
  p.setPen(QPen(QColor(0x8A, 0x5A, 0x08), 2));
  p.setBrush(g);
  p.drawPath(ingot);
  p.drawEllipse(QRectF(30, 30, 36, 26));
  p.setPen(QColor(0x8A, 0x2A, 0x08));
  QFont f(QStringLiteral("WenQuanYi Micro Hei"));
  f.setPixelSize(16);
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRectF(30, 30, 36, 26), Qt::AlignCenter, QStringLiteral("金"));
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  QString out;
  for (int i = 1; i + 1 < args.size(); ++i)
    if (args.at(i) == QLatin1String("--out")) out = args.at(i + 1);
  if (out.isEmpty() || !QDir().mkpath(out)) {
    std::fprintf(stderr, "usage: qintara-propart --out DIR\n");
    return 2;
  }
  const bool ok = Chest().save(out + "/" + QString::number(refprop::kChestPicture) + ".png") &&
                  Prize().save(out + "/" + QString::number(refprop::kPrizePicture) + ".png");
  return ok ? 0 : 1;
}
