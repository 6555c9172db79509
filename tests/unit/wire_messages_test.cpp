#include <gtest/gtest.h>

#include "support/frame_builder.h"
#include "wire/messages.h"

namespace wire {
namespace {

using qtest::FrameBuilder;

TEST(WireMessages, TurnCommandsCarryTheirTingMarkAndTiles) {
  const Frame f = FrameBuilder(2).seat(4).v(3, 0x43).byte(16, 2).byte(20, 0x11).byte(33, 0x29);
  const Discard d = DecodeDiscard(f);
  EXPECT_EQ(d.Cmd, 2);
  EXPECT_EQ(d.Seat, 4);
  EXPECT_EQ(d.Value[3], 0x43);
  EXPECT_EQ(d.Ting.Mark, 2);
  EXPECT_EQ(d.Ting.ShownHand[0], 0x11);
  EXPECT_EQ(d.Ting.ShownHand[13], 0x29);
  const ClaimResult c = DecodeClaimResult(f);
  EXPECT_EQ(c.Ting.Mark, 2);
  EXPECT_EQ(c.Ting.ShownHand[13], 0x29);

  const Reveal r = DecodeReveal(FrameBuilder(15).seat(2).byte(16, 0x31).byte(20, 0x37));
  EXPECT_EQ(r.BonusTiles[0], 0x31);
  EXPECT_EQ(r.BonusTiles[4], 0x37);
}

TEST(WireMessages, PromptAndSnapshot) {
  const Prompt p = DecodePrompt(
      FrameBuilder(6).seat(1).v(0, 0x81).byte(16, 1).byte(17, 1).byte(20, 0x12).byte(33, 0x19).byte(
          100, 15));
  EXPECT_EQ(p.Value[0], 0x81);
  EXPECT_TRUE(p.TingOffered);
  EXPECT_TRUE(p.TingDialog);
  EXPECT_EQ(p.TingCandidates[0], 0x12);
  EXPECT_EQ(p.TingCandidates[13], 0x19);
  EXPECT_EQ(p.Clock, 15);
  EXPECT_FALSE(DecodePrompt(FrameBuilder(6).byte(16, 2)).TingOffered) << "only 1 offers a ting";

  const Snapshot s = DecodeSnapshot(
      FrameBuilder(40).arg2(3).byte(16, 0x21).byte(17, 0x45).byte(62, 0x10).byte(63, 0x18));
  EXPECT_EQ(s.Arg2, 3);
  EXPECT_EQ(s.Pairs[0].Tag, 2);
  EXPECT_EQ(s.Pairs[0].Code, 0x45);
  EXPECT_EQ(s.Pairs[23].Tag, 1);
  EXPECT_EQ(s.Pairs[23].Code, 0x18);
}

TEST(WireMessages, HandEndFrames) {
  const HandResult lost =
      DecodeHandResult(FrameBuilder(9).seat(8).byte(11, 0).u64le(16, 1200).byte(25, 1));
  EXPECT_FALSE(lost.Gained);
  EXPECT_EQ(lost.Amount, 1200);
  EXPECT_EQ(lost.Cap, 1);
  EXPECT_TRUE(DecodeHandResult(FrameBuilder(9).byte(11, 1)).Gained);

  const WinDetail w = DecodeWinDetail(
      FrameBuilder(17).v(1, -3).v(3, 257).byte(16, 7).byte(61, 9).byte(235, 'a').byte(255, 'z'));
  EXPECT_EQ(w.Value[1], -3) << "win details keep their values signed";
  EXPECT_EQ(w.Value[3], 257);
  EXPECT_EQ(w.Rows[0], 7);
  EXPECT_EQ(w.Rows[45], 9);
  EXPECT_EQ(w.WinText[0], 'a');
  EXPECT_EQ(w.WinText[20], 'z');
}

TEST(WireMessages, SeatingFrames) {
  const PlayerInfo p = DecodePlayerInfo(FrameBuilder(20)
                                            .seat(2)
                                            .text(16, "Nick")
                                            .text(48, "w3")
                                            .byte(64, 1)
                                            .u64le(96, 5000)
                                            .u32le(152, 7)
                                            .u32le(164, 0xFFFFFFFF)
                                            .text(168, "acct")
                                            .byte(208, 1)
                                            .text(210, "va")
                                            .text(218, "vb")
                                            .u64le(226, 123456)
                                            .u32le(234, 3)
                                            .byte(238, 1)
                                            .byte(255, 1));
  EXPECT_EQ(p.NickName[0], 'N');
  EXPECT_EQ(p.Face[0], 'w');
  EXPECT_EQ(p.Sex, 1);
  EXPECT_EQ(p.Gold, 5000);
  EXPECT_EQ(p.Stat[0], 7);
  EXPECT_EQ(p.Stat[3], -1);
  EXPECT_EQ(p.Account[3], 't');
  EXPECT_TRUE(p.Ready);
  EXPECT_EQ(p.VoiceA[1], 'a');
  EXPECT_EQ(p.VoiceB[1], 'b');
  EXPECT_EQ(p.UserId, 123456);
  EXPECT_EQ(p.Wealth, 3U);
  EXPECT_TRUE(p.WealthLegend);
  EXPECT_TRUE(p.NoProps);

  const PlayerLeft l = DecodePlayerLeft(FrameBuilder(21).byte(8, 1).byte(11, 1).text(16, "bob"));
  EXPECT_TRUE(l.Shifted);
  EXPECT_EQ(l.ShortReady, 1);
  EXPECT_EQ(l.Account[0], 'b');

  EXPECT_EQ(DecodeSeatNames(FrameBuilder(3).text(16, "x")).Account[0], 'x');
  EXPECT_EQ(DecodePlayerReady(FrameBuilder(23).text(16, "y")).Account[0], 'y');
  EXPECT_EQ(DecodeLoginResult(FrameBuilder(18).text(16, "ad")).AdPage[1], 'd');
  EXPECT_EQ(DecodeReconnectResult(FrameBuilder(29).byte(15, 1)).Result, 1);
}

TEST(WireMessages, TableAndGoldFrames) {
  const TableStatus s =
      DecodeTableStatus(FrameBuilder(16).byte(11, 4).u32le(16, 6).u32le(268, 0x01020304));
  EXPECT_EQ(s.ShortReady, 4);
  EXPECT_EQ(s.NewMultiple, 6U);
  EXPECT_EQ(s.Ticket, 0x01020304U);
  EXPECT_TRUE(DecodeHandStart(FrameBuilder(4).byte(18, 1)).DiceMultiple);
  EXPECT_EQ(DecodeTableClosed(FrameBuilder(22).text(16, "n")).Notice[0], 'n');

  const Gold loss = DecodeGold(FrameBuilder(92).byte(16, 1).u64le(17, 300).text(25, "amy"));
  EXPECT_EQ(loss.Change, -300);
  EXPECT_EQ(loss.Account[0], 'a');
  EXPECT_EQ(DecodeGold(FrameBuilder(91).u64le(17, 300)).Change, 300);

  const Chat c = DecodeChat(FrameBuilder(19).text(16, "hi").u32be(236, 272));
  EXPECT_EQ(c.Length, 272U);
  EXPECT_EQ(c.Line[1], 'i');
}

}  // namespace
}  // namespace wire
