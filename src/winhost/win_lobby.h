#pragma once
// The lobby link through real window messages: the lobby's top-level window is found by its
// exact title, compared in the system's ANSI code page (GBK on a Chinese Windows); the
// client's main window gets its procedure replaced by GameWndProc, which hands the lobby's
// four messages to the core and everything else to the procedure it replaced.
#include "winhost/win32.h"

#include <functional>
#include <string>
#include <string_view>

#include "platform/lobby.h"

namespace winhost {

class WinLobby final : public platform::LobbyLink {
 public:
  using LogFn = std::function<void(std::string_view kind, std::string_view detail)>;
  explicit WinLobby(LogFn log) : log_(std::move(log)) {}
  ~WinLobby() override;
  WinLobby(const WinLobby&) = delete;
  WinLobby& operator=(const WinLobby&) = delete;

  // The client's main window, whose procedure Listen replaces; null puts it back first.
  void SetMainWindow(HWND main);
  // How long a sent message may wait for the lobby to handle it.
  void SetSendTimeoutMs(UINT ms) { sendTimeoutMs_ = ms; }

  bool FindWindow(const std::string& title) override;
  bool PostMessage(const std::string& title, std::uint32_t msg, std::int32_t wParam,
                   std::int32_t lParam) override;
  std::optional<std::int32_t> SendMessage(const std::string& title, std::uint32_t msg,
                                          std::int32_t wParam, std::int32_t lParam) override;
  void Listen(const std::string& ownTitle, platform::LobbyEvents* events) override;
  std::int32_t DefaultWindowProc(std::uint32_t msg, std::int32_t wParam,
                                 std::int32_t lParam) override;

  bool Hooked() const { return PrevWndProc != nullptr; }

 private:
  static LRESULT CALLBACK GameWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND Find(const std::string& title) const;
  void Unhook();

  LogFn log_;
  UINT sendTimeoutMs_ = 10000;
  HWND main_ = nullptr;
  WNDPROC PrevWndProc = nullptr;
  platform::LobbyEvents* events_ = nullptr;
};

// A UTF-8 text in the system's ANSI code page; characters it lacks become '?'.
std::string AnsiText(std::string_view utf8);

}  // namespace winhost
