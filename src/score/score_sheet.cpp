#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "assets/picture_ids.h"
#include "score/context.h"
#include "score/score.h"
#include "table/tiles.h"
#include "text/gbk.h"
#include "text/number.h"
#include "ui/messages.h"

namespace score {

namespace {

using table::Ix;

int Row(Ctx& c, int p, int r) {
  return c.score.WinDetail.at(Ix(p)).at(Ix(r));
}

// Low 8 bits of row 0: the room's base gold.
int BaseGold(Ctx& c, int p) {
  return Row(c, p, 0) & 0xFF;
}

const char* Currency(Ctx& c, int p) {
  return (Row(c, p, 1) & 0xFF) == 1 ? "金币" : "金条";
}

// Rows 22..29 as an unsigned little-endian magnitude, negative when row 30 is 2.
double HandScoreOf(Ctx& c, int p) {
  double v = 0;
  for (int r = 29; r >= 22; --r) v = v * 256 + (Row(c, p, r) & 0xFF);
  return Row(c, p, 30) == 2 ? -v : v;
}

// Rows 31..46 read as GBK pairs, up to the first pair whose first byte is 0.
std::string LevelTitle(Ctx& c, int p) {
  text::Bytes bytes;
  for (int r = 31; r + 1 <= 46; r += 2) {
    const auto a = static_cast<std::uint8_t>(Row(c, p, r));
    if (a == 0) break;
    bytes.push_back(a);
    const auto b = static_cast<std::uint8_t>(Row(c, p, r + 1));
    if (b != 0) bytes.push_back(b);
  }
  return text::FromGbk(bytes);
}

// A multiplier shown on the table: its value while on, nothing while off.
struct Multiplier {
  bool on = false;
  std::string text;
  double value = 0;
};

Multiplier Shown(const platform::Control& label) {
  Multiplier m;
  m.on = label.Visible();
  m.text = label.Caption();
  m.value = text::LeadingNumber(m.text);
  return m;
}

// The wealth multiplier as the hand started: the table's caption may already show the next
// hand's by the time the sheet is written.
Multiplier WealthAtStart(const std::string& text) {
  Multiplier m;
  m.text = text;
  m.on = !m.text.empty();
  m.value = text::LeadingNumber(m.text);
  return m;
}

// Halves to even, as the sheet has always rounded.
double RoundHalfEven(double v) {
  return std::nearbyint(v);
}

void AddAll(Ctx& c, const std::string& line) {
  for (int p = 0; p < 4; ++p) c.Score.State(p).AddItem(line);
}

void WriteGangLines(Ctx& c) {
  const auto& t = c.table;
  for (int k = 0; k < t.GangCount && k < static_cast<int>(t.GangTile.size()); ++k) {
    const int tile = t.GangTile.at(Ix(k));
    const std::string name = table::TileName(table::Rank(tile), table::SuitBit(tile));
    for (int j = 0; j < 4; ++j) {
      const int kind = t.GangType.at(Ix(j)).at(Ix(k));
      if (kind <= 0) continue;
      const int b = BaseGold(c, j);
      const char* label = kind == 2 ? "开杠: " : kind == 3 ? "暗杠: " : "杠: ";
      const int own = kind == 3 ? 15 * b : 30 * b;
      const int other = kind == 3 ? 5 * b : 10 * b;
      for (int q = 0; q < 4; ++q) {
        const std::string amount = q == j ? std::to_string(own) : "- " + std::to_string(other);
        c.Score.State(q).AddItem(name + label + amount + "金币");
      }
    }
  }
}

void WriteFollowDealer(Ctx& c) {
  for (int p = 0; p < 4; ++p) {
    if (Row(c, p, 14) != 1) continue;
    for (int q = 0; q < 4; ++q) {
      const int b = BaseGold(c, q);
      c.Score.State(q).AddItem(Row(c, q, 13) == 1 ? "跟庄: - " + std::to_string(6 * b) + "金币"
                                                  : "跟庄:   " + std::to_string(2 * b) + "金币");
    }
    return;
  }
}

// Each position's hand score from its win detail, added to its session score; its level title
// goes to its record and its label.
void TakeHandScores(Ctx& c) {
  auto& s = c.score;
  for (int p = 0; p < 4; ++p) {
    s.HandScore.at(Ix(p)) = HandScoreOf(c, p);
    s.RunningScore.at(Ix(p)) += s.HandScore.at(Ix(p));
    const std::string title = LevelTitle(c, p);
    c.table.Player.at(Ix(p)).Group = title;
    c.MainForm.Level(p).SetCaption(title);
  }
}

// No hu was seen (a hand taken up again after a reconnection): the results name the winner.
void FindWinnerFromResults(Ctx& c) {
  if (c.table.WinnerPos >= 0) return;
  for (int p = 0; p < 4; ++p) {
    if (c.table.Hand.at(Ix(p)).HandResult > 0) c.table.WinnerPos = p;
  }
  MarkScoreWinner(c.Score, c.table.WinnerPos);
}

void WriteHeaders(Ctx& c) {
  for (int p = 0; p < 4; ++p) {
    auto& col = c.Score.State(p);
    col.AddItem("房间底金:  " + std::to_string(BaseGold(c, p)));
    col.AddItem(" ");
    col.AddItem("初始金币:" + Num(c.table.GoldAtStart.at(Ix(p))));
    col.AddItem(" ");
  }
}

// The player's record counts the hand: won or lost, and its score.
void CountHand(table::PlayerRec& player, double score, std::int32_t result) {
  player.Gold = std::max(0.0, player.Gold + score);
  if (score > 0 || (score == 0 && result > 0)) {
    player.Stat[2] += 1;
  } else {
    player.Stat[3] += 1;
  }
  player.Num1 += score;
  if (player.Num1 < 0) player.Num1 = 1;
}

// What the result was multiplied by: both shown multipliers, or the one that is on.
double Divisor(const Multiplier& dice, const Multiplier& wealth) {
  if (wealth.on && dice.on && wealth.value != 0 && dice.value != 0) {
    return wealth.value * dice.value;
  }
  if (wealth.on && wealth.value != 0) return wealth.value;
  if (dice.on && dice.value != 0) return dice.value;
  return 0;
}

// The subtotal, the multipliers, the total and the marks of each position's column.
void WriteTotals(Ctx& c, const std::string& wealthAtStart) {
  const Multiplier dice = Shown(c.MainForm.lblDifen);
  const Multiplier wealth = WealthAtStart(wealthAtStart);
  const double divisor = Divisor(dice, wealth);
  for (int p = 0; p < 4; ++p) {
    const std::int32_t result = c.table.Hand.at(Ix(p)).HandResult;
    CountHand(c.table.Player.at(Ix(p)), c.score.HandScore.at(Ix(p)), result);
    auto& col = c.Score.State(p);
    if (divisor != 0) col.AddItem("小计:" + Num(RoundHalfEven(result / divisor)) + "金币");
    if (dice.on) col.AddItem("骰子加倍 ×" + dice.text);
    if (wealth.on) col.AddItem("财富加倍 ×" + wealth.text);
    col.AddItem("总分：" + std::to_string(result) + Currency(c, p));
    col.AddItem("");
    if (Row(c, p, 6) == 1) {
      col.AddItem("包胡");
      col.AddItem(" ");
    }
    if (c.score.CapFlag.at(Ix(p)) != 0 && wealth.on) {
      col.AddItem("封顶");
      col.AddItem(" ");
    }
  }
}

// The win text in the winners' columns and every position's final score before prizes.
void WriteFinalScores(Ctx& c) {
  const auto& s = c.score;
  for (int p = 0; p < 4; ++p) {
    c.Score.State(p).AddItem(s.HandScore.at(Ix(p)) > 0 ? s.WinText : " ");
  }
  for (int p = 0; p < 4; ++p) {
    c.Score.State(p).AddItem("最终分:" + Num(s.HandScore.at(Ix(p))) + Currency(c, p));
  }
  // The prop lines that follow choose their own colour.
  for (int p = 0; p < 4; ++p) c.Score.State(p).SetForeColor(0x000000);
}

// What a chest added to the hand counts in its position's scores and gold.
void AddPrizes(Ctx& c, const std::array<double, 4>& prizes) {
  auto& s = c.score;
  for (int p = 0; p < 4; ++p) {
    const double prize = prizes.at(Ix(p));
    if (prize == 0) continue;
    s.HandScore.at(Ix(p)) += prize;
    s.RunningScore.at(Ix(p)) += prize;
    auto& player = c.table.Player.at(Ix(p));
    player.Gold = std::max(0.0, player.Gold + prize);
  }
}

// The table's gold labels, the final lines and the history's rows and totals.
void WriteFinalLines(Ctx& c) {
  auto& hero = c.Hero;
  for (int p = 0; p < 4; ++p) {
    const std::string money = Currency(c, p);
    const double score = c.score.HandScore.at(Ix(p));
    ui::ShowCash(c.MainForm, c.host, p, Num(c.table.Player.at(Ix(p)).Gold) + money);
    c.Score.State(p + 4).AddItem("最终分：" + Num(score) + money);
    AddHistoryRow(hero.Grade(p), RightAlign(Num(score), 9) + money);
    hero.sumScore(p).SetCaption(Num(c.score.RunningScore.at(Ix(p))) + money);
  }
}

}  // namespace

void WriteScoreSheet(Ctx& c, const std::string& wealthAtStart) {
  ClearSheet(c.Score);
  TakeHandScores(c);
  AddHistoryRow(c.Hero.Num, RightAlign(std::to_string(c.table.HandNumber), 12));
  FindWinnerFromResults(c);
  WriteHeaders(c);
  WriteFanList(c);
  AddAll(c, "====================");
  WriteGangLines(c);
  WriteFollowDealer(c);
  WriteTotals(c, wealthAtStart);
  WriteFinalScores(c);
}

void FinishScoreSheet(Ctx& c, const std::array<double, 4>& prizes) {
  const std::array<double, 4> finals = c.score.HandScore;
  AddPrizes(c, prizes);
  WriteFinalLines(c);
  LogSheet(c, finals, prizes);
  SetSheetPlayers(c);
  CentreOverTable(
      c, c.MainForm.State() != platform::WindowState::Minimized && !c.score.ClosingHandEnd, true);
}

}  // namespace score
