// The turn commands on a seated client: deal, draws, the wild tile, discards and the reveal.
#include <gtest/gtest.h>

#include "assets/picture_ids.h"
#include "hand_fixture.h"
#include "play/play.h"
#include "session/table_reset.h"
#include "view/input.h"
#include "view/view.h"

namespace qtest {
namespace {

class TurnTest : public HandTest {
 protected:
  // Own deal (dealer, dice 3+4: wall head 82, tail 80) with the fourteenth tile 5c.
  void DealAsDealer() {
    StartHand(kOwn, {3, 4, 2, 5});
    std::vector<int> own = OwnThirteen();
    own.push_back(0x45);
    Deal(kOwn, own);
  }
};

TEST_F(TurnTest, TheDealFillsEveryRowAndShowsTheOwnTilesSortedAfterABackSecond) {
  StartHand(kOwn, {3, 4, 2, 5});
  EXPECT_EQ(c.table.WallHead, 82);
  // Until the deal is complete the own faces stand in dealing order.
  Run({DealFrame(kOwn, {0x41, 0x42, 0x43, 0x24})});
  EXPECT_EQ(Img(82).Picture(), view::kTileGifBase + view::TilePic(0x41, 4));
  EXPECT_EQ(Img(82).Left(), c.table.Hand[0].RowLeft + 4 * 48);
  EXPECT_EQ(Img(85).Picture(), view::kTileGifBase + view::TilePic(0x24, 4));
  session::ResetTable(c);
  DealAsDealer();
  EXPECT_EQ(Line("p0"), "p0 melds[] hand14[7d 8d 9d 1c 2c 3c 5c 9c 4b 4b 4b 1h 1h 5h] rows[]");
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(H(p).HiddenCount, 13) << p;
  // Four first tiles of dealing order went to the own row; 53 tiles later the head wraps.
  EXPECT_EQ(c.table.WallHead, (82 + 53) % 136);
  EXPECT_TRUE(c.table.DrawFromHead);
  // Another seat's tiles stand as backs of its position, the own tiles as faces.
  EXPECT_EQ(Img(SlotCtl(1, 4)).Picture(), view::kTileGifBase + 43);
  EXPECT_EQ(Img(SlotCtl(0, 4)).Picture(), view::kTileGifBase + view::TilePic(0x87, 4));
}

TEST_F(TurnTest, TheThirteenthTileOfASeatThatDoesNotDealSortsTheOwnHand) {
  StartHand(kLeft, {3, 4, 2, 5});
  Run({DealFrame(kOwn, {0x41, 0x87, 0x11, 0x42}), DealFrame(kOwn, {0x24, 0x88, 0x12, 0x43}),
       DealFrame(kOwn, {0x25, 0x89, 0x13, 0x44})});
  // Twelve tiles: still in dealing order.
  EXPECT_EQ(Line("p0"), "p0 melds[] hand12[1c 7d 1h 2c 4b 8d 2h 3c 5b 9d 3h 4c] rows[]");
  const auto before = host.Now();
  Run({DrawFrame(kOwn, 0x45)});
  // A second of backs, then the sorted faces.
  EXPECT_GE(host.Now() - before, 1000);
  EXPECT_EQ(Line("p0"), "p0 melds[] hand13[7d 8d 9d 1c 2c 3c 4c 5c 4b 5b 1h 2h 3h] rows[]");
  EXPECT_EQ(Img(SlotCtl(0, 4)).Picture(), view::kTileGifBase + view::TilePic(0x87, 4));
}

struct WildCase {
  std::array<int, 2> dice;
  int head, tail;  // before command 14
  int indicator, headAfter, tailAfter;
};

TEST_F(TurnTest, TheIndicatorFollowsTheDiceTotal) {
  const WildCase cases[] = {
      {{3, 4}, 40, 38, 40, 41, 38},     // odd: the head's tile, the head moves on
      {{4, 4}, 22, 20, 6, 22, 20},      // even 8, tail 20: 20 - 14 = 6
      {{1, 1}, 10, 8, 6, 10, 8},        // even 2: two places behind the tail
      {{6, 6}, 30, 8, 122, 30, 8},      // even 12 wraps below 0
      {{3, 3}, 135, 2, 128, 135, 2},    // even 6
      {{5, 6}, 135, 133, 135, 0, 133},  // odd at the end of the ring
  };
  for (const auto& k : cases) {
    c.table.Dice = k.dice;
    c.table.WallHead = k.head;
    c.table.WallTail = k.tail;
    Run({WildFrame(0x43, 0x42)});
    EXPECT_EQ(c.table.IndicatorCtl, k.indicator) << k.dice[0] << "+" << k.dice[1];
    EXPECT_EQ(c.table.WallHead, k.headAfter);
    EXPECT_EQ(c.table.WallTail, k.tailAfter);
    EXPECT_EQ(c.table.WildTile, 0x43);
    EXPECT_EQ(c.table.IndicatorTile, 0x42);
    EXPECT_TRUE(Img(k.indicator).Visible());
  }
}

TEST_F(TurnTest, TheWildTileGoesFirstInTheOwnHandAndIntoTheWildBox) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42)});
  EXPECT_EQ(c.table.IndicatorCtl, 135);
  EXPECT_EQ(c.table.WallHead, 0);
  EXPECT_EQ(Line("p0"), "p0 melds[] hand14[3c 7d 8d 9d 1c 2c 5c 9c 4b 4b 4b 1h 1h 5h] rows[]");
  EXPECT_EQ(H(0).WildCount, 1);
  EXPECT_TRUE(c.MainForm.VR_Image.Visible());
  EXPECT_EQ(c.MainForm.VR_Image.Picture(), view::kTileGifBase + view::TilePic(0x43, 4));
  EXPECT_EQ(Img(135).Picture(), view::kTileGifBase + view::TilePic(0x42, 2));
}

TEST_F(TurnTest, AReplacementDrawComesFromTheTailAndNeverTakesTheIndicator) {
  DealAsDealer();
  // Even dice: the indicator lies behind the tail.
  c.table.Dice = {4, 4};
  c.table.WallTail = 20;
  Run({WildFrame(0x43, 0x42)});
  ASSERT_EQ(c.table.IndicatorCtl, 6);
  // The tail runs 20, 21, 18, 19, 16, 17 ... 8, 9, then 6 would be the indicator.
  c.table.WallTail = 8;
  c.table.DrawFromHead = false;
  Run({DrawFrame(kLeft)});
  EXPECT_EQ(LastConcealedCtl(1), 8);
  EXPECT_EQ(c.table.WallTail, 9);
  EXPECT_TRUE(c.table.DrawFromHead);
  Run({DiscardFrame(kLeft, 0x29)});
  c.table.DrawFromHead = false;
  Run({DrawFrame(kLeft)});
  EXPECT_EQ(LastConcealedCtl(1), 9);
  // 9 is odd: the next place is 6, the indicator, so the tail steps on to 7.
  EXPECT_EQ(c.table.WallTail, 7);
  Run({DiscardFrame(kLeft, 0x29)});
  c.table.DrawFromHead = false;
  Run({DrawFrame(kLeft)});
  EXPECT_EQ(LastConcealedCtl(1), 7);
  EXPECT_EQ(Img(6).Picture(), view::kTileGifBase + view::TilePic(0x42, 0));
}

TEST_F(TurnTest, AnotherSeatDiscardsItsLastTileIntoTheMiddleThenIntoItsRow) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42)});
  // The opposite seat draws its fourteenth tile and discards.
  Run({DrawFrame(kOpposite)});
  const int drawn = LastConcealedCtl(2);
  ASSERT_EQ(H(2).HiddenCount, 14);
  Run({DiscardFrame(kOpposite, 0x87)});
  EXPECT_EQ(H(2).HiddenCount, 13);
  EXPECT_EQ(c.table.LastDiscardCtl, drawn);
  EXPECT_EQ(Img(drawn).Picture(), view::kTileGifBase + view::TilePic(0x87, 2));
  const auto& pic1 = c.MainForm.Pic1;
  EXPECT_NEAR(Img(drawn).Left(), (pic1.Width() - 30) / 2.0, 0.5);
  EXPECT_EQ(Img(drawn).Width(), 30);
  EXPECT_EQ(Line("last"), "last 7d by p2 in middle");
  // The next seat's draw moves it into the opposite seat's row, after a short wait.
  const auto before = host.Now();
  Run({DrawFrame(kRight)});
  EXPECT_GE(host.Now() - before, 400);
  EXPECT_EQ(Line("last"), "last 7d by p2 in row");
  EXPECT_EQ(Img(drawn).Left(), c.table.Hand[2].DiscLeft0);
  EXPECT_EQ(Line("p2"), "p2 melds[] hand13 rows[7d]");
}

TEST_F(TurnTest, TheOwnDiscardWaitsInTheMiddleUntilTheRightSeatDraws) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42), PromptFrame(kOwn, 0)});
  ASSERT_TRUE(c.table.CanDiscard);
  // 9c is the eighth concealed tile: a click discards it.
  const int k = H(0).HiddenFirst + 7;
  const int ctl = SlotCtl(0, k);
  ASSERT_EQ(H(0).Slot[k].Code, 0x49);
  const int nextCtl = SlotCtl(0, k + 1);
  view::MJ_Image_MouseDown(c, ctl, platform::kLeftButton, 0, 1, 1);
  Advance(200);
  const auto discards = SentOf(2);
  ASSERT_EQ(discards.size(), 1U);
  EXPECT_EQ(discards[0][14] * 256 + discards[0][15], 0x4049);
  EXPECT_EQ(discards[0][6], kOwn);
  // Before the discard a pass closes the self-draw decision.
  ASSERT_FALSE(SentOf(7).empty());
  EXPECT_EQ(SentOf(7).back()[9], 1);
  // Every later tile moved one place to the left.
  EXPECT_EQ(SlotCtl(0, k), nextCtl);
  EXPECT_EQ(Img(nextCtl).Left(), H(0).RowLeft + k * 48);
  EXPECT_EQ(Line("p0"), "p0 melds[] hand13[3c 7d 8d 9d 1c 2c 5c 4b 4b 4b 1h 1h 5h] rows[]");
  EXPECT_FALSE(c.table.CanDiscard);
  EXPECT_FALSE(c.MainForm.Time_Img.Visible());

  // The server confirms; the left seat draws (out of turn): the tile stays in the middle.
  Run({DiscardFrame(kOwn, 0x49), DrawFrame(kLeft)});
  EXPECT_EQ(Line("p0"), "p0 melds[] hand13[3c 7d 8d 9d 1c 2c 5c 4b 4b 4b 1h 1h 5h] rows[]");
  EXPECT_EQ(Line("last"), "last 9c by p0 in middle");
  Run({DrawFrame(kRight)});
  EXPECT_EQ(Line("last"), "last 9c by p0 in row");
  EXPECT_EQ(Img(ctl).Left(), H(0).DiscLeft0);
  EXPECT_EQ(Img(ctl).Width(), 36);
}

TEST_F(TurnTest, AClickOutsideTheOwnTurnDiscardsNothing) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42)});
  view::MJ_Image_MouseDown(c, SlotCtl(0, 5), platform::kLeftButton, 0, 1, 1);
  Advance(200);
  EXPECT_TRUE(SentOf(2).empty());
  EXPECT_EQ(H(0).HiddenCount, 14);
}

TEST_F(TurnTest, ADiscardTheServerMadeForThePlayerLeavesTheOwnHandInStep) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42), DiscardFrame(kOwn, 0x15)});
  EXPECT_EQ(Line("p0"), "p0 melds[] hand13[3c 7d 8d 9d 1c 2c 5c 9c 4b 4b 4b 1h 1h] rows[]");
  EXPECT_EQ(Line("last"), "last 5h by p0 in middle");
  EXPECT_TRUE(SentOf(2).empty());
}

TEST_F(TurnTest, TingMarks) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42), DrawFrame(kLeft)});
  // The left seat declares an open ting: its hand is shown, sorted, with the bubble.
  FrameBuilder open = DiscardFrame(kLeft, 0x29);
  open.byte(16, 2);
  const std::array<std::uint8_t, 13> shown{0x21, 0x22, 0x23, 0x81, 0x81, 0x81, 0x43,
                                           0x45, 0x46, 0x47, 0x11, 0x11, 0x26};
  open.bytes(20, shown);
  Run({open});
  EXPECT_EQ(c.table.TingShown[1], 1);
  EXPECT_TRUE(c.MainForm.imgTing(1).Visible());
  EXPECT_EQ(c.MainForm.Speak(1).Picture(), view::BubblePicture(1, 8));
  EXPECT_EQ(Line("p1"), "p1 melds[] hand13[3c 1d 1d 1d 5c 6c 7c 1b 2b 3b 6b 1h 1h] rows[]");
  EXPECT_EQ(Img(SlotCtl(1, 4)).Picture(), view::kTileGifBase + view::TilePic(0x43, 1));

  // A closed ting of the own seat shows only the mark.
  const int before = Img(SlotCtl(0, 4)).Picture();
  FrameBuilder closed = DiscardFrame(kOwn, 0x15);
  closed.byte(16, 3);
  Run({closed});
  EXPECT_TRUE(c.MainForm.imgTing(0).Visible());
  EXPECT_EQ(Img(SlotCtl(0, 4)).Picture(), before);
  EXPECT_EQ(c.table.TingShown[0], 0);

  // The right seat's closed ting lays its tiles as backs with the closed-ting bubble.
  Run({DrawFrame(kRight)});
  FrameBuilder closedRight = DiscardFrame(kRight, 0x29);
  closedRight.byte(16, 3);
  Run({closedRight});
  EXPECT_EQ(Img(SlotCtl(3, 4)).Picture(), view::kTileGifBase + 36 * 3 + 8);
  EXPECT_EQ(c.MainForm.Speak(3).Picture(), view::BubblePicture(3, 7));
  EXPECT_FALSE(c.MainForm.Speak(1).Visible());
}

TEST_F(TurnTest, TheBubbleHidesAfterTwoSeconds) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42)});
  play::ShowBubble(c, 2, 1);
  EXPECT_TRUE(c.MainForm.Speak(2).Visible());
  Advance(1500);
  EXPECT_TRUE(c.MainForm.Speak(2).Visible());
  Advance(800);
  EXPECT_FALSE(c.MainForm.Speak(2).Visible());
}

TEST_F(TurnTest, TheLastDiscardBlinksAndEndsVisible) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42), DrawFrame(kOpposite)});
  Push(DiscardFrame(kOpposite, 0x87));
  Advance(150);
  const int ctl = c.table.LastDiscardCtl;
  bool hidden = false;
  for (int i = 0; i < 60; ++i) {
    Advance(50);
    hidden = hidden || !Img(ctl).Visible();
  }
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(Img(ctl).Visible());
  EXPECT_EQ(c.play.DiscardBlinkLeft, 0);
}

TEST_F(TurnTest, TheRevealLaysTheOtherHandsDownAndNotesTheBonusTilesOnce) {
  DealAsDealer();
  Run({WildFrame(0x43, 0x42)});
  std::vector<wire::Frame> frames;
  for (int seat : {kLeft, kOpposite, kRight}) {
    for (int part = 0; part < 4; ++part) {
      FrameBuilder f(15);
      f.seat(seat).v(3, 0x21 + part).v(2, 0x22).v(1, 0x23).v(0, 0x24);
      if (seat == kLeft && part == 0) f.byte(16, 0x31).byte(17, 0x45).byte(18, 0x86);
      if (seat == kRight && part == 0) f.byte(16, 0x11);
      frames.push_back(f);
    }
  }
  Run(frames);
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(H(p).HiddenCount, 0);
  EXPECT_EQ(c.play.RevealList[0][1], 0x21);
  EXPECT_EQ(c.play.RevealList[12][1], 0x24);
  EXPECT_EQ(c.play.RevealCount, 3);
  EXPECT_EQ(c.play.RevealCode[0], 0x31);
  EXPECT_EQ(c.play.RevealCtl[0], c.table.WallTail);
  EXPECT_EQ(c.play.RevealCtl[2], c.table.WallHead);
  const int ctl = SlotCtl(2, 4);
  EXPECT_EQ(Img(ctl).Picture(), view::kTileGifBase + view::TilePic(0x21, 2));
  EXPECT_EQ(Img(ctl).Width(), 34);
}

}  // namespace
}  // namespace qtest
