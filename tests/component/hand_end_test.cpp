// The end of a hand: seat results, win details, the draw and score sheets, the fan list, the
// continue countdown, match records, the history and a departure held during the results.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/client_files.h"
#include "app/ini_file.h"
#include "platform/form_input.h"
#include "score/score.h"
#include "score/sheet_events.h"
#include "seating_fixture.h"
#include "session/control_bar.h"
#include "ui/ui.h"

namespace qtest {
namespace {

using Lines = std::vector<std::string>;

// Seat bits of the positions: alice (own) 4, carol 2, bob 1, dave 8.

FrameBuilder Result(int seat, std::int64_t amount, int signByte = 1) {
  FrameBuilder f(9);
  f.seat(seat).byte(11, signByte).u64le(16, static_cast<std::uint64_t>(amount));
  return f;
}

// A command-17 frame: base gold, currency, rows 2.. as bytes 16.., the hand score.
struct Detail {
  int seat = 4;
  int base = 5;
  int currency = 1;
  std::vector<std::pair<int, int>> rows{};  // (row, value) for rows 2..47
  std::int64_t score = 0;
  std::string title = "雀士";
  std::string winText{};
};

// Base gold at bytes 10-11 and currency at 14-15, each 16-bit big-endian.
FrameBuilder DetailFrame(const Detail& d) {
  FrameBuilder f(17);
  f.seat(d.seat)
      .byte(10, d.base >> 8)
      .byte(11, d.base & 0xFF)
      .byte(14, d.currency >> 8)
      .byte(15, d.currency & 0xFF);
  for (const auto& [row, value] : d.rows) f.byte(16 + row - 2, value);
  const std::uint64_t magnitude = static_cast<std::uint64_t>(d.score < 0 ? -d.score : d.score);
  f.u64le(36, magnitude);
  if (d.score < 0) f.byte(44, 2);
  f.text(45, d.title);
  if (!d.winText.empty()) f.text(235, d.winText);
  return f;
}

class HandEndTest : public SeatingTest {
 protected:
  void SetUp() override {
    SeatingTest::SetUp();
    SeatTable();
    c.disp.SeatedOthers = 3;
    StartHand();
  }
  void StartHand() { Feed({FrameBuilder(4).seat(1).v(0, 3).v(1, 5).v(2, 3).v(3, 5)}); }
  void Draw() { Feed({Result(1, 0), Result(2, 0), Result(4, 0), Result(8, 0)}); }
  // Alice (own seat) wins 60 by self-draw; the others pay 20 each.
  void Win(std::vector<Detail> details = {}) {
    Feed({Result(4, 60), Result(2, 20, 0), Result(1, 20, 0), Result(8, 20, 0)});
    if (details.empty()) {
      // The win text comes with the last detail of the group.
      details = {{.seat = 4, .rows = {{4, 64}, {6, 2}, {47, 1}}, .score = 60},
                 {.seat = 2, .score = -20},
                 {.seat = 1, .score = -20},
                 {.seat = 8, .score = -20, .winText = "恭喜"}};
    }
    std::vector<wire::Frame> frames;
    for (const auto& d : details) frames.push_back(DetailFrame(d));
    Feed(frames);
  }
  std::string RecordPath() { return score::RecordFilePath(c.host.Disk()); }
  std::string Record(int hand, const std::string& key) {
    app::classIniFile ini(host.files);
    ini.INIFileName(RecordPath());
    return ini.GetIniKey("juNum:" + std::to_string(hand), key);
  }
  const Lines& Column(int p) const { return c.Score.State(p).Items(); }
  bool Has(int p, const std::string& line) const {
    const auto& col = Column(p);
    return std::find(col.begin(), col.end(), line) != col.end();
  }
};

TEST_F(HandEndTest, FourZeroResultsShowTheDrawSheetAndSaveTheRecord) {
  Feed({Result(1, 0), Result(2, 0), Result(4, 0)});
  EXPECT_FALSE(c.Score.Visible()) << "three frames never complete a group";
  EXPECT_TRUE(c.net.HoldQuit);
  Feed({Result(8, 0)});
  ASSERT_TRUE(c.Score.Visible());
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(Column(p), Lines{"      黄  庄"});
    EXPECT_EQ(c.Score.State(p + 4).Items(), Lines{"最终分：0金币"});
    EXPECT_EQ(c.Hero.Grade(p).Items(), Lines{"        0金币"});
  }
  EXPECT_EQ(c.Hero.Num.Items(), Lines{"           1"});
  EXPECT_EQ(c.Score.ID(1).Caption(), "Carol");
  EXPECT_NE(c.Score.Tou(1).Picture(), 0);
  EXPECT_FALSE(c.net.HoldQuit);
  EXPECT_FALSE(c.net.InHand);
  EXPECT_EQ(c.ui.ButtonState[2], 0) << "continue armed";
  EXPECT_EQ(Sysmsg(0).back(), "请点击【继续】按钮继续游戏！");
  EXPECT_EQ(Sysmsg(1).back(), "游戏将在15秒内开始");
  EXPECT_TRUE(c.net.TaskOn[net::kTaskReadyClock]);
  EXPECT_EQ(c.MainForm.Number.Caption(), "15");
  EXPECT_EQ(Record(1, "count( 0 )"), "1");
  EXPECT_EQ(Record(1, "count( 0 )( 0 )"), "黄  庄") << "read back without its leading blanks";
  EXPECT_EQ(Record(1, "name( 2 )"), "Bob");
  EXPECT_EQ(RecordPath(), "/opt/qintara/info.vr");
}

// The history window stops growing at its bound; the hands after it are still recorded.
TEST_F(HandEndTest, TheHistoryStopsAtItsBoundAndTheRecordsGoOn) {
  std::vector<platform::Control*> lists{&c.Hero.Num};
  for (int p = 0; p < 4; ++p) lists.push_back(&c.Hero.Grade(p));
  for (auto* l : lists) {
    for (std::size_t i = 0; i + 1 < score::kMaxHistoryRows; ++i) l->AddItem("x");
  }
  Draw();
  for (auto* l : lists) EXPECT_EQ(l->Items().size(), score::kMaxHistoryRows);
  EXPECT_EQ(c.Hero.Num.Items().back(), "           1");
  StartHand();
  Win();
  ASSERT_TRUE(c.Score.Visible());
  for (auto* l : lists) EXPECT_EQ(l->Items().size(), score::kMaxHistoryRows);
  EXPECT_EQ(c.Hero.Num.Items().back(), "           1");
  EXPECT_EQ(c.Hero.Grade(0).Items().back(), "        0金币");
  EXPECT_EQ(Record(2, "name( 2 )"), "Bob");
}

TEST_F(HandEndTest, AmountsFollowTheSignFlag) {
  struct Case {
    int sign;
    std::uint64_t bytes;
    std::int32_t stored;
  } cases[] = {
      {0, 30, -30},
      {1, 0xFFFFFFFFFFFFFFE2ULL, -30},
      {1, 30, 30},
      {0, 0xFFFFFFFFFFFFFFE2ULL, 30},
      {1, 0x7FFFFFFF, 0x7FFFFFFF},
  };
  for (const auto& k : cases) {
    Feed({FrameBuilder(9).seat(2).byte(11, k.sign).u64le(16, k.bytes)});
    EXPECT_EQ(c.table.Hand[1].HandResult, k.stored) << k.sign << " " << k.bytes;
  }
}

TEST_F(HandEndTest, AnAmountBeyond32BitsIsARunTimeError) {
  Feed({Result(2, 0)});
  Feed({FrameBuilder(9).seat(1).byte(11, 1).u64le(16, 0x80000000ULL)});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(c.score.SeatResultCount, 1) << "the counter keeps its value";
}

TEST_F(HandEndTest, AResultWithoutASeatBitIsARunTimeError) {
  Feed({FrameBuilder(9).seat(3).byte(11, 1).u64le(16, 5)});
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(c.score.SeatResultCount, 0);
}

TEST_F(HandEndTest, AWinOpensTheSheetOnlyWithTheFourthDetail) {
  Feed({Result(4, 60), Result(2, 20, 0), Result(1, 20, 0), Result(8, 20, 0)});
  EXPECT_FALSE(c.Score.Visible()) << "a win waits for its details";
  Feed({DetailFrame({.seat = 4, .score = 60}), DetailFrame({.seat = 2, .score = -20}),
        DetailFrame({.seat = 1, .score = -20})});
  EXPECT_FALSE(c.Score.Visible());
  EXPECT_TRUE(c.net.HoldQuit);
  Feed({DetailFrame({.seat = 8, .score = -20})});
  EXPECT_TRUE(c.Score.Visible());
  EXPECT_FALSE(c.net.HoldQuit);
}

TEST_F(HandEndTest, TheWinSheetColumnReadsTopToBottom) {
  Win();
  EXPECT_EQ(Column(0),
            (Lines{"房间底金:  5", " ", "初始金币:1000", " ",
                   " 门清 ×4",  // a plain concealed win doubles the fan exponent
                   " ", "    ", " ", " ", "  ", "   --------------- ", " 自摸   ×2",
                   "====================", "总分：60金币", "", "恭喜", "最终分:60金币"}));
  EXPECT_EQ(Column(2).at(4), "    ") << "no fan line for a loser";
  EXPECT_EQ(Column(2).at(11), "    ");
  EXPECT_EQ(c.Score.State(4).Items(), Lines{"最终分：60金币"});
  EXPECT_EQ(c.Score.State(6).Items(), Lines{"最终分：-20金币"});
  EXPECT_EQ(c.Hero.Grade(2).Items(), Lines{"      -20金币"});
  EXPECT_EQ(c.Hero.sumScore(0).Caption(), "60金币");
  EXPECT_EQ(c.MainForm.Cash(2).Caption(), "50金币") << "bob had 70";
  EXPECT_EQ(c.MainForm.Level(0).Caption(), "雀士");
  EXPECT_EQ(c.table.Player[0].Stat[2], 1);
  EXPECT_EQ(c.table.Player[2].Stat[3], 1);
  EXPECT_EQ(c.table.WinnerPos, 0) << "settled from the results";
  EXPECT_EQ(host.LogDetails("sheet"),
            std::vector<std::string>{"hand 1 final 60 -20 -20 -20 prize 0 0 0 0"});
  EXPECT_EQ(Record(1, "count( 0 )"), "17");
  EXPECT_EQ(Record(1, "count( 0 ) ForeColor"), "0");
}

// Bytes 8-15 of every detail frame as the server sends them: the base gold is the low byte of
// bytes 10-11 and the currency the low byte of bytes 14-15; bytes 8-9 and 12-13 mean nothing
// to the sheet.
TEST_F(HandEndTest, BaseGoldAndCurrencyAreReadFromBytes10To15) {
  struct Case {
    const char* what;
    std::array<int, 8> bytes8to15;
    std::string base;
    std::string concealedGang;  // the owner's line for a concealed gang of 3条
    std::string follow;         // the dealer's 跟庄 line
    std::string currency;
  } cases[] = {
      {"plain", {0, 0, 0, 5, 0, 0, 0, 1}, "5", "3条暗杠: 75金币", "跟庄: - 30金币", "金币"},
      {"bars", {0, 0, 0, 2, 0, 0, 0, 2}, "2", "3条暗杠: 30金币", "跟庄: - 12金币", "金条"},
      {"other values around",
       {0, 9, 0, 5, 0, 1, 0, 1},
       "5",
       "3条暗杠: 75金币",
       "跟庄: - 30金币",
       "金币"},
      {"only the low bytes",
       {0, 1, 0x01, 0x0A, 0, 2, 0x01, 0x01},
       "10",
       "3条暗杠: 150金币",
       "跟庄: - 60金币",
       "金币"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    StartHand();
    c.table.GangCount = 1;
    c.table.GangTile[0] = 0x23;
    c.table.GangType[0][0] = 3;
    Feed({Result(4, 60), Result(2, 20, 0), Result(1, 20, 0), Result(8, 20, 0)});
    std::vector<wire::Frame> frames;
    for (int seat : {4, 2, 1, 8}) {
      FrameBuilder f(17);
      f.seat(seat);
      for (int i = 0; i < 8; ++i) f.byte(8 + i, k.bytes8to15.at(static_cast<std::size_t>(i)));
      f.byte(27, seat == 4 ? 1 : 0).byte(28, seat == 4 ? 1 : 0);  // alice deals, 跟庄 happened
      f.u64le(36, seat == 4 ? 60 : 20).byte(44, seat == 4 ? 0 : 2);
      frames.push_back(f);
    }
    Feed(frames);
    ASSERT_TRUE(c.Score.Visible());
    EXPECT_EQ(Column(0).at(0), "房间底金:  " + k.base);
    EXPECT_TRUE(Has(0, k.concealedGang));
    EXPECT_TRUE(Has(0, k.follow));
    EXPECT_TRUE(Has(0, "总分：60" + k.currency));
    EXPECT_EQ(c.Score.State(4).Items(), Lines{"最终分：60" + k.currency});
    EXPECT_EQ(c.MainForm.Cash(0).Caption().substr(c.MainForm.Cash(0).Caption().size() - 6),
              k.currency);
  }
}

// The results name the winner when no hu was seen; a drawn hand marks nobody.
TEST_F(HandEndTest, TheSheetNamesTheWinnerInRedAndADrawNobody) {
  Win();
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(c.Score.ID(p).ForeColor(), p == 0 ? 0xFF0000u : 0x00FF00u) << p;
  }
  StartHand();
  Draw();
  for (int p = 0; p < 4; ++p) EXPECT_EQ(c.Score.ID(p).ForeColor(), 0x00FF00u) << p;
}

// The fan list alone, from rows set directly: the winner's and others' lines.
class FanListTest : public HandEndTest {
 protected:
  void Rows(int p, std::vector<std::pair<int, int>> rows) {
    for (const auto& [r, v] : rows) c.score.WinDetail.at(p).at(r) = static_cast<std::int16_t>(v);
  }
  Lines Fan(int winner) {
    c.table.WinnerPos = winner;
    for (int p = 0; p < 8; ++p) c.Score.State(p).Clear();
    score::WriteFanList(c.scoreCtx);
    return Column(winner);
  }
  void Reset() { c.score.WinDetail = {}; }
};

TEST_F(FanListTest, FanLines) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> winnerRows;
    std::vector<std::pair<int, int>> otherRows;  // position 1
    std::string fanLine;
  } cases[] = {
      {"plain concealed", {{4, 64}, {47, 1}}, {}, " 门清 ×4"},
      {"pure and floating", {{4, 0x89}, {12, 1}}, {}, " 清一色飘 ×1"},
      {"pure, concealed", {{4, 0x08}, {47, 2}}, {}, " 清一色门清 ×8"},
      {"luxury pairs: no concealed doubling", {{3, 0x03}, {47, 1}}, {}, " 豪华七对 ×2"},
      {"another seat's pairs bit counts", {{4, 1}}, {{3, 1}}, " 一条龙七对 ×1"},
      {"nothing, door open", {{12, 2}}, {}, "  ×1"},
      {"exponent of the last seat with one", {{12, 1}, {47, 1}}, {{47, 3}}, "  ×8"},
  };
  for (const auto& k : cases) {
    Reset();
    Rows(0, k.winnerRows);
    Rows(1, k.otherRows);
    EXPECT_EQ(Fan(0).at(0), k.fanLine) << k.what;
  }
}

TEST_F(FanListTest, DealerDoorBonusesAndHowTheHandWasWon) {
  Rows(0, {{12, 1}, {13, 1}, {9, 1}, {17, 1}, {20, 2}, {21, 2}});
  Rows(1, {{12, 3}, {6, 1}, {10, 1}});
  Rows(3, {{5, 128}, {18, 1}});
  Fan(0);
  EXPECT_EQ(Column(0),
            (Lines{"  ×1", " 庄家   ×2", "    ", " 捉五   ×2", " 杠开   ×2", "", " 单吊   ×2", " ",
                   " 天听   ×2", " 天胡   ×4", "  ", "   --------------- ", " 吃炮    "}))
      << "the winner never shows its own open door";
  EXPECT_EQ(Column(1), (Lines{"    ", " ", " 开门   ×8", "", "        ", " 杠上点   ×2", "    ",
                              " ", " ", "  ", "   --------------- ", " 点炮   ×2"}));
  EXPECT_EQ(Column(3).at(Column(3).size() - 5), " 潇洒   ×2");
  EXPECT_EQ(Column(3).back(), "") << "a loser who did not feed gets an empty line";
}

TEST_F(FanListTest, ASelfDrawnWinByPositionTwo) {
  Rows(2, {{6, 2}});
  Fan(2);
  for (int p = 0; p < 4; ++p) EXPECT_EQ(Column(p).back(), p == 2 ? " 自摸   ×2" : "    ");
}

TEST_F(HandEndTest, GangAndFollowTheDealerLines) {
  c.table.GangCount = 1;
  c.table.GangTile[0] = 0x23;  // three of bamboo
  c.table.GangType[1][0] = 3;  // carol's concealed gang
  Win({{.seat = 4, .base = 5, .rows = {{6, 2}}, .score = 60},
       {.seat = 2, .base = 5, .rows = {{14, 1}}, .score = -20},
       {.seat = 1, .base = 2, .rows = {{13, 1}}, .score = -20},
       {.seat = 8, .base = 5, .score = -20}});
  EXPECT_TRUE(Has(1, "3条暗杠: 75金币"));
  EXPECT_TRUE(Has(0, "3条暗杠: - 25金币"));
  EXPECT_TRUE(Has(2, "3条暗杠: - 25金币")) << "the owner's base gold for every column";
  EXPECT_TRUE(Has(2, "跟庄: - 12金币")) << "bob is the dealer";
  EXPECT_TRUE(Has(3, "跟庄:   10金币"));
}

TEST_F(HandEndTest, SubtotalsMultipliersAndCurrency) {
  struct Case {
    bool dice, wealth;
    const char* diceText;
    const char* wealthText;
    std::int64_t result;
    std::vector<std::string> lines;
  } cases[] = {
      {true, true, "4", "2", -30, {"小计:-4金币", "骰子加倍 ×4", "财富加倍 ×2"}},
      {true, true, "5", "2", 25, {"小计:2金币", "骰子加倍 ×5", "财富加倍 ×2"}},  // 2.5: even
      {true, false, "4", "1", 30, {"小计:8金币", "骰子加倍 ×4"}},                // 7.5: even
      {false, true, "1", "0", 30, {"财富加倍 ×0"}},  // a shown 0 gives no subtotal
      {false, false, "1", "1", 30, {}},
  };
  for (const auto& k : cases) {
    // The wealth multiplier the table shows as the hand starts.
    c.props.WealthMultiple = k.wealth ? 1 : 0;
    c.props.WealthShown = std::stoi(k.wealthText);
    StartHand();
    c.MainForm.lblDifen.SetVisible(k.dice);
    c.MainForm.lblDifen.SetCaption(k.diceText);
    Feed({Result(4, k.result), Result(2, 0), Result(1, 0), Result(8, 0)});
    Feed({DetailFrame({.seat = 4, .currency = 2, .score = k.result}), DetailFrame({.seat = 2}),
          DetailFrame({.seat = 1}), DetailFrame({.seat = 8})});
    const auto& col = Column(0);
    const auto sep = std::find(col.begin(), col.end(), "====================");
    ASSERT_NE(sep, col.end());
    Lines tail(sep + 1, col.end());
    Lines expected = k.lines;
    expected.push_back("总分：" + std::to_string(k.result) + "金条");
    expected.push_back("");
    EXPECT_EQ(Lines(tail.begin(), tail.begin() + static_cast<std::ptrdiff_t>(expected.size())),
              expected)
        << k.result;
    EXPECT_EQ(col.back(), "最终分:" + std::to_string(k.result) + "金条");
  }
}

// The sheet divides by the wealth multiplier the hand was played with, even when the table has
// been told the next hand's before the details arrive.
TEST_F(HandEndTest, TheSubtotalUsesTheWealthMultiplierOfTheHandStart) {
  auto dave = Table().at(3);
  Feed({PlayerFrame(dave).u32le(234, 2)});
  StartHand();
  ASSERT_EQ(c.MainForm.lbwealth.Caption(), "2");
  Feed({Result(4, 60), Result(2, 20, 0), Result(1, 20, 0), Result(8, 20, 0)});
  // The game goes on with a wealth multiple of 5 (bytes 16-19) before the details come.
  Feed({FrameBuilder(16).seat(15).u32le(16, 5)});
  ASSERT_EQ(c.MainForm.lbwealth.Caption(), "5");
  Feed({DetailFrame({.seat = 4, .score = 60}), DetailFrame({.seat = 2, .score = -20}),
        DetailFrame({.seat = 1, .score = -20}), DetailFrame({.seat = 8, .score = -20})});
  ASSERT_TRUE(c.Score.Visible());
  EXPECT_TRUE(Has(0, "小计:30金币"));
  EXPECT_TRUE(Has(0, "财富加倍 ×2"));
  EXPECT_TRUE(Has(1, "小计:-10金币"));
  EXPECT_FALSE(Has(0, "财富加倍 ×5"));
}

// A long column (fans, multipliers, the prop plug-in's lines) closes its rows up so its last
// line, the final score, stays in view; a very long one stops at a readable row height.
TEST_F(HandEndTest, LongSheetColumnsCloseUpTheirRows) {
  auto& col = c.Score.State(0);
  const struct {
    int lines;
    int rowHeight;
  } cases[] = {{10, 14}, {30, 336 / 30}, {100, 11}};
  for (const auto& k : cases) {
    col.Clear();
    for (int i = 0; i < k.lines; ++i) col.AddItem("line");
    score::FitSheetColumns(c.Score);
    EXPECT_EQ(col.RowHeight(), k.rowHeight) << k.lines;
  }
}

TEST_F(HandEndTest, GoldAndPointsAreClampedAndAZeroScoreWinCounts) {
  c.table.Player[2].Gold = 10;
  c.table.Player[2].Num1 = 10;
  Feed({Result(4, 15), Result(2, 0), Result(1, 15, 0), Result(8, 0)});
  Feed({DetailFrame({.seat = 4, .score = 0}), DetailFrame({.seat = 2}),
        DetailFrame({.seat = 1, .score = -15}), DetailFrame({.seat = 8})});
  EXPECT_EQ(c.table.Player[2].Gold, 0);
  EXPECT_EQ(c.table.Player[2].Num1, 1);
  EXPECT_EQ(c.table.Player[0].Stat[2], 1) << "score 0 with a positive result is a win";
  EXPECT_EQ(c.table.Player[1].Stat[3], 1) << "score 0 without one is a loss";
}

TEST_F(HandEndTest, CountdownTurnsRedAndSendsReadyOnceAtZero) {
  Draw();
  Advance(9'000);
  EXPECT_EQ(c.MainForm.Number.Caption(), "6");
  EXPECT_EQ(c.MainForm.Number.ForeColor(), 0x00FF00u);
  Advance(1'000);
  EXPECT_EQ(c.MainForm.Number.Caption(), "5");
  EXPECT_EQ(c.MainForm.Number.ForeColor(), 0xFF0000u);
  const auto sentBefore = SentCommands();
  const auto before = std::count(sentBefore.begin(), sentBefore.end(), 16);
  Advance(6'000);
  EXPECT_FALSE(c.MainForm.Number.Visible());
  session::AnNiu_Click(c, 2);
  Advance(500);
  const auto cmds = SentCommands();
  EXPECT_EQ(std::count(cmds.begin(), cmds.end(), 16), before + 1);
  const auto ready = Sent().back();
  EXPECT_EQ(ready[3], 16);
  EXPECT_EQ(ready[6], 4);
  EXPECT_EQ(ready[15], 1);
}

TEST_F(HandEndTest, NoCountdownWhileWatchingOrOnceTheGameHasEnded) {
  c.score.GameEnded = true;
  Draw();
  EXPECT_FALSE(c.net.TaskOn[net::kTaskReadyClock]);
  EXPECT_TRUE(c.Score.Visible());
}

TEST_F(HandEndTest, ContinueHidesTheWindowsAndSendsReady) {
  Win();
  c.Hero.SetVisible(true);
  session::AnNiu_Click(c, 2);
  Advance(200);
  EXPECT_FALSE(c.Score.Visible());
  EXPECT_FALSE(c.Hero.Visible());
  EXPECT_EQ(Sent().back()[3], 16);
  EXPECT_FALSE(c.net.TaskOn[net::kTaskReadyClock]);
  EXPECT_TRUE(c.MainForm.OK(0).Visible());
}

// The countdown continues as the button does: the next hand is not dealt under the sheet.
TEST_F(HandEndTest, TheCountdownsEndPutsTheSheetAndTheHistoryAway) {
  Win();
  ASSERT_TRUE(c.Score.Visible());
  c.Hero.SetVisible(true);
  Advance(14'000);
  EXPECT_TRUE(c.Score.Visible()) << "one second left";
  Advance(2'000);
  EXPECT_FALSE(c.net.TaskOn[net::kTaskReadyClock]);
  EXPECT_FALSE(c.Score.Visible());
  EXPECT_FALSE(c.Hero.Visible());
  EXPECT_EQ(Sent().back()[3], 16) << "and the ready message went";
}

// The last result of a hand was lost with the connection: the next hand's results make a group
// of their own.
TEST_F(HandEndTest, AResultGroupCutShortIsDroppedWhenTheNextHandStarts) {
  Feed({Result(4, 60), Result(2, 20, 0), Result(1, 20, 0)});
  StartHand();
  EXPECT_EQ(c.score.SeatResultCount, 0);
  Feed({Result(1, 0)});
  EXPECT_FALSE(c.Score.Visible()) << "one frame of the new hand's group";
  Feed({Result(2, 0), Result(4, 0), Result(8, 0)});
  ASSERT_TRUE(c.Score.Visible());
  for (int p = 0; p < 4; ++p) EXPECT_EQ(Column(p), Lines{"      黄  庄"});
  EXPECT_EQ(c.score.SeatResultCount, 0);
}

// A double-click on an earlier hand while the results of a new one come in: the sheet that
// follows is the new hand's alone.
TEST_F(HandEndTest, AnEarlierHandOpenedWhileResultsArriveDoesNotMixIntoTheSheet) {
  Draw();
  session::AnNiu_Click(c, 2);
  StartHand();
  Feed({Result(4, 60), Result(2, 20, 0), Result(1, 20, 0), Result(8, 20, 0)});
  ASSERT_FALSE(c.Score.Visible());

  auto& hero = c.Hero;
  score::ShowHistory(c.scoreCtx);
  platform::FormInput input(hero, c.HeroEvents);
  const platform::Rect row0 = hero.WindowBounds(hero.Grade(1));
  const int x = row0.left + 5;
  const int y = row0.top + 3;
  static_cast<void>(input.Press(x, y, platform::kLeftButton, 0));
  input.Release(x, y, platform::kLeftButton, 0);
  input.DoubleClick(x, y, platform::kLeftButton, 0);
  input.Release(x, y, platform::kLeftButton, 0);
  ASSERT_TRUE(c.Score.Visible());
  ASSERT_EQ(Column(1), Lines{"黄  庄"}) << "hand 1, the draw";

  Feed({DetailFrame({.seat = 4, .score = 60}), DetailFrame({.seat = 2, .score = -20}),
        DetailFrame({.seat = 1, .score = -20}), DetailFrame({.seat = 8, .score = -20})});
  for (int p = 0; p < 4; ++p) {
    SCOPED_TRACE(p);
    ASSERT_FALSE(Column(p).empty());
    EXPECT_EQ(Column(p).front().rfind("房间底金:", 0), 0u) << Column(p).front();
    EXPECT_FALSE(Has(p, "黄  庄"));
    EXPECT_EQ(c.Score.State(p + 4).Items().size(), 1u);
  }
  EXPECT_EQ(c.Score.State(4 + 1).Items(), Lines{"最终分：-20金币"});
  EXPECT_EQ(Record(2, "count( 5 )"), "1") << "the record of hand 2 holds hand 2 only";
}

TEST_F(HandEndTest, ContinueAfterTheGameIsOverGoesBackToTheLobbyAndDropsTheRecords) {
  Draw();
  ASSERT_TRUE(host.files.FileExists(RecordPath()));
  // Only carol lacks gold: the table is over, the own player stays.
  Feed({FrameBuilder(16).seat(15 - 2).v(3, 3)});
  ASSERT_TRUE(c.disp.GameOver);
  host.lobby.windows.insert(c.app.LobbyTitle);
  session::AnNiu_Click(c, 2);
  EXPECT_FALSE(host.Ended());
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  EXPECT_FALSE(host.files.FileExists(RecordPath()));
}

// The next table must not open on this table's players and results.
TEST_F(HandEndTest, LeavingTheTableClearsEveryPositionOfTheResultWindows) {
  Win();
  ASSERT_TRUE(c.Score.Visible());
  ASSERT_FALSE(Column(0).empty());
  ASSERT_EQ(c.Hero.ID(1).Caption(), "Carol");
  host.lobby.Deliver(platform::kLobbyLeaveNow);
  for (int p = 0; p < 4; ++p) {
    SCOPED_TRACE(p);
    EXPECT_TRUE(c.Score.State(p).Items().empty());
    EXPECT_TRUE(c.Score.State(p + 4).Items().empty());
    EXPECT_EQ(c.Score.ID(p).Caption(), "");
    EXPECT_EQ(c.Score.Tou(p).Picture(), 0);
    EXPECT_EQ(c.Hero.ID(p).Caption(), "");
    EXPECT_EQ(c.Hero.Tou(p).Picture(), 0);
    EXPECT_TRUE(c.Hero.Grade(p).Items().empty());
    EXPECT_EQ(c.Hero.sumScore(p).Caption(), "");
  }
}

TEST_F(HandEndTest, TheHistoryGrowsARowPerHandAndShowsAnEarlierHand) {
  Win();
  session::AnNiu_Click(c, 2);
  StartHand();
  Draw();
  session::AnNiu_Click(c, 2);
  StartHand();
  Win();
  EXPECT_EQ(c.Hero.Num.Items(), (Lines{"           1", "           2", "           3"}));
  for (int h = 1; h <= 3; ++h) EXPECT_EQ(Record(h, "name( 1 )"), "Carol");

  score::SheetEvents events(c.scoreCtx, c.Hero);
  session::AnNiu_Click(c, 6);
  ASSERT_TRUE(c.Hero.Visible());
  const int row = 1;
  const int y = row * c.Hero.Grade(2).RowHeight() + 3;
  events.OnMouseDown(&c.Hero.Grade(2), platform::kLeftButton, 0, 5, y);
  EXPECT_EQ(c.Hero.Num.ListIndex(), 1);
  for (int p = 0; p < 4; ++p) EXPECT_EQ(c.Hero.Grade(p).ListIndex(), 1);
  c.Score.SetVisible(false);
  events.OnDblClick(&c.Hero.Grade(2));
  EXPECT_TRUE(c.Score.Visible());
  EXPECT_EQ(Column(1), Lines{"黄  庄"}) << "hand 2 was a draw (stored blanks are not kept)";
}

// An evening's history is longer than the window: the wheel scrolls its columns together, a
// click then picks the row it points at, and scrolling back to the end follows new hands again.
TEST_F(HandEndTest, TheWheelScrollsTheHistory) {
  auto& hero = c.Hero;
  for (int h = 1; h <= 40; ++h) {
    hero.Num.AddItem(std::to_string(h));
    for (auto* g : hero.Grade) g->AddItem("0金币");
  }
  score::ShowHistory(c.scoreCtx);
  const int visible = hero.Num.VisibleRows();
  ASSERT_LT(visible, 40);
  const auto first = [](const platform::Control& l) {
    return platform::FirstShownRow(l, l.RowHeight());
  };
  ASSERT_EQ(first(hero.Num), 40 - visible);

  platform::FormInput input(hero, c.HeroEvents);
  const platform::Rect g1 = hero.WindowBounds(hero.Grade(1));
  input.Wheel(g1.left + 5, g1.top + 5, 3);
  EXPECT_EQ(first(hero.Num), 40 - visible - 3);
  for (auto* g : hero.Grade) EXPECT_EQ(first(*g), 40 - visible - 3);
  input.Wheel(g1.left + 5, g1.top + 5, 100);
  EXPECT_EQ(first(hero.Num), 0) << "stops at the first hand";
  c.HeroEvents.OnMouseDown(&hero.Grade(1), platform::kLeftButton, 0, 5, 3);
  EXPECT_EQ(hero.Num.ListIndex(), 0);

  input.Wheel(g1.left + 5, g1.top + 5, -100);
  EXPECT_EQ(hero.Num.TopIndex(), -1) << "back at the end it follows the newest hand";
  hero.Num.AddItem("41");
  EXPECT_EQ(first(hero.Num), 41 - visible);
}

TEST_F(HandEndTest, RecordsRoundTripAndOldLinesAreNeverRead) {
  Win();
  const Lines won = Column(0);
  // A survivor of an earlier run holds more lines for hand 1 than the new hand writes.
  app::classIniFile ini(host.files);
  ini.INIFileName(RecordPath());
  ini.WriteIniKey("juNum:1", "count( 0 )( 40 )", "old line");
  for (int j = 0; j < 8; ++j) c.Score.State(j).Clear();
  score::LoadMatchRecord(c.scoreCtx, 1);
  Lines expected = won;
  for (auto& line : expected) {
    // Blanks at either side do not come back; a line left empty shows as one space.
    const auto first = line.find_first_not_of(' ');
    line = first == std::string::npos ? " "
                                      : line.substr(first, line.find_last_not_of(' ') - first + 1);
  }
  EXPECT_EQ(Column(0), expected);
  EXPECT_EQ(c.Score.ID(3).Caption(), "Dave");
}

TEST_F(HandEndTest, AHostileRecordFileLoadsSafely) {
  const std::string path = RecordPath();
  struct Case {
    const char* what;
    std::string file;
    Lines column0;
  } cases[] = {
      {"a count of billions", "[juNum:5]\ncount( 0 )=4000000000\n", {"keep"}},
      {"a negative count", "[juNum:5]\ncount( 0 )=-3\n", {"keep"}},
      {"a count that is text", "[juNum:5]\ncount( 0 )=abc\n", {"keep"}},
      {"lines missing", "[juNum:5]\ncount( 0 )=2\ncount( 0 )( 1 )=b\n", {" ", "b"}},
  };
  for (const auto& k : cases) {
    host.files.Put(path, k.file);
    c.Score.State(0).Clear();
    c.Score.State(0).AddItem("keep");
    score::LoadMatchRecord(c.scoreCtx, 5);
    EXPECT_EQ(Column(0), k.column0) << k.what;
  }
  // Binary junk in a line: shown as replacement characters, the zero byte dropped.
  host.files.Put(path, std::string("[juNum:5]\ncount( 0 )=1\ncount( 0 )( 0 )=\x81\xFF\0x\n", 44));
  score::LoadMatchRecord(c.scoreCtx, 5);
  ASSERT_EQ(Column(0).size(), 1u);
  EXPECT_EQ(Column(0)[0].back(), 'x');
  EXPECT_EQ(Column(0)[0].find('\0'), std::string::npos);
}

TEST_F(HandEndTest, RecordsGoToTheUserFolderWhenTheProgramFolderIsReadOnly) {
  host.files.readOnlyFolders.insert(host.files.programFolder);
  Draw();
  EXPECT_TRUE(host.files.FileExists(host.files.userDataFolder + "/info.vr"));
}

// A departure that arrives during the hand's results waits for them, and does not stop them.
class HeldDepartureTest : public HandEndTest, public ::testing::WithParamInterface<int> {};

TEST_P(HeldDepartureTest, TheResultsGetThroughAndTheDepartureFollows) {
  // The departure arrives after this many of the eight result frames.
  const int after = GetParam();
  std::vector<wire::Frame> frames = {Result(4, 60), Result(2, 20, 0), Result(1, 20, 0),
                                     Result(8, 20, 0)};
  for (int s : {4, 2, 1, 8}) frames.push_back(DetailFrame({.seat = s, .score = s == 4 ? 60 : -20}));
  frames.insert(frames.begin() + after, FrameBuilder(21).seat(8).text(16, "dave"));
  frames.push_back(FrameBuilder(30).key(9, 9));  // anything behind the departure
  std::vector<std::uint8_t> stream;
  for (const auto& f : frames) stream.insert(stream.end(), f.begin(), f.end());
  Push(stream);  // one segment
  Advance(3'000);
  EXPECT_TRUE(c.Score.Visible());
  EXPECT_EQ(c.net.HeldCount, 0);
  EXPECT_EQ(c.net.SessionKey[0], 9) << "the frame behind the departure came through";
  const auto recv = host.LogDetails("recv");
  EXPECT_EQ(std::count(recv.begin(), recv.end(), "21"), 1) << "logged once";
  if (after < 8) {
    EXPECT_TRUE(host.HasLog("hold", "departure of seat 8 waits for the hand's results"));
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, HeldDepartureTest, ::testing::Values(4, 6, 8),
                         [](const auto& p) { return "After" + std::to_string(p.param); });

}  // namespace
}  // namespace qtest
