#include "bots.h"

#include <algorithm>

#include "rules.h"
#include "tiles.h"

namespace devserver {
namespace {

int CountOf(const std::vector<std::uint8_t>& hand, std::uint8_t code) {
  return static_cast<int>(std::count(hand.begin(), hand.end(), code));
}

// How much a tile is worth keeping: copies, neighbours in its suit, dragons' run.
int Keep(const std::vector<std::uint8_t>& hand, std::uint8_t code, std::uint8_t wild) {
  if (code == wild) return 1000;
  int score = 0;
  const int same = CountOf(hand, code);
  score += (same - 1) * 40;
  if (!IsHonour(code)) {
    const int r = Rank(code);
    for (int d : {-2, -1, 1, 2}) {
      const int rr = r + d;
      if (rr < 1 || rr > 9) continue;
      const auto other = static_cast<std::uint8_t>((code & 0xF0) | rr);
      if (other == wild) continue;
      if (CountOf(hand, other) > 0) score += (d == -1 || d == 1) ? 18 : 10;
    }
    if (r == 1 || r == 9) score -= 3;
    if (r >= 3 && r <= 7) score += 2;
  } else if (Rank(code) >= 5) {
    for (int rr = 5; rr <= 7; ++rr) {
      const auto other = static_cast<std::uint8_t>(0x10 | rr);
      if (rr != Rank(code) && other != wild && CountOf(hand, other) > 0) score += 8;
    }
  }
  return score;
}

}  // namespace

std::uint8_t BotDiscardChoice(const std::vector<std::uint8_t>& hand, std::uint8_t wild) {
  std::uint8_t best = hand.empty() ? 0 : hand.front();
  int bestScore = 1 << 30;
  for (auto c : hand) {
    const int s = Keep(hand, c, wild);
    if (s < bestScore || (s == bestScore && c < best)) {
      bestScore = s;
      best = c;
    }
  }
  return best;
}

Action BotTurn(const BotView& v) {
  Action a;
  const SplitHand split = Split(v.hand, v.wild);
  if ((v.options & kOptHu) != 0 && IsWin(split, v.melds)) {
    a.kind = ActKind::Hu;
    return a;
  }
  if ((v.options & kOptSingle) != 0) {
    // Set a red dragon aside unless it is paired, and add a tile onto an own peng.
    for (auto c : v.hand) {
      const bool onPeng = std::find(v.pengs.begin(), v.pengs.end(), c) != v.pengs.end();
      const bool loneRed = c == kRedDragon && c != v.wild && CountOf(v.hand, c) == 1;
      if (onPeng || loneRed) {
        a.kind = ActKind::Single;
        a.tiles[0] = c;
        return a;
      }
    }
  }
  if ((v.options & kOptConcealedGang) != 0 && !v.ting) {
    for (auto c : v.hand) {
      if (c != v.wild && CountOf(v.hand, c) == 4) {
        a.kind = ActKind::ConcealedGang;
        a.tiles[0] = c;
        return a;
      }
    }
  }
  a.kind = ActKind::Discard;
  if (v.ting && v.drawn != 0 && CountOf(v.hand, v.drawn) > 0) {
    a.tiles[0] = v.drawn;
    return a;
  }
  // Prefer a discard that leaves the hand ready, and declare it.
  const auto ready = TingDiscards(v.hand, v.wild, v.melds);
  if (!ready.empty()) {
    std::uint8_t pick = ready.front();
    int worst = 1 << 30;
    for (auto c : ready) {
      const int s = Keep(v.hand, c, v.wild);
      if (c != v.wild && s < worst) {
        worst = s;
        pick = c;
      }
    }
    a.tiles[0] = pick;
    if (!v.ting && pick != v.wild) a.ting = 3;
    return a;
  }
  a.tiles[0] = BotDiscardChoice(v.hand, v.wild);
  return a;
}

Action BotClaim(const BotView& v) {
  Action a;
  const auto d = v.discard;
  if ((v.options & kOptHu) != 0) {
    auto with = v.hand;
    with.push_back(d);
    if (IsWin(Split(with, v.wild), v.melds)) {
      a.kind = ActKind::Hu;
      return a;
    }
  }
  if (d == v.wild || v.ting) return a;
  if ((v.options & kOptGang) != 0 && CountOf(v.hand, d) == 3) {
    a.kind = ActKind::Gang;
    a.tiles = {d, d, d};
    return a;
  }
  // A claim is worth it when the tiles it uses were not already part of a run.
  if ((v.options & kOptPeng) != 0 && CountOf(v.hand, d) == 2) {
    auto rest = v.hand;
    for (int i = 0; i < 2; ++i) rest.erase(std::find(rest.begin(), rest.end(), d));
    int pairsLeft = 0;
    for (auto c : rest) pairsLeft += CountOf(rest, c) >= 2 ? 1 : 0;
    if (IsHonour(d) || pairsLeft >= 2 || Keep(v.hand, d, v.wild) < 60) {
      a.kind = ActKind::Peng;
      a.tiles = {d, d, d};
      return a;
    }
  }
  if ((v.options & kOptChi) != 0) {
    const auto pair = FindChi(v.hand, d);
    if (pair[0] != 0 && pair[0] != v.wild && pair[1] != v.wild && CountOf(v.hand, pair[0]) == 1 &&
        CountOf(v.hand, pair[1]) == 1 && v.melds < 3) {
      a.kind = ActKind::Chi;
      a.tiles = {pair[0], pair[1], d};
      return a;
    }
  }
  return a;
}

}  // namespace devserver
