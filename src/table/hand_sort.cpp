#include "table/hand_sort.h"

#include <algorithm>
#include <vector>

#include "session/client.h"
#include "view/view.h"

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

void Redraw(Client& c, int pos, const std::vector<int>& before, int set) {
  HandRec& h = c.table.Hand.at(static_cast<std::size_t>(pos));
  const bool onlyChanged = pos == 0 && c.table.WildTile > 0;
  for (std::size_t k = 0; k < before.size(); ++k) {
    const SlotRec& s = h.Slot[static_cast<std::size_t>(h.HiddenFirst) + k];
    if (onlyChanged && s.Code == before[k]) continue;
    view::SetTilePicture(c, s.Ctl, view::TilePic(s.Code, set));
  }
}

void Store(HandRec& h, const std::vector<int>& codes) {
  for (std::size_t k = 0; k < codes.size(); ++k) {
    h.Slot[static_cast<std::size_t>(h.HiddenFirst) + k].Code = codes[k];
  }
}

}  // namespace

void SortHand(Client& c, int pos, int count) {
  HandRec& h = c.table.Hand.at(static_cast<std::size_t>(pos));
  const std::vector<int> before = ConcealedCodes(h, count);
  std::vector<int> codes = before;
  SortTiles(codes);
  Store(h, codes);
  Redraw(c, pos, before, pos == 0 ? 4 : pos);
}

void SortHandWildFirst(Client& c, int pos, int count) {
  HandRec& h = c.table.Hand.at(static_cast<std::size_t>(pos));
  const std::vector<int> before = ConcealedCodes(h, count);
  std::vector<int> codes = before;
  const int wild = c.table.WildTile;
  h.WildCount = static_cast<int>(std::count(codes.begin(), codes.end(), wild));
  SortTiles(codes);
  // Wild tiles lie together after the sort; rotate them to the front.
  auto first = std::find(codes.begin(), codes.end(), wild);
  if (first != codes.end()) std::rotate(codes.begin(), first, first + h.WildCount);
  Store(h, codes);
  const int set = pos == 0 ? (c.table.TingShown[0] == 0 ? 4 : 0) : pos;
  Redraw(c, pos, before, set);
}

void HandSort(Client& c, int pos) {
  const int count = c.table.Hand.at(static_cast<std::size_t>(pos)).HiddenCount;
  if (c.table.HandOpen) {
    SortHand(c, pos, count);
  } else {
    SortHandWildFirst(c, pos, count);
  }
}

}  // namespace table
