#include "app/client.h"
#include "play/play.h"

namespace play {

// The turn commands are mirrored on the table once the turn flow is built.
void OnDeal(Client& /*c*/) {}
void OnDiscardCmd(Client& /*c*/) {}
void OnDraw(Client& /*c*/) {}
void OnClaimResult(Client& /*c*/) {}
void OnWildTile(Client& /*c*/) {}
void OnReveal(Client& /*c*/) {}

void BlinkStep(Client& c) {
  if (c.play.DiscardBlinkLeft > 0) --c.play.DiscardBlinkLeft;
}

void TurnClockSecond(Client& c) {
  ClockTick(c);
}

void HideBubble(Client& c) {
  c.MainForm.Speak(c.table.BubblePos).SetVisible(false);
}

}  // namespace play
