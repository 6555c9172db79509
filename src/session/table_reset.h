#pragma once
// The table's reset between hands and when it is given up: one sequence that calls each
// subsystem's reset of its own state. Whether the table still has to be cleared before the next
// hand is the session's flag (DispatchState::TableResetDone), written only here.
class Client;

namespace session {

struct DispatchState;

// The table display goes back to its empty look (the choice and chat windows hidden), and a
// result waiting for the prop step goes with it.
void ResetTableDisplay(Client& c);
// The hand's table is cleared away: the table is ready for the next hand.
void ResetTable(Client& c);
// The table has changed since its last reset (a hand ended, a seat emptied): the next continue
// or deal clears it first.
void MarkTableResetDue(DispatchState& d);
// Clears the table if it has changed since its last reset; tells whether it did.
bool ResetTableIfDue(Client& c);
// The table given up: the hands and the display, without the hand's tiles and claims.
void LeaveReset(Client& c);
// The connection is dropped and the table cleared; the next table starts with a reset due.
void GiveUpTable(Client& c);
void ShowStartButtonNormal(Client& c);
bool OthersReady(Client& c);
// After a hand has been played, three ready marks mean the next hand can be laid out.
void ResetWhenOthersReady(Client& c);

}  // namespace session
