#pragma once
// State of the turn commands that outlives one command: the reveal, the discard rows and where
// the last discard lies.
#include <array>

namespace play {

struct TurnState {
  // Concealed tiles of positions 1..3 as the reveal delivers them: RevealList(e, p), 0 = empty.
  std::array<std::array<int, 4>, 18> RevealList{};
  // Bonus tiles the winner may turn over on the wall after the hand.
  std::array<int, 5> RevealCode{};
  int RevealCount = 0;
  std::array<int, 5> RevealCtl{};
  // The last discard already lies in its owner's rows (moved there, or rebuilt by a snapshot),
  // so a claim of it takes it back out of the row.
  bool LastDiscardInRow = false;
  // The last discard went into a meld: it no longer waits for its row.
  bool LastDiscardClaimed = false;
  // Each position's discard rows in the order placed: images and codes (0 = face down).
  std::array<std::array<int, 40>, 4> RowCtl{};
  std::array<std::array<int, 40>, 4> RowCode{};
  std::array<int, 4> RowCount{};
};

}  // namespace play
