#pragma once
// Small steps the move handlers, the ting choice and the automatic play share.
#include <functional>

class Client;

namespace play {

// Stops the decision clock and hides it; the countdown returns to its default.
void StopClock(Client& c);
// Starts the own clock again from its default (one second in boss mode).
void RestartOwnClock(Client& c);
// The Chi and Gang choice pictures are disabled and hidden.
void HideChoices(Client& c);
// Every Operation button gets its disabled picture and is disabled; hidden as well when hide.
void DisableButtons(Client& c, bool hide);
// Runs an input handler: a failure is logged and the player plays on.
void Guarded(Client& c, const char* what, const std::function<void()>& step);
// The pressed claim finds no own tiles for it (the hand and the prompt disagree): a claim
// prompt is answered with a pass; on the own turn the player is left to discard.
void NoTilesForMove(Client& c, const char* move);

}  // namespace play
