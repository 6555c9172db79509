#include "session/hand_end.h"

#include <array>

#include "app/replay.h"
#include "net/net.h"
#include "play/play.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/continue.h"
#include "session/prop_actions.h"

namespace session {

namespace {

// A hand's results arrived: frames held back for them may go again.
void ClearHeldFrames(net::NetState& n) {
  n.HoldReadyA = n.HoldReadyB = true;
  n.HeldFrameA.fill(0);
  n.HeldFrameB.fill(0);
  n.HoldQuit = true;
}

// The prop plug-in's lines of each position go into its sheet column; returns what each chest
// added to the hand.
std::array<double, 4> TakePropLines(Client& c, bool withColour) {
  std::array<double, 4> prizes{};
  for (int p = 0; p < 4; ++p) {
    prizes.at(static_cast<std::size_t>(p)) =
        props::TakePropLines(c, p, c.Score.State(p), withColour);
  }
  return prizes;
}

}  // namespace

void OnHandResult(Client& c, const wire::HandResult& m) {
  ClearHeldFrames(c.net);
  play::StopTurnClock(c);
  if (score::TakeSeatResult(c.scoreCtx, m) != score::ResultGroup::Draw) return;
  score::SetSheetPlayers(c.scoreCtx);
  if (!props::Active(c)) {
    ShowDrawSheet(c, false);
  } else {
    // The sheet waits for the plug-in's prop step.
    props::ResultComplete(c, /*draw=*/true);
  }
  c.net.HoldQuit = false;
}

void OnWinDetail(Client& c, const wire::WinDetail& m) {
  if (!score::TakeWinDetail(c.scoreCtx, m)) return;
  if (!props::Active(c)) {
    ShowScoreSheet(c);
  } else {
    // The sheet waits for the plug-in's prop step.
    props::ResultComplete(c, /*draw=*/false);
  }
}

void ShowScoreSheet(Client& c) {
  score::WriteScoreSheet(c.scoreCtx, c.props.WealthMultipleText);
  score::FinishScoreSheet(c.scoreCtx, TakePropLines(c, /*withColour=*/true));
  ArmContinue(c);
  c.net.HoldQuit = false;
  score::SaveMatchRecord(c.scoreCtx, c.table.HandNumber);
  app::SaveHandReplay(c.app.Replay, c.app.LoginName, c.host);
}

void ShowDrawSheet(Client& c, bool withProps) {
  score::StartDrawSheet(c.scoreCtx);
  if (withProps) {
    score::FinishDrawSheet(c.scoreCtx, TakePropLines(c, /*withColour=*/false));
  } else {
    score::FinishDrawSheet(c.scoreCtx, std::nullopt);
  }
  score::SaveMatchRecord(c.scoreCtx, c.table.HandNumber);
  ArmContinue(c);
  app::SaveHandReplay(c.app.Replay, c.app.LoginName, c.host);
}

void CloseHandEnd(Client& c) {
  score::DropCutShortGroup(c.scoreCtx);
  c.score.ClosingHandEnd = true;
  CarryOut(c, props::FinishResultNow(c));
  c.score.ClosingHandEnd = false;
  score::HideResultWindows(c.scoreCtx);
  // The server has not waited for the countdown: there is nothing left to be ready for.
  if (c.net.TaskOn[net::kTaskReadyClock]) score::StopContinueCountdown(c.scoreCtx);
  // The button armed for the last hand's end counts as used: its tiles answer the mouse again.
  if (c.ui.ButtonState[2] == 0) UseContinueButton(c);
}

}  // namespace session
