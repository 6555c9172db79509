// Sorting a position's concealed tiles: wild tiles first while the hand is closed, plain hand
// order once it is open, and the pictures that follow the codes.
#include <gtest/gtest.h>

#include <vector>

#include "support/client_fixture.h"
#include "table/hand_sort.h"
#include "view/view.h"

namespace qtest {
namespace {

class HandSortTest : public ClientTest {
 protected:
  // Concealed tiles of a position from slot 4 on, shown by controls 10, 11, ...
  void Deal(int pos, const std::vector<int>& codes) {
    auto& h = c.table.Hand.at(static_cast<std::size_t>(pos));
    h.HiddenFirst = 4;
    h.HiddenCount = static_cast<int>(codes.size());
    for (std::size_t k = 0; k < codes.size(); ++k) {
      h.Slot.at(4 + k).Code = codes[k];
      h.Slot.at(4 + k).Ctl = 10 + static_cast<int>(k);
    }
  }
  std::vector<int> Concealed(int pos) const {
    const auto& h = c.table.Hand.at(static_cast<std::size_t>(pos));
    std::vector<int> out;
    for (int k = 0; k < h.HiddenCount; ++k) out.push_back(h.Slot.at(std::size_t(4 + k)).Code);
    return out;
  }
};

TEST_F(HandSortTest, AClosedHandPutsItsWildTilesFirst) {
  c.table.WildTile = 0x43;
  Deal(0, {0x21, 0x43, 0x15, 0x81, 0x43});
  view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 0));
  EXPECT_EQ(Concealed(0), (std::vector<int>{0x43, 0x43, 0x81, 0x21, 0x15}));
  EXPECT_EQ(c.table.Hand[0].WildCount, 2);
  // The own seat shows its upright set; controls follow the slots, not the tiles.
  EXPECT_EQ(c.MainForm.MJ_Image(10).Picture(), view::kTileGifBase + view::TilePic(0x43, 4));
  EXPECT_EQ(c.MainForm.MJ_Image(12).Picture(), view::kTileGifBase + view::TilePic(0x81, 4));
}

TEST_F(HandSortTest, AnOpenHandSortsPlainly) {
  c.table.WildTile = 0x43;
  c.table.HandOpen = true;
  Deal(0, {0x21, 0x43, 0x15, 0x81, 0x43});
  view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 0));
  EXPECT_EQ(Concealed(0), (std::vector<int>{0x81, 0x43, 0x43, 0x21, 0x15}));
}

TEST_F(HandSortTest, AnotherPositionUsesItsOwnPictureSet) {
  c.table.WildTile = 0x29;
  Deal(2, {0x29, 0x11, 0x89});
  view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 2));
  EXPECT_EQ(Concealed(2), (std::vector<int>{0x29, 0x89, 0x11}));
  EXPECT_EQ(c.MainForm.MJ_Image(11).Picture(), view::kTileGifBase + view::TilePic(0x89, 2));
}

TEST_F(HandSortTest, ConcealedTilesPastTheLastSlotAreARunTimeError) {
  Deal(1, {0x11});
  c.table.Hand[1].HiddenFirst = 17;
  c.table.Hand[1].HiddenCount = 2;
  EXPECT_THROW(view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 1)), std::out_of_range);
}

}  // namespace
}  // namespace qtest
