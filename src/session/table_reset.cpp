#include "session/table_reset.h"

#include "chat/chat.h"
#include "play/decision.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/connection.h"
#include "ui/ui.h"
#include "view/view.h"

namespace session {

namespace {

// What the other subsystems keep of a hand: the seat names of the login, the reveal rows, a
// result group half received.
void ForgetHand(Client& c) {
  for (auto& name : c.net.SeatNames) name.clear();
  c.net.InHand = false;
  // A seating sequence in progress keeps its count, or its voices would never be handed out.
  if (!c.disp.Reseating) c.disp.SeatNameCount = 0;
  for (auto& row : c.play.RevealList) row.fill(0);
  c.play.RowCount.fill(0);
  score::ForgetResultGroup(c.score);
}

}  // namespace

void ResetTableDisplay(Client& c) {
  view::ResetTableDisplay(c.viewCtx);
  play::HideChoices(c);
  chat::HideTalk(c.Talk);
  props::ForgetWaitingResult(c.props);
}

void ResetTable(Client& c) {
  view::ClearHandState(c.viewCtx);
  ResetTableDisplay(c);
  view::ResetHands(c.viewCtx);
  ForgetHand(c);
  c.disp.TableResetDone = true;
}

void MarkTableResetDue(DispatchState& d) {
  d.TableResetDone = false;
}

bool ResetTableIfDue(Client& c) {
  if (c.disp.TableResetDone) return false;
  ResetTable(c);
  return true;
}

void LeaveReset(Client& c) {
  view::ResetHands(c.viewCtx);
  ForgetHand(c);
  ResetTableDisplay(c);
}

void GiveUpTable(Client& c) {
  MarkTableResetDue(c.disp);
  session::DropConnection(c);
  LeaveReset(c);
}

void ShowStartButtonNormal(Client& c) {
  c.MainForm.AnNiu(2).SetPicture(ui::AnNiuPicture(c.uiCtx, 2, false));
}

bool OthersReady(Client& c) {
  return c.MainForm.OK(1).Visible() && c.MainForm.OK(2).Visible() && c.MainForm.OK(3).Visible();
}

void ResetWhenOthersReady(Client& c) {
  if (c.disp.PlayedHand != 1 || !OthersReady(c)) return;
  // A result still waiting for the prop step is shown from the hand's table: the others being
  // ready must not clear it first (the continue step clears it afterwards).
  if (c.props.ResultPending || c.props.ChestGameOn) return;
  ShowStartButtonNormal(c);
  ResetTable(c);
}

}  // namespace session
