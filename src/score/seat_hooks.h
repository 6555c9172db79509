#pragma once
// What the score sheet and the record window learn from the seating and table commands.
#include <string>

class Client;

namespace score {

// The score window's avatar of a position (its tag holds the face index).
void SetScoreAvatar(Client& c, int pos, int face);
// The record window's avatar and ID label of a position.
void SetRecordPlayer(Client& c, int pos, const std::string& nickName, int face);
// Shown centred over the main window, in front.
void ShowRecordWindow(Client& c);
void ShowScoreWindow(Client& c);

// The next hand is dealt: what is left of the last hand's end (a result waiting for the prop
// step, a result group cut short, the sheet, the history, the continue countdown) is finished
// and put away, so nothing of it lands inside the new hand.
void CloseHandEnd(Client& c);

}  // namespace score
