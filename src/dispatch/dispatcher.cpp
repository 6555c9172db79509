#include <exception>

#include "app/app.h"
#include "app/client.h"
#include "dispatch/dispatch.h"
#include "net/net.h"
#include "play/play.h"
#include "props/props.h"
#include "score/score.h"
#include "view/view.h"

namespace dispatch {

namespace {

constexpr int kReconnectResult = 29;

void PassToPlugin(Client& c) {
  if (c.props.Prop_GameDllState > 0) {
    props::RecMsg(c, c.net.RecvFrame);
  } else if (c.host.LogVerbose()) {
    // Its own kind: a "recv" line stands for one received frame, already logged by the decoder.
    c.host.Log("dropped", std::to_string(c.net.LastMsg.Cmd) + " (no plug-in)");
  }
}

void RunHandler(Client& c, int cmd) {
  switch (cmd) {
    case 1:
      play::OnDeal(c);
      break;
    case 2:
      play::OnDiscardCmd(c);
      break;
    case 3:
      OnSeatNames(c);
      break;
    case 4:
      OnHandStart(c);
      break;
    case 5:
      play::OnDraw(c);
      break;
    case 6:
      view::OnDecisionPrompt(c);
      break;
    case 7:
      play::OnClaimResult(c);
      break;
    case 9:
      EnableBarAfterResume(c);
      score::OnHandResult(c);
      break;
    case 14:
      play::OnWildTile(c);
      break;
    case 15:
      play::OnReveal(c);
      break;
    case 16:
      OnTableStatus(c);
      break;
    case 17:
      score::OnWinDetail(c);
      break;
    case 18:
      OnLoginResult(c);
      break;
    case 19:
      break;  // the decoder already showed the line or handed the frame on
    case 20:
      OnPlayerInfo(c);
      break;
    case 21:
      OnPlayerLeft(c);
      break;
    case 22:
      OnTableClosed(c);
      break;
    case 23:
      OnPlayerReady(c);
      break;
    case 29:
      net::OnReconnectResult(c);
      break;
    case 40:
      view::OnSnapshot(c);
      break;
    case 41:
      OnHandResume(c);
      break;
    case 46:
      // Scores are announced to a running plug-in only; without one nothing waits for them.
      if (props::Active(c)) props::MarkScorePending(c);
      PassToPlugin(c);
      break;
    case 91:
      OnOwnGold(c);
      break;
    case 92:
      OnOtherGold(c);
      break;
    default:
      PassToPlugin(c);
      break;
  }
}

}  // namespace

void Dispatch(Client& c, net::NetMsg& msg) {
  if (msg.Cmd != kReconnectResult) {
    c.net.SessionKey[0] = c.net.RecvFrame[net::kOffKey];
    c.net.SessionKey[1] = c.net.RecvFrame[net::kOffKey + 1];
  }
  RunGuarded(c, msg.Cmd, [&] { RunHandler(c, msg.Cmd); });
}

void RunGuarded(Client& c, int cmd, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    // A handler that trips over its frame gives the player back to the lobby and stops.
    c.host.Log("error", "command " + std::to_string(cmd) + ": " + e.what());
    app::RestoreLobbyAndEnd(c, "run-time error in command " + std::to_string(cmd));
  }
}

}  // namespace dispatch
