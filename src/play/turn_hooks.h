#pragma once
// Score-sheet calls of the turn flow. Until their owners take them over, each one
// records that it was asked for.
#include <string>

class Client;

namespace play {

// The score window marks the first winner of the hand.
void MarkScoreWinner(Client& c, int pos);

}  // namespace play
