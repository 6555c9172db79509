#pragma once
// Turn flow: the turn commands, the blink, the decision clock and the speech bubble.
class Client;

namespace play {

void OnDeal(Client& c);         // 1
void OnDiscardCmd(Client& c);   // 2
void OnDraw(Client& c);         // 5
void OnClaimResult(Client& c);  // 7
void OnWildTile(Client& c);     // 14
void OnReveal(Client& c);       // 15

// Scheduler steps.
void BlinkStep(Client& c);
void TurnClockSecond(Client& c);
void HideBubble(Client& c);

}  // namespace play
