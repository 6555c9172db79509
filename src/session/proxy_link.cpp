// The proxy handshake as the session runs it: net negotiates, the session tells the player, the
// lobby and the tick what came of it.
#include "net/net.h"
#include "platform/messages.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/program.h"
#include "ui/messages.h"

namespace session {

namespace {

void ActOnProxy(Client& c, const net::ProxyOutcome& o) {
  switch (o.kind) {
    case net::ProxyOutcome::kPending:
      break;
    case net::ProxyOutcome::kFailed:
      if (c.frmReconnect.Loaded && !c.net.FirstConnect) {
        // A box at every attempt of a reconnection would pile up; its progress is in the lines.
        ui::SysmsgAdd(c.MainForm, c.host, 1, o.text);
      } else if (c.net.LobbyConnect) {
        LobbyConnectFailed(c, o.text);
      } else {
        platform::ShowMessage(c.host, o.text, "");
      }
      break;
    case net::ProxyOutcome::kOpen:
      PostToLobby(c, 771);
      ui::SysmsgClear(c.MainForm, 0);
      ui::SysmsgAdd(c.MainForm, c.host, 0, "连接代理服务器成功！");
      SendDirect(c, c.net.LoginFrame);
      c.TimerBong.SetEnabled(true);
      // What came behind the proxy's reply is the game server's.
      if (!o.rest.empty()) Winsock1_DataArrival(c, o.rest);
      break;
    case net::ProxyOutcome::kOverflow:
      RestoreLobby(c);
      platform::EndProgram(c.host, "proxy reply buffer overflow");
  }
}

}  // namespace

void StartProxy(Client& c, bool keepQueued) {
  ActOnProxy(c, net::StartProxy(c.netCtx, keepQueued));
}

void ProxyDataArrival(Client& c, std::span<const std::uint8_t> bytes) {
  ActOnProxy(c, net::ProxyDataArrival(c.netCtx, bytes));
}

void ProxyClosed(Client& c) {
  ActOnProxy(c, net::ProxyClosed(c.netCtx));
}

void TimerProxy_Timer(Client& c) {
  ActOnProxy(c, net::TimerProxy_Timer(c.netCtx));
}

}  // namespace session
