// Claim results of command 7 for every position, seated and watching.
#include <gtest/gtest.h>

#include <algorithm>

#include "assets/picture_ids.h"
#include "hand_fixture.h"
#include "play/play.h"
#include "session/table_reset.h"
#include "view/input.h"
#include "view/view.h"

namespace qtest {
namespace {

constexpr std::array<int, 4> kSeatAt{kOwn, kLeft, kOpposite, kRight};

class ClaimTest : public HandTest {
 protected:
  void SetUp() override {
    HandTest::SetUp();
    NewHand();
  }
  void NewHand() {
    session::ResetTable(c);
    StartHand(kOwn, {3, 4, 2, 5});
    std::vector<int> own = OwnThirteen();
    own.push_back(0x45);
    Deal(kOwn, own);
    Run({WildFrame(0x43, 0x42)});
  }
  // The seat at position from discards a tile (drawing first unless it is the own seat).
  void DiscardBy(int from, int tile) {
    if (from != 0) Run({DrawFrame(kSeatAt[from])});
    if (from == 0) {
      Run({DiscardFrame(kOwn, tile)});
    } else {
      Run({DiscardFrame(kSeatAt[from], tile)});
    }
  }
  int Bubble(int pos) {
    return c.MainForm.Speak(pos).Visible() ? c.MainForm.Speak(pos).Picture() : 0;
  }
  static constexpr std::uint32_t kGreen = 0x00FF00;
  static constexpr std::uint32_t kRed = 0xFF0000;
  // The colours of the four names on the score window.
  std::array<std::uint32_t, 4> NameColours() {
    std::array<std::uint32_t, 4> out{};
    for (int p = 0; p < 4; ++p) out.at(static_cast<std::size_t>(p)) = c.Score.ID(p).ForeColor();
    return out;
  }
};

struct OtherClaimCase {
  int pos;
  int kind;
  std::array<int, 3> tiles;
  const char* line;  // the claimant's dump line after the claim
  int bubbleKind;    // -1: none
};

TEST_F(ClaimTest, AnotherSeatsMeldOnADiscard) {
  const OtherClaimCase cases[] = {
      {1, 4, {0x86, 0x88, 0x87}, "p1 melds[C(6d 8d 7d)] hand11 rows[]", 0},
      {2, 8, {0x87, 0x87, 0x87}, "p2 melds[P(7d 7d 7d)] hand11 rows[]", 1},
      {3, 16, {0x87, 0x87, 0x87}, "p3 melds[G(7d 7d 7d)] hand10 rows[]", 2},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.line);
    NewHand();
    const int from = k.pos == 1 ? 2 : 1;
    DiscardBy(from, 0x87);
    const int claimed = c.table.LastDiscardCtl;
    const int firstHidden = SlotCtl(k.pos, H(k.pos).HiddenFirst);
    Run({ClaimFrame(kSeatAt[k.pos], k.kind, k.tiles)});
    EXPECT_EQ(Line("p" + std::to_string(k.pos)), k.line);
    EXPECT_EQ(H(k.pos).HiddenFirst, 7);
    EXPECT_EQ(H(k.pos).MeldEnd, 7);
    EXPECT_EQ(Bubble(k.pos), view::BubblePicture(k.pos, k.bubbleKind));
    // The claimed discard never reached its owner's row.
    EXPECT_EQ(Line("p" + std::to_string(from)).find("rows[]") != std::string::npos, true);
    // The meld lies face up with the position's meld size, from slot 2 on.
    const int first = SlotCtl(k.pos, 2);
    EXPECT_EQ(SlotCtl(k.pos, k.kind == 16 ? 4 : 2), firstHidden);
    EXPECT_EQ(Img(first).Picture(), view::kTileGifBase + view::TilePic(k.tiles[0], k.pos));
    EXPECT_EQ(Img(first).Width(), k.pos == 2 ? 34 : 45);
    if (k.kind == 16) {
      // The discard is the fourth tile, on the middle one; the replacement comes from the tail.
      EXPECT_EQ(Img(claimed).Left(), Img(SlotCtl(k.pos, 3)).Left());
      EXPECT_EQ(Img(claimed).Top(), Img(SlotCtl(k.pos, 3)).Top() - 18);
      EXPECT_EQ(c.table.GangType[3][0], 1);
      EXPECT_EQ(c.table.GangCount, 1);
      const int tail = c.table.WallTail;
      Run({DrawFrame(kRight)});
      EXPECT_EQ(LastConcealedCtl(3), tail);
      EXPECT_EQ(Line("last"), "last 7d by p1 claimed");
    } else {
      EXPECT_EQ(SlotCtl(k.pos, 4), claimed);
    }
  }
}

TEST_F(ClaimTest, AConcealedGangOfAnotherSeatKeepsItsFourthTileFaceDownAndLogged) {
  Run({DrawFrame(kOpposite)});
  const int fourth = LastConcealedCtl(2);
  Run({ClaimFrame(kOpposite, 32, {0x29, 0x29, 0x29})});
  EXPECT_EQ(Line("p2"), "p2 melds[A(9b 9b 9b)] hand10 rows[]");
  ASSERT_EQ(c.table.HiddenGangCount, 1);
  EXPECT_EQ(c.table.HiddenGangLog[0].Ctl, fourth);
  EXPECT_EQ(c.table.HiddenGangLog[0].Code, 0x29);
  EXPECT_EQ(c.table.HiddenGangLog[0].Pos, 2);
  EXPECT_EQ(Img(fourth).Picture(), view::kTileGifBase + 36 * 2 + 8);
  EXPECT_EQ(Img(SlotCtl(2, 2)).Picture(), view::kTileGifBase + 36 * 2 + 8);
  EXPECT_EQ(c.table.GangType[2][0], 3);
  EXPECT_EQ(Bubble(2), view::BubblePicture(2, 3));
  // The replacement draw and the next discard leave ten concealed tiles, as the server has.
  Run({DrawFrame(kOpposite), DiscardFrame(kOpposite, 0x11)});
  EXPECT_EQ(H(2).HiddenCount, 10);
  EXPECT_EQ(Line("last"), "last 1h by p2 in middle");

  // After a won hand the winner turns the hidden tile over once.
  Run({ClaimFrame(kOwn, 128, {0, 0, 0})});
  view::MJ_Image_MouseDown(c, fourth, platform::kLeftButton, 0, 1, 1);
  EXPECT_EQ(Img(fourth).Picture(), view::kTileGifBase + view::TilePic(0x29, 2));
  EXPECT_EQ(c.table.HiddenGangLog[0].Ctl, -1);
}

TEST_F(ClaimTest, SingleTilesGoToTheirPilesOrOntoTheirPeng) {
  // The right seat sets two red dragons and a wild tile aside.
  for (int tile : {0x15, 0x15, 0x43}) {
    Run({DrawFrame(kRight)});
    const int ctl = LastConcealedCtl(3);
    Run({ClaimFrame(kRight, 64, {0, 0, tile})});
    EXPECT_EQ(c.table.LastDiscardCtl, ctl);
    EXPECT_FALSE(c.table.DrawFromHead);
    Run({DrawFrame(kRight)});
    EXPECT_TRUE(c.table.DrawFromHead);
    Run({DiscardFrame(kRight, 0x29)});
  }
  EXPECT_EQ(Line("p3"), "p3 melds[] aside[red 2 wild 1] hand13 rows[9b 9b]");
  EXPECT_EQ(c.display.AsideCtl[0][3], H(3).Slot[0].Ctl);
  EXPECT_EQ(c.table.GangCount, 3);
  EXPECT_EQ(c.table.GangType[3][2], 2);
  // A red dragon names its gang; a wild tile shows no bubble.
  EXPECT_EQ(Bubble(3), 0);

  // A peng of 2d by the left seat, then the fourth 2d added onto it.
  DiscardBy(2, 0x82);
  Run({ClaimFrame(kLeft, 8, {0x82, 0x82, 0x82}), DiscardFrame(kLeft, 0x11), DrawFrame(kLeft)});
  const int added = LastConcealedCtl(1);
  Run({ClaimFrame(kLeft, 64, {0, 0, 0x82})});
  EXPECT_EQ(Img(added).Left(), Img(SlotCtl(1, 3)).Left());
  EXPECT_EQ(Img(added).Top(), Img(SlotCtl(1, 3)).Top() - 18);
  EXPECT_EQ(Img(added).Picture(), view::kTileGifBase + view::TilePic(0x82, 1));
  EXPECT_EQ(Bubble(1), view::BubblePicture(1, 5));
  EXPECT_EQ(H(1).HiddenCount, 10);
}

TEST_F(ClaimTest, TheFirstHuOfTheHandNamesTheWinner) {
  Run({ClaimFrame(kRight, 128, {0, 0, 0})});
  EXPECT_EQ(c.table.WinnerPos, 3);
  EXPECT_EQ(Bubble(3), view::BubblePicture(3, 6));
  EXPECT_EQ(NameColours(), (std::array<std::uint32_t, 4>{kGreen, kGreen, kGreen, kRed}));
  Run({ClaimFrame(kLeft, 128, {0, 0, 0})});
  EXPECT_EQ(c.table.WinnerPos, 3);
  EXPECT_EQ(NameColours(), (std::array<std::uint32_t, 4>{kGreen, kGreen, kGreen, kRed}))
      << "a later hu changes no colours";
}

TEST_F(ClaimTest, OwnPengLaysTheMeldAtTheRowStart) {
  Run({DiscardFrame(kOwn, 0x49)});
  DiscardBy(3, 0x11);
  Run({ClaimFrame(kOwn, 8, {0x11, 0x11, 0x11})});
  EXPECT_EQ(Line("p0"), "p0 melds[P(1h 1h 1h)] hand11[7d 8d 9d 1c 2c 3c 5c 4b 4b 4b 5h] rows[9c]");
  EXPECT_EQ(Line("last"), "last 1h by p3 claimed");
  EXPECT_TRUE(c.table.HandOpen);
  EXPECT_EQ(H(0).HiddenFirst, 7);
  EXPECT_EQ(H(0).MeldEnd, 6);
  const int first = SlotCtl(0, 1);
  EXPECT_EQ(Img(first).Left(), H(0).RowLeft + 43);
  EXPECT_EQ(Img(first).Height(), 60);
  EXPECT_EQ(Img(first).Picture(), view::kTileGifBase + view::TilePic(0x11, 0));
  EXPECT_EQ(Img(SlotCtl(0, 7)).Left(), H(0).RowLeft + 7 * 48);
}

TEST_F(ClaimTest, OwnConcealedGangShowsBacksWithTheFourthFaceUp) {
  Run({DiscardFrame(kOwn, 0x15), DrawFrame(kRight), DiscardFrame(kRight, 0x29),
       DrawFrame(kOpposite), DiscardFrame(kOpposite, 0x29), DrawFrame(kLeft),
       DiscardFrame(kLeft, 0x29), DrawFrame(kOwn, 0x24)});
  ASSERT_EQ(H(0).HiddenCount, 14);
  Run({ClaimFrame(kOwn, 32, {0x24, 0x24, 0x24})});
  EXPECT_EQ(Line("p0").substr(0, 30), "p0 melds[A(4b 4b 4b)] hand10[3");
  EXPECT_EQ(Img(SlotCtl(0, 1)).Picture(), view::kTileGifBase + 8);
  EXPECT_EQ(c.table.GangType[0][0], 3);
  EXPECT_FALSE(c.table.HandOpen);
  EXPECT_FALSE(c.table.DrawFromHead);
  const int tail = c.table.WallTail;
  Run({DrawFrame(kOwn, 0x23)});
  EXPECT_EQ(LastConcealedCtl(0), tail);
  EXPECT_EQ(H(0).HiddenCount, 11);
}

TEST_F(ClaimTest, OwnSingleTileGoesOntoTheOwnPeng) {
  Run({DiscardFrame(kOwn, 0x49)});
  DiscardBy(3, 0x11);
  Run({ClaimFrame(kOwn, 8, {0x11, 0x11, 0x11}), DiscardFrame(kOwn, 0x15), DrawFrame(kRight),
       DiscardFrame(kRight, 0x29), DrawFrame(kOpposite), DiscardFrame(kOpposite, 0x29),
       DrawFrame(kLeft), DiscardFrame(kLeft, 0x29), DrawFrame(kOwn, 0x11)});
  ASSERT_EQ(H(0).HiddenCount, 11);
  const int drawn = LastConcealedCtl(0);
  c.table.GangPick[0] = H(0).HiddenFirst + 10;
  Run({ClaimFrame(kOwn, 64, {0, 0, 0x11})});
  EXPECT_EQ(H(0).HiddenCount, 10);
  EXPECT_EQ(c.table.LastDiscardCtl, drawn);
  EXPECT_EQ(Img(drawn).Left(), Img(SlotCtl(0, 2)).Left());
  EXPECT_EQ(Img(drawn).Top(), Img(SlotCtl(0, 2)).Top() - 18);
  EXPECT_EQ(c.table.GangType[0][0], 2);
}

// ---- Watching ----

class WatchClaimTest : public ClaimTest {
 protected:
  void SetUp() override {
    HandTest::SetUp();
    c.table.WatchMode = true;
    StartHand(kOwn, {3, 4, 2, 5});
    Deal(kOwn, std::vector<int>(14, 0));
    Run({WildFrame(0x43, 0x42)});
  }
};

TEST_F(WatchClaimTest, TheWatchedSeatsTilesStayBacksAndItsClaimsAreLaidOut) {
  EXPECT_EQ(Img(SlotCtl(0, 4)).Picture(), view::kTileGifBase + 7);
  // Every discard goes to the middle, the watched seat's too.
  Run({DiscardFrame(kOwn, 0x15)});
  EXPECT_EQ(H(0).HiddenCount, 13);
  EXPECT_EQ(Line("last"), "last 5h by p0 in middle");
  DiscardBy(3, 0x87);
  Run({ClaimFrame(kOwn, 8, {0x87, 0x87, 0x87})});
  EXPECT_EQ(Line("p0"), "p0 melds[P(7d 7d 7d)] hand11 rows[5h]");
  EXPECT_EQ(Img(SlotCtl(0, 1)).Picture(), view::kTileGifBase + view::TilePic(0x87, 0));
  // The concealed tiles closed up behind the meld, still backs.
  EXPECT_EQ(Img(SlotCtl(0, 7)).Picture(), view::kTileGifBase + 7);
  EXPECT_EQ(Img(SlotCtl(0, 7)).Left(), H(0).RowLeft + 7 * 48);
  EXPECT_EQ(Bubble(0), 0);
}

TEST_F(WatchClaimTest, OtherSeatsAnnounceOnlyAfterASnapshot) {
  DiscardBy(2, 0x87);
  Run({ClaimFrame(kLeft, 4, {0x86, 0x88, 0x87})});
  EXPECT_EQ(Line("p1"), "p1 melds[C(6d 8d 7d)] hand11 rows[]");
  EXPECT_EQ(Bubble(1), 0);
  c.display.SnapDone = true;
  Run({DrawFrame(kOpposite), ClaimFrame(kOpposite, 32, {0x29, 0x29, 0x29})});
  EXPECT_EQ(Bubble(2), view::BubblePicture(2, 3));
  EXPECT_EQ(Line("p2"), "p2 melds[A(9b 9b 9b)] hand10 rows[]");
  // The bubble goes after its time without stopping the table.
  Advance(2500);
  EXPECT_EQ(Bubble(2), 0);
}

TEST_F(WatchClaimTest, TheFirstHuMarksTheWinnersNameOnTheSheet) {
  c.display.SnapDone = true;
  Run({ClaimFrame(kOpposite, 128, {0, 0, 0})});
  EXPECT_EQ(c.table.WinnerPos, 2);
  EXPECT_EQ(NameColours(), (std::array<std::uint32_t, 4>{kGreen, kGreen, kRed, kGreen}));
  Run({ClaimFrame(kOwn, 128, {0, 0, 0})});
  EXPECT_EQ(NameColours(), (std::array<std::uint32_t, 4>{kGreen, kGreen, kRed, kGreen}));
}

TEST_F(WatchClaimTest, AWatcherCannotDiscardOrPass) {
  Run({PromptFrame(kOwn, 1)});
  EXPECT_FALSE(c.table.CanDiscard);
  EXPECT_FALSE(c.MainForm.Operation(5).Visible());
  EXPECT_TRUE(c.MainForm.Time_Img.Visible());
  view::MJ_Image_MouseDown(c, SlotCtl(0, 5), platform::kLeftButton, 0, 1, 1);
  view::Pic1_MouseUp(c, platform::kRightButton, 0, 1, 1);
  Advance(200);
  EXPECT_TRUE(SentOf(2).empty());
  EXPECT_TRUE(SentOf(7).empty());
}

// The bubble of a claim is the claim's words: it stands over the meld just laid out, also where
// the right seat's melds reach under it.
TEST_F(ClaimTest, TheClaimsBubbleStandsInFrontOfTheMeldItAnnounces) {
  for (int kind : {8, 16}) {
    SCOPED_TRACE(kind);
    NewHand();
    // Four melds on the right: the last ones climb up to the bubble.
    for (int m = 0; m < 3; ++m) {
      DiscardBy(2, 0x81 + m);
      Run({ClaimFrame(kRight, 8, {0x81 + m, 0x81 + m, 0x81 + m}), DiscardFrame(kRight, 0x11)});
    }
    DiscardBy(2, 0x87);
    Run({ClaimFrame(kRight, kind, {0x87, 0x87, 0x87})});
    const auto& f = c.MainForm;
    const auto& bubble = f.Speak(3);
    ASSERT_TRUE(bubble.Visible());
    const auto& stack = f.Stacking();
    const auto at = [&](const platform::Control& ctl) {
      return std::find(stack.begin(), stack.end(), &ctl) - stack.begin();
    };
    int overlapping = 0;
    for (int i = 0; i < table::kTileCount; ++i) {
      const auto& tile = f.MJ_Image(i);
      if (!tile.Visible()) continue;
      const auto& a = tile.Bounds();
      const auto& b = bubble.Bounds();
      const bool overlap = a.left < b.left + b.width && b.left < a.left + a.width &&
                           a.top < b.top + b.height && b.top < a.top + a.height;
      if (!overlap) continue;
      ++overlapping;
      EXPECT_GT(at(bubble), at(tile)) << "tile image " << i << " covers the bubble";
    }
    EXPECT_GT(overlapping, 0) << "the case shows nothing unless some tile reaches the bubble";
  }
}

}  // namespace
}  // namespace qtest
