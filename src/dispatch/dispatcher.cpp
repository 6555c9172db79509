#include <exception>

#include "app/app.h"
#include "app/client.h"
#include "dispatch/dispatch.h"
#include "net/net.h"
#include "play/play.h"
#include "props/props.h"
#include "score/score.h"
#include "view/view.h"
#include "wire/commands.h"

namespace dispatch {

namespace {

void PassToPlugin(Client& c) {
  if (c.props.Prop_GameDllState > 0) {
    props::RecMsg(c, c.net.RecvFrame);
  } else if (c.host.LogVerbose()) {
    // Its own kind: a "recv" line stands for one received frame, already logged by the decoder.
    c.host.Log("dropped", std::to_string(c.net.LastMsg.Cmd) + " (no plug-in)");
  }
}

void RunHandler(Client& c, int cmd) {
  using wire::Cmd;
  switch (static_cast<Cmd>(cmd)) {
    case Cmd::Deal:
      play::OnDeal(c);
      break;
    case Cmd::Discard:
      play::OnDiscardCmd(c);
      break;
    case Cmd::SeatNames:
      OnSeatNames(c);
      break;
    case Cmd::HandStart:
      OnHandStart(c);
      break;
    case Cmd::Draw:
      play::OnDraw(c);
      break;
    case Cmd::Prompt:
      view::OnDecisionPrompt(c);
      break;
    case Cmd::ClaimResult:
      play::OnClaimResult(c);
      break;
    case Cmd::HandResult:
      EnableBarAfterResume(c);
      score::OnHandResult(c);
      break;
    case Cmd::WildTile:
      play::OnWildTile(c);
      break;
    case Cmd::Reveal:
      play::OnReveal(c);
      break;
    case Cmd::TableStatus:
      OnTableStatus(c);
      break;
    case Cmd::WinDetail:
      score::OnWinDetail(c);
      break;
    case Cmd::LoginResult:
      OnLoginResult(c);
      break;
    case Cmd::Chat:
      break;  // the decoder already showed the line or handed the frame on
    case Cmd::PlayerInfo:
      OnPlayerInfo(c);
      break;
    case Cmd::PlayerLeft:
      OnPlayerLeft(c);
      break;
    case Cmd::TableClosed:
      OnTableClosed(c);
      break;
    case Cmd::PlayerReady:
      OnPlayerReady(c);
      break;
    case Cmd::ReconnectResult:
      net::OnReconnectResult(c);
      break;
    case Cmd::Snapshot:
      view::OnSnapshot(c);
      break;
    case Cmd::HandResume:
      OnHandResume(c);
      break;
    case Cmd::PropScores:
      // Scores are announced to a running plug-in only; without one nothing waits for them.
      if (props::Active(c)) props::MarkScorePending(c);
      PassToPlugin(c);
      break;
    case Cmd::OwnGold:
      OnOwnGold(c);
      break;
    case Cmd::OtherGold:
      OnOtherGold(c);
      break;
    default:
      PassToPlugin(c);
      break;
  }
}

}  // namespace

void Dispatch(Client& c, wire::NetMsg& msg) {
  if (msg.Cmd != wire::Num(wire::Cmd::ReconnectResult)) {
    c.net.SessionKey[0] = c.net.RecvFrame[wire::kOffKey];
    c.net.SessionKey[1] = c.net.RecvFrame[wire::kOffKey + 1];
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
