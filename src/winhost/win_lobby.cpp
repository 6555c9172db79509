#include "winhost/win_lobby.h"

#include <exception>

#include "winhost/wide.h"

namespace winhost {

namespace {

constexpr wchar_t kLinkProperty[] = L"QintaraLobbyLink";

bool IsLobbyMessage(UINT msg) {
  return msg == platform::kLobbyConnect || msg == platform::kLobbyMayLeave ||
         msg == platform::kLobbyLeaveNow || msg == platform::kLobbyHandQuery;
}

}  // namespace

std::string AnsiText(std::string_view utf8) {
  const std::wstring wide = Wide(utf8);
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, "?", nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, "?",
                      nullptr);
  return out;
}

WinLobby::~WinLobby() {
  Unhook();
}

void WinLobby::SetMainWindow(HWND main) {
  Unhook();
  main_ = main;
}

HWND WinLobby::Find(const std::string& title) const {
  // The lobby's contract: the exact title, as the single-byte code page spells it.
  return ::FindWindowA(nullptr, AnsiText(title).c_str());
}

bool WinLobby::FindWindow(const std::string& title) {
  return Find(title) != nullptr;
}

bool WinLobby::PostMessage(const std::string& title, std::uint32_t msg, std::int32_t wParam,
                           std::int32_t lParam) {
  const HWND lobby = Find(title);
  return lobby != nullptr &&
         ::PostMessageW(lobby, msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != 0;
}

std::optional<std::int32_t> WinLobby::SendMessage(const std::string& title, std::uint32_t msg,
                                                  std::int32_t wParam, std::int32_t lParam) {
  const HWND lobby = Find(title);
  if (lobby == nullptr) return std::nullopt;
  DWORD_PTR result = 0;
  // A hung lobby must not hang the table for ever; messages sent to this thread are still
  // handled while it waits.
  if (SendMessageTimeoutW(lobby, msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
                          SMTO_NORMAL, sendTimeoutMs_, &result) == 0) {
    log_("error", "lobby: no answer to " + std::to_string(msg) + " from \"" + title + "\" (" +
                      std::to_string(GetLastError()) + ")");
    return std::nullopt;
  }
  return static_cast<std::int32_t>(result);
}

void WinLobby::Listen(const std::string& /*ownTitle*/, platform::LobbyEvents* events) {
  // The lobby finds the main window by its own text; the hook only catches what it posts.
  if (events == nullptr) {
    Unhook();
    return;
  }
  events_ = events;
  if (PrevWndProc != nullptr) return;
  if (main_ == nullptr) {
    log_("error", "lobby: no main window to receive the lobby's messages");
    return;
  }
  SetPropW(main_, kLinkProperty, this);
  PrevWndProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GameWndProc)));
}

void WinLobby::Unhook() {
  events_ = nullptr;
  if (PrevWndProc == nullptr) return;
  if (IsWindow(main_)) {
    SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
    RemovePropW(main_, kLinkProperty);
  }
  PrevWndProc = nullptr;
}

std::int32_t WinLobby::DefaultWindowProc(std::uint32_t msg, std::int32_t wParam,
                                         std::int32_t lParam) {
  if (PrevWndProc == nullptr) return 0;
  return static_cast<std::int32_t>(CallWindowProcW(
      PrevWndProc, main_, msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
}

LRESULT CALLBACK WinLobby::GameWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<WinLobby*>(GetPropW(hwnd, kLinkProperty));
  if (self == nullptr || self->PrevWndProc == nullptr)
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  const WNDPROC prev = self->PrevWndProc;
  if (!IsLobbyMessage(msg) || self->events_ == nullptr) {
    // Everything else, parameters as they came (they are wider than the core's numbers).
    return CallWindowProcW(prev, hwnd, msg, wParam, lParam);
  }
  const auto w = static_cast<std::int32_t>(wParam);
  const auto l = static_cast<std::int32_t>(lParam);
  std::string line = std::to_string(msg);
  if (w != 0 || l != 0) line += ' ' + std::to_string(w) + ' ' + std::to_string(l);
  self->log_("lobby-in", line);
  try {
    return self->events_->OnWindowMessage(msg, w, l);
  } catch (const std::exception& e) {
    self->log_("error", "lobby message " + std::to_string(msg) + ": " + e.what());
    return 0;
  }
}

}  // namespace winhost
