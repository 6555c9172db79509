#pragma once
// Which own tiles make an offered claim or gang. Pure searches over the table state: they read
// the own hand (position 0) as it stands, sorted, and change nothing.
#include <vector>

#include "table/table_state.h"

namespace play {

// Most chi sequences ever offered, and most gang tiles (one Gang picture each).
constexpr int kMaxChi = 3;
constexpr int kMaxGang = 5;

// Kinds of a gang candidate.
enum GangKind : int {
  kGangSingle = 2,     // the fourth tile added onto an own peng
  kGangExposed = 3,    // three own tiles with the discard
  kGangConcealed = 4,  // four own tiles
};

struct ChiPair {
  int first = 0;  // own concealed slot indexes
  int second = 0;
  friend bool operator==(const ChiPair&, const ChiPair&) = default;
};

struct GangCandidate {
  int slot = 0;
  int kind = 0;
  friend bool operator==(const GangCandidate&, const GangCandidate&) = default;
};

// Wild tiles at the front of the concealed tiles (none in an open hand).
int LeadingWilds(const table::TableState& t);
// The sequences that claim tile d, at most three, in the order they are offered. The wild tile
// stands for its own face only.
std::vector<ChiPair> ChiCandidates(const table::TableState& t, int d);
// First of two adjacent concealed slots holding d; -1 none.
int FindPengPair(const table::TableState& t, int d);
// First of three concealed slots holding d; -1 none.
int FindExposedGang(const table::TableState& t, int d);
// One candidate per offered gang, by the option bits in GangOptions, at most five.
std::vector<GangCandidate> GangCandidates(const table::TableState& t);

// The own seat must discard: it holds 3n + 2 concealed tiles.
bool OwnTurn(const table::TableState& t);

}  // namespace play
