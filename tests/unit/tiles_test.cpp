#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "table/table_state.h"
#include "table/tiles.h"

namespace table {
namespace {

TEST(BitIndex, HalvesWhileTwoOrMore) {
  EXPECT_EQ(BitIndex(0), 0);
  EXPECT_EQ(BitIndex(1), 0);
  EXPECT_EQ(BitIndex(2), 1);
  EXPECT_EQ(BitIndex(4), 2);
  EXPECT_EQ(BitIndex(8), 3);
  EXPECT_EQ(BitIndex(15), 3);  // several bits: the highest
  EXPECT_EQ(BitOf(0), 1);
  EXPECT_EQ(BitOf(3), 8);
}

TEST(SeatPos, OwnSeatIsAlwaysBottomAndTurnOrderRunsRightOppositeLeft) {
  for (int own : {1, 2, 4, 8}) EXPECT_EQ(SeatPosOf(own, own), 0);
  EXPECT_EQ(SeatPosOf(1, 2), 3);  // the next seat plays after us: right
  EXPECT_EQ(SeatPosOf(1, 4), 2);
  EXPECT_EQ(SeatPosOf(1, 8), 1);  // the seat before us: left
  EXPECT_EQ(SeatPosOf(0, 1), 0);  // a zero seat bit counts as seat 0
  for (int ownIndex = 0; ownIndex < 4; ++ownIndex) {
    for (int pos = 0; pos < 4; ++pos) {
      EXPECT_EQ(SeatPosOf(BitOf(ownIndex), SeatBitAt(ownIndex, pos)), pos);
    }
  }
}

TEST(TileName, NamesEverySuitAndNothingElse) {
  EXPECT_EQ(TileName(1, 1), "东风");
  EXPECT_EQ(TileName(5, 1), "红中");
  EXPECT_EQ(TileName(7, 1), "白板");
  EXPECT_EQ(TileName(8, 1), "");
  EXPECT_EQ(TileName(3, 2), "3条");
  EXPECT_EQ(TileName(9, 8), "9筒");
  EXPECT_EQ(TileName(1, 4), "1万");
  EXPECT_EQ(TileName(5, 16), "");
}

TEST(TileCodes, DerivedNumbers) {
  EXPECT_EQ(KindIndex(0x11), 0);
  EXPECT_EQ(KindIndex(0x21), 9);
  EXPECT_EQ(KindIndex(0x49), 26);
  EXPECT_EQ(KindIndex(0x89), 35);
  EXPECT_EQ(VoiceSuitNo(0x43), 8);
  EXPECT_EQ(VoiceSuitNo(0x83), 4);
  EXPECT_EQ(VoiceSuitNo(0x23), 2);
  EXPECT_EQ(WireTile(0x43, kClaimTileFlag), 0x2043);
  EXPECT_EQ(WireTile(0x43, kDiscardTileFlag), 0x4043);
}

TEST(SortTiles, HandOrderSuitsDescendingRanksAscending) {
  std::array<int, 5> codes{0x15, 0x83, 0x21, 0x81, 0x47};
  SortTiles(codes);
  EXPECT_EQ(codes, (std::array<int, 5>{0x81, 0x83, 0x47, 0x21, 0x15}));
  EXPECT_TRUE(TileBefore(0x89, 0x41));
  EXPECT_FALSE(TileBefore(0x41, 0x41));
}

TEST(WallPointers, HeadWrapsAndTailStepsOverStacks) {
  EXPECT_EQ(NextWallHead(135), 0);
  EXPECT_EQ(NextWallTail(4), 5);
  EXPECT_EQ(NextWallTail(5), 2);
  EXPECT_EQ(NextWallTail(2), 3);
  EXPECT_EQ(NextWallTail(1), 134);
}

}  // namespace
}  // namespace table
