// From a hand's last prompt through its end to the next hand, dealt by a server as soon as it
// may, straight after the results, while the client still counts down to continue or waits for
// the prop plug-in's scores: the last hand's end is finished and put away when the new hand
// starts, and nothing of it lands inside the new hand.
#include <gtest/gtest.h>

#include <algorithm>

#include "hand_fixture.h"
#include "platform/form_input.h"
#include "session/form_events.h"
#include "support/fake_plugin.h"
#include "ui/ui.h"

namespace qtest {
namespace {

// A command-9 frame: seat byte 6, sign byte 11 (0 negates), amount at 16..23.
FrameBuilder SeatResult(int seat, std::int64_t amount) {
  return FrameBuilder(9)
      .seat(seat)
      .byte(11, amount < 0 ? 0 : 1)
      .u64le(16, static_cast<std::uint64_t>(amount < 0 ? -amount : amount));
}

// A command-17 frame: the hand score's magnitude at 36..43, byte 44 = 2 when it is negative.
FrameBuilder SeatDetail(int seat, std::int64_t score) {
  FrameBuilder f(17);
  f.seat(seat).u64le(36, static_cast<std::uint64_t>(score < 0 ? -score : score));
  if (score < 0) f.byte(44, 2);
  return f;
}

// The own seat wins 60 by self-draw: four results, then four details.
std::vector<wire::Frame> OwnWin() {
  return {SeatResult(kOwn, 60),       SeatResult(kLeft, -20), SeatResult(kOpposite, -20),
          SeatResult(kRight, -20),    SeatDetail(kOwn, 60),   SeatDetail(kLeft, -20),
          SeatDetail(kOpposite, -20), SeatDetail(kRight, -20)};
}

// The next hand as an eager server sends it: set-up (command 16, value 3 = 2), the start with
// the own seat dealing, and the deal of fourteen own tiles.
std::vector<wire::Frame> NextHand() {
  std::vector<wire::Frame> frames{FrameBuilder(16).seat(kOwn).v(3, 2),
                                  FrameBuilder(4).seat(kOwn).v(0, 3).v(1, 4).v(2, 2).v(3, 5)};
  auto own = OwnThirteen();
  own.push_back(0x45);
  std::size_t next = 0;
  const int order[] = {kOwn, kRight, kOpposite, kLeft};
  const auto tiles = [&](int seat, int n) {
    std::array<int, 4> t{};
    for (int i = 0; i < n; ++i) t.at(static_cast<std::size_t>(i)) = seat == kOwn ? own[next++] : 0;
    return t;
  };
  for (int r = 0; r < 3; ++r) {
    for (int s : order) frames.push_back(DealFrame(s, tiles(s, 4)));
  }
  for (int s : order) frames.push_back(DrawFrame(s, tiles(s, 1)[0]));
  frames.push_back(DrawFrame(kOwn, tiles(kOwn, 1)[0]));
  return frames;
}

class EarlyDeal : public HandTest {
 protected:
  void SetUp() override {
    if (withPlugin) host.propPlugin = [r = rec] { return std::make_unique<FakePlugin>(r); };
    HandTest::SetUp();
    c.disp.SeatedOthers = 3;
    StartHand();
    auto own = OwnThirteen();
    own.push_back(0x45);
    Deal(kOwn, own);
  }

  // The history's row of the last hand for the own seat starts with this amount.
  bool OwnRowReads(const std::string& amount) const {
    const auto& rows = c.Hero.Grade(0).Items();
    return rows.size() == 1 && rows[0].find(" " + amount) != std::string::npos;
  }
  int ReadySent() const {
    int n = 0;
    for (const auto& f : Sent()) n += f[3] == 16 && f[15] == 1 ? 1 : 0;
    return n;
  }

  // The new hand has just been dealt: the last one's sheet is written and put away.
  void ExpectTheLastHandClosed() {
    EXPECT_FALSE(c.Score.Visible());
    EXPECT_FALSE(c.Hero.Visible());
    EXPECT_EQ(c.Hero.Num.Items().size(), 1u) << "the hand's row is in the history";
    EXPECT_TRUE(OwnRowReads("60"));
    EXPECT_FALSE(c.net.TaskOn[net::kTaskReadyClock]);
    EXPECT_FALSE(c.MainForm.Number.Visible());
    EXPECT_EQ(c.ui.ButtonState[2], -1) << "the continue button is spent";
    EXPECT_TRUE(c.net.InHand);
    EXPECT_EQ(H(0).HiddenCount, 14);
  }

  // Long after: no sheet, no countdown, no ready message and no table reset inside the hand.
  void ExpectTheNewHandUndisturbed(int readyBefore) {
    const int sheets = Sheets();
    for (int s = 0; s < 30; ++s) {
      Advance(1000);
      ASSERT_FALSE(c.Score.Visible()) << "second " << s;
    }
    EXPECT_EQ(Sheets(), sheets);
    EXPECT_FALSE(c.net.TaskOn[net::kTaskReadyClock]);
    EXPECT_EQ(ReadySent(), readyBefore);
    EXPECT_TRUE(c.net.InHand);
    EXPECT_TRUE(c.disp.TableResetDone);
    EXPECT_EQ(H(0).HiddenCount, 14) << DumpTable(c);
    EXPECT_FALSE(host.Ended()) << host.EndReason();
  }

  bool withPlugin = false;
  std::shared_ptr<FakePluginRecord> rec = std::make_shared<FakePluginRecord>();
};

TEST_F(EarlyDeal, WithoutPropsTheCountdownStopsAndTheTilesAnswerTheMouse) {
  auto frames = OwnWin();
  const auto next = NextHand();
  frames.insert(frames.end(), next.begin(), next.end());
  Run(frames);
  ExpectTheLastHandClosed();
  EXPECT_EQ(Sheets(), 1) << "no plug-in: the sheet is written with the result, once";

  // A tile rises under the pointer, as in any hand.
  session::MainFormEvents events{c};
  platform::FormInput input{c.MainForm, events};
  const int ctl = SlotCtl(0, H(0).HiddenFirst + 3);
  const platform::Rect r = c.MainForm.WindowBounds(Img(ctl));
  input.Move(r.left + r.width / 2, r.top + r.height / 2, 0, 0);
  EXPECT_LT(Img(ctl).Top(), H(0).RowTop) << "raised";

  ExpectTheNewHandUndisturbed(ReadySent());
}

// The hand ends while the own clock of its last prompt still runs: that clock stops, so it
// neither plays for the player after the hand nor speeds up the continue countdown.
TEST_F(EarlyDeal, TheLastPromptsClockStopsWithTheResult) {
  Run({PromptFrame(kOwn, 1, 10)});
  ASSERT_TRUE(c.net.TaskOn[net::kTaskTurnClock]);
  const auto sentBefore = Sent().size();
  Run(OwnWin());
  ASSERT_TRUE(c.Score.Visible());
  EXPECT_FALSE(c.net.TaskOn[net::kTaskTurnClock]);
  Advance(9'000);
  EXPECT_EQ(c.MainForm.Number.Caption(), "6") << "one second a second";
  EXPECT_TRUE(c.Score.Visible());
  const auto sent = Sent();
  for (std::size_t i = sentBefore; i < sent.size(); ++i) {
    EXPECT_NE(sent[i][3], 7) << "no pass after the hand";
    EXPECT_NE(sent[i][3], 2) << "no discard after the hand";
  }
  EXPECT_EQ(H(0).HiddenCount, 14);
}

class EarlyDealWithProps : public EarlyDeal {
 protected:
  void SetUp() override {
    withPlugin = true;
    EarlyDeal::SetUp();
    ASSERT_EQ(c.props.Prop_GameDllState, 2);
  }
};

// The plug-in announced prop scores and has not delivered them when the next hand is dealt.
TEST_F(EarlyDealWithProps, ASheetWaitingForPropScoresIsWrittenWhenTheNextHandIsDealt) {
  auto frames = std::vector<wire::Frame>{FrameBuilder(46)};
  const auto win = OwnWin();
  frames.insert(frames.end(), win.begin(), win.end());
  const auto next = NextHand();
  frames.insert(frames.end(), next.begin(), next.end());
  Run(frames);
  EXPECT_EQ(Sheets(), 1);
  ExpectTheLastHandClosed();
  EXPECT_FALSE(c.props.ResultPending);
  EXPECT_TRUE(Sysmsg(0).empty() || Sysmsg(0).back() != "请点击【继续】按钮继续游戏！")
      << "written for the record, not offered to continue";
  // The plug-in delivers late: it is too late for the sheet.
  rec->scores.PropScore = {50, 0, 0, 0};
  rec->scores.ChestTitle = {"幸运宝箱", "", "", ""};
  rec->scoresReady = true;
  ExpectTheNewHandUndisturbed(ReadySent());
  EXPECT_FALSE(c.MainForm.ImgProp(0).Visible());
}

// The chest game still runs when the next hand is dealt: the chests go, the prize counts.
TEST_F(EarlyDealWithProps, AChestGameCutShortByTheNextHandStillCountsItsPrize) {
  rec->scores.PropScore = {120, 0, 0, 0};
  rec->scores.ChestTitle = {"幸运宝箱", "", "", ""};
  rec->scores.ChestLines = {"获得120金币", "", "", ""};
  rec->scoresReady = true;
  auto frames = std::vector<wire::Frame>{FrameBuilder(46)};
  const auto win = OwnWin();
  frames.insert(frames.end(), win.begin(), win.end());
  Run(frames);
  ASSERT_TRUE(c.props.ChestGameOn);
  ASSERT_TRUE(c.MainForm.ImgProp(0).Visible());
  EXPECT_EQ(Sheets(), 0);

  Run(NextHand());
  EXPECT_EQ(Sheets(), 1);
  for (int i = 0; i < 15; ++i) EXPECT_FALSE(c.MainForm.ImgProp(i).Visible()) << i;
  EXPECT_FALSE(c.MainForm.LbProp.Visible());
  EXPECT_EQ(c.score.RunningScore[0], 180) << "60 won and the chest's 120";
  EXPECT_TRUE(OwnRowReads("180"));
  EXPECT_FALSE(c.props.ChestGameOn);
  EXPECT_FALSE(c.Score.Visible());
  ExpectTheNewHandUndisturbed(ReadySent());
}

}  // namespace
}  // namespace qtest
