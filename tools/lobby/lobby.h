#pragma once
// The lobby stand-in: plays the platform lobby's window on the local lobby channel, starts a
// game server on loopback and launches the client at its table.
#include <QProcess>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "host/lobby_channel.h"

namespace lobby {

struct Options {
  QString title = QStringLiteral("VorelLodge");
  QString client;      // the client program
  QString devserver;   // the development server program; empty: none
  int serverPort = 0;  // 0: start a server (the devserver, else a login-only greeter)
  QString account = QStringLiteral("player1");
  QString key = QStringLiteral("key-0001");
  QString location = QStringLiteral("一号桌");
  QString caption = QStringLiteral("Qintara");  // the client's title when the lobby has its own
  int prop = 1;
  bool headless = false;
};

// The client's window title: the lobby's default title leaves the client's caption alone.
QString ClientTitle(const Options& o);
// The fifteen fields, each ended by "$", as one argument.
QString ClientCommandLine(const Options& o, int serverPort);
// What a message number means, in the lobby's words.
QString Meaning(std::uint32_t msg, std::int32_t wParam, bool fromClient);

class Lobby final : public platform::LobbyEvents {
 public:
  // Called for every line worth showing or logging ("lobby-in 22 0 0", "launched 123" ...).
  using Sink = std::function<void(const QString& line)>;
  // Called when a client message arrives (after the line), and for restore and minimise.
  using MessageFn = std::function<void(std::uint32_t msg, std::int32_t wParam)>;

  Lobby(Options options, Sink sink);
  ~Lobby() override;
  Lobby(const Lobby&) = delete;
  Lobby& operator=(const Lobby&) = delete;

  // Listens on the lobby's title; false when another lobby has it or the folder is refused.
  bool Open();
  // Starts the table's game server (or takes the given port); the port, or empty on failure.
  std::optional<int> StartServer();
  // Launches the client at the table. False when one is running already.
  bool LaunchClient();
  bool ClientRunning() const;
  // To the client's window.
  bool Post(std::uint32_t msg, std::int32_t wParam = 0, std::int32_t lParam = 0);
  std::optional<std::int32_t> Send(std::uint32_t msg, std::int32_t wParam = 0,
                                   std::int32_t lParam = 0);
  // Runs one command line: post N [W L] | send N [W L] | launch | sleep MS | quit.
  // sleep returns its milliseconds, for the caller to delay what follows.
  int RunCommand(const QString& line, const std::function<void()>& quit);

  void OnMessage(MessageFn fn) { onMessage_ = std::move(fn); }
  void OnClientChanged(std::function<void()> fn) { onClientChanged_ = std::move(fn); }
  const Options& options() const { return options_; }
  std::optional<int> ServerPort() const { return serverPort_; }
  QString ServerKind() const { return serverKind_; }
  qint64 ClientPid() const;

  std::int32_t OnWindowMessage(std::uint32_t msg, std::int32_t wParam,
                               std::int32_t lParam) override;

 private:
  void StartGreeter();

  Options options_;
  Sink sink_;
  host::LobbyChannel channel_;
  MessageFn onMessage_;
  std::function<void()> onClientChanged_;
  std::unique_ptr<QProcess> client_;
  std::unique_ptr<QProcess> server_;
  std::unique_ptr<QTcpServer> greeter_;
  std::optional<int> serverPort_;
  QString serverKind_;
};

}  // namespace lobby
