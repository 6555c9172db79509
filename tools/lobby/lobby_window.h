#pragma once
// The lobby stand-in's window: one table to sit at, the client's messages, and buttons for the
// lobby's own messages.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>

#include "lobby.h"

namespace lobby {

class LobbyWindow final : public QWidget {
 public:
  explicit LobbyWindow(Lobby& lobby);
  // A line of the lobby's log: shown unless the message list shows it already.
  void AddLine(const QString& line);
  // Table and client state changed.
  void Refresh();

 private:
  void AddEntry(const QString& direction, const QString& text, const QColor& color);
  void Sit();

  Lobby& lobby_;
  QTreeWidget* tables_;
  QPushButton* sit_;
  QLabel* status_;
  QListWidget* messages_;
  std::vector<QPushButton*> sendButtons_;
};

}  // namespace lobby
