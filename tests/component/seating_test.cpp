// Seating names, player information and departures on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "seating_fixture.h"
#include "session/control_bar.h"
#include "session/seat_common.h"
#include "session/table_reset.h"
#include "support/fake_plugin.h"
#include "ui/ui.h"

namespace qtest {
namespace {

using platform::WindowState;

int UsedCount(const std::array<bool, 6>& used) {
  return static_cast<int>(std::count(used.begin(), used.end(), true));
}

// Middle tiles of the seat-wind draw that show the own 南 (own seat index 2).
int SouthTilesOf(const Client& c) {
  int n = 0;
  for (int i = 0; i < 4; ++i) n += c.MainForm.MJ_Image(i).Picture() == 201 + 145 ? 1 : 0;
  return n;
}

TEST_F(SeatingTest, FourNamesSeatTheTableAroundTheOwnAccount) {
  SeatNames();
  const auto& h = c.table.Hand;
  EXPECT_EQ(h[0].SeatBit, 4);
  EXPECT_EQ(h[1].SeatBit, 2);
  EXPECT_EQ(h[2].SeatBit, 1);
  EXPECT_EQ(h[3].SeatBit, 8);
  EXPECT_EQ(h[1].Account, "carol");
  EXPECT_EQ(h[2].Account, "bob");
  EXPECT_EQ(h[3].Account, "dave");
  for (int p = 0; p < 4; ++p) EXPECT_EQ(table::SeatPosOf(h[0].SeatBit, h[p].SeatBit), p);
  EXPECT_EQ(c.disp.SeatNameCount, 0);
  EXPECT_TRUE(c.disp.Reseating);
  EXPECT_EQ(c.ui.ButtonState[2], -1);
  EXPECT_FALSE(c.TimerKeepAlive.Enabled());
  // The seat-wind draw turned one middle tile to the own wind, 南 for seat index 2.
  EXPECT_EQ(SouthTilesOf(c), 1);
  EXPECT_EQ(c.MainForm.ZhiNan.Picture(), 126 + 2);
}

TEST_F(SeatingTest, NamesWithoutTheOwnAccountLeaveTheSeatsAlone) {
  SeatNames();
  Feed({NameFrame(1, "x1"), NameFrame(2, "x2"), NameFrame(4, "x3"), NameFrame(8, "x4")});
  EXPECT_EQ(c.table.Hand[0].SeatBit, 4);
  EXPECT_EQ(c.table.Hand[1].SeatBit, 2);
  EXPECT_EQ(c.table.Hand[2].Account, "bob");
  EXPECT_EQ(SouthTilesOf(c), 1);
}

TEST_F(SeatingTest, ReadyMarksHideWhileNamesArrive) {
  c.MainForm.OK(2).SetVisible(true);
  Feed({NameFrame(1, "bob")});
  EXPECT_FALSE(c.MainForm.OK(2).Visible());
  EXPECT_EQ(c.disp.SeatNameCount, 1);
}

TEST_F(SeatingTest, PlayerInformationFillsRecordsLabelsAndPortraits) {
  SeatTable();
  const auto& pl = c.table.Player;
  EXPECT_EQ(pl[0].NickName, "爱丽丝");
  EXPECT_EQ(pl[1].Account, "carol");
  EXPECT_EQ(pl[2].Gold, 70);
  EXPECT_EQ(c.MainForm.Nid(1).Caption(), "[新手] Carol");
  EXPECT_EQ(c.MainForm.Cash(1).Caption(), "500金币");
  EXPECT_EQ(c.MainForm.Level(3).Caption(), "一组");
  // w2 -> 11, w3 -> 12, m10 -> 9, m12 -> 0 (beyond ten portraits).
  EXPECT_EQ(c.MainForm.Tou(0).Picture(), 401 + 1);
  EXPECT_EQ(c.MainForm.Tou(1).Picture(), 401 + 2);
  EXPECT_EQ(c.MainForm.Tou(2).Picture(), 191 + 9);
  EXPECT_EQ(c.MainForm.Tou(3).Picture(), 191);
  EXPECT_EQ(c.table.NameCard[1].NickName, "Carol");
  EXPECT_EQ(c.table.NameCard[1].Face, 12);
  EXPECT_EQ(c.Hero.ID(2).Caption(), "Bob");
  EXPECT_EQ(c.Hero.Tou(2).Picture(), 191 + 9);
  EXPECT_EQ(c.Score.Tou(0).Picture(), 401 + 1);
  // No plug-in switch on the command line: the plug-in stays off.
  EXPECT_EQ(c.props.Prop_GameDllState, -1);
}

TEST(FaceIndex, KeysGivePortraits) {
  struct Case {
    const char* face;
    int index;
  };
  for (const Case& k : {Case{"m1", 0}, Case{"m10", 9}, Case{"w3", 12}, Case{"m12", 0},
                        Case{"w10", 19}, Case{"w11", 10}, Case{"", 0}, Case{"m0", 0}, Case{"mx", 0},
                        Case{"m1234", 0}, Case{"w", 10}}) {
    EXPECT_EQ(session::FaceIndex(k.face), k.index) << k.face;
  }
  EXPECT_EQ(session::FaceGif(9), 200);
  EXPECT_EQ(session::FaceGif(10), 401);
}

TEST(ParsePlayer, ReadsEveryFieldAtItsOffset) {
  FrameBuilder f(20);
  f.text(16, "张三").text(48, "w5").byte(64, 1).text(72, "称号");
  f.u64le(80, 1).u64le(88, 2).u64le(96, 0x0102030405060708ULL).u64le(104, 4);
  f.text(112, "金牌组").u64le(128, 5).u64le(136, 6).u64le(144, 7);
  f.u32le(152, 0xFFFFFFFFU).u32le(156, 2).u32le(160, 3).u32le(164, 4);
  f.text(168, "zhangsan").text(184, "大师").text(210, "v1").text(218, "v2").u64le(226, 4242);
  const auto r = session::ParsePlayer(wire::DecodePlayerInfo(f.frame()));
  EXPECT_EQ(r.NickName, "张三");
  EXPECT_EQ(r.Face, "w5");
  EXPECT_EQ(r.Sex, 1);
  EXPECT_EQ(r.Title, "称号");
  EXPECT_EQ(r.Num1, 1);
  EXPECT_EQ(r.Num2, 2);
  EXPECT_EQ(r.Gold, 72623859790382856.0);
  EXPECT_EQ(r.Num4, 4);
  EXPECT_EQ(r.Group, "金牌组");
  EXPECT_EQ(r.Num7, 7);
  EXPECT_EQ(r.Stat[0], -1);
  EXPECT_EQ(r.Stat[3], 4);
  EXPECT_EQ(r.Account, "zhangsan");
  EXPECT_EQ(r.Caption, "大师");
  EXPECT_EQ(r.VoiceA, "v1");
  EXPECT_EQ(r.VoiceB, "v2");
  EXPECT_EQ(r.UserId, 4242);
}

TEST(ParsePlayer, UnterminatedTextsStopAtTheirFieldAndHugeNumbersStayFinite) {
  FrameBuilder f(20);
  for (int i = 16; i < 272; ++i) f.byte(i, 'A');
  f.byte(47, 0xB0);  // a lead byte whose partner lies outside the field
  f.u64le(96, ~0ULL);
  const auto r = session::ParsePlayer(wire::DecodePlayerInfo(f.frame()));
  EXPECT_EQ(r.NickName.size(), 32U);
  EXPECT_EQ(r.NickName.substr(0, 31), std::string(31, 'A'));
  EXPECT_EQ(r.Face, std::string(16, 'A'));
  EXPECT_EQ(r.Account, std::string(16, 'A'));
  EXPECT_EQ(r.Gold, 18446744073709551615.0);
  EXPECT_EQ(session::GoldText(r.Gold), "1.84467440737096E+19金币");
}

TEST_F(SeatingTest, VoicesAreAssignedOncePerSequenceWithoutRepeats) {
  auto players = Table();
  for (auto& p : players) p.sex = 0;
  players[3].sex = 2;  // unknown: keeps the frame's voice
  for (int round = 0; round < 12; ++round) {
    SeatTable(players);
    ASSERT_FALSE(c.disp.Reseating) << round;
    EXPECT_EQ(c.disp.SeatNameCount, 5);
    EXPECT_EQ(UsedCount(c.disp.FemaleVoiceUsed), 3) << round;
    EXPECT_EQ(UsedCount(c.disp.MaleVoiceUsed), 0);
    for (int t = 0; t < 3; ++t) {
      EXPECT_EQ(c.table.Player[t].VoiceA, "27");
      EXPECT_EQ(c.table.Player[t].VoiceSex, 2);
    }
    EXPECT_EQ(c.table.Player[3].VoiceA, "");
    EXPECT_EQ(c.table.Player[3].VoiceSex, 3);
    Advance(1370);           // another second: another seed
    session::ResetTable(c);  // as the ready countdown does before the next seating
  }
}

// A table reset in the middle of a seating sequence must not lose the sequence's count, or the
// voices are never handed out and the sequence never ends.
TEST_F(SeatingTest, AReseatWithATableResetInTheMiddleStillAssignsVoices) {
  struct Case {
    const char* name;
    bool othersReady;  // after a hand, three ready marks reset the table
    bool tableFills;   // the third other player completes the table: reset and "starts soon"
  };
  for (const Case& k : {Case{"three ready marks after a hand", true, false},
                        Case{"the table fills", false, true}}) {
    SCOPED_TRACE(k.name);
    SeatTable();
    ASSERT_FALSE(c.disp.Reseating);
    session::ResetTable(c);  // a hand was played and the table cleared for the next one
    c.disp.PlayedHand = 1;
    c.disp.TableResetDone = false;
    c.disp.SeatedOthers = k.tableFills ? 3 : 0;
    c.disp.MaleVoiceUsed.fill(false);
    SeatNames();
    auto players = Table();
    for (auto& p : players) p.ready = k.othersReady && p.account != "alice";
    std::vector<wire::Frame> info;
    for (const auto& p : players) info.push_back(PlayerFrame(p));
    Feed(info);
    EXPECT_TRUE(c.disp.TableResetDone) << "the reset did happen";
    EXPECT_FALSE(c.disp.Reseating) << "the sequence ended";
    EXPECT_EQ(c.disp.SeatNameCount, 5);
    EXPECT_EQ(UsedCount(c.disp.MaleVoiceUsed), 2) << "bob and dave got voices";
  }
}

TEST_F(SeatingTest, SeatNamesJoinLikeThePartsSayButStopGrowing) {
  Feed({NameFrame(1, "bo"), NameFrame(1, "b")});
  EXPECT_EQ(c.net.SeatNames[0], "bob") << "two names without a reset in between are joined";
  const std::vector<wire::Frame> flood(100, NameFrame(2, "carolcarolcarol"));
  for (int i = 0; i < 4; ++i) Feed(flood);  // a ring's worth at a time
  EXPECT_LE(c.net.SeatNames[1].size(), 32U);
  EXPECT_EQ(c.net.SeatNames[1].rfind("carolcarolcarol", 0), 0U);
}

TEST_F(SeatingTest, TheReadyCountdownCountsDownAndSendsTheReadyMessageOnce) {
  SeatTable();
  c.disp.SeatedOthers = 3;
  c.disp.RestartPending = true;
  Feed({FrameBuilder(21).text(16, "carol")});
  ASSERT_TRUE(c.net.TaskOn[net::kTaskReadyClock]);
  auto& number = c.MainForm.Number;
  EXPECT_EQ(number.Caption(), "15");
  const auto readyMessages = [this] {
    int n = 0;
    for (const auto& f : Sent()) {
      n += f[wire::kOffCmd] == 16 && wire::ReadValue16(f, 3) == 1 ? 1 : 0;
    }
    return n;
  };
  Advance(1200);
  EXPECT_EQ(number.Caption(), "14");
  EXPECT_EQ(number.ForeColor(), 0x00FF00U);
  Advance(9400);
  EXPECT_EQ(number.Caption(), "5");
  EXPECT_EQ(number.ForeColor(), 0xFF0000U) << "red below 6";
  EXPECT_TRUE(number.Visible());
  EXPECT_EQ(readyMessages(), 0);
  Advance(6000);
  EXPECT_FALSE(number.Visible());
  EXPECT_FALSE(c.MainForm.Time_Img.Visible());
  EXPECT_FALSE(c.net.TaskOn[net::kTaskReadyClock]);
  EXPECT_EQ(readyMessages(), 1);
  session::AnNiu_Click(c, 2);  // a late press sends nothing more
  Advance(200);
  EXPECT_EQ(readyMessages(), 1);
}

TEST_F(SeatingTest, MaleVoicesUseFiveStylesAndRepeatOnlyWhenAllAreTaken) {
  auto players = Table();
  for (auto& p : players) p.sex = 1;
  SeatTable(players);
  EXPECT_EQ(UsedCount(c.disp.MaleVoiceUsed), 4);
  EXPECT_FALSE(c.disp.MaleVoiceUsed[5]);
  // Every position's voice code is kept for the settings dialog's voice switch.
  for (std::size_t t = 0; t < 4; ++t) EXPECT_EQ(c.ui.VoiceStyle[t], c.table.Player[t].VoiceB);
  // A lone player update after the sequence assigns nothing new.
  const std::string before = c.table.Player[1].VoiceB;
  auto carol = players[1];
  Feed({PlayerFrame(carol)});
  EXPECT_EQ(c.table.Player[1].VoiceB, "");  // the frame's own (empty) voice, not re-assigned
  EXPECT_FALSE(before.empty());
}

TEST_F(SeatingTest, NewPlayersWithoutSeatTakeTheFirstFreePositions) {
  PlayerFields p{.account = "p1", .nick = "P1"};
  c.MainForm.SetState(WindowState::Minimized);
  Feed({PlayerFrame(p)});
  EXPECT_EQ(c.table.Hand[1].Account, "p1");
  EXPECT_EQ(c.disp.SeatedOthers, 1);
  // Position 2 is taken by someone already: the next newcomer goes to 3, then 2 is filled.
  c.MainForm.Nid(2).SetCaption("[x] X");
  p.account = "p3";
  Feed({PlayerFrame(p)});
  EXPECT_EQ(c.table.Hand[3].Account, "p3");
  EXPECT_EQ(c.MainForm.State(), WindowState::Minimized);
  c.MainForm.Nid(2).SetCaption("");
  p.account = "p2";
  Feed({PlayerFrame(p)});
  EXPECT_EQ(c.table.Hand[2].Account, "p2");
  EXPECT_EQ(c.disp.SeatedOthers, 3);
  // Three others before any hand: the table comes up and the lobby steps back.
  EXPECT_EQ(c.MainForm.State(), WindowState::Normal);
  EXPECT_TRUE(host.HasLog("lobby-out", "274 minimise"));
  EXPECT_TRUE(c.disp.TableResetDone);
  EXPECT_EQ(Sysmsg(0).back(), "游戏将在15秒内开始");
}

TEST_F(SeatingTest, ANewcomerWithNoFreePositionTakesTheErrorPath) {
  c.disp.SeatedOthers = 3;
  for (int t = 1; t <= 3; ++t) c.MainForm.Nid(t).SetCaption("taken");
  Feed({PlayerFrame({.account = "extra"})});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "run-time error in command 20");
}

TEST_F(SeatingTest, AllSeatsFrameGoesToTheOwnPositionAndReadyByteShowsTheMark) {
  Feed({PlayerFrame({.account = "alice", .nick = "A", .seat = 15, .ready = true})});
  EXPECT_EQ(c.table.Hand[0].Account, "alice");
  EXPECT_EQ(c.ui.ButtonState[2], 0);
  EXPECT_TRUE(c.MainForm.OK(0).Visible());
}

TEST_F(SeatingTest, OddSeatBitsNeverLeaveTheFourPositions) {
  SeatNames();
  for (int seat : {3, 5, 6, 7, 9, 12, 14}) {
    Feed({PlayerFrame({.account = "odd", .seat = seat})});
    ASSERT_FALSE(host.Ended()) << seat;
  }
}

TEST_F(SeatingTest, ThreeReadyOthersAfterAHandResetTheTable) {
  SeatTable();
  c.disp.PlayedHand = 1;
  c.table.HandNumber = 1;
  c.disp.TableResetDone = false;
  c.MainForm.OK(1).SetVisible(true);
  c.MainForm.OK(2).SetVisible(true);
  auto dave = Table()[3];
  dave.ready = true;
  Feed({PlayerFrame(dave)});
  EXPECT_TRUE(c.disp.TableResetDone);
  EXPECT_EQ(c.MainForm.AnNiu(2).Picture(), 101 + 6);
}

TEST_F(SeatingTest, PlugInRegistersPlayersWithGold) {
  c.app.Prop_swicth = 1;
  auto rec = std::make_shared<FakePluginRecord>();
  rec->chests = false;
  host.propPlugin = [rec] { return std::make_unique<FakePlugin>(rec); };
  SeatTable();
  EXPECT_EQ(rec->Count("Initdll alice key123"), 1);
  EXPECT_EQ(c.props.Prop_GameDllState, 1);
  EXPECT_TRUE(host.HasLog("plugin", "SetUserinfo Carol carol 2 1 false"));
  EXPECT_TRUE(rec->Called("SetUserinfo carol 1"));
  EXPECT_TRUE(rec->Called("rec_state 2 1 1"));
  EXPECT_FALSE(c.MainForm.Tou(1).Visible());
  // Byte 255 switches the plug-in off.
  Feed({PlayerFrame(Table()[2]).byte(255, 1)});
  EXPECT_EQ(c.props.Prop_GameDllState, -1);
}

TEST_F(SeatingTest, LeaverIsClearedAndTheRestartCountdownStarts) {
  SeatTable();
  c.disp.SeatedOthers = 3;
  c.disp.RestartPending = true;
  c.disp.OtherNames = {"carol", "bob", "dave"};
  // Byte 8 = 1: the first character comes shifted up by one.
  Feed({FrameBuilder(21).byte(8, 1).byte(16, 'c' + 1).text(17, "arol").byte(11, 1)});
  EXPECT_EQ(c.table.Hand[1].Account, "");
  EXPECT_EQ(c.table.Player[1].NickName, "");
  EXPECT_EQ(c.MainForm.Nid(1).Caption(), "");
  EXPECT_EQ(c.MainForm.Tou(1).Picture(), 0);
  EXPECT_EQ(c.disp.OtherNames[0], "");
  EXPECT_EQ(c.disp.SeatedOthers, 2);
  ASSERT_EQ(Sysmsg(0).size(), 1U);
  EXPECT_EQ(Sysmsg(0)[0].rfind("Carol退出了游戏 10:0:", 0), 0U) << Sysmsg(0)[0];
  for (const auto& h : c.table.Hand) EXPECT_EQ(h.SeatBit, 0);
  EXPECT_EQ(c.table.Countdown, 10);
  EXPECT_TRUE(c.net.TaskOn[net::kTaskReadyClock]);
  EXPECT_TRUE(c.MainForm.Number.Visible());
  EXPECT_TRUE(c.disp.RestartPending);
  EXPECT_TRUE(c.TimerKeepAlive.Enabled());
  EXPECT_EQ(c.table.Hand[2].Account, "bob");
}

TEST_F(SeatingTest, LeaverWithoutShiftAndNoRestartPending) {
  SeatTable();
  c.disp.RestartPending = false;
  Feed({FrameBuilder(21).text(16, "dave")});
  EXPECT_EQ(c.table.Hand[3].Account, "");
  EXPECT_FALSE(c.net.TaskOn[net::kTaskReadyClock]);
  EXPECT_TRUE(c.disp.RestartPending);
  // An unknown account clears nobody.
  Feed({FrameBuilder(21).text(16, "zed")});
  EXPECT_EQ(c.table.Hand[2].Account, "bob");
}

TEST_F(SeatingTest, OwnDepartureEndsTheProgram) {
  SeatTable();
  Feed({FrameBuilder(21).text(16, "alice")});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "the own seat left the table");
}

TEST_F(SeatingTest, ShiftedLeaverBelowCodeZeroTakesTheErrorPath) {
  Feed({FrameBuilder(21).byte(8, 1).byte(16, 0)});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "run-time error in command 21");
}

TEST_F(SeatingTest, DepartureBetweenHandsRefreshesThePlugIn) {
  SeatTable();
  c.props.Prop_GameDllState = 1;
  c.disp.PlayedHand = 1;
  c.disp.PropRefresh = true;
  Feed({FrameBuilder(21).text(16, "bob")});
  EXPECT_TRUE(host.HasLog("plugin", "ClearUser 2"));
  EXPECT_TRUE(host.HasLog("plugin", "rec_state 2 false 3"));
  EXPECT_TRUE(host.HasLog("plugin", "Ainit newvrp.xml"));
  EXPECT_FALSE(c.disp.PropRefresh);
}

class WatchSeatingTest : public SeatingTest {
 protected:
  void SetUp() override {
    Start("alice$key123$127.0.0.1$7000$一号桌$777");
    Advance(250);
    Push(FrameBuilder(18).v(3, 1).v(1, 8));
    Advance(100);
  }
};

TEST_F(WatchSeatingTest, FourFramesAreCollectedThenPlacedAroundTheWatchedPlayer) {
  ASSERT_TRUE(c.table.WatchMode);
  // The resumed hand: dealer at seat bit 2, dice 3 and 4.
  Feed({FrameBuilder(41).seat(2).v(0, 3).v(1, 4).v(2, 0x43).v(3, 0x42)});
  Feed({PlayerFrame({.account = "w1", .nick = "W1", .seat = 1}),
        PlayerFrame({.account = "w2", .nick = "W2", .seat = 2, .userId = 777})});
  EXPECT_EQ(c.MainForm.Nid(0).Caption(), "");
  EXPECT_EQ(c.table.Hand[0].Account, "alice");
  Feed({PlayerFrame({.account = "w4", .nick = "W4", .seat = 8, .face = "w3"}),
        PlayerFrame({.account = "w3", .nick = "W3", .seat = 4})});
  const auto& h = c.table.Hand;
  EXPECT_EQ(h[0].Account, "w2");
  EXPECT_EQ(h[0].SeatBit, 2);
  EXPECT_EQ(h[3].Account, "w3");  // seat 4 = 2w: right
  EXPECT_EQ(h[2].Account, "w4");  // seat 8 = 4w: opposite
  EXPECT_EQ(h[1].Account, "w1");  // w = 2s: left
  EXPECT_EQ(c.MainForm.Nid(2).Caption(), "[新手] W4");
  EXPECT_EQ(c.MainForm.Tou(2).Picture(), 401 + 2);
  EXPECT_TRUE(h[0].IsDealer);
  // ((13 + 0 - 3) mod 4 * 17 + 3 + 4) * 2 mod 136
  EXPECT_EQ(c.table.WallHead, (2 * 17 + 7) * 2 % 136);
  EXPECT_EQ(c.table.WallTail, (c.table.WallHead + 134) % 136);
  // A later update refreshes its position instead of failing.
  Feed({PlayerFrame({.account = "w3", .nick = "W3b", .seat = 4, .gold = 5})});
  EXPECT_FALSE(host.Ended());
  EXPECT_EQ(c.MainForm.Cash(3).Caption(), "5金币");
}

TEST_F(WatchSeatingTest, AWatchedFrameMarkedAsOwnKeepsTheSeatTheNamesGave) {
  // The names put the watched account at seat bit 2; its own frame says 15 ("you").
  Feed({NameFrame(1, "w1"), NameFrame(2, "alice"), NameFrame(4, "w3"), NameFrame(8, "w4")});
  ASSERT_EQ(c.table.Hand[0].SeatBit, 2);
  Feed({PlayerFrame({.account = "w1", .nick = "W1", .seat = 1}),
        PlayerFrame({.account = "w2", .nick = "W2", .seat = 15, .userId = 777}),
        PlayerFrame({.account = "w4", .nick = "W4", .seat = 8}),
        PlayerFrame({.account = "w3", .nick = "W3", .seat = 4})});
  ASSERT_FALSE(host.Ended());
  const auto& h = c.table.Hand;
  EXPECT_EQ(h[0].SeatBit, 2);
  EXPECT_EQ(h[0].Account, "w2");
  EXPECT_EQ(c.table.Player[0].NickName, "W2");
  EXPECT_EQ(c.MainForm.Nid(0).Caption(), "[新手] W2");
  EXPECT_EQ(h[1].Account, "w1");
  EXPECT_EQ(h[2].Account, "w4");
  EXPECT_EQ(h[3].Account, "w3");
  EXPECT_EQ(c.MainForm.ZhiNan.Picture(), 126 + 1);
}

TEST_F(WatchSeatingTest, AnyDepartureEndsWatching) {
  Feed({FrameBuilder(21).text(16, "nobody")});
  EXPECT_TRUE(host.Ended());
  ASSERT_FALSE(host.messageBoxes.empty());
  EXPECT_EQ(host.messageBoxes.back().text, "有用户退出，旁观结束！");
}

}  // namespace
}  // namespace qtest
