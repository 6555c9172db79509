#include <array>
#include <cstdint>
#include <string>

#include "score/context.h"
#include "score/score.h"
#include "table/table_state.h"

namespace score {

namespace {

using table::Ix;

std::string Pow2(int n) {
  // The server's exponents are small; beyond 62 doublings the figure is no longer a count.
  if (n < 0 || n > 62) return "0";
  return std::to_string(std::uint64_t{1} << n);
}

// The suit/dragon name of a row 4 and the seven-pairs name of a row 3, first match wins.
const char* SuitName(int v) {
  const int low = v & 0x0F;
  if (low >= 8) return "清一色";
  if (low >= 4) return "混一色";
  if (low >= 2) return "本混龙";
  if (low >= 1) return "一条龙";
  return "";
}
const char* PairsName(int v) {
  const int low = v & 0x0F;
  if (low >= 8) return "三豪华七对";
  if (low >= 4) return "超豪华七对";
  if (low >= 2) return "豪华七对";
  if (low >= 1) return "七对";
  return "";
}

// The rows of the four positions' win details, and the sheet's columns they fill.
struct Lines {
  const std::array<WinRow, 4>& rows;
  ScoreFormT& sheet;
  int winner;
  int row(int p, int r) const { return rows.at(Ix(p)).at(Ix(r)); }
  void add(int p, const std::string& line) const { sheet.State(p).AddItem(line); }
};

// The winner's fan: its names, its doubling exponent, whether the hand was concealed and
// whether it caught the five.
struct Fan {
  std::string name;
  int exponent = 0;
  bool concealed = false;
  bool catchFive = false;
};

Fan WinnerFan(const Lines& l) {
  Fan f;
  bool sevenPairs = false;
  for (int p = 0; p < 4; ++p) {
    f.name += SuitName(l.row(p, 4));
    if ((l.row(p, 4) & 0x80) != 0) f.name += "飘";
    const char* pairs = PairsName(l.row(p, 3));
    if (*pairs != '\0') sevenPairs = true;
    f.name += pairs;
    if (l.row(p, 5) == 128) f.catchFive = true;
    if (l.row(p, 47) > 0) f.exponent = l.row(p, 47);
  }
  for (int p = 0; p < 4; ++p) {
    if (f.name.empty() && l.row(p, 4) == 64) f.name = "屁胡";
  }
  const bool hasWinner = l.winner >= 0 && l.winner < 4;
  f.concealed = hasWinner && l.row(l.winner, 12) == 0 && !sevenPairs;
  if (f.concealed) f.name = f.name == "屁胡" ? "门清" : f.name + "门清";
  return f;
}

// The fan, the dealer, the open melds and the caught five.
void WriteFanLines(const Lines& l, const Fan& f) {
  for (int p = 0; p < 4; ++p) {
    l.add(p,
          p == l.winner ? " " + f.name + " ×" + Pow2(f.exponent + (f.concealed ? 1 : 0)) : "    ");
  }
  for (int p = 0; p < 4; ++p) l.add(p, l.row(p, 13) == 1 ? " 庄家   ×2" : " ");
  for (int p = 0; p < 4; ++p) {
    if (l.row(p, 12) < 1 || p == l.winner) {
      l.add(p, "    ");
    } else {
      l.add(p, " 开门   ×" + Pow2(l.row(p, 12)));
    }
  }
  if (f.catchFive) {
    for (int p = 0; p < 4; ++p) l.add(p, p == l.winner ? " 捉五   ×2" : "");
  }
}

// The doublings a position's row flags; the others' columns get a filler line.
void WriteBonusLines(const Lines& l) {
  struct Bonus {
    int row;
    const char* line;
    const char* filler;
    bool fillAll;  // the filler goes to every other position, flagged or not
  };
  static constexpr Bonus kBonuses[] = {
      {9, " 杠开   ×2", "        ", true}, {10, " 杠上点   ×2", "", false},
      {11, " 干的   ×2", "    ", false},   {15, " 边张   ×2", "    ", false},
      {16, " 卡张   ×2", "    ", false},   {17, " 单吊   ×2", "    ", false},
  };
  for (const Bonus& b : kBonuses) {
    for (int p = 0; p < 4; ++p) {
      if (l.row(p, b.row) != 1) continue;
      for (int q = 0; q < 4; ++q) {
        if (q == p) {
          l.add(q, b.line);
        } else if (b.fillAll || l.row(q, b.row) == 0) {
          l.add(q, b.filler);
        }
      }
    }
  }
}

// The free hand, the heavenly and earthly ting and hu, and the rule under them.
void WriteHeavenLines(const Lines& l) {
  for (int p = 0; p < 4; ++p) l.add(p, l.row(p, 18) == 1 ? " 潇洒   ×2" : " ");
  for (int p = 0; p < 4; ++p) {
    if (l.row(p, 20) != 2) continue;
    if (p != l.winner) {
      l.add(p, " ");
    } else {
      l.add(p, l.row(p, 13) == 1 ? " 天听   ×2" : " 地听   ×2");
    }
  }
  for (int p = 0; p < 4; ++p) {
    if (l.row(p, 21) != 2) {
      l.add(p, " ");
    } else {
      l.add(p, l.row(p, 13) == 1 ? " 天胡   ×4" : " 地胡   ×4");
    }
  }
  for (int p = 0; p < 4; ++p) {
    l.add(p, "  ");
    l.add(p, "   --------------- ");
  }
}

// Who dealt the winning tile in, or the winner drew it.
void WriteDealInLines(const Lines& l) {
  for (int p = 0; p < 4; ++p) {
    if (l.row(p, 6) == 1) {
      l.add(p, " 点炮   ×2");
      for (int q = 0; q < 4; ++q) {
        if (q == l.winner) {
          l.add(q, " 吃炮    ");
        } else if (l.row(q, 6) == 0) {
          l.add(q, "");
        }
      }
    } else if (l.row(p, 6) == 2) {
      for (int q = 0; q < 4; ++q) l.add(q, q == p ? " 自摸   ×2" : "    ");
    }
  }
}

}  // namespace

void WriteFanList(Ctx& c) {
  const Lines l{c.score.WinDetail, c.Score, c.table.WinnerPos};
  WriteFanLines(l, WinnerFan(l));
  WriteBonusLines(l);
  WriteHeavenLines(l);
  WriteDealInLines(l);
}

}  // namespace score
