#include "net/net.h"
#include "platform/lobby.h"
#include "session/client.h"
#include "session/dispatch.h"
#include "session/program.h"
#include "text/gbk.h"
#include "ui/messages.h"
#include "ui/ui.h"

namespace session {

namespace {

constexpr const char* kPlatformSite = "www.vorellodge.com";

}  // namespace

void OnLoginResult(Client& c, const wire::LoginResult& m) {
  net::NetState& n = c.net;
  n.HoldReadyA = n.HoldReadyB = false;
  n.HeldFrameA.fill(0);
  n.HeldFrameB.fill(0);
  n.HoldQuit = false;
  c.disp.PlayedHand = 0;
  c.disp.PropRefresh = false;
  c.score.RunningScore.fill(0);
  c.TimerKeepAlive.SetEnabled(true);
  UnloadLeaveDialog(c);
  c.table.HandNumber = 0;
  c.ui.StartPending = true;
  n.LoginPending = false;

  const int result = m.Value[3];
  if (result == 1) {
    ui::SysmsgClear(c.MainForm, 0);
    ui::SysmsgClear(c.MainForm, 1);
    ui::SysmsgAdd(c.MainForm, c.host, 0, "连接服务器成功！");
    ui::SysmsgAdd(c.MainForm, c.host, 1, std::string("欢迎进入Qintara ") + kPlatformSite);
    session::PostToLobby(c, platform::kClientLoggedIn);
    n.Online = true;
    // Anything the player queued while the login was on its way goes out now.
    n.TaskOn[net::kTaskSend] = true;
    c.table.DefaultCountdown = m.Value[1] & 15;
    c.table.TimeoutLimit = m.Value[0];
    n.g_bCanRecon = true;
    c.disp.AdPage = text::DecodeSingleByte(m.AdPage, m.AdPage.size());
    if (!c.disp.AdPage.empty()) {
      c.disp.AdPage2 = c.disp.AdPage + ".gamead";
      ui::ShowAdvertisement(c.uiCtx, 1, c.disp.AdPage, c.disp.AdFailed);
    }
    return;
  }
  session::PostToLobby(c, platform::kClientLoggingIn);
  ui::SysmsgClear(c.MainForm, 0);
  ui::SysmsgClear(c.MainForm, 1);
  if (result == 2) {
    ui::SysmsgAdd(c.MainForm, c.host, 0, "启动游戏失败，请重新在大厅就座后进入游戏！");
  } else {
    ui::SysmsgAdd(c.MainForm, c.host, 0, "验证错误，请重新登陆游戏！");
  }
  session::RestoreLobbyAndEnd(c, "login refused (result " + std::to_string(result) + ")");
}

}  // namespace session
