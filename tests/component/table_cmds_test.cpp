// Hand start, table status, closing notice, ready marks, resumed hands and gold changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "seating_fixture.h"
#include "ui/ui.h"

namespace qtest {
namespace {

class TableCmdsTest : public SeatingTest {
 protected:
  void SetUp() override {
    SeatingTest::SetUp();
    SeatTable();
    c.disp.SeatedOthers = 3;
  }
  wire::Frame LastSent() const { return Sent().back(); }
  // The leave dialog is on screen with this notice.
  ::testing::AssertionResult LeaveDialogShows(const std::string& text) const {
    if (!host.Shown("frmOtherExit")) return ::testing::AssertionFailure() << "no leave dialog";
    if (c.frmOtherExit.Label1.Caption() != text)
      return ::testing::AssertionFailure() << "it says " << c.frmOtherExit.Label1.Caption();
    return ::testing::AssertionSuccess();
  }
};

TEST_F(TableCmdsTest, HandStartSetsDealerWallDiceAndReleasesHeldFrames) {
  c.net.HeldFrameA = FrameBuilder(45).v(0, 1035);
  c.net.HeldFrameB = FrameBuilder(45).v(0, 3090);
  c.net.HoldReadyB = true;  // still holding: B stays
  c.net.HoldQuit = true;
  c.MainForm.OK(2).SetVisible(true);
  c.MainForm.Operation(1).SetVisible(true);
  c.frmExit.SetVisible(true);
  // Dealer bob (seat bit 1) sits opposite: position 2.
  Feed({FrameBuilder(4).seat(1).v(0, 3).v(1, 5).v(2, 3).v(3, 5).byte(18, 1)});
  Advance(200);
  bool releasedA = false;
  for (const auto& f : Sent()) {
    if (f[3] == 45) {
      releasedA = true;
      EXPECT_EQ(f[6], 4);  // rewritten with the own seat bit
      EXPECT_EQ(f[8] * 256 + f[9], 1035);
    }
  }
  EXPECT_TRUE(releasedA);
  EXPECT_EQ(c.net.HeldFrameA[3], 0);
  EXPECT_EQ(c.net.HeldFrameB[3], 45);
  EXPECT_FALSE(c.net.HoldQuit);
  EXPECT_TRUE(c.net.InHand);
  EXPECT_EQ(c.disp.PlayedHand, 1);
  EXPECT_TRUE(c.disp.PropRefresh);
  EXPECT_EQ(c.table.HandNumber, 1);
  EXPECT_EQ(c.table.GoldAtStart[1], 500);
  EXPECT_EQ(c.table.GoldAtStart[2], 70);
  EXPECT_TRUE(c.table.Hand[2].IsDealer);
  EXPECT_FALSE(c.table.Hand[0].IsDealer);
  // ((2 - 3 + 13 - 5) And 3) = 3; (3 * 17 + 3 + 5) * 2 mod 136
  EXPECT_EQ(c.table.WallHead, 118);
  EXPECT_EQ(c.table.WallTail, 116);
  EXPECT_EQ(c.table.Dice[0], 3);
  EXPECT_EQ(c.table.Dice[1], 5);
  EXPECT_FALSE(c.MainForm.OK(2).Visible());
  EXPECT_TRUE(c.net.TaskOn[net::kTaskBlink]);
  // The dice multiplier.
  EXPECT_EQ(c.MainForm.lblDifen.Caption(), "8");
  EXPECT_TRUE(c.MainForm.lblDifen.Visible());
  EXPECT_TRUE(c.MainForm.imgBeishu.Visible());
  EXPECT_EQ(c.MainForm.imgsezi(0).Picture(), 602);
  EXPECT_EQ(c.MainForm.imgsezi(1).Picture(), 604);
  EXPECT_TRUE(c.MainForm.Zhuang.Visible());
  EXPECT_TRUE(c.MainForm.ZhiNan.Visible());
  for (int b = 0; b < 6; ++b) {
    EXPECT_FALSE(c.MainForm.Operation(b).Visible());
    EXPECT_FALSE(c.MainForm.Operation(b).Enabled());
    EXPECT_EQ(c.MainForm.Operation(b).Picture(), 141 + 3 * b);
  }
  // The wall is built face down and the lobby told.
  EXPECT_EQ(c.MainForm.MJ_Image(0).Picture(), 201 + 8);
  EXPECT_TRUE(c.MainForm.MJ_Image(135).Visible());
  EXPECT_TRUE(host.HasLog("lobby-out", "1127"));
  EXPECT_FALSE(host.Shown("frmExit"));
  EXPECT_EQ(c.MainForm.imgBeishu.ToolTipText(), "骰子加倍 ×8");
}

TEST_F(TableCmdsTest, HandStartWithoutDiceMultipleHidesIt) {
  c.MainForm.lblDifen.SetVisible(true);
  c.MainForm.lbfont(1).SetVisible(true);
  Feed({FrameBuilder(4).seat(4).v(0, 1).v(1, 1).v(2, 9).v(3, 200)});
  EXPECT_FALSE(host.Ended());
  EXPECT_FALSE(c.MainForm.lblDifen.Visible());
  EXPECT_FALSE(c.MainForm.imgsezi(0).Visible());
  EXPECT_FALSE(c.MainForm.lbfont(1).Visible());
}

TEST_F(TableCmdsTest, HandStartWithADieOutsideOneToSixTakesTheErrorPath) {
  Feed({FrameBuilder(4).seat(4).v(2, 0).v(3, 5).byte(18, 1)});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "run-time error in command 4");
}

TEST_F(TableCmdsTest, HandStartWithAMissingDealerEndsAfterTheMessage) {
  for (auto& h : c.table.Hand) h.SeatBit = 0;  // everybody left
  Feed({FrameBuilder(4).seat(2)});
  EXPECT_TRUE(host.Ended());
  ASSERT_FALSE(host.messageBoxes.empty());
  EXPECT_EQ(host.messageBoxes.back().text, "有玩家退出，游戏结束！");
  EXPECT_EQ(host.EndReason(), "the dealer of the new hand is not at the table");
  EXPECT_TRUE(host.HasLog("lobby-out", "274 restore"));
}

TEST_F(TableCmdsTest, StatusContinueStartsTheSeatChangeOrUpdatesTheMultiplier) {
  c.disp.RestartPending = true;
  c.disp.AdPage2 = "http://ad/x.gamead";
  c.props.WealthMultiple = 3;
  Feed({FrameBuilder(16).v(3, 0).v(2, 1).byte(11, 1).u32le(16, 9)});
  EXPECT_FALSE(c.disp.RestartPending);
  EXPECT_TRUE(c.disp.ShortReady);
  EXPECT_TRUE(c.MainForm.ImgShuffle.Visible());
  EXPECT_TRUE(c.TimerShuffle.Enabled());
  EXPECT_TRUE(host.HasLog("advert", "2 http://ad/x.gamead"));
  EXPECT_EQ(c.props.WealthMultiple, 3) << "the seat change leaves the multiplier alone";
  c.MainForm.ImgShuffle.SetVisible(false);
  Feed({FrameBuilder(16).v(3, 0).u32le(16, 9)});
  EXPECT_EQ(c.props.WealthMultiple, 9);
  EXPECT_EQ(c.MainForm.lbwealth.Caption(), "9");
  EXPECT_FALSE(c.MainForm.ImgShuffle.Visible()) << "started once";
}

// The seat change shows its picture and a caption whose dots grow every 300 ms, in front of
// the table, until the next hand is set up.
TEST_F(TableCmdsTest, TheSeatChangeCaptionRunsUntilTheNextHandIsSetUp) {
  auto& f = c.MainForm;
  EXPECT_FALSE(f.ImgShuffle.Visible());
  EXPECT_FALSE(f.LblShuffle.Visible());
  c.disp.RestartPending = true;
  Feed({FrameBuilder(16).v(3, 0).v(2, 1)});
  EXPECT_TRUE(f.ImgShuffle.Visible());
  EXPECT_TRUE(f.LblShuffle.Visible());
  EXPECT_EQ(f.ImgShuffle.Picture(), 1137);
  EXPECT_EQ(f.Stacking().back(), &f.LblShuffle) << "the caption lies on its picture";
  EXPECT_EQ(c.TimerShuffle.Interval(), 300);
  // Feeding took some ticks already: follow the captions from the next one on.
  const std::vector<std::string> captions = {"正在随机换座中..", "正在随机换座中...",
                                             "正在随机换座中....", "正在随机换座中....."};
  const auto at = std::find(captions.begin(), captions.end(), f.LblShuffle.Caption());
  ASSERT_NE(at, captions.end()) << f.LblShuffle.Caption();
  auto k = static_cast<std::size_t>(at - captions.begin());
  for (int step = 0; step < 6; ++step) {
    Advance(300);
    k = (k + 1) % captions.size();
    EXPECT_EQ(f.LblShuffle.Caption(), captions[k]) << step;
  }
  // The player continues: the animation keeps running, it is not started again.
  ui::StartSeatChangeIfPending(c.uiCtx);
  EXPECT_TRUE(f.ImgShuffle.Visible());

  Feed({FrameBuilder(16).v(3, 2).seat(8)});
  EXPECT_FALSE(f.ImgShuffle.Visible());
  EXPECT_FALSE(f.LblShuffle.Visible());
  EXPECT_FALSE(c.TimerShuffle.Enabled());
  ui::StartSeatChangeIfPending(c.uiCtx);
  EXPECT_FALSE(f.ImgShuffle.Visible()) << "no seat change is pending any more";
}

TEST_F(TableCmdsTest, StatusPlayersLeftListsLeaversAndLeavesTheTable) {
  // Seat 8 (dave, right) left: the seats still present are 1, 2 and 4.
  Feed({FrameBuilder(16).v(3, 1).seat(7)});
  EXPECT_EQ(c.disp.SeatedOthers, 2);
  EXPECT_TRUE(c.disp.GameOver);
  EXPECT_TRUE(c.score.GameEnded);
  EXPECT_FALSE(c.net.InHand);
  ASSERT_EQ(Sysmsg(0).size(), 1U);
  EXPECT_EQ(Sysmsg(0)[0].rfind("Dave,退出了游戏！ 10:0:", 0), 0U) << Sysmsg(0)[0];
  ASSERT_EQ(Sysmsg(1).size(), 1U);
  EXPECT_EQ(Sysmsg(1)[0], "Dave,请退出重新开始游戏.");
  EXPECT_TRUE(LeaveDialogShows("玩家Dave,退出了游戏！游戏结束！"));
  EXPECT_TRUE(c.Hero.Visible()) << "the history of the finished game";
  for (int t = 1; t <= 3; ++t) {
    EXPECT_EQ(c.MainForm.Nid(t).Caption(), "");
    EXPECT_EQ(c.table.Hand[t].Account, "");
  }
  EXPECT_NE(host.socket.State(), platform::kSockConnected);
  EXPECT_FALSE(c.net.TaskOn[net::kTaskRecv]);  // the table no longer listens
  EXPECT_FALSE(host.Ended());
}

TEST_F(TableCmdsTest, StatusPlayersLeftListsSeveralLeaversInSeatOrder) {
  // Seats 1 and 2 left (bob opposite, carol left).
  Feed({FrameBuilder(16).v(3, 1).seat(12)});
  EXPECT_EQ(Sysmsg(1)[0], "Bob,Carol,请退出重新开始游戏.");
  EXPECT_EQ(c.disp.SeatedOthers, 1);
}

TEST_F(TableCmdsTest, StatusPlayersLeftWithEverybodyPresentDoesNothing) {
  Feed({FrameBuilder(16).v(3, 1).seat(15)});
  EXPECT_FALSE(c.disp.GameOver);
  EXPECT_EQ(c.disp.SeatedOthers, 3);
}

TEST_F(TableCmdsTest, StatusPlayersLeftWhenTheOwnSeatIsTheHighestLeaverEnds) {
  c.props.Prop_GameDllState = 1;
  ASSERT_TRUE(host.sound.playing) << "the background loop runs";
  const std::array<platform::Form*, 5> open{&c.Hero, &c.Score, &c.Information, &c.Talk, &c.huifu};
  for (platform::Form* w : open) w->SetVisible(true);
  // Own seat is 4; seats 4 and 1 left, the highest of them is the own seat.
  Feed({FrameBuilder(16).v(3, 1).seat(10)});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "the game is over and the own seat has gone");
  // An orderly end: the main window unloads first.
  EXPECT_EQ(host.lobby.listeningAs, "") << "the lobby link stopped listening";
  EXPECT_FALSE(host.sound.playing) << "the music stopped";
  const std::array<const platform::Form*, 11> windows{
      &c.frmExit, &c.frmOtherExit, &c.frmReconnect, &c.frmTing, &c.VosSet, &c.rule,
      &c.Hero,    &c.Score,        &c.Information,  &c.Talk,    &c.huifu};
  for (const platform::Form* f : windows) EXPECT_FALSE(f->Visible()) << f->Name();
}

// A lobby message, or a bar button, that arrives while a handler waits inside a tick (the wall
// build, a message box) runs once the tick is over: the handler never finds its table cleared,
// and the dispatcher and the tick are never entered twice.
TEST_F(TableCmdsTest, LobbyLeaveDuringTheWallBuildRunsAfterTheHandStart) {
  Push(FrameBuilder(4).seat(1).v(0, 3).v(1, 5).v(2, 3).v(3, 5));
  const auto pushedAt = host.Now();
  // The frame is dispatched within two ticks; the wall build then takes 160 ms.
  host.Schedule(150, [this] { host.lobby.Deliver(platform::kLobbyLeaveNow); });
  Advance(1000);
  ASSERT_FALSE(host.Ended()) << host.EndReason();
  EXPECT_TRUE(host.messageBoxes.empty()) << "the hand start found its dealer";
  // The lobby heard of the new hand, and then the player left.
  EXPECT_TRUE(host.HasLog("lobby-out", "1127"));
  EXPECT_EQ(SentCommands().back(), 16);
  EXPECT_EQ(host.socket.State(), platform::kSockClosed);
  EXPECT_FALSE(c.net.InHand);
  std::int64_t builtAt = -1;
  std::int64_t leftAt = -1;
  for (const auto& l : host.log) {
    if (l.kind == "lobby-out" && l.detail == "1127") builtAt = l.ms;
    if (l.kind == "send" && l.detail == "16") leftAt = l.ms;
  }
  EXPECT_GT(builtAt, pushedAt);
  EXPECT_GE(leftAt, builtAt);
}

TEST_F(TableCmdsTest, AMessageBoxInsideATickHoldsTheLobbysConnectMessage) {
  host.messageBoxOpenMs = 3000;  // the player reads it for three seconds
  for (auto& h : c.table.Hand) h.SeatBit = 0;
  Push(FrameBuilder(4).seat(2));
  // While the box is open, the lobby asks the client to connect again.
  host.Schedule(500, [this] { host.lobby.Deliver(platform::kLobbyConnect); });
  const auto before = SentCommands();
  const auto loginsBefore = std::count(before.begin(), before.end(), 18);
  Advance(5000);
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "the dealer of the new hand is not at the table");
  const auto commands = SentCommands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 18), loginsBefore)
      << "no tick ran inside the box to log in again";
}

TEST_F(TableCmdsTest, BarButtonsComeBackWhenTheResumedHandEnds) {
  for (int endingCmd : {9, 4}) {
    SCOPED_TRACE(endingCmd);
    Feed({FrameBuilder(41).seat(2).v(0, 4).v(1, 6).v(2, 0x45).v(3, 0x44)});
    for (int i = 0; i <= 2; ++i) ASSERT_FALSE(c.MainForm.AnNiu(i).Enabled());
    Feed({FrameBuilder(endingCmd).seat(2).v(0, 1).v(1, 1).v(2, 1).v(3, 1)});
    for (int i = 0; i <= 2; ++i) EXPECT_TRUE(c.MainForm.AnNiu(i).Enabled()) << i;
    EXPECT_EQ(c.MainForm.AnNiu(0).Picture(), ui::AnNiuPicture(c.uiCtx, 0, false));
  }
}

// With the lobby gone as well, the end still says what went wrong.
TEST_F(TableCmdsTest, AnEndWithTheLobbyGoneNamesItsRealCause) {
  host.lobby.windows.clear();
  Feed({FrameBuilder(4).seat(4).v(2, 0).v(3, 5).byte(18, 1)});  // a die of 0
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason().rfind("run-time error in command 4", 0), 0U) << host.EndReason();
  EXPECT_EQ(host.LogDetails("end").size(), 1U);
}

TEST_F(TableCmdsTest, StatusHandSetUpMarksDealerAndKeepsTheTicket) {
  c.MainForm.SetState(platform::WindowState::Minimized);
  c.table.TimeoutCount = 2;
  Feed({FrameBuilder(16).v(3, 2).seat(8).u32le(268, 0x7FFFFFFF)});
  EXPECT_EQ(c.MainForm.Zhuang.Caption(), "东");
  EXPECT_TRUE(c.table.Hand[3].IsDealer);
  EXPECT_EQ(c.disp.OtherNames[0], "carol");
  EXPECT_EQ(c.disp.OtherNames[1], "bob");
  EXPECT_EQ(c.disp.OtherNames[2], "dave");
  EXPECT_EQ(c.net.ReconnectTicket, 0x7FFFFFFFU);
  EXPECT_TRUE(c.disp.RestartPending);
  EXPECT_EQ(c.table.TimeoutCount, 0);
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Normal);
  EXPECT_TRUE(host.HasLog("lobby-out", "274 minimise"));
}

TEST_F(TableCmdsTest, StatusHandSetUpWithATicketOf2To31TakesTheErrorPath) {
  Feed({FrameBuilder(16).v(3, 2).seat(1).u32le(268, 0x80000000U)});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "run-time error in command 16");
}

struct GoldCase {
  const char* name;
  int stillPresent;  // Seat of the frame
  int byte11;
  const char* message;
  const char* dialog;  // empty: the player stays
};

class LacksGoldTest : public TableCmdsTest, public ::testing::WithParamInterface<GoldCase> {};

TEST_P(LacksGoldTest, ShowsWhoLacksGoldAndLeavesOnlyWhenItIsThePlayer) {
  const GoldCase& k = GetParam();
  Feed({FrameBuilder(16).v(3, 3).seat(k.stillPresent).byte(11, k.byte11)});
  ASSERT_EQ(Sysmsg(0).size(), 1U);
  EXPECT_EQ(Sysmsg(0)[0], k.message);
  EXPECT_TRUE(c.disp.GameOver);
  EXPECT_TRUE(c.Score.Visible());
  const bool leaves = std::string(k.dialog).size() > 0;
  if (leaves) {
    EXPECT_TRUE(LeaveDialogShows(k.dialog));
    EXPECT_FALSE(c.net.g_bCanRecon);
    EXPECT_FALSE(c.net.TaskOn[net::kTaskRecv]);
    EXPECT_FALSE(c.TimerKeepAlive.Enabled());
    EXPECT_NE(host.socket.State(), platform::kSockConnected);
    EXPECT_EQ(c.table.Hand[1].Account, "");
    EXPECT_EQ(c.disp.SeatedOthers, 0);
  } else {
    EXPECT_FALSE(host.Shown("frmOtherExit"));
    EXPECT_EQ(host.socket.State(), platform::kSockConnected);
    EXPECT_EQ(c.table.Hand[1].Account, "carol");
  }
  EXPECT_FALSE(host.Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, LacksGoldTest,
    ::testing::Values(GoldCase{"OnlyThePlayer", 11, 0, "alice金币不够，退出游戏！",
                               "您的金币不够，请领取低保或充值后继续游戏！"},
                      GoldCase{"OnlyThePlayerRichRoom", 11, 4, "alice金币不够，退出游戏！",
                               "您的金币不够，请更换房间或充值后继续游戏！"},
                      GoldCase{"OnlyOthers", 12, 0, "玩家Carol，Bob金币不够，退出游戏！", ""},
                      GoldCase{"OthersAndThePlayer", 8, 0,
                               "玩家Carol，Bob，alice金币不够，退出游戏！",
                               "您的金币不够，请领取低保或充值后继续游戏！"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(TableCmdsTest, ClosedTablePausesThenShowsTheNotice) {
  c.net.InHand = true;
  c.net.TaskOn[net::kTaskWatch] = true;
  Push(FrameBuilder(22).text(16, "本桌已关闭"));
  const auto before = host.Now();
  Advance(150);
  EXPECT_GE(host.Now() - before, 2000);  // the plain pause moved the clock on
  EXPECT_FALSE(c.net.InHand);
  EXPECT_FALSE(c.net.TaskOn[net::kTaskWatch]);
  EXPECT_EQ(Sysmsg(0).back(), "本桌已关闭");
  EXPECT_EQ(c.MainForm.Tou(1).Picture(), 0);
  EXPECT_TRUE(LeaveDialogShows("本桌已关闭"));
}

TEST_F(TableCmdsTest, ReadyMarksAndTheResetOnceAllOthersAreReady) {
  c.disp.PlayedHand = 1;
  c.table.HandNumber = 1;
  c.disp.TableResetDone = false;
  Feed({FrameBuilder(23).v(3, 1).text(16, "carol"), FrameBuilder(23).v(3, 1).text(16, "bob")});
  EXPECT_TRUE(c.MainForm.OK(1).Visible());
  EXPECT_TRUE(c.MainForm.OK(2).Visible());
  EXPECT_FALSE(c.disp.TableResetDone);
  // Value 0: no mark, but the check still runs.
  c.MainForm.OK(3).SetVisible(true);
  Feed({FrameBuilder(23).v(3, 0).text(16, "dave")});
  EXPECT_TRUE(c.disp.TableResetDone);
  EXPECT_EQ(c.MainForm.AnNiu(2).Picture(), 107);
}

TEST_F(TableCmdsTest, ReadyMarkNeedsANameLabel) {
  c.MainForm.Nid(2).SetCaption("");
  Feed({FrameBuilder(23).v(3, 1).text(16, "bob")});
  EXPECT_FALSE(c.MainForm.OK(2).Visible());
}

TEST_F(TableCmdsTest, ResumedHandKeepsDealerDiceAndWildTile) {
  Feed({FrameBuilder(41).seat(2).v(0, 4).v(1, 6).v(2, 0x45).v(3, 0x44)});
  EXPECT_EQ(c.ui.ButtonState[0], -1);
  EXPECT_EQ(c.ui.ButtonState[2], -1);
  EXPECT_FALSE(c.MainForm.AnNiu(1).Enabled());
  EXPECT_TRUE(c.disp.TableResetDone);
  EXPECT_EQ(c.MainForm.Zhuang.Caption(), "西");
  EXPECT_TRUE(c.MainForm.Host.Visible());
  EXPECT_EQ(c.disp.ResumeDealerSeat, 2);
  EXPECT_EQ(c.table.WildTile, 0x45);
  EXPECT_EQ(c.table.IndicatorTile, 0x44);
  EXPECT_EQ(c.disp.ResumeDice[0], 4);
  EXPECT_EQ(c.disp.ResumeDice[1], 6);
}

TEST_F(TableCmdsTest, OwnGoldChangesAndNeverGoesBelowZero) {
  c.table.Player[0].Gold = 10;
  Feed({FrameBuilder(91).byte(16, 0).u64le(17, 25)});
  EXPECT_EQ(c.table.Player[0].Gold, 35);
  EXPECT_EQ(c.MainForm.Cash(0).Caption(), "35金币");
  c.table.Player[0].Gold = 10;
  Feed({FrameBuilder(91).byte(16, 1).u64le(17, 16)});
  EXPECT_EQ(c.table.Player[0].Gold, 0);
  EXPECT_EQ(c.MainForm.Cash(0).Caption(), "0金币");
  Feed({FrameBuilder(91).byte(16, 0).u64le(17, ~0ULL)});
  EXPECT_FALSE(host.Ended());
  EXPECT_EQ(c.MainForm.Cash(0).Caption(), "1.84467440737096E+19金币");
}

TEST_F(TableCmdsTest, OtherGoldChangesTheNamedPlayerOnly) {
  Feed({FrameBuilder(92).byte(16, 1).u64le(17, 20).text(25, "bob")});
  EXPECT_EQ(c.table.Player[2].Gold, 50);
  EXPECT_EQ(c.MainForm.Cash(2).Caption(), "50金币");
  Feed({FrameBuilder(92).byte(16, 1).u64le(17, 1000).text(25, "bob")});
  EXPECT_EQ(c.table.Player[2].Gold, 0);
  Feed({FrameBuilder(92).byte(16, 0).u64le(17, 5).text(25, "nobody")});
  Feed({FrameBuilder(92).byte(16, 0).u64le(17, 5)});  // no name: nobody
  EXPECT_EQ(c.table.Player[1].Gold, 500);
  EXPECT_EQ(c.table.Player[3].Gold, 1000);
  EXPECT_EQ(c.table.Player[0].Gold, 1000);
  // Every change of a gold label is in the log, so a run's money can be followed there.
  const auto logged = host.LogDetails("gold");
  ASSERT_GE(logged.size(), 2U);
  EXPECT_EQ(logged.at(logged.size() - 2), "2 50金币");
  EXPECT_EQ(logged.back(), "2 0金币");
}

TEST_F(TableCmdsTest, PlugInCommandsReachThePlugInOnlyWhenItRuns) {
  ASSERT_LE(c.props.Prop_GameDllState, 0);
  const auto forwarded = [this] {
    std::vector<std::string> out;
    for (const auto& l : host.LogDetails("plugin")) {
      if (l.rfind("Rec_MSG", 0) == 0) out.push_back(l);
    }
    return out;
  };
  Feed({FrameBuilder(44), FrameBuilder(45), FrameBuilder(46)});
  EXPECT_FALSE(c.props.ScorePending) << "no plug-in: no scores are awaited";
  EXPECT_TRUE(forwarded().empty());

  c.props.Prop_GameDllState = 1;
  Feed({FrameBuilder(44), FrameBuilder(45), FrameBuilder(46)});
  EXPECT_TRUE(c.props.ScorePending);
  EXPECT_EQ(forwarded(), (std::vector<std::string>{"Rec_MSG 44", "Rec_MSG 45", "Rec_MSG 46"}));
}

}  // namespace
}  // namespace qtest
