// qintara-lobby: a stand-in for the platform lobby. See README.md beside this file.
#include <sys/signalfd.h>
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <deque>
#include <memory>

#include "lobby.h"
#include "lobby_window.h"

namespace {

// Commands from --script, a command file or standard input, run in order; "sleep" holds the
// ones behind it.
class CommandRunner {
 public:
  CommandRunner(lobby::Lobby& l, std::function<void()> quit) : lobby_(l), quit_(std::move(quit)) {}

  void Add(const QString& line) {
    pending_.push_back(line.trimmed());
    Drain();
  }
  // Follows a file as it grows ("-" is standard input).
  void Follow(const QString& path) {
    if (path == QStringLiteral("-")) {
      stdin_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
      QObject::connect(stdin_.get(), &QSocketNotifier::activated, [this] {
        char buf[4096];
        const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
          stdin_->setEnabled(false);
          return;
        }
        Feed(QByteArray(buf, static_cast<qsizetype>(n)));
      });
      return;
    }
    file_.setFileName(path);
    poll_.setInterval(50);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      if (!file_.isOpen() && !file_.open(QIODevice::ReadOnly)) return;
      Feed(file_.readAll());
    });
    poll_.start();
  }

 private:
  void Feed(const QByteArray& bytes) {
    partial_ += bytes;
    qsizetype nl = 0;
    while ((nl = partial_.indexOf('\n')) >= 0) {
      Add(QString::fromUtf8(partial_.left(nl)));
      partial_.remove(0, nl + 1);
    }
  }
  void Drain() {
    while (!sleeping_ && !pending_.empty()) {
      const QString line = pending_.front();
      pending_.pop_front();
      const int ms = lobby_.RunCommand(line, quit_);
      if (ms > 0) {
        sleeping_ = true;
        QTimer::singleShot(ms, [this] {
          sleeping_ = false;
          Drain();
        });
      }
    }
  }

  lobby::Lobby& lobby_;
  std::function<void()> quit_;
  std::deque<QString> pending_;
  bool sleeping_ = false;
  QFile file_;
  QTimer poll_;
  QByteArray partial_;
  std::unique_ptr<QSocketNotifier> stdin_;
};

// SIGTERM, SIGINT and SIGHUP end the lobby the orderly way, like closing its window, so that it
// stops the server and the client it started. Blocked in every thread from the start and read
// from a descriptor; the programs the lobby starts get them unblocked again (lobby.cpp).
class EndOnSignals {
 public:
  EndOnSignals() {
    sigemptyset(&set_);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set_, sig);
    pthread_sigmask(SIG_BLOCK, &set_, nullptr);
  }
  EndOnSignals(const EndOnSignals&) = delete;
  EndOnSignals& operator=(const EndOnSignals&) = delete;
  ~EndOnSignals() {
    notifier_.reset();
    if (fd_ >= 0) close(fd_);
  }
  void Watch(const std::function<void(int)>& onSignal) {
    fd_ = signalfd(-1, &set_, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, onSignal] {
      signalfd_siginfo info{};
      while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        onSignal(static_cast<int>(info.ssi_signo));
      }
    });
  }

 private:
  sigset_t set_{};
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

QString DefaultDevserver() {
  const QDir here(QCoreApplication::applicationDirPath());
  return here.absoluteFilePath(QStringLiteral("../devserver/qintara-devserver"));
}

}  // namespace

int main(int argc, char** argv) {
  // Before the application starts any thread of its own.
  EndOnSignals endOnSignals;
  bool headless = false;
  for (int i = 1; i < argc; ++i) {
    if (QByteArray(argv[i]) == "--headless") headless = true;
  }
  std::unique_ptr<QCoreApplication> app;
  if (headless) {
    app = std::make_unique<QCoreApplication>(argc, argv);
  } else {
    app = std::make_unique<QApplication>(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 10));
  }
  QCoreApplication::setApplicationName(QStringLiteral("qintara-lobby"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A stand-in for the platform lobby."));
  parser.addHelpOption();
  const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("Lobby window title."),
                                 QStringLiteral("T"), QStringLiteral("VorelLodge"));
  const QCommandLineOption client(QStringLiteral("client"), QStringLiteral("Client program."),
                                  QStringLiteral("PATH"), QStringLiteral(QINTARA_CLIENT_BINARY));
  const QCommandLineOption devserver(QStringLiteral("devserver"),
                                     QStringLiteral("Development server program."),
                                     QStringLiteral("PATH"), DefaultDevserver());
  const QCommandLineOption noDevserver(QStringLiteral("no-devserver"),
                                       QStringLiteral("Do not start the development server."));
  const QCommandLineOption port(QStringLiteral("server-port"),
                                QStringLiteral("Use the game server on 127.0.0.1:N."),
                                QStringLiteral("N"));
  const QCommandLineOption account(QStringLiteral("account"), QStringLiteral("Account name."),
                                   QStringLiteral("NAME"), QStringLiteral("player1"));
  const QCommandLineOption key(QStringLiteral("key"), QStringLiteral("Login key."),
                               QStringLiteral("KEY"), QStringLiteral("key-0001"));
  const QCommandLineOption location(QStringLiteral("location"), QStringLiteral("Table name."),
                                    QStringLiteral("TEXT"), QStringLiteral("一号桌"));
  const QCommandLineOption caption(
      QStringLiteral("caption"),
      QStringLiteral("Client window title (used with a --title of its own)."),
      QStringLiteral("TEXT"), QStringLiteral("Qintara"));
  const QCommandLineOption prop(QStringLiteral("prop"), QStringLiteral("Prop switch field."),
                                QStringLiteral("N"), QStringLiteral("1"));
  const QCommandLineOption headlessOpt(QStringLiteral("headless"),
                                       QStringLiteral("No window: log to standard output."));
  const QCommandLineOption launch(QStringLiteral("launch"),
                                  QStringLiteral("Launch the client at once."));
  const QCommandLineOption script(QStringLiteral("script"),
                                  QStringLiteral("Commands to run, separated by ';'."),
                                  QStringLiteral("CMDS"));
  const QCommandLineOption commands(QStringLiteral("commands"),
                                    QStringLiteral("Follow a command file ('-': stdin)."),
                                    QStringLiteral("FILE"));
  const QCommandLineOption logFile(QStringLiteral("log"),
                                   QStringLiteral("Write the lines to FILE, not stdout."),
                                   QStringLiteral("FILE"));
  parser.addOptions({title, client, devserver, noDevserver, port, account, key, location, caption,
                     prop, headlessOpt, launch, script, commands, logFile});
  parser.process(*app);

  lobby::Options o;
  o.title = parser.value(title);
  o.client = parser.value(client);
  o.devserver = parser.isSet(noDevserver) ? QString() : parser.value(devserver);
  o.serverPort = parser.value(port).toInt();
  o.account = parser.value(account);
  o.key = parser.value(key);
  o.location = parser.value(location);
  o.caption = parser.value(caption);
  o.prop = parser.value(prop).toInt();
  o.headless = headless;

  std::FILE* out = stdout;
  if (parser.isSet(logFile)) {
    out = std::fopen(parser.value(logFile).toLocal8Bit().constData(), "a");
    if (out == nullptr) {
      std::fprintf(stderr, "cannot write %s\n", parser.value(logFile).toLocal8Bit().constData());
      return 2;
    }
  }
  std::unique_ptr<lobby::LobbyWindow> window;
  auto sink = [&](const QString& line) {
    std::fprintf(out, "%s\n", line.toUtf8().constData());
    std::fflush(out);
    if (window) window->AddLine(line);
  };
  lobby::Lobby l(o, sink);
  if (!l.Open()) {
    std::fprintf(stderr, "the lobby window \"%s\" cannot listen (see above)\n",
                 o.title.toUtf8().constData());
    return 1;
  }
  if (!headless) {
    window = std::make_unique<lobby::LobbyWindow>(l);
    window->show();
  }
  l.StartServer();
  if (window) window->Refresh();

  endOnSignals.Watch([&sink](int sig) {
    sink(QStringLiteral("signal %1: ending").arg(sig));
    QCoreApplication::quit();
  });
  CommandRunner runner(l, [] { QCoreApplication::quit(); });
  if (parser.isSet(launch)) runner.Add(QStringLiteral("launch"));
  for (const QString& cmd : parser.value(script).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    runner.Add(cmd);
  }
  if (parser.isSet(commands)) runner.Follow(parser.value(commands));
  const int rc = QCoreApplication::exec();
  window.reset();
  return rc;
}
