#include "table/hand_sort.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "table/table_state.h"
#include "table/tiles.h"

namespace table {

namespace {

// The concealed codes of a position, checked against the slot array.
std::vector<int> ConcealedCodes(const HandRec& h, int count) {
  if (count < 0 || h.HiddenFirst < 0 || h.HiddenFirst + count > static_cast<int>(h.Slot.size())) {
    throw std::out_of_range("concealed tiles outside the slots");
  }
  std::vector<int> codes;
  for (int k = 0; k < count; ++k)
    codes.push_back(h.Slot[static_cast<std::size_t>(h.HiddenFirst + k)].Code);
  return codes;
}

SortedHand Redraw(const TableState& t, int pos, const std::vector<int>& before, int set) {
  const HandRec& h = t.Hand.at(static_cast<std::size_t>(pos));
  const bool onlyChanged = pos == 0 && t.WildTile > 0;
  SortedHand out{.Tiles = {}, .Set = set};
  for (std::size_t k = 0; k < before.size(); ++k) {
    const SlotRec& s = h.Slot[static_cast<std::size_t>(h.HiddenFirst) + k];
    if (onlyChanged && s.Code == before[k]) continue;
    out.Tiles.push_back({.Ctl = s.Ctl, .Code = s.Code});
  }
  return out;
}

void Store(HandRec& h, const std::vector<int>& codes) {
  for (std::size_t k = 0; k < codes.size(); ++k) {
    h.Slot[static_cast<std::size_t>(h.HiddenFirst) + k].Code = codes[k];
  }
}

}  // namespace

SortedHand SortHand(TableState& t, int pos, int count) {
  HandRec& h = t.Hand.at(static_cast<std::size_t>(pos));
  const std::vector<int> before = ConcealedCodes(h, count);
  std::vector<int> codes = before;
  SortTiles(codes);
  Store(h, codes);
  return Redraw(t, pos, before, pos == 0 ? 4 : pos);
}

SortedHand SortHandWildFirst(TableState& t, int pos, int count) {
  HandRec& h = t.Hand.at(static_cast<std::size_t>(pos));
  const std::vector<int> before = ConcealedCodes(h, count);
  std::vector<int> codes = before;
  const int wild = t.WildTile;
  h.WildCount = static_cast<int>(std::count(codes.begin(), codes.end(), wild));
  SortTiles(codes);
  // Wild tiles lie together after the sort; rotate them to the front.
  auto first = std::find(codes.begin(), codes.end(), wild);
  if (first != codes.end()) std::rotate(codes.begin(), first, first + h.WildCount);
  Store(h, codes);
  const int set = pos == 0 ? (t.TingShown[0] == 0 ? 4 : 0) : pos;
  return Redraw(t, pos, before, set);
}

SortedHand HandSort(TableState& t, int pos) {
  const int count = t.Hand.at(static_cast<std::size_t>(pos)).HiddenCount;
  return t.HandOpen ? SortHand(t, pos, count) : SortHandWildFirst(t, pos, count);
}

}  // namespace table
