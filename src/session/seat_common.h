#pragma once
// Steps shared by the seating and table commands.
#include <string>

#include "session/dispatch_state.h"
#include "table/table_state.h"
#include "wire/messages.h"

class Client;

namespace session {

constexpr int kFaceGifBase = 191;       // portraits 0..9
constexpr int kFaceGifWomenBase = 401;  // portraits 10..19
constexpr int kOpGifBase = 141;

// A player's record from the player information message.
table::PlayerRec ParsePlayer(const wire::PlayerInfo& m);
// Portrait index of an avatar key: "m1".."m10" give 0..9, "w1".."w10" give 10..19; an empty,
// out-of-range or unreadable key gives the first portrait of its kind.
int FaceIndex(const std::string& face);
int FaceGif(int face);
// Avatar, labels and name card of position p from Player(p).
void ShowPlayer(Client& c, int p);

// "1234金币"; whole amounts without a fraction.
std::string GoldText(double gold);
// The current time as hour:minute:second, without leading zeros.
std::string ClockText(Client& c);

// Empties position t (1..3) after its player left; withMessage tells the table who left.
void ClearPosition(Client& c, int t, bool withMessage);

}  // namespace session
