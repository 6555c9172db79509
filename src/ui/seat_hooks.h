#pragma once
// Dialogs, animations and sound settings the seating and table commands call on. Until their
// owners take them over, each one records that it was asked for.
#include <string>

class Client;

namespace ui {

// frmOtherExit: the notice that the table is over for this player.
void ShowLeaveDialog(Client& c, const std::string& text);
// frmExit is unloaded when a hand starts.
void UnloadExitDialog(Client& c);
// The seat-change animation with its caption timer.
void StartSeatChange(Client& c);

}  // namespace ui
