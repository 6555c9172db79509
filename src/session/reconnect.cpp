#include "session/reconnect.h"

#include <string>

#include "assets/picture_ids.h"
#include "net/net.h"
#include "platform/messages.h"
#include "props/props.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/control_bar.h"
#include "session/program.h"
#include "session/seat_common.h"
#include "session/table_reset.h"
#include "ui/messages.h"
#include "ui/ui.h"
#include "view/view.h"

namespace session {

namespace {

namespace pic = assets::pic;

constexpr int kLayeredOpacity = 200;
constexpr int kTicketAt = 268;

void ShowDelay(Client& c) {
  c.frmReconnect.lbTime.SetCaption(std::to_string(c.net.ReconnectDelay) + " 秒后自动重连");
}

// Whole frames still waiting are kept for dispatch; the start of a frame the lost connection
// never finished would shift every frame of the new one, so it goes.
void DropUnfinishedFrame(Client& c) {
  net::Ring& r = c.net.RecvRing;
  const int partial = r.Waiting() % wire::kFrameSize;
  if (partial == 0) return;
  c.host.Log("reconnect", "dropped " + std::to_string(partial) +
                              " bytes of a frame the lost connection left unfinished");
  r.WritePos = (r.WritePos + net::kRingSize - partial) % net::kRingSize;
}

}  // namespace

FrmReconnectT::FrmReconnectT()
    : platform::Form("frmReconnect", {0, 0, 260, 130}),
      lbTime(AddLabel("lbTime", {0, 30, 260, 24})),
      pbReconnect(AddImage("pbReconnect", {30, 80, 80, 30})),
      pbCancel(AddImage("pbCancel", {150, 80, 80, 30})) {
  SetCaption("重新连接");
  SetPicture(pic::kReconnectPanel);
  lbTime.SetAlignment(platform::Align::Center);
  lbTime.SetFontSize(11);
  lbTime.SetForeColor(0xFFF2C0);
  pbReconnect.SetMousePointer(platform::kPointerHand);
  pbCancel.SetMousePointer(platform::kPointerHand);
}

void FrmReconnectEvents::OnClick(platform::Control* control) {
  if (control == &c_.frmReconnect.pbReconnect) {
    pbReconnect_Click(c_);
  } else if (control == &c_.frmReconnect.pbCancel) {
    // Giving up may clear the table: never under a handler that waits inside a tick.
    RunOutsideTick(c_, [&c = c_] { pbCancel_Click(c); });
  }
}

void StartReconnect(Client& c) {
  c.host.Log("reconnect", "connection lost; reconnecting");
  c.net.FirstConnect = false;
  const int tried = c.net.RejoinPending ? c.net.ReconnectTries : 0;
  LoadReconnect(c);
  c.net.ReconnectTries = tried;
  c.net.RejoinPending = true;
  session::ShowLinkState(c);
}

void StartConnectRetries(Client& c) {
  LoadReconnect(c);
  c.net.FirstConnect = true;
  // No countdown before the next attempt: the connection has only just been asked for.
  c.TimerReconnect.SetEnabled(false);
  c.TimerCount.SetEnabled(true);
}

void LoadReconnect(Client& c) {
  auto& f = c.frmReconnect;
  f.SetOpacity(kLayeredOpacity);
  f.pbReconnect.SetPicture(pic::kReconnectNow);
  f.pbCancel.SetPicture(pic::kReconnectCancel);
  f.Loaded = true;
  c.net.ReconnectTries = 0;
  c.net.ReconnectDelay = 1;
  ShowDelay(c);
  c.TimerReconnect.SetEnabled(true);
  c.TimerCount.SetEnabled(false);
}

void UnloadReconnect(Client& c) {
  c.TimerReconnect.SetEnabled(false);
  c.TimerCount.SetEnabled(false);
  c.frmReconnect.SetVisible(false);
  const bool was = c.frmReconnect.Loaded;
  c.frmReconnect.Loaded = false;
  if (was) session::ShowLinkState(c);
}

void TimerReconnect_Timer(Client& c) {
  net::NetState& n = c.net;
  n.ReconnectDelay -= 1;
  ShowDelay(c);
  if (n.ReconnectDelay < 1) {
    c.TimerReconnect.SetEnabled(false);
    n.ReconnectDelay = 1;
    ShowDelay(c);
    c.TimerCount.SetEnabled(true);
  }
}

void pbReconnect_Click(Client& c) {
  c.TimerReconnect.SetEnabled(false);
  c.net.ReconnectDelay = 1;
  ShowDelay(c);
  c.TimerCount.SetEnabled(true);
  c.frmReconnect.SetVisible(false);
}

void TimerCount_Timer(Client& c) {
  net::NetState& n = c.net;
  // Through a proxy the connection is there once its tunnel is open, not when the proxy answers.
  if (c.host.Winsock1().State() == platform::kSockConnected && n.DirectLink) {
    c.TimerCount.SetEnabled(false);
    UnloadReconnect(c);
    return;
  }
  // A proxy handshake still under way now is given up by the next attempt (StartProxy), so the
  // attempts keep their rhythm whatever the proxy does.
  if (n.ReconnectTries < kReconnectAttempts) {
    n.ReconnectTries += 1;
    session::ShowLinkState(c);
    if (n.FirstConnect) {
      // Start-up's own connection: the same attempts, its own texts.
      c.host.Log("connect", "attempt " + std::to_string(n.ReconnectTries) + " of " +
                                std::to_string(kReconnectAttempts));
      platform::Socket& sock = c.host.Winsock1();
      sock.Close();
      sock.Connect();
      n.TaskOn[net::kTaskLogin] = true;
      n.TaskTick[net::kTaskLogin] = 0;
    } else {
      Reconnect(c);
    }
    return;
  }
  c.TimerCount.SetEnabled(false);
  if (n.FirstConnect && n.LobbyConnect) {
    LobbyConnectFailed(c, "连接服务器失败，请检查您的网络！");
    return;
  }
  if (n.FirstConnect) {
    platform::ShowMessage(c.host, "连接服务器失败，请检查您的网络！", "");
    session::RestoreLobby(c);
    platform::EndProgram(c.host, "could not connect to the game server");
  }
  platform::ShowMessage(c.host, "重连失败，请检查您的网络！", "");
  session::RestoreLobby(c);
  platform::EndProgram(c.host,
                       "reconnection failed " + std::to_string(kReconnectAttempts) + " times");
}

void Reconnect(Client& c) {
  net::NetState& n = c.net;
  ui::SysmsgClear(c.MainForm, 0);
  ui::SysmsgClear(c.MainForm, 1);
  ui::SysmsgAdd(c.MainForm, c.host, 0, "正在重新连接服务器...");
  c.host.Log("reconnect", "attempt " + std::to_string(n.ReconnectTries) + " of " +
                              std::to_string(kReconnectAttempts));
  wire::Frame& f = n.LoginFrame;
  f[wire::kOffCmd] = wire::Num(wire::Cmd::ReconnectRequest);
  f[wire::kOffKey] = n.SessionKey[0];
  f[wire::kOffKey + 1] = n.SessionKey[1];
  for (int i = 0; i < 4; ++i) {
    f.at(static_cast<std::size_t>(kTicketAt + i)) =
        static_cast<std::uint8_t>((n.ReconnectTicket >> (8 * i)) & 0xFF);
  }
  n.DirectLink = true;
  platform::Socket& sock = c.host.Winsock1();
  sock.Close();
  DropUnfinishedFrame(c);
  if (c.app.ProxyKind == 0) {
    sock.SetRemote(c.app.ServerHost, c.app.ServerPort);
    sock.Connect();
    n.TaskOn[net::kTaskLogin] = true;
    n.TaskTick[net::kTaskLogin] = 0;
    n.LoginAnnounced = false;
  } else if (c.app.ProxyKind == 5) {
    n.TaskOn[net::kTaskLogin] = false;
    session::StartProxy(c, /*keepQueued=*/true);
  }
}

void LobbyConnectFailed(Client& c, const std::string& text) {
  c.host.Log("connect",
             "no connection; back to the lobby, which may send its connect message again");
  platform::ShowMessage(c.host, text, "");
  c.MainForm.SetState(platform::WindowState::Minimized);
  session::RestoreLobby(c);
  session::GiveUpTable(c);
}

void pbCancel_Click(Client& c) {
  if (c.host.Winsock1().State() != platform::kSockConnected) {
    c.MainForm.SetState(platform::WindowState::Minimized);
    session::RestoreLobby(c);
    session::GiveUpTable(c);
  }
  UnloadReconnect(c);
}

void OnReconnectResult(Client& c, const wire::ReconnectResult& m) {
  net::NetState& n = c.net;
  const int result = m.Result;
  if (result == 1) {
    ui::SysmsgClear(c.MainForm, 0);
    ui::SysmsgClear(c.MainForm, 1);
    ui::SysmsgAdd(c.MainForm, c.host, 0, "正在重连服务器，请等待...！");
    n.Online = true;
    // The request was the login of this connection: its answer has come.
    n.LoginPending = false;
    n.Reconnected = true;
    n.RejoinPending = false;
    // What was queued while the connection was down goes out now, in order.
    n.TaskOn[net::kTaskSend] = true;
    if (props::Active(c)) props::RecState(c, 3, true);
    c.host.Log("reconnect", "accepted; " + std::to_string(n.SendRing.Waiting() / wire::kFrameSize) +
                                " queued frames to send");
    session::ShowLinkState(c);
    return;
  }
  if (props::Active(c)) props::Shutdown(c);
  platform::ShowMessage(c.host, "重连服务器失败，退出后请重新入座！", "");
  session::RestoreLobby(c);
  platform::EndProgram(c.host, "the server refused the reconnection");
}

}  // namespace session
