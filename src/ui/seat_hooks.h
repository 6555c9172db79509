#pragma once
// Dialogs, animations and sound settings the seating and table commands call on. Until their
// owners take them over, each one records that it was asked for.
#include <string>

class Client;

namespace ui {

// The rules window is unloaded when the player leaves the table.
void UnloadRules(Client& c);
// The seat-change animation with its caption timer; the seat change is pending until the
// next hand is set up.
void StartSeatChange(Client& c);
// After the ready message: the seat-change animation, when a seat change is pending.
void StartSeatChangeIfPending(Client& c);

}  // namespace ui
