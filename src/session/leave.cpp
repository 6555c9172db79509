#include "chat/chat.h"
#include "net/net.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/control_bar.h"
#include "session/table_reset.h"
#include "ui/messages.h"
#include "ui/ui.h"
#include "view/view.h"

namespace session {

namespace {

void AllTasksOff(net::NetState& n) {
  n.TaskOn.fill(false);
  n.TaskTick[net::kTaskWatch] = 0;
}

}  // namespace

void LeaveTable(Client& c) {
  wire::Frame f{};
  f[wire::kOffCmd] = wire::Num(wire::Cmd::TableStatus);
  f[wire::kOffSeat] = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  if (c.host.Winsock1().State() == platform::kSockConnected) SendDirect(c, f);
  net::NetState& n = c.net;
  n.TaskOn[net::kTaskSend] = n.TaskOn[net::kTaskRecv] = n.TaskOn[net::kTaskLogin] = false;
  n.TaskOn[net::kTaskBlink] = n.TaskOn[net::kTaskWatch] = false;
  n.TaskTick[net::kTaskWatch] = 0;
  n.TaskOn[net::kTaskTurnClock] = n.TaskOn[net::kTaskReadyClock] = false;
  c.table.BubbleOn = false;
  c.TimerBong.SetEnabled(false);
  c.TimerKeepAlive.SetEnabled(false);
  c.host.WaitProcessingEvents(n.Reconnected ? 800 : 400);
  n.g_bCanRecon = false;
  ui::StopSeatChange(c.uiCtx);
}

void DropConnection(Client& c) {
  net::NetState& n = c.net;
  n.InHand = false;
  c.ui.ButtonState[2] = -1;
  AllTasksOff(n);
  c.table.BubbleOn = false;
  c.TimerBong.SetEnabled(false);
  c.TimerKeepAlive.SetEnabled(false);
  ui::SysmsgClear(c.MainForm, 0);
  ui::SysmsgClear(c.MainForm, 1);
  n.HoldQuit = false;
  n.HeldHead = n.HeldCount = 0;  // held frames belonged to the dropped connection
  score::DeleteMatchRecords(c.scoreCtx);
  platform::Socket& sock = c.host.Winsock1();
  sock.Close();
  n.LoginPending = false;
  c.host.WaitUntil([&sock] { return sock.State() != platform::kSockConnected; });

  for (int p = 0; p < 4; ++p) {
    c.MainForm.Tou(p).SetPicture(0);
    c.MainForm.Nid(p).SetCaption("");
    c.MainForm.Cash(p).SetCaption("");
    c.MainForm.Level(p).SetCaption("");
    c.MainForm.imgTing(p).SetVisible(false);
    c.MainForm.OK(p).SetVisible(false);
    c.MainForm.Speak(p).SetVisible(false);
    auto& hand = c.table.Hand.at(static_cast<std::size_t>(p));
    hand.Account.clear();
    hand.SeatBit = 0;
    c.table.Player.at(static_cast<std::size_t>(p)) = {};
    score::ClearSeatEntries(c.scoreCtx, p);
  }
  chat::ClearChatList(c.Talk);
  c.disp.SeatedOthers = 0;
  n.InHand = false;
  c.table.TimeoutCount = 0;
  MarkTableResetDue(c.disp);
  c.table.HandNumber = 0;
  c.ui.StartPending = true;
  if (props::Active(c)) props::Shutdown(c);
  c.MainForm.SetState(platform::WindowState::Minimized);
  UnloadLeaveDialog(c);
  // A reconnection under way belongs to the table just given up.
  UnloadReconnect(c);
  n.RejoinPending = false;
  // So does a result half received or waiting for the prop step.
  c.props.ResultPending = c.props.ScorePending = c.props.DrawPending = false;
  c.score.SeatResultCount = c.score.WinDetailCount = 0;
  c.TimerProxy.SetEnabled(false);
  session::ShowLinkState(c);
  c.MainForm.lbwealth.SetCaption("0");
  c.MainForm.lbwealth.SetVisible(false);
  c.MainForm.Imgwealth.SetVisible(false);
  c.props.WealthValue.fill(0);
}

}  // namespace session
