#pragma once
// The table's rule set: winning shapes with the wild tile, claims, ready hands and payments.
#include <array>
#include <cstdint>
#include <vector>

#include "tiles.h"

namespace devserver {

// Option bits of a decision prompt and kinds of a move.
enum Opt : int {
  kOptPass = 1,
  kOptChi = 4,
  kOptPeng = 8,
  kOptGang = 16,           // exposed gang with the discard
  kOptConcealedGang = 32,  // four own tiles
  kOptSingle = 64,         // fourth tile onto an own peng, or a red dragon / wild tile set aside
  kOptHu = 128,
};

// Concealed tiles split into real tiles and wild tiles.
struct SplitHand {
  Counts real{};
  int wilds = 0;
};
SplitHand Split(const std::vector<std::uint8_t>& concealed, std::uint8_t wild);

// A complete hand of (4 - melds) sets and a pair, wilds standing for any tile.
bool IsStandardWin(const SplitHand& h, int melds);
// Same, with every set a triplet.
bool IsAllPungsWin(const SplitHand& h, int melds);
// Seven pairs of a fully concealed 14-tile hand; returns the number of four-of-a-kinds
// (0..3) counted as two pairs, or -1 when the hand is not seven pairs.
int SevenPairsLuxury(const SplitHand& h, int melds);
bool IsWin(const SplitHand& h, int melds);

// A hand of 3n+1 tiles one tile away from winning.
bool IsReady(const SplitHand& h, int melds);
// Codes whose discard leaves a 3n+2 hand ready (distinct, in hand order).
std::vector<std::uint8_t> TingDiscards(const std::vector<std::uint8_t>& concealed,
                                       std::uint8_t wild, int melds);

// Whether hand tiles a and b make a chi with the discard d (wild tiles at face value).
bool IsChiShape(std::uint8_t a, std::uint8_t b, std::uint8_t d);
// The first pair of hand tiles that makes a chi with d, or {0, 0}.
std::array<std::uint8_t, 2> FindChi(const std::vector<std::uint8_t>& concealed, std::uint8_t d);

// What a win is worth, and the command-17 row of each seat.
struct WinFacts {
  int winner = -1;
  int feeder = -1;  // seat whose discard was taken, -1 for a self-drawn win
  int dealer = 0;
  bool gangDraw = false;           // won on the replacement tile after a gang
  std::vector<std::uint8_t> hand;  // the winner's concealed tiles including the winning tile
  std::uint8_t wild = 0;
  int melds = 0;
  bool handOpen = false;                // a chi, peng or exposed gang was claimed
  std::vector<std::uint8_t> meldTiles;  // tiles of the winner's melds
  std::array<int, 4> openDoor{};        // melds each seat claimed from discards
  int base = 10;
};

struct WinRow {
  int sevenPairsBits = 0;   // row 3
  int patternBits = 0;      // row 4
  int how = 0;              // row 6: 1 fed, 2 self-drawn
  int gangDraw = 0;         // row 9
  int dry = 0;              // row 11: won without a wild tile
  int openDoor = 0;         // row 12
  int dealer = 0;           // row 13
  std::int64_t amount = 0;  // rows 22..30
  int fanExp = 0;           // row 47
};

struct Settlement {
  std::array<std::int64_t, 4> pay{};  // positive: won
  std::array<WinRow, 4> rows{};
};
Settlement SettleWin(const WinFacts& f);

}  // namespace devserver
