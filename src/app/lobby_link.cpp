#include <exception>

#include "app/app.h"
#include "app/client.h"
#include "net/net.h"
#include "platform/lobby.h"
#include "props/props.h"
#include "view/view.h"

namespace app {

namespace {

constexpr int kKeyF1 = 112;
constexpr int kKeyF6 = 117;

std::string Trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

void SysCommandToLobby(Client& c, std::int32_t command, const char* what) {
  if (Trimmed(c.app.LobbyTitle).empty()) return;
  auto& lobby = c.host.Lobby();
  if (!lobby.FindWindow(c.app.LobbyTitle)) {
    c.host.Log("lobby-out", std::string(what) + " not found");
    EndProgram(c, "the lobby window \"" + c.app.LobbyTitle + "\" is gone");
  }
  c.host.Log("lobby-out", std::string(what));
  lobby.SendMessage(c.app.LobbyTitle, platform::kWmSysCommand, command, 0);
}

// The player goes: tell the server when connected, then drop the connection.
void LeaveNow(Client& c) {
  if (c.host.Winsock1().State() == platform::kSockConnected) {
    c.net.TaskOn[net::kTaskWatch] = false;
    c.net.TaskTick[net::kTaskWatch] = 0;
    net::LeaveTable(c);
  }
  net::DropConnection(c);
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
  if (!LobbyExists(c)) EndProgram(c, "the lobby window \"" + c.app.LobbyTitle + "\" is gone");
  c.MainForm.SetState(platform::WindowState::Minimized);
  RestoreLobby(c);
}

std::int32_t GameWndProc(Client& c, std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) {
  switch (msg) {
    case platform::kLobbyHandQuery:
      if (!LobbyExists(c)) return 0;
      PostToLobby(c, c.net.InHand ? platform::kClientInHand : platform::kClientIdle);
      return 0;
    case platform::kLobbyMayLeave:
      if (!LobbyExists(c)) return 0;
      if (c.net.LoginPending) {
        PostToLobby(c, platform::kClientLoginPending);
      } else if (c.net.InHand) {
        PostToLobby(c, platform::kClientInHand);
      } else {
        LeaveNow(c);
        view::ResetTableDisplay(c);
        PostToLobby(c, platform::kClientIdle);
      }
      return 0;
    case platform::kLobbyLeaveNow:
      LeaveNow(c);
      return 0;
    case platform::kLobbyConnect: {
      c.net.DirectLink = true;
      c.net.LoginPending = true;
      if (c.app.ProxyKind == 0) {
        net::ResetRings(c);
        auto& sock = c.host.Winsock1();
        if (sock.State() != platform::kSockClosed) sock.Close();
        c.net.LoginFrame[net::kOffCmd] = 18;  // a login again, even after a reconnection
        net::OpenDirect(c);
      } else if (c.app.ProxyKind == 5) {
        c.net.TaskOn[net::kTaskLogin] = false;
        StartProxyHandshake(c);
      }
      c.ui.ButtonState[2] = 0;
      c.MainForm.AnNiu(2).SetPicture(view::ButtonPicture(c, 4));
      c.MainForm.Time_Img.SetVisible(false);
      c.MainForm.Number.SetVisible(false);
      return 0;
    }
    default:
      // Everything else belongs to the window's previous procedure, which the host keeps.
      return c.host.Lobby().DefaultWindowProc(msg, wParam, lParam);
  }
}

void Form_KeyDown(Client& c, platform::Form& received, int keyCode) {
  if ((keyCode == kKeyF1 || !c.app.ChatFocused) && c.props.Prop_GameDllState > 0 &&
      keyCode >= kKeyF1 && keyCode <= kKeyF6) {
    Try(c, "SetKeyDown", [&] { props::SetKeyDown(c, keyCode); });
  }
  if (keyCode != kKeyF1) return;
  // The information, talk and reply windows join these steps once they exist.
  Try(c, "boss mode", [&] { c.table.BossMode = true; });
  Try(c, "hide settings and rules", [&] { ui::HideSoundForms(c); });
  Try(c, "minimise", [&] { received.SetState(platform::WindowState::Minimized); });
  Try(c, "minimise lobby", [&] { MinimizeLobby(c); });
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
  Try(c, "chat focus", [&] {
    c.MainForm.SetFocus(&c.MainForm.Chat);
    c.app.ChatFocused = true;
  });
  Try(c, "minimise lobby", [&] { MinimizeLobby(c); });
  c.table.TimeoutCount = 0;
  if (c.props.Prop_GameDllState > 0) Try(c, "FixBuffPos", [&] { props::FixBuffPos(c); });
}

}  // namespace app
