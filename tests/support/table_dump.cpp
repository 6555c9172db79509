#include "support/table_dump.h"

#include <array>
#include <sstream>
#include <vector>

#include "session/client.h"
#include "table/tiles.h"

namespace qtest {

namespace {

std::string Tiles(const std::vector<int>& codes) {
  std::string s;
  for (int code : codes) s += (s.empty() ? "" : " ") + TileText(code);
  return s;
}

std::string Melds(const table::HandRec& h, int first) {
  std::string s;
  for (int k = first; k + 2 < h.MeldEnd; k += 3) {
    const auto& slot = h.Slot.at(static_cast<std::size_t>(k));
    const char* kind = slot.State == table::kSlotPeng            ? "P"
                       : slot.State == table::kSlotExposedGang   ? "G"
                       : slot.State == table::kSlotConcealedGang ? "A"
                                                                 : "C";
    std::vector<int> codes;
    for (int j = k; j < k + 3; ++j) codes.push_back(h.Slot.at(static_cast<std::size_t>(j)).Code);
    s += std::string(s.empty() ? "" : " ") + kind + "(" + Tiles(codes) + ")";
  }
  return s;
}

std::string PositionLine(const Client& c, int p) {
  const auto& h = c.table.Hand.at(static_cast<std::size_t>(p));
  std::ostringstream o;
  o << "p" << p << " melds[" << Melds(h, p == 0 ? 1 : 2) << "]";
  if (h.RedAside + h.WildAside > 0)
    o << " aside[red " << h.RedAside << " wild " << h.WildAside << "]";
  std::vector<int> hand;
  bool known = false;
  for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
    hand.push_back(h.Slot.at(static_cast<std::size_t>(k)).Code);
    known = known || hand.back() != 0;
  }
  o << " hand" << h.HiddenCount;
  if (known) o << "[" << Tiles(hand) << "]";
  std::vector<int> rows;
  for (int k = 0; k < c.play.RowCount.at(static_cast<std::size_t>(p)); ++k)
    rows.push_back(c.play.RowCode.at(static_cast<std::size_t>(p)).at(static_cast<std::size_t>(k)));
  o << " rows[" << Tiles(rows) << "]";
  return o.str();
}

std::string PromptLine(const Client& c) {
  const auto& t = c.table;
  constexpr std::array<const char*, 6> kNames{"chi", "peng", "gang", "ting", "hu", "pass"};
  std::ostringstream o;
  o << "prompt[";
  bool first = true;
  for (int b = 0; b < 6; ++b) {
    if (t.OptionState.at(static_cast<std::size_t>(b)) != 2) continue;
    o << (first ? "" : " ") << kNames.at(static_cast<std::size_t>(b));
    first = false;
  }
  o << "]";
  if (t.CanDiscard) o << " discard";
  const auto& f = c.MainForm;
  if (f.Time_Img.Visible())
    o << " clock " << t.Countdown << (t.ClockIsOwn ? " own" : " other") << " at "
      << f.Time_Img.Left() << "," << f.Time_Img.Top();
  return o.str();
}

}  // namespace

std::string TileText(int code) {
  if (code == 0) return "?";
  const int s = table::SuitBit(code);
  const char suit = s == table::kBamboo       ? 'b'
                    : s == table::kCharacters ? 'c'
                    : s == table::kDots       ? 'd'
                    : s == table::kHonours    ? 'h'
                                              : 'x';
  return std::to_string(table::Rank(code)) + suit;
}

std::string DumpLine(const Client& c, const std::string& key) {
  const auto& t = c.table;
  if (key == "wall") {
    std::ostringstream o;
    o << "wall head " << t.WallHead << " tail " << t.WallTail << " indicator " << t.IndicatorCtl
      << " wild " << (t.WildTile > 0 ? TileText(t.WildTile) : "-")
      << (t.DrawFromHead ? "" : " next-from-tail");
    return o.str();
  }
  if (key == "last") {
    std::ostringstream o;
    o << "last ";
    if (t.LastDiscardCtl < 0) return o.str() + "-";
    o << TileText(t.LastDiscard) << " by p" << t.LastDiscardPos
      << (c.play.LastDiscardClaimed ? " claimed"
          : c.play.LastDiscardInRow ? " in row"
                                    : " in middle");
    return o.str();
  }
  if (key == "prompt") return PromptLine(c);
  if (key.size() == 2 && key[0] == 'p' && key[1] >= '0' && key[1] <= '3')
    return PositionLine(c, key[1] - '0');
  return "?" + key;
}

std::string DumpTable(const Client& c) {
  std::string s;
  for (const char* k : {"wall", "p0", "p1", "p2", "p3", "last", "prompt"})
    s += DumpLine(c, k) + "\n";
  return s;
}

}  // namespace qtest
