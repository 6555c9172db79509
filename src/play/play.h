#pragma once
// Turn flow: the turn commands, the blink, the decision clock and the speech bubble.
#include <array>

#include "wire/messages.h"

class Client;

namespace play {

void OnDeal(Client& c, const wire::Deal& m);
void OnDiscardCmd(Client& c, const wire::Discard& m);
void OnDraw(Client& c, const wire::Draw& m);
void OnClaimResult(Client& c, const wire::ClaimResult& m);
void OnWildTile(Client& c, const wire::WildTile& m);
void OnReveal(Client& c, const wire::Reveal& m);

// What a second of the decision clock leaves to the session.
struct ClockSecond {
  // The own clock ran out: ActOnTimeUp is due.
  bool timeUp = false;
  // Before it, the table's boss key, pressed for a player who has left the table alone.
  bool bossKey = false;
};

// Scheduler steps.
void BlinkStep(Client& c);
// A second of the decision clock; what it leaves to the session is ClockTick's.
ClockSecond TurnClockSecond(Client& c);
// The hand is over: the last prompt's clock stops, so it neither acts for the player after the
// hand nor counts down the continue countdown, which shares its number.
void StopTurnClock(Client& c);
void HideBubble(Client& c);

// ---- Turn commands ----
// The seat takes count tiles (4 at the deal, 1 at a draw) from the wall.
void TakeTiles(Client& c, int seatBit, int count, const std::array<int, 4>& tiles);
void OnDiscard(Client& c, int seatBit, int tile, const wire::TingMark& ting);
// The ting mark of the command being handled (2 or 7).
void ShowTingMark(Client& c, int pos, int cmd, const wire::TingMark& ting);
// Speech bubble of kind k at position p.
void ShowBubble(Client& c, int pos, int kind);
// The speech bubble on show, if any, in front of every tile.
void BubbleToFront(Client& c);
void PlaceIndicator(Client& c);
void ShowWildIndicator(Client& c, int ctl);
// The unclaimed last discard goes to its owner's rows.
void MoveLastDiscardToRow(Client& c);
// Notes a tile placed in the discard rows of pos (code 0: face down).
void RecordRowTile(Client& c, int pos, int ctl, int code);
// A claimed discard that already lies in its owner's row leaves it, freeing its place.
void TakeBackDiscard(Client& c);
// The claim result of command 7 for a seated player.
void OnClaim(Client& c, int kind, int seatBit, const std::array<int, 3>& tiles);

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
// The gang of a kind found for slot, with the own voice clip of that move.
void SendGang(Client& c, int slot, int kind);
void SendHu(Client& c);
void SendPass(Client& c);
void SendDiscardFrame(Client& c, int code);

// Buttons and choice pictures.
void Operation_Click(Client& c, int b);
void Chi_Click(Client& c, int k);
void Gang_Click(Client& c, int k);

// The decision clock's second and the move made when it runs out.
ClockSecond ClockTick(Client& c);
// The own clock ran out: it stops, and the client ends the ting choice, or passes what was
// offered and throws the tile drawn last when a discard is due. False when the automatic move
// failed (the log says why).
bool ActOnTimeUp(Client& c);
bool AutoAct(Client& c);

}  // namespace play
