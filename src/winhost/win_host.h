#pragma once
// The real machine on Windows: the windows of the forms, timers on the message loop, waits as
// nested message loops, the pause. Everything else (socket, sound, lobby, files, log, message
// boxes) comes from the Services.
#include "winhost/win32.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

#include "platform/host.h"
#include "winhost/form_window.h"
#include "winhost/gdiplus_session.h"
#include "winhost/pictures.h"
#include "winhost/services.h"

namespace winhost {

class WinHost final : public platform::Host {
 public:
  // pictures: the artwork folder (res\ beside the program when empty).
  explicit WinHost(std::wstring pictures = {});
  ~WinHost() override;
  WinHost(const WinHost&) = delete;
  WinHost& operator=(const WinHost&) = delete;

  // Replaces the stub services (which reach nothing) by real ones.
  void SetServices(std::unique_ptr<Services> services);
  Services& Machine() { return *services_; }

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
  bool LogVerbose() const override;
  bool AnotherInstanceRunning() override;
  void OpenUrl(const std::string& url) override;
  platform::ScreenSize Screen() const override;
  platform::Socket& Winsock1() override { return services_->Winsock1(); }
  platform::LobbyLink& Lobby() override { return services_->Lobby(); }
  platform::Files& Disk() override { return services_->Disk(); }
  platform::SoundDevice& Sound() override { return services_->Sound(); }
  std::unique_ptr<platform::PropPlugin> LoadPropPlugin() override;
  void RegisterForm(platform::Form& form, platform::FormEvents& events) override;
  void UnregisterForm(platform::Form& form) override;
  bool Unattended() const override { return unattended_; }
  void Post(std::function<void()> f) override;

  // The main window of form (borderless, resizable, its design scaled to its size).
  FormWindow& CreateMainWindow(platform::Form& form, platform::FormEvents& events);
  HWND MainWindow() const;
  // The window of a form, main or registered; null when it has none.
  FormWindow* WindowOf(const platform::Form& form) const;
  // A hidden window of the user-interface thread, and a message number of its own whose
  // messages go to f there (for the socket's asynchronous events, say).
  HWND MessageWindow() const { return messages_; }
  UINT RegisterHandler(std::function<LRESULT(WPARAM, LPARAM)> f);
  // Runs the message loop until the main window is gone; the exit code.
  int Run();
  // Runs a core entry point, logging an error that escapes it instead of crashing.
  void Guard(const char* what, const std::function<void()>& f);
  Pictures& Artwork() { return pictures_; }

  // A modal window was shown or hidden: the others take input only while none is up.
  void UpdateModality();
  // The pauses so far (tests).
  int Pauses() const { return pauses_; }
  // Destroys the main window before the form it shows goes away.
  void ReleaseMainWindow();

 private:
  static LRESULT CALLBACK MessageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Handles what is queued, waiting at most ms for more; false once WM_QUIT came.
  bool Pump(DWORD ms);
  std::vector<FormWindow*> Windows() const;

  GdiplusSession gdiplus_;
  Pictures pictures_;
  std::unique_ptr<Services> services_;
  HWND messages_ = nullptr;
  std::unique_ptr<FormWindow> main_;
  std::vector<std::unique_ptr<FormWindow>> forms_;
  std::unordered_map<platform::Timer*, UINT_PTR> timerIds_;
  std::unordered_map<UINT_PTR, platform::Timer*> timers_;
  UINT_PTR nextTimer_ = 1;
  std::deque<std::function<void()>> posted_;
  std::vector<std::function<LRESULT(WPARAM, LPARAM)>> handlers_;
  std::mt19937_64 rng_{std::random_device{}()};
  ULONGLONG started_ = GetTickCount64();
  bool unattended_ = false;
  bool quit_ = false;
  int exitCode_ = 0;
  int pauses_ = 0;
};

}  // namespace winhost
