#include "session/control_bar.h"

#include "app/client_files.h"
#include "chat/chat.h"
#include "net/net.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/continue.h"
#include "session/dialogs.h"
#include "session/reconnect.h"
#include "ui/ui.h"

namespace session {

void AnNiu_Click(Client& c, int i) {
  // Settings, score, all hands and rules open windows of their own: the bank gives way (the exit
  // dialog's toggle tells it itself).
  if (i == 3 || (i >= 5 && i <= 7)) props::SetBankState(c, 2);
  switch (i) {
    case 0:
      chat::SendChatLine(c.chatCtx);
      break;
    case 1:
      chat::ToggleHistory(c.chatCtx);
      break;
    case 2:
      session::Continue(c);
      break;
    case 3:
      ui::ToggleSettings(c.uiCtx);
      break;
    case 4:
      MinimiseTable(c);
      break;
    case 5:
      ToggleScore(c);
      break;
    case 6:
      ToggleHero(c);
      break;
    case 7:
      ToggleRules(c);
      break;
    case 8:
      ToggleExitDialog(c);
      break;
    default:
      break;
  }
}

void TitleButton_Click(Client& c, int which) {
  if (which == 0) {
    ToggleExitDialog(c);
  } else {
    c.MainForm.SetState(platform::WindowState::Minimized);
    MinimiseTable(c);
  }
}

bool LbMove_MouseDown(Client& c, int button) {
  if (button != 1) return false;
  chat::HideTalk(c.Talk);
  chat::HidePhrases(c.huifu);
  ui::LbMove_StartDrag(c.MainForm);
  return true;
}

void AfterDrag(Client& c) {
  // The page follows the window, a twip lower than where it opened.
  if (c.rule.Visible()) ui::CentreRules(c.uiCtx, 1);
  CentreDialogs(c);
  // The other open windows keep their places over the table as well.
  if (c.VosSet.Visible()) ui::PlaceSettings(c.uiCtx);
  if (c.Score.Visible()) score::CentreOverTable(c.scoreCtx, false, true);
  if (c.Hero.Visible()) score::CentreOverTable(c.scoreCtx, false, false);
  score::HidePlayerCard(c.Information);
}

void HideTableWindows(Client& c) {
  c.Information.SetVisible(false);
  chat::HideTalk(c.Talk);
  chat::HidePhrases(c.huifu);
  ui::HideSoundForms(c.uiCtx);
  UnloadExitDialog(c);
  c.Hero.SetVisible(false);
  c.Score.SetVisible(false);
}

void MinimiseTable(Client& c) {
  c.MainForm.SetState(platform::WindowState::Minimized);
  HideTableWindows(c);
}

void ToggleScore(Client& c) {
  if (c.Score.Visible()) {
    c.Score.SetVisible(false);
  } else {
    // During a hand the last finished one is shown.
    score::LoadMatchRecord(c.scoreCtx, c.table.HandNumber - (c.score.HandInProgress ? 1 : 0));
    score::CentreOverTable(c.scoreCtx, true, true);
  }
}

void ToggleHero(Client& c) {
  if (c.Hero.Visible()) {
    c.Hero.SetVisible(false);
  } else {
    score::ShowHistory(c.scoreCtx);
  }
}

void ToggleRules(Client& c) {
  if (!c.ui.RuleLoaded) {
    ui::LoadRules(c.uiCtx, app::ReadOnlyFilePath(c.host.Disk(), app::kRulesFile));
  }
  ui::ToggleRules(c.uiCtx);
}

void ToggleExitDialog(Client& c) {
  if (props::Active(c)) props::SetBankState(c, 2);
  ShowOrHideExitDialog(c);
}

void ShowLinkState(Client& c) {
  const net::NetState& n = c.net;
  const bool retrying = c.frmReconnect.Loaded;
  const bool connected = c.host.Winsock1().State() == platform::kSockConnected;
  ui::LinkFacts facts{.tries = n.ReconnectTries,
                      .attempts = kReconnectAttempts,
                      .roundTripMs = n.RoundTripMs,
                      .firstConnect = n.FirstConnect};
  if (retrying) {
    facts.link = ui::Link::Retrying;
  } else if (connected && n.Online) {
    facts.link = ui::Link::Up;
  } else if (n.TaskOn[net::kTaskLogin] || (connected && n.LoginPending) || c.TimerProxy.Enabled()) {
    facts.link = ui::Link::Connecting;
  }
  ui::ShowLinkState(c.uiCtx, facts);
}

void LinkState_Click(Client& c) {
  auto& r = c.frmReconnect;
  if (!r.Loaded || r.Visible()) return;
  const platform::Rect m = c.MainForm.OnScreen();
  platform::Rect g = r.Geometry();
  g.left = m.left + (m.width - g.width) / 2;
  g.top = m.top + (m.height - g.height) / 2;
  r.SetGeometry(g);
  r.SetTopmost(true);
  // The player asked for it: it stays until answered, also when nobody else would answer.
  r.SetVisible(true);
}

}  // namespace session
