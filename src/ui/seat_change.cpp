// The seat-change animation: a picture and a caption whose dots grow while the server seats the
// players anew between hands.
#include "platform/timer.h"
#include "ui/main_form.h"
#include "ui/scale.h"
#include "ui/ui.h"
#include "ui/ui_state.h"

namespace ui {

void StartSeatChange(Ctx& c) {
  auto& f = c.MainForm;
  auto& u = c.ui;
  u.SeatChangePending = true;
  // Over the middle of the table, at the table's scale.
  f.ImgShuffle.Move(Sx(c.table, 352), Sy(c.table, 264), Sx(c.table, 320), Sy(c.table, 150));
  f.LblShuffle.Move(Sx(c.table, 436), Sy(c.table, 384), Sx(c.table, 200), Sy(c.table, 28));
  f.ImgShuffle.SetVisible(true);
  f.ImgShuffle.ZOrder(0);
  f.LblShuffle.SetCaption(c.SeatChangeText[0]);
  f.LblShuffle.SetVisible(true);
  f.LblShuffle.ZOrder(0);
  u.ShufflePos = 1;
  c.TimerShuffle.SetInterval(300);
  c.TimerShuffle.SetEnabled(true);
}

void StartSeatChangeIfPending(Ctx& c) {
  if (c.ui.SeatChangePending && !c.TimerShuffle.Enabled()) StartSeatChange(c);
}

void TimerShuffle_Timer(Ctx& c) {
  auto& u = c.ui;
  const auto& text = c.SeatChangeText;
  if (u.ShufflePos < 0 || u.ShufflePos >= static_cast<int>(text.size())) u.ShufflePos = 0;
  c.MainForm.LblShuffle.SetCaption(text.at(static_cast<std::size_t>(u.ShufflePos)));
  u.ShufflePos = (u.ShufflePos + 1) % static_cast<int>(text.size());
}

void StopSeatChange(Ctx& c) {
  c.TimerShuffle.SetEnabled(false);
  c.MainForm.ImgShuffle.SetVisible(false);
  c.MainForm.LblShuffle.SetVisible(false);
  c.ui.ShufflePos = 0;
  c.ui.SeatChangePending = false;
}

}  // namespace ui
