#pragma once
// The real machine: Qt timers, event loops, message boxes, the TCP socket, the log.
#include <QObject>
#include <QTimer>
#include <memory>
#include <random>
#include <unordered_map>

#include "host/form_windows.h"
#include "host/picture_store.h"
#include "host/qt_socket.h"
#include "host/qt_sound.h"
#include "platform/disk_files.h"
#include "platform/host.h"
#include "platform/lobby.h"
#include "platform/log_file.h"

namespace host {

class QtHost final : public platform::Host {
 public:
  QtHost();
  ~QtHost() override;

  void TimerChanged(platform::Timer& timer) override;
  double SecondsSinceMidnight() const override;
  std::int64_t TickCount() const override;
  void Randomize(double seed) override;
  double Rnd() override;
  void WaitProcessingEvents(int ms) override;
  void WaitUntil(const std::function<bool()>& done) override;
  void Pause(int ms) override;
  [[noreturn]] void EndProgram(const std::string& reason) override;
  platform::MsgBoxResult MessageBox(const std::string& text, const std::string& title,
                                    platform::MsgBoxButtons buttons) override;
  void Log(std::string_view kind, std::string_view detail) override;
  bool LogVerbose() const override { return log_.Verbose(); }
  bool AnotherInstanceRunning() override;
  void OpenUrl(const std::string& url) override;
  platform::ScreenSize Screen() const override;
  platform::Socket& Winsock1() override { return socket_; }
  platform::LobbyLink& Lobby() override { return *lobby_; }
  platform::Files& Disk() override { return files_; }
  platform::SoundDevice& Sound() override { return sound_; }
  void RegisterForm(platform::Form& form, platform::FormEvents& events) override;
  void UnregisterForm(platform::Form& form) override;
  bool Unattended() const override { return unattended_; }
  void Post(std::function<void()> f) override;

  PictureStore& Pictures() { return pictures_; }
  FormWindows& Windows() { return windows_; }
  std::unique_ptr<platform::PropPlugin> LoadPropPlugin() override;

  void SetLobby(std::unique_ptr<platform::LobbyLink> lobby) { lobby_ = std::move(lobby); }
  // Runs a core entry point, logging an error that escapes it instead of crashing.
  void Guard(const char* what, const std::function<void()>& f);

 private:
  platform::LogFile log_;
  QtSocket socket_;
  QtSound sound_;
  std::unique_ptr<platform::LobbyLink> lobby_ = std::make_unique<platform::NoLobby>();
  platform::DiskFiles files_;
  PictureStore pictures_;
  FormWindows windows_{pictures_};
  std::unordered_map<platform::Timer*, std::unique_ptr<QTimer>> timers_;
  std::mt19937_64 rng_{std::random_device{}()};
  int instanceLock_ = -1;
  bool unattended_ = false;
};

}  // namespace host
