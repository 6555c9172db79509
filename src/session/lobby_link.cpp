#include <exception>

#include "net/net.h"
#include "platform/lobby.h"
#include "platform/messages.h"
#include "props/props.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/control_bar.h"
#include "session/dispatch.h"
#include "session/program.h"
#include "session/seat_common.h"
#include "session/table_reset.h"
#include "ui/ui.h"
#include "view/view.h"

namespace session {

namespace {

constexpr int kKeyF1 = 112;
constexpr int kKeyF6 = 117;

std::string Trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// endCause: the program is ending anyway, for this reason; a missing lobby then does not hide it.
void SysCommandToLobby(Client& c, std::int32_t command, const char* what,
                       const std::string* endCause = nullptr) {
  if (Trimmed(c.app.LobbyTitle).empty()) return;
  auto& lobby = c.host.Lobby();
  if (!lobby.FindWindow(c.app.LobbyTitle)) {
    c.host.Log("lobby-out", std::string(what) + " not found");
    const std::string gone = "the lobby window \"" + c.app.LobbyTitle + "\" is gone";
    platform::EndProgram(c.host, endCause != nullptr ? *endCause + " (and " + gone + ")" : gone);
  }
  c.host.Log("lobby-out", std::string(what));
  lobby.SendMessage(c.app.LobbyTitle, platform::kWmSysCommand, command, 0);
}

// The player goes: tell the server when connected, then drop the connection.
void LeaveNow(Client& c) {
  if (c.host.Winsock1().State() == platform::kSockConnected) {
    c.net.TaskOn[net::kTaskWatch] = false;
    c.net.TaskTick[net::kTaskWatch] = 0;
    session::LeaveTable(c);
  }
  session::DropConnection(c);
  session::HideTableWindows(c);
}

// Runs one step of a sequence whose steps may each fail on their own.
template <typename F>
void Try(Client& c, const char* step, F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    c.host.Log("error", std::string(step) + ": " + e.what());
  }
}

}  // namespace

bool LobbyExists(Client& c) {
  return c.host.Lobby().FindWindow(c.app.LobbyTitle);
}

void RestoreLobby(Client& c) {
  SysCommandToLobby(c, platform::kScRestore, "274 restore");
}

void RestoreLobbyAndEnd(Client& c, const std::string& reason) {
  SysCommandToLobby(c, platform::kScRestore, "274 restore", &reason);
  platform::EndProgram(c.host, reason);
}

void MinimizeLobby(Client& c) {
  SysCommandToLobby(c, platform::kScMinimize, "274 minimise");
}

void PostToLobby(Client& c, std::uint32_t msg) {
  auto& lobby = c.host.Lobby();
  if (!lobby.FindWindow(c.app.LobbyTitle)) {
    c.host.Log("lobby-out", std::to_string(msg) + " not found");
    return;
  }
  c.host.Log("lobby-out", std::to_string(msg));
  lobby.PostMessage(c.app.LobbyTitle, msg, 0, 0);
}

void BackToLobby(Client& c) {
  if (!LobbyExists(c))
    platform::EndProgram(c.host, "the lobby window \"" + c.app.LobbyTitle + "\" is gone");
  c.MainForm.SetState(platform::WindowState::Minimized);
  session::HideTableWindows(c);
  RestoreLobby(c);
}

std::int32_t GameWndProc(Client& c, std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) {
  switch (msg) {
    case platform::kLobbyHandQuery:
    case platform::kLobbyMayLeave:
    case platform::kLobbyLeaveNow:
    case platform::kLobbyConnect:
      // The lobby hears back by posted messages only, so the answer may wait for a running tick.
      session::RunOutsideTick(c, [&c, msg] { LobbyMessage(c, msg); });
      return 0;
    default:
      // Everything else belongs to the window's previous procedure, which the host keeps.
      return c.host.Lobby().DefaultWindowProc(msg, wParam, lParam);
  }
}

void LobbyMessage(Client& c, std::uint32_t msg) {
  switch (msg) {
    case platform::kLobbyHandQuery:
      if (!LobbyExists(c)) return;
      PostToLobby(c, c.net.InHand ? platform::kClientInHand : platform::kClientIdle);
      return;
    case platform::kLobbyMayLeave:
      if (!LobbyExists(c)) return;
      if (c.net.LoginPending) {
        PostToLobby(c, platform::kClientLoginPending);
      } else if (c.net.InHand) {
        PostToLobby(c, platform::kClientInHand);
      } else {
        LeaveNow(c);
        session::ResetTableDisplay(c);
        PostToLobby(c, platform::kClientIdle);
      }
      return;
    case platform::kLobbyLeaveNow:
      LeaveNow(c);
      return;
    case platform::kLobbyConnect: {
      // A resumed hand the player left switched the bar off; the new table starts with it on.
      // The start button first: a connection that fails at once hands the player back to the
      // lobby with the button as the failure left it.
      session::EnableBarAfterResume(c);
      c.ui.ButtonState[2] = 0;
      c.MainForm.AnNiu(2).SetPicture(ui::ButtonPicture(c.table, 4));
      c.MainForm.Time_Img.SetVisible(false);
      c.MainForm.Number.SetVisible(false);
      c.net.DirectLink = true;
      c.net.LoginPending = true;
      c.net.LobbyConnect = true;
      if (c.app.ProxyKind == 0) {
        net::ResetRings(c.net);
        auto& sock = c.host.Winsock1();
        if (sock.State() != platform::kSockClosed) sock.Close();
        c.net.LoginFrame[wire::kOffCmd] = 18;  // a login again, even after a reconnection
        session::OpenDirect(c);
      } else if (c.app.ProxyKind == 5) {
        c.net.TaskOn[net::kTaskLogin] = false;
        c.net.LoginFrame[wire::kOffCmd] = 18;
        session::StartProxy(c, /*keepQueued=*/false);
      }
      return;
    }
    default:
      return;
  }
}

void Form_KeyDown(Client& c, platform::Form& received, int keyCode) {
  if ((keyCode == kKeyF1 || !c.app.ChatFocused) && c.props.Prop_GameDllState > 0 &&
      keyCode >= kKeyF1 && keyCode <= kKeyF6) {
    Try(c, "SetKeyDown", [&] { props::SetKeyDown(c, keyCode); });
  }
  if (keyCode != kKeyF1) return;
  Try(c, "boss mode", [&] { c.table.BossMode = true; });
  Try(c, "hide windows", [&] { session::HideTableWindows(c); });
  Try(c, "minimise", [&] { received.SetState(platform::WindowState::Minimized); });
  Try(c, "minimise lobby", [&] { MinimizeLobby(c); });
}

void TableBossKey(Client& c, bool tellPlugin) {
  Try(c, "boss mode", [&] { c.table.BossMode = true; });
  Try(c, "hide windows", [&] { session::HideTableWindows(c); });
  c.table.DefaultCountdown = 0;
  if (tellPlugin && props::Active(c)) Try(c, "SetKeyDown", [&] { props::SetKeyDown(c, kKeyF1); });
  Try(c, "minimise", [&] { c.MainForm.SetState(platform::WindowState::Minimized); });
  Try(c, "minimise lobby", [&] { MinimizeLobby(c); });
}

void Chat_KeyDown(Client& c, int keyCode) {
  // Unlike the form's keys, the chat box hands every function key to the plug-in, focused or not.
  const bool functionKey = keyCode >= kKeyF1 && keyCode <= kKeyF6;
  if (functionKey && c.props.Prop_GameDllState > 0) {
    Try(c, "SetKeyDown", [&] { props::SetKeyDown(c, keyCode); });
  }
  if (keyCode == kKeyF1) TableBossKey(c, /*tellPlugin=*/false);
}

void Form_KeyDown(Client& c, int keyCode) {
  Form_KeyDown(c, c.MainForm, keyCode);
}

void Form_Resize(Client& c) {
  if (c.MainForm.State() == platform::WindowState::Minimized) return;
  Try(c, "to front", [&] {
    c.MainForm.SetTopmost(true);
    c.MainForm.SetTopmost(false);
  });
  if (c.table.BossMode) {
    c.table.DefaultCountdown = 8;
    c.table.BossMode = false;
  }
  // ChatFocused follows the box's own focus events: asking for the focus does not always get it.
  Try(c, "chat focus", [&] { c.MainForm.SetFocus(&c.MainForm.Chat); });
  Try(c, "minimise lobby", [&] { MinimizeLobby(c); });
  c.table.TimeoutCount = 0;
  if (c.props.Prop_GameDllState > 0) Try(c, "FixBuffPos", [&] { props::FixBuffPos(c); });
}

}  // namespace session
