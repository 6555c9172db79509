#pragma once
// The command numbers of the game connection (byte 3 of a frame), both directions.
#include <cstdint>

namespace wire {

enum class Cmd : std::uint8_t {
  Deal = 1,               // four tiles dealt to a seat
  Discard = 2,            // a seat discards; sent: the player's discard
  SeatNames = 3,          // one seat's account after a (re)seating, four frames
  HandStart = 4,          // dice, wall break and dealer of a new hand
  Draw = 5,               // a seat draws one tile
  Prompt = 6,             // the decision prompt for a seat
  ClaimResult = 7,        // a seat's chi, peng, gang or hu; sent: the answer to a prompt
  HandResult = 9,         // one seat's result of the hand, four frames
  WildTile = 14,          // the wild tile and its indicator
  Reveal = 15,            // a seat's concealed hand shown at the end
  TableStatus = 16,       // continue, players left, hand set up or lacking gold; sent: ready, leave
  WinDetail = 17,         // one seat's score sheet data after a win
  LoginResult = 18,       // sent: the login frame
  Chat = 19,              // a chat line, or a frame of the prop plug-in
  PlayerInfo = 20,        // one player's record
  PlayerLeft = 21,        // a player has left the table; sent: quit, held back until a hand ends
  TableClosed = 22,       // the table is closed for this player
  PlayerReady = 23,       // a player is ready for the next hand
  KeepAlive = 24,         // sent every 5 s; the server's echo
  ReconnectRequest = 28,  // sent: the login frame of a reconnection
  ReconnectResult = 29,   // the answer to a reconnection request
  Snapshot = 40,          // one seat's hand and discards, four frames
  HandResume = 41,        // the state of a hand being resumed
  PropFrame = 45,         // built by the prop plug-in
  PropScores = 46,        // the plug-in's score information is on its way
  OwnGold = 91,           // the player's own gold changes
  OtherGold = 92,         // another player's gold changes
};

constexpr int Num(Cmd c) {
  return static_cast<int>(c);
}

}  // namespace wire
