#pragma once
// Sound and score-sheet calls of the turn flow. Until their owners take them over, each one
// records that it was asked for.
#include <string>

class Client;

namespace play {

// The voice clip of the seat at pos: its voice file name ends with suffix.
void PlayVoice(Client& c, int pos, const std::string& suffix);
// The score window marks the first winner of the hand.
void MarkScoreWinner(Client& c, int pos);

}  // namespace play
