#include "winhost/win_host.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "platform/disk_files.h"
#include "platform/lobby.h"
#include "winhost/wide.h"
#include "winhost/win_shell.h"

namespace winhost {

namespace {

constexpr wchar_t kMessageClass[] = L"QintaraMessages";
constexpr UINT kPostedMessage = WM_APP + 1;
constexpr UINT kFirstHandler = WM_APP + 16;

// ---- Services that reach nothing ----

class ClosedSocket final : public platform::Socket {
 public:
  void SetRemote(const std::string&, int) override {}
  void Connect() override {}
  void Close() override {}
  int State() const override { return platform::kSockClosed; }
  void SendData(std::span<const std::uint8_t>) override {}
  void SetEvents(platform::SocketEvents*) override {}
};

class Silence final : public platform::SoundDevice {
 public:
  bool Open() override { return false; }
  bool Play(const std::string&, bool) override { return false; }
  void Stop() override {}
  void SetAttenuation(int) override {}
  void SetEvents(platform::SoundEvents*) override {}
};

class StubServices final : public Services {
 public:
  StubServices()
      : files_(platform::ProgramFolderOfThisProcess(), platform::UserDataFolderOfThisUser()) {}
  platform::Socket& Winsock1() override { return socket_; }
  platform::LobbyLink& Lobby() override { return lobby_; }
  platform::Files& Disk() override { return files_; }
  platform::SoundDevice& Sound() override { return sound_; }
  void Log(std::string_view kind, std::string_view detail) override {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(kind.size()), kind.data(),
                 static_cast<int>(detail.size()), detail.data());
  }
  bool LogVerbose() const override { return false; }
  void FlushLog() override { std::fflush(stderr); }
  platform::MsgBoxResult MessageBox(const std::string& text, const std::string& title,
                                    platform::MsgBoxButtons buttons, HWND owner) override {
    return ShowMessageBox(owner, text, title, buttons);
  }
  bool AnotherInstanceRunning() override { return false; }
  void OpenUrl(const std::string& url) override { OpenInBrowser(url); }
  std::unique_ptr<platform::PropPlugin> LoadPropPlugin() override { return nullptr; }

 private:
  ClosedSocket socket_;
  Silence sound_;
  platform::NoLobby lobby_;
  platform::DiskFiles files_;
};

}  // namespace

std::unique_ptr<Services> MakeStubServices(WinHost& /*host*/) {
  return std::make_unique<StubServices>();
}

WinHost::WinHost(std::wstring pictures)
    : pictures_(std::move(pictures)), services_(std::make_unique<StubServices>()) {
  const char* unattended = std::getenv("QINTARA_UNATTENDED");
  unattended_ = unattended != nullptr && std::string(unattended) == "1";
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WinHost::MessageProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kMessageClass;
  RegisterClassExW(&wc);
  messages_ = CreateWindowExW(0, kMessageClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), this);
}

WinHost::~WinHost() {
  for (const auto& [id, timer] : timers_) KillTimer(messages_, id);
  forms_.clear();
  main_.reset();
  if (messages_ != nullptr) {
    SetWindowLongPtrW(messages_, GWLP_USERDATA, 0);
    DestroyWindow(messages_);
  }
}

void WinHost::SetServices(std::unique_ptr<Services> services) {
  if (services != nullptr) services_ = std::move(services);
}

// ---- The hidden window: timers, posted steps, handlers ----

LRESULT CALLBACK WinHost::MessageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<WinHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // While the window is being made its handle is not known yet: the system answers for it.
  if (self == nullptr || self->messages_ == nullptr)
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->OnMessage(msg, wParam, lParam);
}

LRESULT WinHost::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    const auto it = timers_.find(static_cast<UINT_PTR>(wParam));
    if (it != timers_.end()) {
      platform::Timer* t = it->second;
      Guard(t->Name().c_str(), [t] { t->Fire(); });
    }
    return 0;
  }
  if (msg == kPostedMessage) {
    if (posted_.empty()) return 0;
    std::function<void()> f = std::move(posted_.front());
    posted_.pop_front();
    Guard("posted step", f);
    return 0;
  }
  if (msg >= kFirstHandler && msg < kFirstHandler + handlers_.size()) {
    LRESULT r = 0;
    const auto& f = handlers_[msg - kFirstHandler];
    Guard("window message", [&] { r = f(wParam, lParam); });
    return r;
  }
  return DefWindowProcW(messages_, msg, wParam, lParam);
}

UINT WinHost::RegisterHandler(std::function<LRESULT(WPARAM, LPARAM)> f) {
  handlers_.push_back(std::move(f));
  return kFirstHandler + static_cast<UINT>(handlers_.size() - 1);
}

void WinHost::TimerChanged(platform::Timer& timer) {
  auto it = timerIds_.find(&timer);
  if (it == timerIds_.end()) {
    it = timerIds_.emplace(&timer, nextTimer_++).first;
    timers_[it->second] = &timer;
  }
  if (timer.Enabled()) {
    // Setting a running timer again starts a fresh period.
    SetTimer(messages_, it->second, static_cast<UINT>(std::max(1, timer.Interval())), nullptr);
  } else {
    KillTimer(messages_, it->second);
  }
}

void WinHost::Post(std::function<void()> f) {
  posted_.push_back(std::move(f));
  PostMessageW(messages_, kPostedMessage, 0, 0);
}

// ---- Clock and chance ----

double WinHost::SecondsSinceMidnight() const {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

std::int64_t WinHost::TickCount() const {
  return static_cast<std::int64_t>(GetTickCount64() - started_);
}

void WinHost::Randomize(double seed) {
  rng_.seed(static_cast<std::uint64_t>(seed * 1000));
}

double WinHost::Rnd() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
}

// ---- Loops and waits ----

bool WinHost::Pump(DWORD ms) {
  MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  MSG m{};
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      quit_ = true;
      exitCode_ = static_cast<int>(m.wParam);
      return false;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return true;
}

void WinHost::WaitProcessingEvents(int ms) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(std::max(0, ms));
  while (!quit_) {
    const ULONGLONG now = GetTickCount64();
    if (now >= until) break;
    if (!Pump(static_cast<DWORD>(until - now))) break;
  }
  // The outer loop still has to see the end.
  if (quit_) PostQuitMessage(exitCode_);
}

void WinHost::WaitUntil(const std::function<bool()>& done) {
  while (!quit_ && !done()) {
    if (!Pump(10)) break;
  }
  if (quit_) PostQuitMessage(exitCode_);
}

void WinHost::Pause(int ms) {
  // What the handler drew is painted before the pause, so every step of an animation is seen;
  // no other message (input, timers, socket, lobby) is handled meanwhile.
  ++pauses_;
  for (FormWindow* w : Windows()) {
    if (IsWindowVisible(w->Handle())) UpdateWindow(w->Handle());
  }
  Sleep(static_cast<DWORD>(std::max(0, ms)));
}

int WinHost::Run() {
  MSG m{};
  while (!quit_) {
    const BOOL r = GetMessageW(&m, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      exitCode_ = r == 0 ? static_cast<int>(m.wParam) : 1;
      break;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return exitCode_;
}

void WinHost::EndProgram(const std::string& /*reason*/) {
  // The core has logged why. Stop at once: nothing more goes out, no unload step runs.
  services_->Lobby().Listen({}, nullptr);
  services_->FlushLog();
  std::fflush(nullptr);
  ExitProcess(0);
}

void WinHost::Guard(const char* what, const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    Log("error", std::string(what) + ": " + e.what());
  }
}

// ---- Forwarded to the services ----

platform::MsgBoxResult WinHost::MessageBox(const std::string& text, const std::string& title,
                                           platform::MsgBoxButtons buttons) {
  if (unattended_) {
    return buttons == platform::MsgBoxButtons::YesNo ? platform::MsgBoxResult::Yes
                                                     : platform::MsgBoxResult::Ok;
  }
  return services_->MessageBox(text, title, buttons, MainWindow());
}

void WinHost::Log(std::string_view kind, std::string_view detail) {
  services_->Log(kind, detail);
}

bool WinHost::LogVerbose() const {
  return services_->LogVerbose();
}

bool WinHost::AnotherInstanceRunning() {
  return services_->AnotherInstanceRunning();
}

void WinHost::OpenUrl(const std::string& url) {
  services_->OpenUrl(url);
}

std::unique_ptr<platform::PropPlugin> WinHost::LoadPropPlugin() {
  return services_->LoadPropPlugin();
}

platform::ScreenSize WinHost::Screen() const {
  // In design pixels: a dense monitor shows the same table, only sharper.
  HWND probe = main_ != nullptr ? main_->Handle() : nullptr;
  const double dpr = probe != nullptr ? main_->PixelRatio() : 1.0;
  return {static_cast<int>(GetSystemMetrics(SM_CXSCREEN) / dpr),
          static_cast<int>(GetSystemMetrics(SM_CYSCREEN) / dpr)};
}

// ---- Windows ----

FormWindow& WinHost::CreateMainWindow(platform::Form& form, platform::FormEvents& events) {
  main_ = std::make_unique<FormWindow>(*this, form, &events, FormWindow::Role::Main);
  for (auto& w : forms_) w->SetOwner(main_->Handle());
  services_->MainWindowCreated(main_->Handle());
  return *main_;
}

void WinHost::ReleaseMainWindow() {
  main_.reset();
}

HWND WinHost::MainWindow() const {
  return main_ != nullptr ? main_->Handle() : nullptr;
}

void WinHost::RegisterForm(platform::Form& form, platform::FormEvents& events) {
  UnregisterForm(form);
  forms_.push_back(std::make_unique<FormWindow>(*this, form, &events, FormWindow::Role::Secondary));
  if (main_ != nullptr) forms_.back()->SetOwner(main_->Handle());
}

void WinHost::UnregisterForm(platform::Form& form) {
  std::erase_if(forms_, [&form](const auto& w) { return &w->ShownForm() == &form; });
}

FormWindow* WinHost::WindowOf(const platform::Form& form) const {
  if (main_ != nullptr && &main_->ShownForm() == &form) return main_.get();
  for (const auto& w : forms_)
    if (&w->ShownForm() == &form) return w.get();
  return nullptr;
}

std::vector<FormWindow*> WinHost::Windows() const {
  std::vector<FormWindow*> out;
  if (main_ != nullptr) out.push_back(main_.get());
  for (const auto& w : forms_) out.push_back(w.get());
  return out;
}

void WinHost::UpdateModality() {
  const std::vector<FormWindow*> all = Windows();
  FormWindow* modal = nullptr;
  for (FormWindow* w : all) {
    if (w->ShownForm().Modal() && w->ShownForm().Visible()) modal = w;
  }
  for (FormWindow* w : all) w->Enable(modal == nullptr || w == modal);
}

}  // namespace winhost
