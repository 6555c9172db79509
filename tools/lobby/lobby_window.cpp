#include "lobby_window.h"

#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <memory>
#include <utility>

namespace lobby {

namespace {

struct LobbyButton {
  std::uint32_t msg;
  const char* text;
};

// The lobby's own messages to the client.
constexpr LobbyButton kButtons[] = {
    {22, "22 连接登录"},
    {771, "771 询问离开"},
    {1024, "1024 离开牌桌"},
    {1125, "1125 是否在局中"},
};

const QColor kFromClient(0x1f, 0x5f, 0x9f);
const QColor kToClient(0x2e, 0x7d, 0x32);
const QColor kNote(0x75, 0x75, 0x75);

// A widget, layout or item handed to its Qt parent, which owns and deletes it.
template <typename T, typename... Args>
T* Child(Args&&... args) {
  return std::make_unique<T>(std::forward<Args>(args)...).release();
}

}  // namespace

LobbyWindow::LobbyWindow(Lobby& lobby)
    : lobby_(lobby),
      tables_(Child<QTreeWidget>(this)),
      sit_(Child<QPushButton>(QStringLiteral("入座"), this)),
      status_(Child<QLabel>(this)),
      messages_(Child<QListWidget>(this)) {
  setWindowTitle(lobby.options().title);
  resize(760, 560);

  auto* banner = Child<QLabel>(this);
  banner->setText(QStringLiteral("<span style='font-size:20pt; font-weight:600'>%1</span>"
                                 "&nbsp;&nbsp;<span style='color:#e0e0e0'>游戏大厅 · "
                                 "Qintara 麻将（本地演示）</span>")
                      .arg(lobby.options().title.toHtmlEscaped()));
  banner->setStyleSheet(
      QStringLiteral("QLabel { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #7a1f1f, "
                     "stop:1 #b5462b); color: white; padding: 14px 18px; }"));

  tables_->setColumnCount(4);
  tables_->setHeaderLabels({QStringLiteral("牌桌"), QStringLiteral("服务器"),
                            QStringLiteral("玩家"), QStringLiteral("状态")});
  tables_->setRootIsDecorated(false);
  tables_->setAlternatingRowColors(true);
  tables_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tables_->header()->setStretchLastSection(true);
  tables_->setFixedHeight(84);
  Child<QTreeWidgetItem>(tables_);  // the one table
  tables_->setCurrentItem(tables_->topLevelItem(0));
  QObject::connect(tables_, &QTreeWidget::itemDoubleClicked, this, [this] { Sit(); });
  QObject::connect(tables_, &QTreeWidget::itemClicked, this, [this] { Sit(); });
  QObject::connect(sit_, &QPushButton::clicked, this, [this] { Sit(); });
  sit_->setMinimumWidth(96);

  auto* tableBox = Child<QGroupBox>(QStringLiteral("牌桌（单击或双击入座）"), this);
  auto* tableRow = Child<QHBoxLayout>(tableBox);
  tableRow->addWidget(tables_, 1);
  tableRow->addWidget(sit_, 0, Qt::AlignTop);

  auto* sendBox = Child<QGroupBox>(QStringLiteral("发送给客户端"), this);
  auto* sendRow = Child<QHBoxLayout>(sendBox);
  for (const auto& b : kButtons) {
    auto* button = Child<QPushButton>(QString::fromUtf8(b.text), sendBox);
    button->setToolTip(Meaning(b.msg, 0, false));
    const std::uint32_t msg = b.msg;
    // The message list shows the post from the lobby's own line.
    QObject::connect(button, &QPushButton::clicked, this, [this, msg] { lobby_.Post(msg); });
    sendRow->addWidget(button);
    sendButtons_.push_back(button);
  }

  auto* logBox = Child<QGroupBox>(QStringLiteral("消息"), this);
  auto* logCol = Child<QVBoxLayout>(logBox);
  logCol->addWidget(messages_);
  messages_->setAlternatingRowColors(true);

  auto* layout = Child<QVBoxLayout>(this);
  layout->setContentsMargins(0, 0, 0, 8);
  layout->addWidget(banner);
  auto* body = Child<QVBoxLayout>();
  body->setContentsMargins(12, 4, 12, 0);
  body->addWidget(tableBox);
  body->addWidget(sendBox);
  body->addWidget(logBox, 1);
  body->addWidget(status_);
  layout->addLayout(body, 1);

  lobby_.OnMessage([this](std::uint32_t msg, std::int32_t wParam) {
    AddEntry(QStringLiteral("客户端 → 大厅"),
             msg == platform::kWmSysCommand
                 ? QStringLiteral("274/0x%1  %2").arg(wParam, 0, 16).arg(Meaning(msg, wParam, true))
                 : QStringLiteral("%1  %2").arg(msg).arg(Meaning(msg, wParam, true)),
             kFromClient);
    if (msg == platform::kWmSysCommand && wParam == platform::kScRestore) {
      showNormal();
      raise();
      activateWindow();
    } else if (msg == platform::kWmSysCommand && wParam == platform::kScMinimize) {
      showMinimized();
    }
  });
  lobby_.OnClientChanged([this] { Refresh(); });
  Refresh();
}

void LobbyWindow::Sit() {
  if (lobby_.ClientRunning()) return;
  lobby_.LaunchClient();
  Refresh();
}

void LobbyWindow::AddEntry(const QString& direction, const QString& text, const QColor& color) {
  auto* item = Child<QListWidgetItem>(
      QStringLiteral("%1   %2   %3")
          .arg(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss")), direction, text),
      messages_);
  item->setForeground(color);
  messages_->scrollToBottom();
}

void LobbyWindow::AddLine(const QString& line) {
  const QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (w.isEmpty()) return;
  if (w.front() == QStringLiteral("lobby-in") || w.front() == QStringLiteral("listening")) {
    return;  // received messages are shown in words by the message handler
  }
  if (w.front() == QStringLiteral("lobby-out") && w.size() >= 3) {
    const auto msg = w.at(1).toUInt();
    if (w.at(2) == QStringLiteral("not")) {
      AddEntry(QStringLiteral("大厅 → 客户端"), QStringLiteral("%1  客户端窗口不存在").arg(msg),
               kNote);
    } else {
      AddEntry(QStringLiteral("大厅 → 客户端"),
               QStringLiteral("%1  %2").arg(msg).arg(Meaning(msg, w.at(2).toInt(), false)),
               kToClient);
    }
    return;
  }
  if (w.front() == QStringLiteral("answer") && w.size() >= 3) {
    AddEntry(QStringLiteral("客户端答复"), QStringLiteral("%1 → %2").arg(w.at(1), w.at(2)),
             kFromClient);
    return;
  }
  AddEntry(QStringLiteral("说明"), line, kNote);
}

void LobbyWindow::Refresh() {
  QTreeWidgetItem* row = tables_->topLevelItem(0);
  const auto port = lobby_.ServerPort();
  const bool running = lobby_.ClientRunning();
  row->setText(0, lobby_.options().location);
  row->setText(1, port ? QStringLiteral("127.0.0.1:%1（%2）").arg(*port).arg(lobby_.ServerKind())
                       : QStringLiteral("无服务器"));
  row->setText(2, running ? lobby_.options().account : QStringLiteral("—"));
  row->setText(3, running ? QStringLiteral("已入座") : QStringLiteral("空位"));
  sit_->setEnabled(!running && port.has_value());
  for (auto* b : sendButtons_) b->setEnabled(running);
  status_->setText(running ? QStringLiteral("客户端运行中（进程 %1）").arg(lobby_.ClientPid())
                           : QStringLiteral("客户端未启动：选择牌桌入座"));
}

}  // namespace lobby
