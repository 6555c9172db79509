#include "host/replay_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <string>

#include "app/replay.h"
#include "host/form_widget.h"
#include "host/picture_store.h"
#include "platform/disk_files.h"
#include "platform/virtual/replay_player.h"
#include "score/sheet_events.h"
#include "session/client.h"
#include "session/form_events.h"

namespace host {

namespace {

constexpr int kTickMs = 50;
constexpr std::size_t kMaxReplayBytes = 8 * 1024 * 1024;
constexpr int kKeySpace = 32;
constexpr int kKeyRight = 39;

// The window's own input goes to the client, inside the virtual host's guard; two keys belong
// to the player.
class ReplayEvents final : public platform::FormEvents {
 public:
  ReplayEvents(vhost::OfflineHost& host, platform::FormEvents& inner, bool& paused,
               vhost::ReplayPlayer& player)
      : host_(host), inner_(inner), paused_(paused), player_(player) {}

  platform::PressResult OnMouseDown(platform::Control* control, int button, int shift, int x,
                                    int y) override {
    auto r = platform::PressResult::None;
    host_.Run([&] { r = inner_.OnMouseDown(control, button, shift, x, y); });
    return r;
  }
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override {
    host_.Run([&] { inner_.OnMouseMove(control, button, shift, x, y); });
  }
  void OnMouseUp(platform::Control* control, int button, int shift, int x, int y) override {
    host_.Run([&] { inner_.OnMouseUp(control, button, shift, x, y); });
  }
  void OnClick(platform::Control* control) override {
    host_.Run([&] { inner_.OnClick(control); });
  }
  void OnDblClick(platform::Control* control) override {
    host_.Run([&] { inner_.OnDblClick(control); });
  }
  void OnKeyDown(platform::Control* control, int keyCode, int shift) override {
    if (keyCode == kKeySpace) {
      paused_ = !paused_;
    } else if (keyCode == kKeyRight) {
      paused_ = true;
      player_.Step();
    } else {
      host_.Run([&] { inner_.OnKeyDown(control, keyCode, shift); });
    }
  }
  void OnKeyUp(platform::Control* control, int keyCode, int shift) override {
    if (keyCode == kKeySpace || keyCode == kKeyRight) return;
    host_.Run([&] { inner_.OnKeyUp(control, keyCode, shift); });
  }
  void OnFocus(platform::Control& control, bool focused) override {
    host_.Run([&] { inner_.OnFocus(control, focused); });
  }
  void OnResize() override {
    host_.Run([&] { inner_.OnResize(); });
  }
  void OnMoved() override {
    host_.Run([&] { inner_.OnMoved(); });
  }
  void OnClose() override { QCoreApplication::quit(); }

 private:
  vhost::OfflineHost& host_;
  platform::FormEvents& inner_;
  bool& paused_;
  vhost::ReplayPlayer& player_;
};

}  // namespace

int RunReplay(const QString& file, PictureStore& pictures) {
  platform::DiskFiles disk("", "");
  const auto bytes = disk.ReadFile(file.toStdString(), kMaxReplayBytes);
  std::string error = "cannot read the file";
  std::optional<app::Replay> replay;
  if (bytes) {
    replay = app::DecodeReplay(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), &error);
  }
  if (!replay) {
    if (qEnvironmentVariableIsEmpty("QINTARA_UNATTENDED")) {
      QMessageBox::critical(nullptr, QStringLiteral("回放"),
                            file + QStringLiteral(": ") + QString::fromStdString(error));
    }
    std::fprintf(stderr, "qintara: %s: %s\n", qPrintable(file), error.c_str());
    return 1;
  }

  vhost::OfflineHost vh;  // files stay in memory: playing a hand records nothing
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    vh.screen = {screen->size().width(), screen->size().height()};
  }
  Client client(vh);
  vhost::ReplayPlayer player(vh, client, std::move(*replay));
  bool paused = false;
  session::MainFormEvents tableEvents(client);
  ReplayEvents mainEvents(vh, tableEvents, paused, player);
  ReplayEvents scoreInput(vh, client.ScoreEvents, paused, player);
  ReplayEvents heroInput(vh, client.HeroEvents, paused, player);
  ReplayEvents cardInput(vh, client.InformationEvents, paused, player);
  FormWidget mainWindow(client.MainForm, pictures, /*frameless=*/true, &mainEvents);
  // The result windows show while the replayed hand shows them.
  constexpr auto kSecondary = FormWidget::Role::Secondary;
  FormWidget scoreWindow(client.Score, pictures, /*frameless=*/true, &scoreInput, kSecondary);
  FormWidget heroWindow(client.Hero, pictures, /*frameless=*/true, &heroInput, kSecondary);
  FormWidget cardWindow(client.Information, pictures, /*frameless=*/true, &cardInput, kSecondary);
  player.Start();

  const QString name = file.section(QLatin1Char('/'), -1);
  QTimer clock;
  clock.setTimerType(Qt::PreciseTimer);
  QObject::connect(&clock, &QTimer::timeout, [&] {
    if (!paused) player.Advance(kTickMs);
    const QString state = paused ? QStringLiteral("暂停") : QStringLiteral("播放");
    const QString caption = QStringLiteral("回放 %1 — %2 %3/%4 （空格 暂停/继续，→ 下一帧）")
                                .arg(name, state)
                                .arg(player.FramesDelivered())
                                .arg(player.FrameCount());
    if (QString::fromStdString(client.MainForm.Caption()) != caption) {
      client.MainForm.SetCaption(caption.toStdString());
    }
  });
  clock.start(kTickMs);
  return QApplication::exec();
}

}  // namespace host
