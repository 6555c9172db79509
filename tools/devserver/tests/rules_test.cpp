#include <gtest/gtest.h>

#include <numeric>

#include "rules.h"

namespace devserver {
namespace {

// Tiles written as "123m 55p E Rd": digits take the suit letter that follows them.
std::vector<std::uint8_t> T(const std::string& s) {
  std::vector<std::uint8_t> out;
  std::string digits;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '1' && c <= '9') {
      digits += c;
    } else if (c == 'm' || c == 'p' || c == 's') {
      const int suit = c == 'm' ? 0x40 : c == 'p' ? 0x80 : 0x20;
      for (char d : digits) out.push_back(static_cast<std::uint8_t>(suit | (d - '0')));
      digits.clear();
    } else if (c != ' ') {
      const std::string rest = s.substr(i, 2);
      if (rest == "Rd")
        out.push_back(0x15), ++i;
      else if (rest == "Gd")
        out.push_back(0x16), ++i;
      else if (rest == "Wd")
        out.push_back(0x17), ++i;
      else if (c == 'E')
        out.push_back(0x11);
      else if (c == 'S')
        out.push_back(0x12);
      else if (c == 'W')
        out.push_back(0x13);
      else if (c == 'N')
        out.push_back(0x14);
    }
  }
  return out;
}

struct WinCase {
  const char* name;
  const char* hand;
  int melds;
  std::uint8_t wild;
  bool win;
};

TEST(Rules, WinningShapes) {
  const WinCase cases[] = {
      {"plain", "123m 456m 789p 111s 99s", 0, 0x17, true},
      {"one tile short of a set", "123m 456m 789p 11s 99s 5p", 0, 0x17, false},
      {"wild fills a run", "123m 456m 79p 111s 99s Wd", 0, 0x17, true},
      {"wild fills the pair", "123m 456m 789p 111s 9s Wd", 0, 0x17, true},
      {"two wilds make a set", "123m 456m 7p 111s 99s WdWd", 0, 0x17, true},
      {"wild below the first tile", "89p 123m 456m 111s 99s Wd", 0, 0x17, true},
      {"dragons run", "RdGdWd 123m 456m 789p 55s", 0, 0x13, true},
      {"winds never run", "ESW 123m 456m 789p 55s", 0, 0x17, false},
      {"no run across suits", "89m 1p 123m 456m 111s 55s", 0, 0x17, false},
      {"seven pairs", "11m 22m 33p 44p 55s 66s EE", 0, 0x17, true},
      {"seven pairs with a wild", "11m 22m 33p 44p 55s 6s EE Wd", 0, 0x17, true},
      {"seven pairs not after a meld", "11m 22m 33p 44p 55s", 1, 0x17, false},
      {"after three melds", "123m 55p", 3, 0x17, true},
      {"four melds and the pair", "Wd Wd", 4, 0x17, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsWin(Split(T(c.hand), c.wild), c.melds), c.win) << c.name;
  }
}

TEST(Rules, TingDiscardsLeaveAReadyHand) {
  // Discarding the lone east leaves 123m 456m 789p 111s 9s: waiting on 9s.
  const auto hand = T("123m 456m 789p 111s 9s E");
  const auto d = TingDiscards(hand, 0x17, 0);
  ASSERT_FALSE(d.empty());
  EXPECT_NE(std::find(d.begin(), d.end(), 0x11), d.end());
  for (auto code : d) {
    auto rest = hand;
    rest.erase(std::find(rest.begin(), rest.end(), code));
    EXPECT_TRUE(IsReady(Split(rest, 0x17), 0));
  }
  EXPECT_TRUE(TingDiscards(T("159m 159p 159s ESWN Gd"), 0x17, 0).empty());
}

TEST(Rules, ChiShapes) {
  EXPECT_TRUE(IsChiShape(0x43, 0x44, 0x45));
  EXPECT_TRUE(IsChiShape(0x47, 0x49, 0x48));
  EXPECT_TRUE(IsChiShape(0x15, 0x17, 0x16));
  EXPECT_FALSE(IsChiShape(0x11, 0x12, 0x13));
  EXPECT_FALSE(IsChiShape(0x48, 0x49, 0x81));
  EXPECT_FALSE(IsChiShape(0x43, 0x43, 0x44));
  EXPECT_EQ(FindChi(T("3s 4s 9p"), 0x25), (std::array<std::uint8_t, 2>{0x23, 0x24}));
  EXPECT_EQ(FindChi(T("3s 9p"), 0x25), (std::array<std::uint8_t, 2>{0, 0}));
}

TEST(Rules, SettlementsSumToZeroAndTheFeederPaysAlone) {
  WinFacts f;
  f.winner = 2;
  f.dealer = 0;
  f.hand = T("123m 456m 789p 111s 99s");
  f.wild = 0x17;
  f.base = 10;
  for (int feeder : {-1, 0, 1, 3}) {
    f.feeder = feeder;
    const auto s = SettleWin(f);
    EXPECT_EQ(std::accumulate(s.pay.begin(), s.pay.end(), std::int64_t{0}), 0) << feeder;
    EXPECT_GT(s.pay[2], 0);
    for (int p = 0; p < 4; ++p) {
      if (p == 2) continue;
      if (feeder >= 0 && p != feeder) {
        EXPECT_EQ(s.pay.at(static_cast<std::size_t>(p)), 0);
      }
      if (feeder < 0) {
        EXPECT_LT(s.pay.at(static_cast<std::size_t>(p)), 0);
      }
    }
    EXPECT_EQ(s.rows[2].how, feeder < 0 ? 2 : 0);
    if (feeder >= 0) {
      EXPECT_EQ(s.rows.at(static_cast<std::size_t>(feeder)).how, 1);
    }
  }
}

TEST(Rules, WildFromIndicatorCycles) {
  EXPECT_EQ(WildFromIndicator(0x29), 0x21);
  EXPECT_EQ(WildFromIndicator(0x45), 0x46);
  EXPECT_EQ(WildFromIndicator(0x14), 0x11);
  EXPECT_EQ(WildFromIndicator(0x17), 0x15);
  EXPECT_EQ(WildFromIndicator(0x15), 0x16);
}

}  // namespace
}  // namespace devserver
