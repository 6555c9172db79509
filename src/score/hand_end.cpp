#include "app/client.h"
#include "net/net.h"
#include "score/score.h"
#include "view/view.h"

namespace score {

namespace {
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kRed = 0xFF0000;  // colours are 0xRRGGBB
constexpr int kRedBelow = 6;
}  // namespace

// Filled in with the hand end.
void OnHandResult(Client& /*c*/) {}
void OnWinDetail(Client& /*c*/) {}

void SendReady(Client& c) {
  net::NetMsg m;
  m.Cmd = 16;
  m.Seat = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  m.Value = {0, 0, 0, 1};
  net::SendFrame(c, m);
}

void ReadyClockSecond(Client& c) {
  auto& t = c.table;
  auto& f = c.MainForm;
  if (t.Countdown > 0) --t.Countdown;
  f.Number.SetCaption(std::to_string(t.Countdown));
  f.Number.SetForeColor(t.Countdown < kRedBelow ? kRed : kGreen);
  if (t.Countdown > 0) return;
  f.Number.SetVisible(false);
  f.Time_Img.SetVisible(false);
  // The button counts as used whether or not the table still had to be cleared: the ready
  // message goes out once, and a later press must not send it again.
  f.AnNiu(2).SetPicture(view::ButtonPicture(c, 6));
  c.ui.ButtonState[2] = -1;
  if (!c.score.TableResetDone) {
    view::FullReset(c);
    c.score.TableResetDone = true;
  }
  SendReady(c);
  c.net.TaskOn[net::kTaskReadyClock] = false;
}

}  // namespace score
