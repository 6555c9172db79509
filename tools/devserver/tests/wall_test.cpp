#include <gtest/gtest.h>

#include <random>

#include "wall.h"

namespace devserver {
namespace {

// The wall pointers as the client at seat `own` computes them from command 4.
int ClientHead(int own, int dealer, const std::array<int, 4>& d) {
  const int c = (own - dealer) & 3;
  return (((c - d[0] + 13 - d[1]) & 3) * 17 + d[2] + d[3]) * 2 % 136;
}

TEST(Wall, BreakMatchesEveryClientsWallPointers) {
  std::mt19937 rng(7);
  for (int dealer = 0; dealer < 4; ++dealer) {
    for (const auto& dice : {std::array<int, 4>{1, 1, 1, 1}, std::array<int, 4>{6, 5, 3, 4},
                             std::array<int, 4>{2, 3, 6, 6}}) {
      Wall w(rng);
      w.Break(dealer, dice);
      for (int own = 0; own < 4; ++own) {
        const int head = ClientHead(own, dealer, dice);
        EXPECT_EQ((w.Head() + 34 * own) % 136, head) << "dealer " << dealer << " own " << own;
        EXPECT_EQ((w.Tail() + 34 * own) % 136, (head + 134) % 136);
      }
    }
  }
}

TEST(Wall, TailStepsBackByStacksAndNeverDrawsTheIndicator) {
  for (const auto& dice : {std::array<int, 4>{1, 1, 2, 2}, std::array<int, 4>{1, 2, 2, 2}}) {
    std::mt19937 rng(3);
    Wall w(rng);
    w.Break(0, dice);
    for (int i = 0; i < 53; ++i) ASSERT_TRUE(w.DrawHead());
    const int tail0 = w.Tail();
    w.TurnIndicator();
    const int total = dice[0] + dice[1];
    if (total % 2 == 1) {
      EXPECT_EQ(w.Indicator(), (w.Head() + 135) % 136);
    } else {
      EXPECT_EQ(w.Indicator(), (tail0 - (2 * total - 2) + 136) % 136);
    }
    // Replacement draws: even place then the odd one above it, then three places back.
    std::vector<int> places;
    while (w.CanDrawTail() && places.size() < 20) {
      places.push_back(w.Tail());
      ASSERT_TRUE(w.DrawTail());
    }
    for (int p : places) EXPECT_NE(p, w.Indicator());
    EXPECT_EQ(places.at(0), tail0);
    EXPECT_EQ(places.at(1), tail0 + 1 == w.Indicator() ? tail0 - 2 : (tail0 + 1) % 136);
  }
}

TEST(Wall, EveryTileIsDrawnOnceUntilTheWallRunsOut) {
  std::mt19937 rng(11);
  Wall w(rng);
  w.Break(2, {3, 4, 5, 6});
  for (int i = 0; i < 53; ++i) ASSERT_TRUE(w.DrawHead());
  const auto indicator = w.TurnIndicator();
  EXPECT_TRUE(IsTile(indicator));
  int drawn = 53;
  // Alternate ends until neither gives a tile.
  for (int i = 0;; ++i) {
    auto t = (i % 5 == 0) ? w.DrawTail() : w.DrawHead();
    if (!t) t = (i % 5 == 0) ? w.DrawHead() : w.DrawTail();
    if (!t) break;
    ++drawn;
  }
  EXPECT_EQ(drawn + 1, 136);
  EXPECT_EQ(w.Live(), 0);
}

}  // namespace
}  // namespace devserver
