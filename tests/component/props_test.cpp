// The prop plug-in bridge with a fake plug-in: start and refusal, every kind of pending item,
// forwarding, shut-down, the held prop frames, the chest game after a hand and the prop lines of
// the score sheet.
#include <gtest/gtest.h>

#include <algorithm>

#include "props/chests.h"
#include "props/props.h"
#include "score/score.h"
#include "seating_fixture.h"
#include "session/control_bar.h"
#include "session/program.h"
#include "session/seat_common.h"
#include "session/table_reset.h"
#include "support/fake_plugin.h"
#include "ui/ui.h"

namespace qtest {
namespace {

class PropsTest : public SeatingTest {
 protected:
  void SetUp() override {
    host.propPlugin = [r = rec] { return std::make_unique<FakePlugin>(r); };
    SeatingTest::SetUp();
  }

  // Seats the table; the plug-in starts with the own player's frame.
  void Seat() {
    SeatTable();
    c.disp.SeatedOthers = 3;
  }

  std::vector<std::string> PluginLog() const { return host.LogDetails("plugin"); }
  int Refusals() const {
    int n = 0;
    for (const auto& l : PluginLog()) n += l.rfind("refused:", 0) == 0 ? 1 : 0;
    return n;
  }

  void Offer(platform::PropSendItem item) { rec->items.push_back(std::move(item)); }

  static platform::PropSendItem Item(int kind, std::string text = {},
                                     std::vector<std::int32_t> numbers = {},
                                     std::vector<std::int32_t> style = {}) {
    platform::PropSendItem i;
    i.Kind = kind;
    i.Text = std::move(text);
    i.Numbers = std::move(numbers);
    i.Style = std::move(style);
    return i;
  }

  static platform::PropSendItem FrameItem(const wire::Frame& f, std::size_t length = 272) {
    platform::PropSendItem i;
    i.Kind = 2;
    i.Frame.assign(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(
                                              std::min<std::size_t>(length, f.size())));
    i.Frame.resize(length);
    return i;
  }

  // The hand's result is complete; with announced scores from command 46 when asked.
  void ResultIn(bool announced, bool draw = false) {
    if (announced) Feed({FrameBuilder(46)});
    props::ResultComplete(c, draw);
  }

  std::shared_ptr<FakePluginRecord> rec = std::make_shared<FakePluginRecord>();
};

// ---- Start ----

TEST_F(PropsTest, StartOutcomes) {
  struct Case {
    const char* name;
    bool library;
    bool startOk;
    bool chests;
    int chestWidth;
    int state;
    int released;
  };
  const Case cases[] = {
      {"no library", false, true, true, 80, -1, 0},
      {"refuses to start", true, false, true, 80, 0, 4},
      {"running", true, true, false, 80, 1, 0},
      {"running with chests", true, true, true, 80, 2, 0},
      {"chest tables out of range", true, true, true, 0, 1, 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    vhost::VirtualHost h;
    auto r = std::make_shared<FakePluginRecord>();
    r->startOk = k.startOk;
    r->chests = k.chests;
    r->tables.ChestSize[0] = k.chestWidth;
    if (k.library) h.propPlugin = [r] { return std::make_unique<FakePlugin>(r); };
    h.lobby.windows.insert("VorelLodge");
    Client cl(h);
    h.Run([&] { session::Form_Load(cl, CommandLine()); });
    h.Advance(250);
    h.socket.Deliver(FrameBuilder(18).v(3, 1).v(1, 8).frame());
    for (const auto& p : Table()) h.socket.Deliver(PlayerFrame(p).frame());
    h.Advance(600);
    EXPECT_EQ(cl.props.Prop_GameDllState, k.state);
    EXPECT_EQ(r->released, k.released);
    if (k.startOk) {
      EXPECT_LE(r->created, 1) << "the library is loaded once";
    } else {
      EXPECT_EQ(r->created, 4) << "each player's frame asks a refusing plug-in again";
    }
    EXPECT_TRUE(cl.MainForm.Bank.Visible());
    const auto log = h.LogDetails("plugin");
    if (!k.library) {
      EXPECT_EQ(log, std::vector<std::string>{"no plug-in library"});
    }
    if (k.state > 0) {
      EXPECT_TRUE(cl.props.PropReady);
      EXPECT_EQ(std::count_if(r->calls.begin(), r->calls.end(),
                              [](const std::string& l) { return l.rfind("SetUserinfo", 0) == 0; }),
                4);
      EXPECT_EQ(r->calls.front(), "Initdll alice key123");
      EXPECT_EQ(r->scaleSeen, 1);
    } else {
      EXPECT_FALSE(cl.props.PropReady);
      EXPECT_FALSE(std::any_of(r->calls.begin(), r->calls.end(), [](const std::string& l) {
        return l.rfind("SetUserinfo", 0) == 0;
      }));
    }
  }
}

TEST_F(PropsTest, ChestsArePreparedHiddenFromTheTables) {
  Seat();
  ASSERT_EQ(c.props.Prop_GameDllState, 2);
  for (int i = 0; i < 15; ++i) {
    EXPECT_FALSE(c.MainForm.ImgProp(i).Visible());
    EXPECT_EQ(c.MainForm.ImgProp(i).Picture(), 5001);
    EXPECT_EQ(c.MainForm.ImgProp(i).Width(), 80);
  }
}

// A plug-in that refuses to start is released and asked again when the player next sits down.
TEST_F(PropsTest, ARefusedStartIsTriedAgainAtTheNextSeating) {
  rec->startOk = false;
  Seat();
  EXPECT_EQ(c.props.Prop_GameDllState, 0);
  EXPECT_EQ(c.props.Plugin, nullptr);
  EXPECT_EQ(rec->released, rec->created);
  EXPECT_FALSE(c.props.PropReady);

  rec->startOk = true;
  const int created = rec->created;
  Feed({PlayerFrame(Table()[1])});
  EXPECT_EQ(rec->created, created + 1) << "a new object";
  EXPECT_EQ(rec->Count("Initdll alice key123"), created + 1);
  EXPECT_EQ(c.props.Prop_GameDllState, 2);
  EXPECT_TRUE(c.props.PropReady);
}

TEST_F(PropsTest, SetUserinfoRefusalSwitchesThePlugInOffForTheRun) {
  rec->userOk = false;
  Seat();
  EXPECT_EQ(c.props.Prop_GameDllState, -1);
  EXPECT_EQ(rec->exitModes, std::vector<int>{0});
  EXPECT_EQ(rec->Count("Initdll alice key123"), 1);
}

// ---- Pending items ----

// The plug-in's player card (its F5) beside an open score sheet: it leaves the sheet free, and
// a click on the card puts it away.
TEST_F(PropsTest, ThePlayerCardBesideTheSheetLeavesItFreeAndClosesWithAClick) {
  Seat();
  host.Run([&] { score::CentreOverTable(c.scoreCtx, true, true); });
  ASSERT_TRUE(host.Shown("Score"));
  Offer(Item(5, {}, {0}));
  Advance(100);
  ASSERT_TRUE(host.Shown("Information"));
  const auto& a = c.Information.Geometry();
  const auto& b = c.Score.Geometry();
  EXPECT_FALSE(a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height)
      << "the card at " << a.left << "," << a.top << " " << a.width << "x" << a.height
      << " covers the sheet at " << b.left << "," << b.top << " " << b.width << "x" << b.height;
  host.Click("Information", "Inf", 0);
  EXPECT_FALSE(host.Shown("Information"));
  EXPECT_TRUE(host.Shown("Score")) << "only the card goes";
}

TEST_F(PropsTest, EveryKindOfPendingItemIsCarriedOut) {
  Seat();
  Feed({FrameBuilder(30).key(0x56, 0x78)});
  Offer(Item(0, "道具到账"));
  Offer(FrameItem(FrameBuilder(45).seat(4).v(0, 77)));
  Offer(Item(3, "2"));
  Offer(Item(5, {}, {3}));
  Offer(Item(4, {}, {112}));
  Advance(100);
  EXPECT_TRUE(InHistory("道具到账"));
  EXPECT_EQ(c.chat.WhisperTarget, c.table.Hand[2].SeatBit) << "whispers to the opposite seat";
  EXPECT_EQ(c.MainForm.Chat.Text(), "你对" + c.table.Player[2].NickName + "说: ");
  ASSERT_FALSE(c.table.Player[3].NickName.empty());
  EXPECT_EQ(c.Information.Inf(0).Caption(), c.table.Player[3].NickName) << "the right seat's card";
  EXPECT_TRUE(rec->Called("SetKeyDown 112")) << "a key press on the table reaches the plug-in";
  EXPECT_TRUE(c.table.BossMode) << "F1 pressed for the plug-in is the boss key";
  const auto sent = Sent();
  ASSERT_FALSE(sent.empty());
  const auto& f = sent.back();
  EXPECT_EQ(f[3], 45);
  EXPECT_EQ(f[8] * 256 + f[9], 77);
  EXPECT_EQ(f[260], 0x56) << "queued frames carry the session key";
  EXPECT_EQ(Refusals(), 0);
}

TEST_F(PropsTest, LabelItemPlacesTheLabelAndHidesItAfterItsTicks) {
  Seat();
  Offer(Item(1, "欢迎使用道具", {300, 40, 200, 100}, {100, 3, 14, 255, 2}));
  Advance(50);
  const auto& lb = c.MainForm.LbProp;
  EXPECT_TRUE(lb.Visible());
  EXPECT_EQ(lb.Caption(), "欢迎使用道具");
  EXPECT_EQ(lb.Bounds(), (platform::Rect{200, 100, 300, 40}));
  EXPECT_EQ(lb.FontSize(), 14);
  EXPECT_EQ(lb.ForeColor(), 0xFF0000U) << "colour number 255 is red";
  EXPECT_EQ(lb.Alignment(), platform::Align::Center);
  Advance(200);
  EXPECT_TRUE(lb.Visible()) << "three ticks of 100 ms";
  Advance(100);
  EXPECT_FALSE(lb.Visible());
  EXPECT_EQ(lb.Caption(), "");
}

TEST_F(PropsTest, BadItemsAreRefusedWithALogLine) {
  Seat();
  const auto sentBefore = Sent().size();
  const std::vector<platform::PropSendItem> bad = {
      FrameItem(FrameBuilder(45), 100),
      FrameItem(FrameBuilder(45), 300),
      Item(9, "x"),
      Item(-1),
      Item(3, "7"),
      Item(3, "1x"),
      Item(3, ""),
      Item(4, {}, {}),
      Item(5, {}, {4}),
      Item(5, {}, {-1}),
      Item(1, "只有三个数", {1, 2, 3}),
      Item(1, "", {300, 40, 200, 100}),
      Item(1, "太大", {5000, 40, 200, 100}),
  };
  for (const auto& i : bad) Offer(i);
  Advance(100);
  EXPECT_EQ(Refusals(), static_cast<int>(bad.size()));
  EXPECT_EQ(Sent().size(), sentBefore);
  EXPECT_FALSE(c.MainForm.LbProp.Visible());
  EXPECT_EQ(c.chat.WhisperTarget, 0);
  EXPECT_EQ(c.MainForm.Chat.Text(), "");
  EXPECT_FALSE(c.Information.Visible());
}

TEST_F(PropsTest, AFloodOfItemsIsServedAFewPerTick) {
  Seat();
  for (int i = 0; i < 40; ++i) Offer(Item(0, "m" + std::to_string(i)));
  Advance(50);
  EXPECT_EQ(rec->items.size(), 24U);
  Advance(100);
  EXPECT_TRUE(rec->items.empty());
}

// ---- Forwarding ----

TEST_F(PropsTest, FramesAndEventsReachThePlugIn) {
  Seat();
  Feed({FrameBuilder(44), FrameBuilder(45), FrameBuilder(8),
        FrameBuilder(19).seat(2).u32be(236, 260)});
  for (const char* call : {"Rec_MSG 44", "Rec_MSG 45", "Rec_MSG 8", "Rec_MSG 19"}) {
    EXPECT_TRUE(rec->Called(call)) << call;
  }
  ASSERT_FALSE(rec->frames.empty());
  EXPECT_EQ(rec->frames.back().size(), 272U);

  props::Bank_Click(c);
  EXPECT_TRUE(rec->Called("setbankstate 0"));
  session::AnNiu_Click(c, 7);
  EXPECT_TRUE(rec->Called("setbankstate 2"));
  props::FixBuffPos(c);
  EXPECT_TRUE(rec->Called("FixBuffPos"));
}

// ---- Shut-down ----

TEST_F(PropsTest, ShutDownKeepsTheObjectAndTheNextPlayerFrameStartsItAgain) {
  Seat();
  Offer(Item(1, "标签", {300, 40, 200, 100}));
  Advance(60);
  Feed({FrameBuilder(22).text(16, "本桌已关闭")});
  Advance(2200);
  EXPECT_EQ(rec->exitModes, std::vector<int>{0});
  EXPECT_EQ(c.props.Prop_GameDllState, 0);
  EXPECT_FALSE(c.props.PropReady);
  EXPECT_FALSE(c.MainForm.LbProp.Visible());
  EXPECT_EQ(rec->released, 0);

  Feed({PlayerFrame(Table()[1])});
  EXPECT_EQ(c.props.Prop_GameDllState, 2);
  EXPECT_EQ(rec->created, 1) << "the object is reused";
  EXPECT_EQ(rec->Count("Initdll alice key123"), 2);

  props::Shutdown(c, 1);
  EXPECT_EQ(rec->exitModes, (std::vector<int>{0, 1}));
  props::Shutdown(c, 1);
  EXPECT_EQ(rec->exitModes.size(), 2U) << "only while active";
}

// ---- Held prop frames ----

TEST_F(PropsTest, PlugInReadyFramesAreHeldAfterTheResultUntilTheNextHand) {
  Seat();
  c.net.HoldReadyA = true;
  c.net.HoldReadyB = true;
  const auto before = Sent().size();
  Offer(FrameItem(FrameBuilder(45).seat(1).v(0, 1035)));
  Offer(FrameItem(FrameBuilder(45).seat(1).v(0, 3090)));
  Advance(200);
  EXPECT_EQ(Sent().size(), before);
  EXPECT_EQ(c.net.HeldFrameA[3], 45);
  EXPECT_EQ(c.net.HeldFrameB[3], 45);

  Feed({FrameBuilder(4).seat(1).v(0, 1).v(1, 1).v(2, 1).v(3, 1)});
  Advance(200);
  std::vector<int> values;
  const auto sent = Sent();
  for (std::size_t i = before; i < sent.size(); ++i) {
    const auto& f = sent[i];
    if (f[3] != 45) continue;
    EXPECT_EQ(f[6], 4) << "sent for the own seat";
    values.push_back(f[8] * 256 + f[9]);
  }
  EXPECT_EQ(values, (std::vector<int>{1035, 3090}));
}

// ---- The prop step and the chests ----

TEST_F(PropsTest, WithoutAnnouncedScoresTheSheetShowsAtOnce) {
  Seat();
  ResultIn(false);
  EXPECT_EQ(rec->Count("InitShowEnd"), 1);
  Advance(50);
  EXPECT_EQ(Sheets(), 1);
  EXPECT_FALSE(LastSheetIsADraw());
  EXPECT_TRUE(rec->Called("InitShowNext 0"));

  ResultIn(false, /*draw=*/true);
  Advance(50);
  EXPECT_EQ(Sheets(), 2);
  EXPECT_TRUE(LastSheetIsADraw());
}

// A hand nobody won still pays the chests: the draw sheet lists the plug-in's lines as they are
// (no colour read) and the prize is the hand's score, in the sheet, the history and the gold.
TEST_F(PropsTest, TheDrawSheetCarriesPropLinesAndPrizes) {
  rec->chests = false;
  Seat();
  const double gold = c.table.Player[0].Gold;
  ResultIn(true, /*draw=*/true);
  rec->scores.PropScore = {25, 0, 0, 0};
  rec->scores.PropScoreText[0] = "幸运宝箱00000255";
  rec->scoresReady = true;
  Advance(50);
  ASSERT_EQ(Sheets(), 1);
  ASSERT_TRUE(LastSheetIsADraw());
  const auto& col = c.Score.State(0).Items();
  EXPECT_NE(std::find(col.begin(), col.end(), "幸运宝箱00000255"), col.end());
  EXPECT_EQ(c.Score.State(0).ForeColor(), 0x000000U) << "no colour read on the draw sheet";
  EXPECT_EQ(c.Score.State(4).Items().back(), "最终分：25金币");
  EXPECT_EQ(c.Score.State(5).Items().back(), "最终分：0金币");
  EXPECT_EQ(c.table.Player[0].Gold, gold + 25);
  EXPECT_EQ(c.score.RunningScore[0], 25);
}

// The others may all be ready before the chests are opened: the hand's results stay for the
// sheet the prop step shows later.
TEST_F(PropsTest, OthersReadyDuringThePropStepKeepTheResultsForTheSheet) {
  Seat();
  c.disp.PlayedHand = 1;
  c.table.Hand[1].HandResult = -60;
  ResultIn(true);
  for (int p = 1; p <= 3; ++p) c.MainForm.OK(p).SetVisible(true);
  session::ResetWhenOthersReady(c);
  EXPECT_EQ(c.table.Hand[1].HandResult, -60) << "waiting for the scores";
  rec->scores.PropScore = {120, 0, 0, 0};
  rec->scores.ChestTitle = {"幸运宝箱", "", "", ""};
  rec->scoresReady = true;
  Advance(50);
  ASSERT_TRUE(c.props.ChestGameOn);
  session::ResetWhenOthersReady(c);
  EXPECT_EQ(c.table.Hand[1].HandResult, -60) << "during the chest game";
  EXPECT_FALSE(c.disp.TableResetDone);
}

TEST_F(PropsTest, AnnouncedScoresWaitForThePlugInThenGiveUpAfterTenSeconds) {
  Seat();
  ResultIn(true);
  Advance(5000);
  EXPECT_EQ(Sheets(), 0);
  Advance(5100);
  EXPECT_EQ(Sheets(), 1);
  EXPECT_TRUE(host.HasLog("plugin", "no prop scores after 10 s; the sheet shows without them"));
}

TEST_F(PropsTest, ScoresWithoutChestsShowTheSheet) {
  rec->chests = false;
  Seat();
  ResultIn(true);
  rec->scores.PropScore = {30, 0, 0, 0};
  rec->scores.ChestTitle[0] = "宝箱";
  rec->scoresReady = true;
  Advance(50);
  EXPECT_EQ(Sheets(), 1);
  EXPECT_FALSE(c.MainForm.ImgProp(0).Visible());
  EXPECT_EQ(c.props.PropScore[0], 0) << "taken by the sheet";
  EXPECT_EQ(c.score.RunningScore[0], 30) << "the prize counts in the session score";
}

TEST_F(PropsTest, OwnChestsCountDownAndARandomChestOpensAtZero) {
  Seat();
  ResultIn(true);
  rec->scores.PropScore = {120, 0, 0, -40};
  rec->scores.ChestTitle = {"幸运宝箱", "", "", "破财"};
  rec->scores.ChestLines = {"获得120金币|恭喜", "", "", ""};
  rec->scoresReady = true;
  Advance(50);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(c.MainForm.ImgProp(i).Visible());
    EXPECT_TRUE(c.MainForm.ImgProp(i).Enabled()) << "own chests take clicks";
  }
  EXPECT_FALSE(c.MainForm.ImgProp(5).Visible());
  const auto& lb = c.MainForm.LbProp;
  EXPECT_EQ(lb.Caption(), "5\n请选择一个宝箱打开");
  // 14 pixels per display unit: nine double-byte characters.
  EXPECT_EQ(lb.Width(), 14 * 18);
  EXPECT_EQ(lb.Left(), 512 - 14 * 9);

  Advance(4 * 1000);
  EXPECT_EQ(lb.Caption(), "1\n请选择一个宝箱打开");
  EXPECT_EQ(c.props.ChestChoice[0], -1);
  Advance(1000);
  EXPECT_GE(c.props.ChestChoice[0], 0) << "opened for the player at 0";
  EXPECT_LE(c.props.ChestChoice[0], 4);
  EXPECT_TRUE(rec->Called("ShowGif 1 1"));
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(c.MainForm.ImgProp(i).Visible());

  Advance(1000);
  EXPECT_TRUE(rec->Called("ShowGif 1 0"));
  EXPECT_EQ(Sheets(), 1);
  EXPECT_TRUE(rec->Called("InitShowNext 0"));
  EXPECT_TRUE(InHistory("幸运宝箱 120金币"));
  EXPECT_TRUE(InHistory("破财     -40金币"));
  EXPECT_TRUE(InHistory("恭喜"));
  Advance(1100);
  EXPECT_FALSE(lb.Visible()) << "the label goes a second after the sheet";
}

TEST_F(PropsTest, AClickOpensTheChosenChestOnce) {
  Seat();
  ResultIn(true);
  rec->scores.PropScore = {10, 0, 0, 0};
  rec->scores.ChestTitle[0] = "宝箱";
  rec->scoresReady = true;
  Advance(50);
  host.Run([&] { props::ImgProp_Click(c, 2); });
  EXPECT_EQ(c.props.ChestChoice[0], 2);
  EXPECT_TRUE(c.props.ChestChosen);
  host.Run([&] { props::ImgProp_Click(c, 3); });
  EXPECT_EQ(c.props.ChestChoice[0], 2) << "one chest per hand";
  EXPECT_EQ(rec->Count("ShowGif 1 1"), 1);
  Advance(2000);
  EXPECT_EQ(Sheets(), 1);
}

// The clock stays where the last prompt put it and counts the next hand down while the
// chests are open: the waiting text must not lie under it.
TEST_F(PropsTest, TheWaitingTextStandsClearOfTheClock) {
  Seat();
  for (int seat : {2, 1}) {  // the left seat's clock, then the opposite seat's
    Feed({FrameBuilder(6).seat(seat).byte(100, 10)});
    ResultIn(true);
    rec->scores.PropScore = {0, 50, 0, 20};
    rec->scores.ChestTitle = {"", "宝箱", "", "宝箱"};
    rec->scoresReady = true;
    Advance(50);
    const auto& lb = c.MainForm.LbProp;
    ASSERT_EQ(lb.Caption(), "5\n请等待其他玩家打开宝箱");
    const auto& a = lb.Bounds();
    const auto& b = c.MainForm.Time_Img.Bounds();
    EXPECT_FALSE(a.left < b.left + b.width && b.left < a.left + a.width &&
                 a.top < b.top + b.height && b.top < a.top + a.height)
        << "seat " << seat << ": the clock at " << b.left << "," << b.top << " covers the text";
    Advance(8000);
    rec->scoresReady = false;
  }
}

TEST_F(PropsTest, WithoutOwnChestsTheOthersChestsOpenAtTwoSeconds) {
  Seat();
  ResultIn(true);
  rec->scores.PropScore = {0, 50, 0, 20};
  rec->scores.ChestTitle = {"", "宝箱", "", "宝箱"};
  rec->scoresReady = true;
  Advance(50);
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(c.MainForm.ImgProp(i).Visible()) << i;
    EXPECT_FALSE(c.MainForm.ImgProp(i).Enabled()) << "others' chests take no clicks";
  }
  EXPECT_FALSE(c.MainForm.ImgProp(10).Visible());
  EXPECT_EQ(c.MainForm.LbProp.Caption(), "5\n请等待其他玩家打开宝箱");
  const int choice1 = c.props.ChestChoice[1];
  const int choice3 = c.props.ChestChoice[3];
  EXPECT_TRUE(choice1 >= 0 && choice1 <= 4) << choice1;
  EXPECT_TRUE(choice3 >= 5 && choice3 <= 9) << choice3;
  Advance(2000);
  EXPECT_EQ(c.MainForm.LbProp.Caption(), "3\n请等待玩家打开宝箱");
  EXPECT_TRUE(c.MainForm.ImgProp(choice1).Visible());
  Advance(1000);
  EXPECT_FALSE(c.MainForm.ImgProp(choice1).Visible());
  EXPECT_TRUE(rec->Called("ShowGif 1 1"));
  Advance(1000);
  EXPECT_EQ(Sheets(), 1);
}

TEST_F(PropsTest, NoChestInfoShowsTheSheetWithoutAGame) {
  Seat();
  ResultIn(true);
  rec->scores.PropScore = {5, 0, 0, 0};
  rec->scoresReady = true;
  Advance(50);
  EXPECT_EQ(Sheets(), 1);
  EXPECT_FALSE(c.MainForm.ImgProp(0).Visible());
}

TEST_F(PropsTest, ShutDownDuringTheChestGameHidesItAndTheSheetStillComes) {
  Seat();
  ResultIn(true);
  rec->scores.ChestTitle[0] = "宝箱";
  rec->scoresReady = true;
  Advance(50);
  ASSERT_TRUE(c.MainForm.ImgProp(0).Visible());
  props::Shutdown(c);
  for (int i = 0; i < 15; ++i) EXPECT_FALSE(c.MainForm.ImgProp(i).Visible());
  EXPECT_FALSE(c.MainForm.LbProp.Visible());
  Advance(6000);
  EXPECT_EQ(Sheets(), 1);
}

// ---- Prop lines on the score sheet ----

TEST_F(PropsTest, PropLinesOnTheSheet) {
  struct Case {
    const char* name;
    const char* text;
    bool withColour;
    std::vector<std::string> items;
    std::uint32_t colour;
  };
  const Case cases[] = {
      {"colour 255 turns the column red",
       "道具加分+30  00000255",
       true,
       {"", "道具加分+30  ", ""},
       0xFF0000},
      {"the last line's colour wins",
       "甲00000255|乙00065280",
       true,
       {"", "甲", "乙", ""},
       0x00FF00},
      {"short parts are kept whole", "abc", true, {"", "abc", ""}, 0x000000},
      {"eight characters leave nothing", "12345678", true, {"", "", ""}, 0x4E61BC},
      {"a colour beyond 24 bits is ignored", "x99999999", true, {"", "x", ""}, 0x123456},
      {"draw sheet lines stay whole", "甲00000255", false, {"", "甲00000255", ""}, 0x123456},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    platform::Form form("Score");
    auto& column = form.Add(platform::ControlKind::ListBox, "State", 1, {});
    column.SetForeColor(0x123456);
    c.props.PropScoreText[1] = k.text;
    c.props.PropScore[1] = 25;
    EXPECT_EQ(props::TakePropLines(c, 1, column, k.withColour), 25);
    EXPECT_EQ(column.Items(), k.items);
    EXPECT_EQ(column.ForeColor(), k.colour);
    EXPECT_EQ(c.props.PropScore[1], 0);
    EXPECT_TRUE(c.props.PropScoreText[1].empty());
  }
  platform::Form form("Score");
  auto& empty = form.Add(platform::ControlKind::ListBox, "State", 2, {});
  c.props.PropScore[2] = -7;
  EXPECT_EQ(props::TakePropLines(c, 2, empty, true), -7) << "a score without lines still counts";
  EXPECT_TRUE(empty.Items().empty());
}

TEST(PropDisplayWidth, CountsDoubleByteCharactersTwice) {
  EXPECT_EQ(props::DisplayWidth("abc"), 3);
  EXPECT_EQ(props::DisplayWidth("宝箱ab"), 6);
  EXPECT_EQ(props::DisplayWidth(""), 0);
}

// ---- Multipliers ----

class WealthTest : public SeatingTest {
 protected:
  void SeatWithWealth(const std::array<std::uint32_t, 4>& values) {
    SeatNames();
    auto players = Table();
    std::vector<wire::Frame> frames;
    for (std::size_t i = 0; i < players.size(); ++i) {
      frames.push_back(PlayerFrame(players[i]).u32le(234, values.at(i)).byte(238, 1));
    }
    Feed(frames);
  }
};

TEST_F(WealthTest, TheSmallestPositiveWealthValueIsShown) {
  // Positions: alice 0, carol 1, bob 2, dave 3.
  SeatWithWealth({0, 20, 5, 0});
  // The last frame's value decides whether a multiplier applies: give dave one too.
  Feed({PlayerFrame(Table()[3]).u32le(234, 40).byte(238, 1)});
  const auto& f = c.MainForm;
  EXPECT_EQ(f.lbwealth.Caption(), "5");
  EXPECT_TRUE(f.lbwealth.Visible());
  EXPECT_TRUE(f.Imgwealth.Visible());
  EXPECT_EQ(f.Imgwealth.ToolTipText(), "财富加倍 ×5");
  EXPECT_TRUE(f.lbfont(0).Visible());
  EXPECT_TRUE(f.lbfont(2).Visible());
  EXPECT_EQ(f.lbwealth.FontSize(), 18);
  EXPECT_EQ(f.lbwealth.Left(), 56);
  EXPECT_EQ(f.lbwealth.Top(), 618);

  // Bob (5) leaves: the next smallest shows.
  Feed({FrameBuilder(21).text(16, "bob")});
  EXPECT_EQ(f.lbwealth.Caption(), "20");
  EXPECT_EQ(c.props.WealthValue[2], 0);
}

TEST_F(WealthTest, TableStatusUpdatesOrHidesTheMultiplier) {
  SeatWithWealth({0, 0, 0, 0});
  EXPECT_FALSE(c.MainForm.Imgwealth.Visible());
  Feed({FrameBuilder(16).v(3, 0).u32le(16, 150)});
  EXPECT_FALSE(c.MainForm.Imgwealth.Visible()) << "no multiplier: none appears";
  EXPECT_EQ(c.props.WealthMultiple, 0);

  Feed({PlayerFrame(Table()[3]).u32le(234, 3)});
  Feed({FrameBuilder(16).v(3, 0).u32le(16, 150)});
  EXPECT_EQ(c.props.WealthMultiple, 150);
  EXPECT_EQ(c.MainForm.lbwealth.Caption(), "150");
  EXPECT_EQ(c.MainForm.lbwealth.FontSize(), 13);
  EXPECT_EQ(c.MainForm.lbwealth.Left(), 52);
  EXPECT_EQ(c.MainForm.lbwealth.Top(), 622);
  EXPECT_TRUE(c.MainForm.Imgwealth.Visible());

  Feed({FrameBuilder(16).v(3, 0).v(2, 1).u32le(16, 9)});
  EXPECT_EQ(c.props.WealthMultiple, 150) << "value 2 = 1 leaves the multiplier alone";
}

TEST_F(WealthTest, AWealthValueBeyond31BitsIsARunTimeError) {
  SeatNames();
  Feed({PlayerFrame(Table()[1]).u32le(234, 0x80000000U)});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "run-time error in command 20");
}

TEST_F(WealthTest, DiceMultiplierTooltipAndHandStartCaption) {
  SeatWithWealth({7, 7, 7, 7});
  c.disp.SeatedOthers = 3;
  Feed({FrameBuilder(4).seat(1).v(0, 1).v(1, 1).v(2, 3).v(3, 5).byte(18, 1)});
  EXPECT_EQ(c.MainForm.lblDifen.Caption(), "8");
  EXPECT_EQ(c.MainForm.imgBeishu.ToolTipText(), "骰子加倍 ×8");
  EXPECT_EQ(c.MainForm.lblDifen.ToolTipText(), "骰子加倍 ×8");
  EXPECT_TRUE(c.props.DiceMultipleOn);
  EXPECT_EQ(c.props.WealthMultipleText, "7");
  EXPECT_TRUE(c.MainForm.Imgwealth.Visible());

  Feed({FrameBuilder(4).seat(1).v(0, 1).v(1, 1).v(2, 3).v(3, 5)});
  EXPECT_FALSE(c.props.DiceMultipleOn);
  EXPECT_EQ(c.MainForm.imgBeishu.ToolTipText(), "");
}

}  // namespace
}  // namespace qtest
