// The small dialogs over the table (exit, leave, reconnect) and the connection indicator's dots.
#include <QLinearGradient>
#include <QRadialGradient>

#include "art.h"
#include "assets/picture_ids.h"
#include "buttons.h"

namespace art {

namespace {

// A dark lacquer panel with a gold rim and a title band.
QImage Panel(int w, int h, const QString& title) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0x5A, 0x16, 0x16));
  g.setColorAt(1, QColor(0x2E, 0x0A, 0x0A));
  // Square outer corners: the window itself is a rectangle.
  p.setPen(QPen(kGold, 2));
  p.setBrush(g);
  p.drawRect(QRectF(1, 1, w - 2.0, h - 2.0));
  p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E, 90), 1));
  p.drawRoundedRect(QRectF(5, 5, w - 10.0, h - 10.0), 7, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawRect(QRectF(6, 6, w - 12.0, 20));
  FitText(p, QRectF(10, 7, w - 20.0, 18), title, kGold, QStringLiteral("退出游戏提示"));
  return img;
}

// A note on a soft plate: one line of advice under the question.
QImage Note(int w, int h, const QString& text, const QColor& ink) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  Prepare(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(QRectF(0, 0, w, h), 6, 6);
  p.setFont(Font(13, false));
  p.setPen(ink);
  p.drawText(QRectF(6, 2, w - 12.0, h - 4.0), Qt::AlignCenter | Qt::TextWordWrap, text);
  return img;
}

QImage Dot(const QColor& color) {
  QImage img = Canvas(10, 10);
  QPainter p(&img);
  Prepare(p);
  QRadialGradient g(QPointF(3.5, 3.5), 6);
  g.setColorAt(0, color.lighter(160));
  g.setColorAt(1, color);
  p.setPen(QPen(color.darker(170), 1));
  p.setBrush(g);
  p.drawEllipse(QRectF(0.5, 0.5, 9, 9));
  return img;
}

}  // namespace

void Dialogs(const Emit& sink) {
  const QColor ok(0x1F, 0x8A, 0x5A), stay(0x8A, 0x5A, 0x2B), leave(0xB0, 0x2A, 0x2A);
  sink(assets::pic::kExitPanel, Panel(300, 170, QStringLiteral("退出游戏")));
  sink(assets::pic::kExitNoteIdle,
       Note(240, 40, QStringLiteral("离开后可在游戏大厅重新入座"), QColor(0xE8, 0xF0, 0xE8)));
  sink(assets::pic::kExitNoteInHand,
       Note(240, 40, QStringLiteral("牌局正在进行，现在离开可能受到损失！"),
            QColor(0xFF, 0xC8, 0x6A)));
  sink(assets::pic::kLeavePanel, Panel(320, 170, QStringLiteral("提示")));
  sink(assets::pic::kLeaveOk, Button(70, 30, QStringLiteral("确定"), ok, ButtonLook::Normal, 0.6));
  sink(assets::pic::kLeaveStay,
       Button(70, 30, QStringLiteral("取消"), stay, ButtonLook::Normal, 0.6));
  sink(assets::pic::kReconnectPanel, Panel(260, 130, QStringLiteral("网络连接中断")));
  sink(assets::pic::kReconnectNow,
       Button(80, 30, QStringLiteral("立即重连"), ok, ButtonLook::Normal, 0.7));
  sink(assets::pic::kReconnectCancel,
       Button(80, 30, QStringLiteral("取消"), leave, ButtonLook::Normal, 0.6));
  sink(assets::pic::kLinkUp, Dot(QColor(0x2E, 0xB8, 0x4E)));
  sink(assets::pic::kLinkRetry, Dot(QColor(0xF0, 0xA8, 0x20)));
  sink(assets::pic::kLinkDown, Dot(QColor(0xD0, 0x30, 0x30)));
}

}  // namespace art
