#pragma once
// The end of a hand across the subsystems: the result groups, the sheets with the prop
// plug-in's lines and prizes, the continue step armed, and the next hand's start closing it.
#include "wire/messages.h"

class Client;

namespace session {

// Command 17: a seat's result; the fourth of a drawn hand shows the draw sheet.
void OnHandResult(Client& c, const wire::HandResult& m);
// Command 18: a seat's win detail; the fourth shows the score sheet.
void OnWinDetail(Client& c, const wire::WinDetail& m);
// A won hand's sheet, the prop plug-in's lines and prizes in it.
void ShowScoreSheet(Client& c);
// A drawn hand's sheet; with props, each column gets the plug-in's lines as they stand and the
// prize of its chest becomes the hand's score.
void ShowDrawSheet(Client& c, bool withProps);
// The next hand is dealt: what is left of the last hand's end (a result waiting for the prop
// step, a result group cut short, the sheet, the history, the continue countdown) is finished
// and put away, so nothing of it lands inside the new hand.
void CloseHandEnd(Client& c);

}  // namespace session
