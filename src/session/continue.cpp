#include "session/continue.h"

#include "net/net.h"
#include "platform/messages.h"
#include "score/score.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/program.h"
#include "session/table_reset.h"
#include "ui/messages.h"
#include "ui/ui.h"

namespace session {

namespace {

constexpr int kContinueSeconds = 15;

// The player is ready for the next hand: the countdown stops, the button counts as used whether
// or not the table still had to be cleared (the ready message goes out once, and a later press
// must not send it again), and the server hears it.
void ContinueToNextHand(Client& c) {
  score::StopContinueCountdown(c.scoreCtx);
  UseContinueButton(c);
  ResetTableIfDue(c);
  SendReady(c);
}

// The game is over for this table: the button takes the player back to the lobby.
void LeaveFinishedGame(Client& c) {
  session::DropConnection(c);
  ResetTable(c);
  // The next table starts with a reset due.
  MarkTableResetDue(c.disp);
  if (session::LobbyExists(c)) {
    c.MainForm.SetState(platform::WindowState::Minimized);
    session::RestoreLobby(c);
  } else {
    platform::EndProgram(c.host, "the game is over and the lobby window is gone");
  }
}

}  // namespace

void ArmContinue(Client& c) {
  c.net.InHand = false;
  MarkTableResetDue(c.disp);
  if (c.score.ClosingHandEnd) return;
  ui::SysmsgClear(c.MainForm, 0);
  ui::SysmsgAdd(c.MainForm, c.host, 0, "请点击【继续】按钮继续游戏！");
  c.ui.ButtonState[2] = 0;
  ui::SysmsgClear(c.MainForm, 1);
  ui::SysmsgAdd(c.MainForm, c.host, 1, "游戏将在15秒内开始");
  if (!c.table.WatchMode && !c.score.GameEnded) {
    score::StartContinueCountdown(c.scoreCtx, kContinueSeconds);
  }
}

void Continue(Client& c) {
  score::HideResultWindows(c.scoreCtx);
  if (c.disp.GameOver) {
    LeaveFinishedGame(c);
    return;
  }
  // A button not armed for this hand (before seating, or already pressed) does nothing: it must
  // neither clear the table nor turn "start" into "continue".
  if (c.ui.ButtonState[2] != 0) return;
  c.ui.StartPending = false;
  auto& f = c.MainForm;
  f.OK(0).SetVisible(true);
  f.OK(0).ZOrder(0);
  ContinueToNextHand(c);
}

void ReadyClockSecond(Client& c) {
  if (!score::CountReadySecond(c.scoreCtx)) return;
  // As the continue button: the next hand is not dealt under the sheet.
  score::HideResultWindows(c.scoreCtx);
  ContinueToNextHand(c);
}

void UseContinueButton(Client& c) {
  c.MainForm.AnNiu(2).SetPicture(ui::ButtonPicture(c.table, 6));
  c.ui.ButtonState[2] = -1;
}

void SendReady(Client& c) {
  wire::NetMsg m;
  m.Cmd = wire::Num(wire::Cmd::TableStatus);
  m.Seat = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  m.Value = {0, 0, 0, 1};
  net::SendFrame(c.netCtx, m);
  ui::StartSeatChangeIfPending(c.uiCtx);
}

}  // namespace session
