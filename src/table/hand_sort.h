#pragma once
// Sorting a position's concealed tiles.
#include <vector>

namespace table {

struct TableState;

// The concealed tiles a sort has changed, for the view to picture again: each slot's control
// and the code it now holds, all in picture set Set.
struct SortedHand {
  struct Tile {
    int Ctl = 0;
    int Code = 0;
  };
  std::vector<Tile> Tiles;
  int Set = 0;
};

[[nodiscard]] SortedHand SortHand(TableState& t, int pos, int count);
[[nodiscard]] SortedHand SortHandWildFirst(TableState& t, int pos, int count);
// The sort every handler uses after changing a hand.
[[nodiscard]] SortedHand HandSort(TableState& t, int pos);

}  // namespace table
