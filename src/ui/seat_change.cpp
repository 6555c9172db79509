// The seat-change animation: a picture and a caption whose dots grow while the server seats the
// players anew between hands.
#include "session/client.h"
#include "ui/ui.h"
#include "view/view.h"

namespace ui {

void StartSeatChange(Client& c) {
  auto& f = c.MainForm;
  auto& u = c.ui;
  u.SeatChangePending = true;
  // Over the middle of the table, at the table's scale.
  f.ImgShuffle.Move(view::Sx(c, 352), view::Sy(c, 264), view::Sx(c, 320), view::Sy(c, 150));
  f.LblShuffle.Move(view::Sx(c, 436), view::Sy(c, 384), view::Sx(c, 200), view::Sy(c, 28));
  f.ImgShuffle.SetVisible(true);
  f.ImgShuffle.ZOrder(0);
  f.LblShuffle.SetCaption(c.app.SeatChangeText[0]);
  f.LblShuffle.SetVisible(true);
  f.LblShuffle.ZOrder(0);
  u.ShufflePos = 1;
  c.TimerShuffle.SetInterval(300);
  c.TimerShuffle.SetEnabled(true);
}

void StartSeatChangeIfPending(Client& c) {
  if (c.ui.SeatChangePending && !c.TimerShuffle.Enabled()) StartSeatChange(c);
}

void TimerShuffle_Timer(Client& c) {
  auto& u = c.ui;
  const auto& text = c.app.SeatChangeText;
  if (u.ShufflePos < 0 || u.ShufflePos >= static_cast<int>(text.size())) u.ShufflePos = 0;
  c.MainForm.LblShuffle.SetCaption(text.at(static_cast<std::size_t>(u.ShufflePos)));
  u.ShufflePos = (u.ShufflePos + 1) % static_cast<int>(text.size());
}

void StopSeatChange(Client& c) {
  c.TimerShuffle.SetEnabled(false);
  c.MainForm.ImgShuffle.SetVisible(false);
  c.MainForm.LblShuffle.SetVisible(false);
  c.ui.ShufflePos = 0;
  c.ui.SeatChangePending = false;
}

}  // namespace ui
