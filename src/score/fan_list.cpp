#include <cstdint>
#include <string>

#include "score/score.h"
#include "session/client.h"
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

}  // namespace

void WriteFanList(Client& c) {
  const auto& rows = c.score.WinDetail;
  auto row = [&](int p, int r) -> int { return rows.at(Ix(p)).at(Ix(r)); };
  auto add = [&](int p, const std::string& line) { c.Score.State(p).AddItem(line); };
  const int winner = c.table.WinnerPos;
  const bool hasWinner = winner >= 0 && winner < 4;

  std::string fan;
  bool sevenPairs = false;
  bool catchFive = false;
  int exponent = 0;
  for (int p = 0; p < 4; ++p) {
    fan += SuitName(row(p, 4));
    if ((row(p, 4) & 0x80) != 0) fan += "飘";
    const char* pairs = PairsName(row(p, 3));
    if (*pairs != '\0') sevenPairs = true;
    fan += pairs;
    if (row(p, 5) == 128) catchFive = true;
    if (row(p, 47) > 0) exponent = row(p, 47);
  }
  for (int p = 0; p < 4; ++p) {
    if (fan.empty() && row(p, 4) == 64) fan = "屁胡";
  }
  const bool concealed = hasWinner && row(winner, 12) == 0 && !sevenPairs;
  if (concealed) fan = fan == "屁胡" ? "门清" : fan + "门清";

  for (int p = 0; p < 4; ++p) {
    add(p, p == winner ? " " + fan + " ×" + Pow2(exponent + (concealed ? 1 : 0)) : "    ");
  }
  for (int p = 0; p < 4; ++p) add(p, row(p, 13) == 1 ? " 庄家   ×2" : " ");
  for (int p = 0; p < 4; ++p) {
    if (row(p, 12) < 1 || p == winner) {
      add(p, "    ");
    } else {
      add(p, " 开门   ×" + Pow2(row(p, 12)));
    }
  }
  if (catchFive) {
    for (int p = 0; p < 4; ++p) add(p, p == winner ? " 捉五   ×2" : "");
  }

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
      if (row(p, b.row) != 1) continue;
      for (int q = 0; q < 4; ++q) {
        if (q == p) {
          add(q, b.line);
        } else if (b.fillAll || row(q, b.row) == 0) {
          add(q, b.filler);
        }
      }
    }
  }

  for (int p = 0; p < 4; ++p) add(p, row(p, 18) == 1 ? " 潇洒   ×2" : " ");
  for (int p = 0; p < 4; ++p) {
    if (row(p, 20) != 2) continue;
    if (p != winner) {
      add(p, " ");
    } else {
      add(p, row(p, 13) == 1 ? " 天听   ×2" : " 地听   ×2");
    }
  }
  for (int p = 0; p < 4; ++p) {
    if (row(p, 21) != 2) {
      add(p, " ");
    } else {
      add(p, row(p, 13) == 1 ? " 天胡   ×4" : " 地胡   ×4");
    }
  }
  for (int p = 0; p < 4; ++p) {
    add(p, "  ");
    add(p, "   --------------- ");
  }
  for (int p = 0; p < 4; ++p) {
    if (row(p, 6) == 1) {
      add(p, " 点炮   ×2");
      for (int q = 0; q < 4; ++q) {
        if (q == winner) {
          add(q, " 吃炮    ");
        } else if (row(q, 6) == 0) {
          add(q, "");
        }
      }
    } else if (row(p, 6) == 2) {
      for (int q = 0; q < 4; ++q) add(q, q == p ? " 自摸   ×2" : "    ");
    }
  }
}

}  // namespace score
