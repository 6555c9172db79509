// The decision prompt and its clock, the player's mouse on the own tiles, and the snapshot.
#include <gtest/gtest.h>

#include "assets/picture_ids.h"
#include "hand_fixture.h"
#include "play/play.h"
#include "view/input.h"
#include "view/view.h"

namespace qtest {
namespace {

class PromptTest : public HandTest {
 protected:
  void SetUp() override {
    HandTest::SetUp();
    StartHand(kOwn, {3, 4, 2, 5});
    std::vector<int> own = OwnThirteen();
    own.push_back(0x45);
    Deal(kOwn, own);
    Run({WildFrame(0x43, 0x42)});
    c.ui.ButtonState[2] = -1;
  }
  platform::Control& Op(int b) { return c.MainForm.Operation(b); }
};

TEST_F(PromptTest, AnOwnPromptOfferingOnlyPassShowsAllSixButtons) {
  Run({PromptFrame(kOwn, 1)});
  for (int b = 0; b < 6; ++b) {
    EXPECT_TRUE(Op(b).Visible()) << b;
    EXPECT_EQ(Op(b).Enabled(), b == 5) << b;
    EXPECT_EQ(Op(b).Picture(),
              view::OperationPicture(b, b == 5 ? view::OpLook::Offered : view::OpLook::Disabled));
  }
  EXPECT_EQ(Line("prompt"), "prompt[pass] discard clock 10 own at " +
                                std::to_string(c.MainForm.Imgwealth.Left()) + "," +
                                std::to_string(c.MainForm.Imgwealth.Top() - 200));
  EXPECT_EQ(c.MainForm.Number.Left(), c.MainForm.Time_Img.Left() + 48);
  EXPECT_EQ(c.MainForm.Number.Caption(), "10");
  EXPECT_EQ(c.MainForm.Number.ForeColor(), 0x00FF00U);
  EXPECT_TRUE(c.net.TaskOn[net::kTaskTurnClock]);
}

TEST_F(PromptTest, OptionBitsChooseTheButtons) {
  struct Case {
    int options;
    const char* offered;
    int gangOptions;
  };
  const Case cases[] = {
      {4 | 1, "prompt[chi pass]", 0},
      {8 | 16 | 1, "prompt[peng gang pass]", 8 | 16 | 1},
      {32 | 64, "prompt[gang]", 96},
      {128 | 2, "prompt[hu]", 0},
  };
  for (const auto& k : cases) {
    c.table.GangOptions = 0;
    Run({PromptFrame(kOwn, k.options)});
    EXPECT_EQ(Line("prompt").substr(0, std::string(k.offered).size()), k.offered) << k.options;
    EXPECT_EQ(c.table.GangOptions, k.gangOptions);
    EXPECT_EQ(c.table.DecisionState, 0);
    EXPECT_FALSE(c.table.ActionSent);
  }
}

TEST_F(PromptTest, ClockSecondsForTheOwnSeatAndForTheOthers) {
  struct Case {
    int seat, byte100, countdown;
  };
  const Case cases[] = {{kOwn, 0, 8},  {kOwn, 1, 8},  {kOwn, 12, 12},
                        {kLeft, 0, 0}, {kLeft, 1, 1}, {kRight, 9, 9}};
  for (const auto& k : cases) {
    Run({PromptFrame(k.seat, 0, k.byte100)});
    EXPECT_EQ(c.table.Countdown, k.countdown) << k.seat << " " << k.byte100;
    EXPECT_EQ(c.table.ClockIsOwn, k.seat == kOwn);
  }
  c.table.BossMode = true;
  Run({PromptFrame(kOpposite, 0, 9)});
  EXPECT_EQ(c.table.Countdown, 1);
}

TEST_F(PromptTest, TheClockStandsBesideTheDecidingSeat) {
  auto& f = c.MainForm;
  Run({PromptFrame(kLeft, 0)});
  EXPECT_EQ(f.Time_Img.Left(), f.Host.Left());
  EXPECT_EQ(f.Time_Img.Top(), f.Host.Top() + f.Host.Height() + 20);
  Run({PromptFrame(kOpposite, 0)});
  EXPECT_EQ(f.Time_Img.Left(), f.Tou(2).Left() - 20);
  EXPECT_EQ(f.Time_Img.Top(), f.Host.Top() - 40);
  Run({PromptFrame(kRight, 0)});
  EXPECT_EQ(f.Time_Img.Left(), f.Vorel.Left());
  EXPECT_EQ(f.Time_Img.Top(), f.Vorel.Top() + f.Vorel.Height());
  EXPECT_EQ(f.Number.Top(), f.Time_Img.Top() + 5);
  EXPECT_TRUE(f.Number.Visible());
}

TEST_F(PromptTest, AfterTingOnlyGangAndHuShowTheButtons) {
  c.table.TingDeclared = true;
  Run({PromptFrame(kOwn, 1 | 4 | 8)});
  EXPECT_FALSE(Op(5).Visible());
  EXPECT_EQ(c.table.OptionState[0], 0);
  EXPECT_EQ(c.table.OptionState[1], 0);
  EXPECT_EQ(c.table.Countdown, 0);
  Run({PromptFrame(kOwn, 128 | 1)});
  EXPECT_TRUE(Op(4).Visible());
  EXPECT_EQ(c.table.Countdown, 10);
}

TEST_F(PromptTest, TingOfferCarriesItsCandidates) {
  FrameBuilder f = PromptFrame(kOwn, 1);
  f.byte(16, 1).byte(17, 1).byte(20, 0x49).byte(21, 0x15);
  Run({f});
  EXPECT_TRUE(c.table.TingDialog);
  EXPECT_EQ(c.table.OptionState[3], 2);
  EXPECT_TRUE(Op(3).Enabled());
  EXPECT_EQ(c.table.TingCandidates[0], 0x49);
  EXPECT_EQ(c.table.TingCandidates[1], 0x15);
  EXPECT_EQ(c.table.TingCandidates[2], 0);
}

TEST_F(PromptTest, RightClickPassesButTheOwnTurnStillWaitsForADiscard) {
  // A claim prompt (13 tiles): the pass goes out once and the clock stops.
  Run({DiscardFrame(kOwn, 0x15), DrawFrame(kRight), DiscardFrame(kRight, 0x11),
       PromptFrame(kOwn, 8 | 1)});
  view::MJ_Image_MouseDown(c, SlotCtl(0, 5), platform::kRightButton, 0, 1, 1);
  EXPECT_TRUE(Op(5).Visible());  // a right click on an own tile never passes
  view::Pic1_MouseUp(c, platform::kRightButton, 0, 10, 10);
  view::Pic1_MouseUp(c, platform::kRightButton, 0, 10, 10);
  Advance(300);
  ASSERT_EQ(SentOf(7).size(), 1U);
  EXPECT_EQ(SentOf(7)[0][9], 1);
  EXPECT_FALSE(Op(5).Visible());
  EXPECT_FALSE(c.MainForm.Time_Img.Visible());
  EXPECT_FALSE(c.net.TaskOn[net::kTaskTurnClock]);
  EXPECT_EQ(c.table.DecisionState, 1);

  // The own turn (14 tiles): a pass by right click on the table keeps the clock and the discard.
  Run({DrawFrame(kOwn, 0x47), PromptFrame(kOwn, 64 | 1)});
  ASSERT_TRUE(c.table.CanDiscard);
  view::MJ_Image_MouseDown(c, 60, platform::kRightButton, 0, 1, 1);
  EXPECT_FALSE(Op(5).Visible());
  EXPECT_TRUE(c.net.TaskOn[net::kTaskTurnClock]);
  EXPECT_TRUE(c.table.CanDiscard);
}

TEST_F(PromptTest, HoverRaisesOneOwnTileAndLeavingLowersIt) {
  const int a = SlotCtl(0, 5), b = SlotCtl(0, 6);
  const int row = H(0).RowTop;
  view::MJ_Image_MouseMove(c, a, 0, 0, 1, 1);
  EXPECT_EQ(Img(a).Top(), row - 10);
  EXPECT_EQ(Img(a).MousePointer(), 99);
  view::MJ_Image_MouseMove(c, b, 0, 0, 1, 1);
  EXPECT_EQ(Img(a).Top(), row);
  EXPECT_EQ(Img(b).Top(), row - 10);
  // Inside the raised tile (and the 10 pixels under it) it stays up; elsewhere it goes down.
  view::Pic1_MouseMove(c, 0, 0, Img(b).Left() + 5, row + Img(b).Height() - 3);
  EXPECT_EQ(Img(b).Top(), row - 10);
  view::Pic1_MouseMove(c, 0, 0, 5, 5);
  EXPECT_EQ(Img(b).Top(), row);
  // A wall tile above the row never rises.
  view::MJ_Image_MouseMove(c, 60, 0, 0, 1, 1);
  EXPECT_EQ(Img(60).MousePointer(), 0);
}

TEST_F(PromptTest, AfterTingOnlyTheDrawnTileDiscards) {
  c.table.TingDeclared = true;
  Run({DiscardFrame(kOwn, 0x15), DrawFrame(kRight), DiscardFrame(kRight, 0x11),
       DrawFrame(kOpposite), DiscardFrame(kOpposite, 0x11), DrawFrame(kLeft),
       DiscardFrame(kLeft, 0x11), DrawFrame(kOwn, 0x47), PromptFrame(kOwn, 0)});
  view::MJ_Image_MouseDown(c, SlotCtl(0, 5), platform::kLeftButton, 0, 1, 1);
  EXPECT_EQ(H(0).HiddenCount, 14);
  view::MJ_Image_MouseDown(c, LastConcealedCtl(0), platform::kLeftButton, 0, 1, 1);
  EXPECT_EQ(H(0).HiddenCount, 13);
  Advance(300);
  ASSERT_EQ(SentOf(2).size(), 1U);
  EXPECT_EQ(SentOf(2)[0][15], 0x47);
}

TEST_F(PromptTest, TheTingDiscardTakesARaisedCandidateAndDeclaresTing) {
  Run({PromptFrame(kOwn, 0)});
  c.table.TingSelecting = true;
  const int ctl = SlotCtl(0, 8);
  view::SetRaised(c.viewCtx, ctl, true);
  view::MJ_Image_MouseDown(c, ctl, platform::kLeftButton, 0, 1, 1);
  EXPECT_TRUE(c.table.TingDeclared);
  EXPECT_FALSE(c.table.TingSelecting);
  EXPECT_EQ(H(0).HiddenCount, 13);
  for (int k = H(0).HiddenFirst; k < H(0).HiddenFirst + 13; ++k)
    EXPECT_EQ(Img(SlotCtl(0, k)).Top(), H(0).RowTop) << k;
}

// A hand dealt while the last one still lies on the table (nobody pressed start before the server
// dealt, or the client came back between hands) starts from an empty table.
TEST_F(HandTest, AHandDealtOverAnUnclearedTableStartsEmpty) {
  StartHand(kOwn);
  std::vector<int> own = OwnThirteen();
  own.push_back(0x46);
  Deal(kOwn, own);
  ASSERT_EQ(H(0).HiddenCount, 14);
  StartHand(kLeft);
  Deal(kLeft, OwnThirteen());
  EXPECT_FALSE(host.Ended()) << host.EndReason();
  EXPECT_EQ(H(0).HiddenCount, 13);
  EXPECT_EQ(H(1).HiddenCount, 14);
}

// ---- Snapshot ----

class SnapshotTest : public HandTest {
 protected:
  static FrameBuilder SnapFrame(int seat, const std::vector<int>& exposed,
                                const std::vector<int>& concealed, int discards, int head,
                                int tail) {
    FrameBuilder f(40);
    f.seat(seat).arg2(discards).v(1, head).v(3, tail);
    int at = 16;
    for (int e : exposed) {
      f.byte(at, 0x20).byte(at + 1, e);
      at += 2;
    }
    for (int k : concealed) {
      f.byte(at, 0x10).byte(at + 1, k);
      at += 2;
    }
    return f;
  }
};

TEST_F(SnapshotTest, FourFramesRebuildHandsWallIndicatorAndDiscards) {
  Run({FrameBuilder(41).seat(kOwn).v(0, 3).v(1, 4).v(2, 0x43).v(3, 0x42)});
  c.table.WallHead = 10;
  c.table.WallTail = 8;
  std::vector<int> own = OwnThirteen();
  own.resize(10);
  Run({SnapFrame(kOwn, {0x87, 0x87, 0x87}, own, 3, 60, 4),
       SnapFrame(kLeft, {}, std::vector<int>(13, 0), 2, 63, 2),
       SnapFrame(kOpposite, {0x15, 0x22, 0x15, 0x22, 0x22, 0x15}, std::vector<int>(7, 0), 4, 61, 3),
       SnapFrame(kRight, {}, std::vector<int>(10, 0), 1, 50, 6)});
  EXPECT_EQ(c.disp.SeatNameCount, 0);
  EXPECT_TRUE(c.display.SnapDone);
  EXPECT_EQ(Line("p0"), "p0 melds[P(7d 7d 7d)] hand10[3c 7d 8d 9d 1c 2c 4b 4b 4b 1h] rows[? ? ?]");
  EXPECT_EQ(Line("p2"), "p2 melds[P(2b 2b 2b)] aside[red 3 wild 0] hand7 rows[? ? ? ?]");
  EXPECT_EQ(Line("p1"), "p1 melds[] hand13 rows[? ?]");
  EXPECT_EQ(H(2).HiddenFirst, 7);
  // Images are taken from the wall head on: 13 + 13 + 13 + 10 hand tiles, then the indicator.
  EXPECT_EQ(SlotCtl(0, 1), 10);
  EXPECT_EQ(c.table.IndicatorCtl, 59);
  EXPECT_EQ(Img(59).Picture(), view::kTileGifBase + view::TilePic(0x42, 0));
  // The own tiles show their faces; the others' stand as backs.
  EXPECT_EQ(Img(SlotCtl(0, 7)).Picture(), view::kTileGifBase + view::TilePic(0x43, 4));
  EXPECT_EQ(Img(SlotCtl(1, 4)).Picture(), view::kTileGifBase + 43);
  // Tail 8 moves past two tail tiles (even): 8 + 2 - 3 = 7; the wall from 73 wraps to 7.
  EXPECT_EQ(c.table.WallTail, 7);
  EXPECT_EQ(c.table.WallHead, 73);
  for (int i : {73, 100, 135, 0, 7}) {
    EXPECT_TRUE(Img(i).Visible()) << i;
    EXPECT_EQ(Img(i).Picture(), view::kTileGifBase + 36 * (i / 34) + 8) << i;
  }
  EXPECT_FALSE(Img(6).Visible());
  EXPECT_EQ(c.MainForm.VR_Image.Picture(), view::kTileGifBase + 144 + view::TilePic(0x43, 0));
  // Ten discards restored face down, the last one the right seat's.
  EXPECT_EQ(Line("last"), "last ? by p3 in row");
  EXPECT_EQ(c.table.LastDiscardCtl, 69);
  // The next draw does not move the restored discard again.
  const int cursor = H(3).DiscTop;
  Run({DrawFrame(kOwn, 0x46)});
  EXPECT_EQ(H(3).DiscTop, cursor);
  EXPECT_EQ(LastConcealedCtl(0), 73);
}

// A gang keeps three slots and lies its fourth tile on the middle one, as a claimed gang does:
// a hand with a gang, a peng and seven concealed tiles still has room for its draw.
TEST_F(SnapshotTest, AGangTakesThreeSlotsSoTheHandCanStillDraw) {
  Run({FrameBuilder(41).seat(kOwn).v(0, 5).v(1, 5).v(2, 0x25).v(3, 0x24)});
  Run({SnapFrame(kOwn, {}, OwnThirteen(), 0, 40, 4),
       SnapFrame(kLeft, {}, std::vector<int>(13, 0), 0, 40, 4),
       SnapFrame(kOpposite, {}, std::vector<int>(13, 0), 0, 40, 4),
       SnapFrame(kRight, {0x15, 0x13, 0x13, 0x13, 0x13, 0x43, 0x43, 0x43}, std::vector<int>(7, 0),
                 0, 40, 4)});
  ASSERT_FALSE(host.Ended()) << host.EndReason();
  EXPECT_EQ(Line("p3"), "p3 melds[G(3h 3h 3h) P(3c 3c 3c)] aside[red 1 wild 0] hand7 rows[]");
  Run({DrawFrame(kRight, 0)});
  EXPECT_FALSE(host.Ended()) << host.EndReason();
  EXPECT_EQ(H(3).HiddenCount, 8);
}

TEST_F(SnapshotTest, FifteenConcealedTilesEndTheProgram) {
  Run({SnapFrame(kLeft, {}, std::vector<int>(15, 0), 0, 10, 0)});
  EXPECT_TRUE(host.Ended());
}

}  // namespace
}  // namespace qtest
