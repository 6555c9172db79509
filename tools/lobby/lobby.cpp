#include "lobby.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <QFileInfo>
#include <QHostAddress>
#include <QTcpSocket>
#include <algorithm>
#include <csignal>

#include "platform/lobby.h"
#include "wire/frame.h"

namespace lobby {

namespace {

constexpr int kLoginCmd = 18;

std::optional<std::int64_t> Number(const QString& s) {
  bool ok = false;
  const qlonglong v = s.toLongLong(&ok, 0);  // decimal, or 0x... hexadecimal
  if (!ok) return std::nullopt;
  return v;
}

// What the lobby starts gets the signals the lobby blocks for itself back. With endsWithLobby
// it also ends when the lobby dies, however the lobby ends.
void PrepareChild(QProcess& p, bool endsWithLobby) {
  p.setChildProcessModifier([endsWithLobby] {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (endsWithLobby) prctl(PR_SET_PDEATHSIG, SIGTERM);
  });
}

}  // namespace

QString ClientTitle(const Options& o) {
  return o.title == QStringLiteral("VorelLodge") ? QStringLiteral("Qintara") : o.caption;
}

QString ClientCommandLine(const Options& o, int serverPort) {
  const bool ownTitle = o.title != QStringLiteral("VorelLodge");
  const QStringList fields{
      o.account,                                             // 1 account
      o.key,                                                 // 2 login key
      QStringLiteral("127.0.0.1"),                           // 3 server host
      QString::number(serverPort),                           // 4 server port
      o.location,                                            // 5 location
      QStringLiteral("0"),                                   // 6 direct, no proxy
      QString(),                                             // 7 proxy host
      QStringLiteral("0"),                                   // 8 proxy port
      QString(),                                             // 9 proxy user
      QString(),                                             // 10 proxy password
      ownTitle ? QStringLiteral("1") : QStringLiteral("0"),  // 11 custom caption
      ownTitle ? o.title : QString(),                        // 12 lobby title
      ownTitle ? o.caption : QString(),                      // 13 client caption
      QString::number(o.prop),                               // 14 props allowed
      QStringLiteral("0"),                                   // 15 prop parameter
  };
  QString line;
  for (const auto& f : fields) line += f + QLatin1Char('$');
  return line;
}

QString Meaning(std::uint32_t msg, std::int32_t wParam, bool fromClient) {
  if (msg == platform::kWmSysCommand) {
    if (wParam == platform::kScRestore) return QStringLiteral("恢复窗口");
    if (wParam == platform::kScMinimize) return QStringLiteral("最小化窗口");
    return QStringLiteral("系统命令");
  }
  if (fromClient) {
    switch (msg) {
      case platform::kClientLoggingIn:
        return QStringLiteral("即将登录 / 登录被拒");
      case platform::kClientLoggedIn:
        return QStringLiteral("已连接并登录");
      case platform::kClientIdle:
        return QStringLiteral("未在局中 / 已离开牌桌");
      case platform::kClientInHand:
        return QStringLiteral("正在局中");
      case platform::kClientLoginPending:
        return QStringLiteral("登录尚未完成");
      case platform::kClientHandBegun:
        return QStringLiteral("牌局开始（已砌牌）");
      default:
        return QStringLiteral("未知消息");
    }
  }
  switch (msg) {
    case platform::kLobbyConnect:
      return QStringLiteral("连接并登录");
    case platform::kLobbyMayLeave:
      return QStringLiteral("现在可以离开吗？");
    case platform::kLobbyLeaveNow:
      return QStringLiteral("立即离开牌桌");
    case platform::kLobbyHandQuery:
      return QStringLiteral("是否正在局中？");
    default:
      return QStringLiteral("未知消息");
  }
}

Lobby::Lobby(Options options, Sink sink)
    : options_(std::move(options)),
      sink_(std::move(sink)),
      // Waits for the client's answers with events running, so the client may send to the
      // lobby (restore, minimise) while it handles what the lobby sent.
      channel_(
          [this](std::string_view kind, std::string_view detail) {
            // Received messages get their own line below; errors are worth showing.
            if (kind != "lobby-in") {
              sink_(QString::fromUtf8(kind.data(), static_cast<qsizetype>(kind.size())) +
                    QLatin1Char(' ') +
                    QString::fromUtf8(detail.data(), static_cast<qsizetype>(detail.size())));
            }
          },
          host::LobbyChannel::SendWait::ProcessEvents) {}

Lobby::~Lobby() {
  channel_.Listen({}, nullptr);
  for (auto* p : {client_.get(), server_.get()}) {
    if (p == nullptr || p->state() == QProcess::NotRunning) continue;
    p->disconnect();
    p->terminate();
    if (!p->waitForFinished(2000)) p->kill();
  }
}

bool Lobby::Open() {
  channel_.Listen(options_.title.toStdString(), this);
  if (channel_.ListeningPath().empty()) return false;
  sink_(QStringLiteral("listening %1 %2")
            .arg(options_.title, QString::fromStdString(channel_.ListeningPath())));
  return true;
}

std::optional<int> Lobby::StartServer() {
  if (serverPort_) return serverPort_;
  if (options_.serverPort > 0) {
    serverPort_ = options_.serverPort;
    serverKind_ = QStringLiteral("given");
  } else if (!options_.devserver.isEmpty() && QFileInfo(options_.devserver).isExecutable()) {
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The server is the lobby's own helper: it never outlives the lobby. A client left behind
    // by a lobby that died loses its table with it and then finds the lobby gone.
    PrepareChild(*server_, true);
    server_->start(options_.devserver, {QStringLiteral("--port"), QStringLiteral("0")});
    // Its first line says where it listens: "listening on N".
    QByteArray first;
    while (!first.contains('\n') && server_->waitForReadyRead(5000)) {
      first += server_->readLine();
    }
    const QString text = QString::fromUtf8(first).trimmed();
    const QString prefix = QStringLiteral("listening on ");
    const auto port = text.startsWith(prefix) ? Number(text.mid(prefix.size())) : std::nullopt;
    if (!port || *port <= 0 || *port > 65535) {
      sink_(QStringLiteral("error devserver did not say where it listens: \"%1\"").arg(text));
      server_->kill();
      server_->waitForFinished(1000);
      server_.reset();
      return std::nullopt;
    }
    serverPort_ = static_cast<int>(*port);
    serverKind_ = QStringLiteral("devserver");
  } else {
    StartGreeter();
  }
  if (serverPort_) sink_(QStringLiteral("server-port %1 %2").arg(*serverPort_).arg(serverKind_));
  return serverPort_;
}

// Without the development server: a loopback listener that accepts the login and then only
// listens, so the client still reaches its table.
void Lobby::StartGreeter() {
  greeter_ = std::make_unique<QTcpServer>();
  if (!greeter_->listen(QHostAddress::LocalHost, 0)) {
    sink_(QStringLiteral("error cannot listen on 127.0.0.1"));
    greeter_.reset();
    return;
  }
  QTcpServer* server = greeter_.get();
  QObject::connect(server, &QTcpServer::newConnection, server, [server] {
    while (QTcpSocket* s = server->nextPendingConnection()) {
      QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
      QObject::connect(s, &QTcpSocket::readyRead, s, [s] {
        while (s->bytesAvailable() >= wire::kFrameSize) {
          const QByteArray in = s->read(wire::kFrameSize);
          if (static_cast<std::uint8_t>(in.at(wire::kOffCmd)) != kLoginCmd) continue;
          wire::NetMsg ok;
          ok.Cmd = kLoginCmd;
          ok.Value = {0, 8, 0, 1};  // no timeout limit, 8-second clock, success
          const wire::Frame f = wire::EncodeHeader(ok);
          s->write(reinterpret_cast<const char*>(f.data()), wire::kFrameSize);
        }
      });
    }
  });
  serverPort_ = greeter_->serverPort();
  serverKind_ = QStringLiteral("greeter");
}

bool Lobby::ClientRunning() const {
  return client_ && client_->state() != QProcess::NotRunning;
}

qint64 Lobby::ClientPid() const {
  return ClientRunning() ? client_->processId() : 0;
}

bool Lobby::LaunchClient() {
  if (ClientRunning()) return false;
  const auto port = StartServer();
  if (!port) return false;
  client_ = std::make_unique<QProcess>();
  client_->setProcessChannelMode(QProcess::ForwardedChannels);
  // A test lobby that dies takes its client with it.
  PrepareChild(*client_, options_.headless);
  QProcess* p = client_.get();
  QObject::connect(p, &QProcess::finished, p, [this](int code, QProcess::ExitStatus) {
    sink_(QStringLiteral("client-exit %1").arg(code));
    if (onClientChanged_) onClientChanged_();
  });
  const QString line = ClientCommandLine(options_, *port);
  p->start(options_.client, {line});
  if (!p->waitForStarted(5000)) {
    sink_(QStringLiteral("error cannot start %1").arg(options_.client));
    return false;
  }
  sink_(QStringLiteral("launched %1 %2").arg(p->processId()).arg(line));
  if (onClientChanged_) onClientChanged_();
  return true;
}

bool Lobby::Post(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) {
  const bool ok = channel_.PostMessage(ClientTitle(options_).toStdString(), msg, wParam, lParam);
  sink_(ok ? QStringLiteral("lobby-out %1 %2 %3").arg(msg).arg(wParam).arg(lParam)
           : QStringLiteral("lobby-out %1 not found").arg(msg));
  return ok;
}

std::optional<std::int32_t> Lobby::Send(std::uint32_t msg, std::int32_t wParam,
                                        std::int32_t lParam) {
  const auto r = channel_.SendMessage(ClientTitle(options_).toStdString(), msg, wParam, lParam);
  sink_(r ? QStringLiteral("answer %1 %2").arg(msg).arg(*r)
          : QStringLiteral("lobby-out %1 not found").arg(msg));
  return r;
}

int Lobby::RunCommand(const QString& line, const std::function<void()>& quit) {
  const QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (w.isEmpty() || w.front().startsWith(QLatin1Char('#'))) return 0;
  const QString& verb = w.front();
  auto arg = [&](int i) -> std::int64_t {
    if (i >= w.size()) return 0;
    return Number(w.at(i)).value_or(0);
  };
  if ((verb == QStringLiteral("post") || verb == QStringLiteral("send")) && w.size() >= 2) {
    const auto msg = static_cast<std::uint32_t>(arg(1));
    const auto wParam = static_cast<std::int32_t>(arg(2));
    const auto lParam = static_cast<std::int32_t>(arg(3));
    if (verb == QStringLiteral("post")) {
      Post(msg, wParam, lParam);
    } else {
      Send(msg, wParam, lParam);
    }
  } else if (verb == QStringLiteral("launch")) {
    LaunchClient();
  } else if (verb == QStringLiteral("sleep")) {
    return static_cast<int>(std::clamp<std::int64_t>(arg(1), 0, 3600000));
  } else if (verb == QStringLiteral("quit")) {
    quit();
  } else {
    sink_(QStringLiteral("error unknown command: %1").arg(line));
  }
  return 0;
}

std::int32_t Lobby::OnWindowMessage(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) {
  sink_(QStringLiteral("lobby-in %1 %2 %3").arg(msg).arg(wParam).arg(lParam));
  if (onMessage_) onMessage_(msg, wParam);
  return 0;
}

}  // namespace lobby
