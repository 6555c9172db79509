#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "app/replay.h"
#include "assets/picture_ids.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "table/tiles.h"
#include "text/gbk.h"
#include "text/number.h"
#include "ui/messages.h"

namespace score {

namespace {

using table::Ix;

int Row(Client& c, int p, int r) {
  return c.score.WinDetail.at(Ix(p)).at(Ix(r));
}

// Low 8 bits of row 0: the room's base gold.
int BaseGold(Client& c, int p) {
  return Row(c, p, 0) & 0xFF;
}

const char* Currency(Client& c, int p) {
  return (Row(c, p, 1) & 0xFF) == 1 ? "金币" : "金条";
}

// Rows 22..29 as an unsigned little-endian magnitude, negative when row 30 is 2.
double HandScoreOf(Client& c, int p) {
  double v = 0;
  for (int r = 29; r >= 22; --r) v = v * 256 + (Row(c, p, r) & 0xFF);
  return Row(c, p, 30) == 2 ? -v : v;
}

// Rows 31..46 read as GBK pairs, up to the first pair whose first byte is 0.
std::string LevelTitle(Client& c, int p) {
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
Multiplier WealthAtStart(Client& c) {
  Multiplier m;
  m.text = c.props.WealthMultipleText;
  m.on = !m.text.empty();
  m.value = text::LeadingNumber(m.text);
  return m;
}

// Halves to even, as the sheet has always rounded.
double RoundHalfEven(double v) {
  return std::nearbyint(v);
}

void AddAll(Client& c, const std::string& line) {
  for (int p = 0; p < 4; ++p) c.Score.State(p).AddItem(line);
}

void WriteGangLines(Client& c) {
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

void WriteFollowDealer(Client& c) {
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

}  // namespace

void ShowScoreSheet(Client& c) {
  auto& s = c.score;
  auto& hero = c.Hero;
  auto& sheet = c.Score;
  ClearSheet(c);
  for (int p = 0; p < 4; ++p) {
    s.HandScore.at(Ix(p)) = HandScoreOf(c, p);
    s.RunningScore.at(Ix(p)) += s.HandScore.at(Ix(p));
    const std::string title = LevelTitle(c, p);
    c.table.Player.at(Ix(p)).Group = title;
    c.MainForm.Level(p).SetCaption(title);
  }
  AddHistoryRow(hero.Num, RightAlign(std::to_string(c.table.HandNumber), 12));
  if (c.table.WinnerPos < 0) {
    for (int p = 0; p < 4; ++p) {
      if (c.table.Hand.at(Ix(p)).HandResult > 0) c.table.WinnerPos = p;
    }
    // No hu was seen (a hand taken up again after a reconnection): the results name the winner.
    MarkScoreWinner(c, c.table.WinnerPos);
  }
  for (int p = 0; p < 4; ++p) {
    sheet.State(p).AddItem("房间底金:  " + std::to_string(BaseGold(c, p)));
    sheet.State(p).AddItem(" ");
    sheet.State(p).AddItem("初始金币:" + Num(c.table.GoldAtStart.at(Ix(p))));
    sheet.State(p).AddItem(" ");
  }
  WriteFanList(c);
  AddAll(c, "====================");
  WriteGangLines(c);
  WriteFollowDealer(c);

  const Multiplier dice = Shown(c.MainForm.lblDifen);
  const Multiplier wealth = WealthAtStart(c);
  for (int p = 0; p < 4; ++p) {
    auto& player = c.table.Player.at(Ix(p));
    const double score = s.HandScore.at(Ix(p));
    const std::int32_t result = c.table.Hand.at(Ix(p)).HandResult;
    player.Gold = std::max(0.0, player.Gold + score);
    if (score > 0 || (score == 0 && result > 0)) {
      player.Stat[2] += 1;
    } else {
      player.Stat[3] += 1;
    }
    player.Num1 += score;
    if (player.Num1 < 0) player.Num1 = 1;

    double divisor = 0;
    if (wealth.on && dice.on && wealth.value != 0 && dice.value != 0) {
      divisor = wealth.value * dice.value;
    } else if (wealth.on && wealth.value != 0) {
      divisor = wealth.value;
    } else if (dice.on && dice.value != 0) {
      divisor = dice.value;
    }
    auto& col = sheet.State(p);
    if (divisor != 0) col.AddItem("小计:" + Num(RoundHalfEven(result / divisor)) + "金币");
    if (dice.on) col.AddItem("骰子加倍 ×" + dice.text);
    if (wealth.on) col.AddItem("财富加倍 ×" + wealth.text);
    col.AddItem("总分：" + std::to_string(result) + Currency(c, p));
    col.AddItem("");
    if (Row(c, p, 6) == 1) {
      col.AddItem("包胡");
      col.AddItem(" ");
    }
    if (s.CapFlag.at(Ix(p)) != 0 && wealth.on) {
      col.AddItem("封顶");
      col.AddItem(" ");
    }
  }
  for (int p = 0; p < 4; ++p) sheet.State(p).AddItem(s.HandScore.at(Ix(p)) > 0 ? s.WinText : " ");
  for (int p = 0; p < 4; ++p) {
    sheet.State(p).AddItem("最终分:" + Num(s.HandScore.at(Ix(p))) + Currency(c, p));
  }
  const std::array<double, 4> finals = s.HandScore;
  std::array<double, 4> prizes{};
  for (int p = 0; p < 4; ++p) {
    sheet.State(p).SetForeColor(0x000000);
    // The prop plug-in's lines for this seat, and what its chest added to the hand.
    const double prize = props::TakePropLines(c, p, sheet.State(p), /*withColour=*/true);
    prizes.at(Ix(p)) = prize;
    if (prize != 0) {
      s.HandScore.at(Ix(p)) += prize;
      s.RunningScore.at(Ix(p)) += prize;
      auto& player = c.table.Player.at(Ix(p));
      player.Gold = std::max(0.0, player.Gold + prize);
    }
  }
  for (int p = 0; p < 4; ++p) {
    const std::string money = Currency(c, p);
    const double score = s.HandScore.at(Ix(p));
    ui::ShowCash(c.MainForm, c.host, p, Num(c.table.Player.at(Ix(p)).Gold) + money);
    sheet.State(p + 4).AddItem("最终分：" + Num(score) + money);
    AddHistoryRow(hero.Grade(p), RightAlign(Num(score), 9) + money);
    hero.sumScore(p).SetCaption(Num(s.RunningScore.at(Ix(p))) + money);
  }

  LogSheet(c, finals, prizes);
  SetSheetPlayers(c);
  CentreOverTable(c, c.MainForm.State() != platform::WindowState::Minimized && !s.ClosingHandEnd,
                  true);
  ArmContinue(c);
  c.net.HoldQuit = false;

  SaveMatchRecord(c, c.table.HandNumber);
  app::SaveHandReplay(c);
}

}  // namespace score
