#include "host/qt_host.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QUrl>
#include <QWidget>
#include <cstdlib>
#include <exception>

#include "host/prop_loader.h"
#include "host/runtime_dir.h"

namespace host {

namespace {

QElapsedTimer& Uptime() {
  // Read-only after the first call: the moment the program started.
  static QElapsedTimer timer = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return timer;
}

std::string DefaultLogPath() {
  const auto dir = UsableRuntimeDir();
  return dir ? *dir + "/qintara.log" : std::string();
}

}  // namespace

QtHost::QtHost()
    : log_(DefaultLogPath()),
      socket_([this](const char* kind, const std::string& detail) { Log(kind, detail); }),
      sound_([this](std::string_view kind, std::string_view detail) { Log(kind, detail); }),
      files_(QCoreApplication::applicationDirPath().toStdString(),
             platform::UserDataFolderOfThisUser()) {
  Uptime();
  const char* unattended = std::getenv("QINTARA_UNATTENDED");
  unattended_ = unattended != nullptr && std::string(unattended) == "1";
}

QtHost::~QtHost() {
  if (instanceLock_ >= 0) close(instanceLock_);
}

void QtHost::TimerChanged(platform::Timer& timer) {
  auto& qt = timers_[&timer];
  if (!qt) {
    qt = std::make_unique<QTimer>();
    qt->setTimerType(Qt::PreciseTimer);
    platform::Timer* t = &timer;
    QObject::connect(qt.get(), &QTimer::timeout,
                     [this, t] { Guard(t->Name().c_str(), [t] { t->Fire(); }); });
  }
  if (timer.Enabled()) {
    qt->start(timer.Interval());
  } else {
    qt->stop();
  }
}

double QtHost::SecondsSinceMidnight() const {
  const QTime now = QTime::currentTime();
  return now.msecsSinceStartOfDay() / 1000.0;
}

std::int64_t QtHost::TickCount() const {
  return Uptime().elapsed();
}

void QtHost::Randomize(double seed) {
  rng_.seed(static_cast<std::uint64_t>(seed * 1000));
}

double QtHost::Rnd() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
}

void QtHost::WaitProcessingEvents(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void QtHost::WaitUntil(const std::function<bool()>& done) {
  if (done()) return;
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  poll.start(10);
  loop.exec();
}

void QtHost::Pause(int ms) {
  // What the handler drew is painted before the pause, so every step of an animation is seen;
  // no other event (input, timers, sockets, lobby messages) is handled meanwhile.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) w->repaint();
  }
  QThread::msleep(static_cast<unsigned long>(ms));
}

void QtHost::EndProgram(const std::string& /*reason*/) {
  // The core has logged why. Stop at once: nothing more goes out, no unload step runs.
  lobby_->Listen({}, nullptr);
  log_.Flush();
  std::fflush(nullptr);
  _exit(0);
}

platform::MsgBoxResult QtHost::MessageBox(const std::string& text, const std::string& title,
                                          platform::MsgBoxButtons buttons) {
  if (unattended_) {
    return buttons == platform::MsgBoxButtons::YesNo ? platform::MsgBoxResult::Yes
                                                     : platform::MsgBoxResult::Ok;
  }
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  switch (buttons) {
    case platform::MsgBoxButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case platform::MsgBoxButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case platform::MsgBoxButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return platform::MsgBoxResult::Cancel;
    case QMessageBox::Yes:
      return platform::MsgBoxResult::Yes;
    case QMessageBox::No:
      return platform::MsgBoxResult::No;
    default:
      return platform::MsgBoxResult::Ok;
  }
}

void QtHost::RegisterForm(platform::Form& form, platform::FormEvents& events) {
  windows_.Register(form, events);
}

void QtHost::UnregisterForm(platform::Form& form) {
  windows_.Unregister(form);
}

void QtHost::Post(std::function<void()> f) {
  QTimer::singleShot(0, [this, f = std::move(f)] { Guard("posted step", f); });
}

void QtHost::Log(std::string_view kind, std::string_view detail) {
  log_.Write(kind, detail);
}

bool QtHost::AnotherInstanceRunning() {
  std::string why;
  auto dir = UsableRuntimeDir(&why);
  if (!dir) {
    Log("error", "single-instance check skipped: " + why);
    return false;
  }
  const std::string path = *dir + "/qintara.lock";
  instanceLock_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (instanceLock_ < 0) return false;
  if (flock(instanceLock_, LOCK_EX | LOCK_NB) != 0) {
    close(instanceLock_);
    instanceLock_ = -1;
    return true;
  }
  return false;
}

void QtHost::OpenUrl(const std::string& url) {
  if (!QDesktopServices::openUrl(QUrl(QString::fromStdString(url)))) {
    Log("error", "no browser opened " + url);
  }
}

platform::ScreenSize QtHost::Screen() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize s = screen->size();
  return {s.width(), s.height()};
}

std::unique_ptr<platform::PropPlugin> QtHost::LoadPropPlugin() {
  const std::string dir = QCoreApplication::applicationDirPath().toStdString();
  return host::LoadPropPlugin(
      PropPluginPath(dir),
      [this](std::string_view kind, std::string_view detail) { Log(kind, detail); });
}

void QtHost::Guard(const char* what, const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    Log("error", std::string(what) + ": " + e.what());
  }
}

}  // namespace host
