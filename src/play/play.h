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

// ---- Claims, gangs, ting and the player's moves ----
// Finds the sequences that claim tile d; sends the only one at once or shows the choice.
void FindChiPairs(Client& c, int d);
// Finds the tiles of each offered gang; sends the only one at once or shows the choice.
void FindGangSlots(Client& c);
void StartTing(Client& c);
// The ting window's choice: 0 open ting, 1 closed ting.
void TingDialogChoice(Client& c, int k);

// Move frames, with their local slot changes.
void SendChi(Client& c, int a, int b);
void SendPeng(Client& c, int d);
void SendExposedGang(Client& c, int a);
void SendConcealedGang(Client& c, int a);
void SendSingleGang(Client& c, int a);
void SendHu(Client& c);
void SendPass(Client& c);
void SendDiscardFrame(Client& c, int code);

// Buttons and choice pictures.
void Operation_Click(Client& c, int b);
void Chi_Click(Client& c, int k);
void Gang_Click(Client& c, int k);

// The decision clock's second and the move made when it runs out.
void ClockTick(Client& c);
void AutoAct(Client& c);

}  // namespace play
