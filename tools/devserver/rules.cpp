#include "rules.h"

#include <algorithm>

namespace devserver {
namespace {

bool SameNumberedSuit(int a, int b) {
  return a >= 7 && b >= 7 && (a - 7) / 9 == (b - 7) / 9;
}

// Removes sets (and at most one pair) from c, wilds filling gaps. Kinds below `from` are empty.
// NOLINTNEXTLINE(misc-no-recursion)
bool Decompose(Counts& c, int wilds, int sets, int pairs, bool pungsOnly, int from) {
  int i = from;
  while (i < kKinds && c.at(static_cast<std::size_t>(i)) == 0) ++i;
  if (i == kKinds) return wilds == 3 * sets + 2 * pairs;
  auto& ci = c.at(static_cast<std::size_t>(i));
  // A pair.
  if (pairs > 0) {
    const int real = std::min(ci, 2);
    if (wilds >= 2 - real) {
      ci -= real;
      const bool ok = Decompose(c, wilds - (2 - real), sets, pairs - 1, pungsOnly, i);
      ci += real;
      if (ok) return true;
    }
  }
  if (sets == 0) return false;
  // A triplet.
  {
    const int real = std::min(ci, 3);
    if (wilds >= 3 - real) {
      ci -= real;
      const bool ok = Decompose(c, wilds - (3 - real), sets - 1, pairs, pungsOnly, i);
      ci += real;
      if (ok) return true;
    }
  }
  if (pungsOnly) return false;
  // A sequence holding kind i: numbered suits, or the three dragons.
  for (int start = i - 2; start <= i; ++start) {
    bool valid = false;
    if (i >= 7) {
      valid = start >= 7 && SameNumberedSuit(start, i) && SameNumberedSuit(start + 2, i);
    } else {
      valid = start == 4;  // red, green, white dragon
    }
    if (!valid) continue;
    int need = 0;
    std::array<int, 3> took{};
    for (int j = 0; j < 3; ++j) {
      const int k = start + j;
      auto& ck = c.at(static_cast<std::size_t>(k));
      if (k >= i && ck > 0) {
        --ck;
        took.at(static_cast<std::size_t>(j)) = 1;
      } else {
        ++need;
      }
    }
    bool ok = false;
    if (took.at(static_cast<std::size_t>(i - start)) == 1 && need <= wilds) {
      ok = Decompose(c, wilds - need, sets - 1, pairs, pungsOnly, i);
    }
    for (int j = 0; j < 3; ++j) {
      if (took.at(static_cast<std::size_t>(j)) == 1) ++c.at(static_cast<std::size_t>(start + j));
    }
    if (ok) return true;
  }
  return false;
}

int Total(const SplitHand& h) {
  int n = h.wilds;
  for (int v : h.real) n += v;
  return n;
}

}  // namespace

SplitHand Split(const std::vector<std::uint8_t>& concealed, std::uint8_t wild) {
  SplitHand h;
  for (auto code : concealed) {
    if (code == wild) {
      ++h.wilds;
      continue;
    }
    const int k = KindOf(code);
    if (k >= 0) ++h.real.at(static_cast<std::size_t>(k));
  }
  return h;
}

bool IsStandardWin(const SplitHand& h, int melds) {
  const int sets = 4 - melds;
  if (sets < 0 || Total(h) != 3 * sets + 2) return false;
  Counts c = h.real;
  return Decompose(c, h.wilds, sets, 1, false, 0);
}

bool IsAllPungsWin(const SplitHand& h, int melds) {
  const int sets = 4 - melds;
  if (sets < 0 || Total(h) != 3 * sets + 2) return false;
  Counts c = h.real;
  return Decompose(c, h.wilds, sets, 1, true, 0);
}

int SevenPairsLuxury(const SplitHand& h, int melds) {
  if (melds != 0 || Total(h) != 14) return -1;
  int odd = 0;
  int fours = 0;
  for (int v : h.real) {
    odd += v % 2;
    if (v == 4) ++fours;
  }
  if (odd > h.wilds) return -1;
  return std::min(fours, 3);
}

bool IsWin(const SplitHand& h, int melds) {
  return IsStandardWin(h, melds) || SevenPairsLuxury(h, melds) >= 0;
}

bool IsReady(const SplitHand& h, int melds) {
  SplitHand plus = h;
  ++plus.wilds;  // any tile at all completes it
  return IsWin(plus, melds);
}

std::vector<std::uint8_t> TingDiscards(const std::vector<std::uint8_t>& concealed,
                                       std::uint8_t wild, int melds) {
  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> distinct = concealed;
  SortCodes(distinct);
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  for (auto d : distinct) {
    std::vector<std::uint8_t> rest = concealed;
    rest.erase(std::find(rest.begin(), rest.end(), d));
    if (IsReady(Split(rest, wild), melds)) out.push_back(d);
  }
  return out;
}

bool IsChiShape(std::uint8_t a, std::uint8_t b, std::uint8_t d) {
  std::array<int, 3> k{KindOf(a), KindOf(b), KindOf(d)};
  if (k[0] < 0 || k[1] < 0 || k[2] < 0) return false;
  std::sort(k.begin(), k.end());
  if (k[0] == 4) return k[1] == 5 && k[2] == 6;
  return k[0] >= 7 && SameNumberedSuit(k[0], k[2]) && k[1] == k[0] + 1 && k[2] == k[1] + 1;
}

std::array<std::uint8_t, 2> FindChi(const std::vector<std::uint8_t>& concealed, std::uint8_t d) {
  for (std::size_t i = 0; i < concealed.size(); ++i) {
    for (std::size_t j = i + 1; j < concealed.size(); ++j) {
      if (concealed[i] != concealed[j] && IsChiShape(concealed[i], concealed[j], d)) {
        return {concealed[i], concealed[j]};
      }
    }
  }
  return {0, 0};
}

Settlement SettleWin(const WinFacts& f) {
  Settlement s;
  const SplitHand h = Split(f.hand, f.wild);
  const int luxury = SevenPairsLuxury(h, f.melds);
  const bool sevenPairs = luxury >= 0 && !IsStandardWin(h, f.melds);
  WinRow& w = s.rows.at(static_cast<std::size_t>(f.winner));
  int n = 0;
  if (sevenPairs) {
    w.sevenPairsBits = 1 << luxury;
    n += 1 + luxury;
  }
  // Suits of every real tile the winner shows or holds.
  int suits = 0;
  bool honours = false;
  auto note = [&](std::uint8_t code) {
    if (code == f.wild) return;
    if (IsHonour(code)) {
      honours = true;
    } else {
      suits |= SuitBit(code);
    }
  };
  for (auto c : f.hand) note(c);
  for (auto c : f.meldTiles) note(c);
  const bool oneSuit = suits == 2 || suits == 4 || suits == 8;
  if (oneSuit && !honours) {
    w.patternBits |= 8;
    n += 2;
  } else if (oneSuit) {
    w.patternBits |= 4;
    n += 1;
  }
  if (!sevenPairs && IsAllPungsWin(h, f.melds)) {
    w.patternBits |= 128;
    n += 1;
  }
  if (w.patternBits == 0 && w.sevenPairsBits == 0) w.patternBits = 64;
  w.fanExp = n;
  const bool dry = h.wilds == 0;
  w.dry = dry ? 1 : 0;
  w.gangDraw = f.gangDraw ? 1 : 0;
  const bool concealed = !f.handOpen && !sevenPairs;
  for (int p = 0; p < 4; ++p) {
    auto& row = s.rows.at(static_cast<std::size_t>(p));
    row.dealer = p == f.dealer ? 1 : 0;
    if (p != f.winner) row.openDoor = std::min(f.openDoor.at(static_cast<std::size_t>(p)), 3);
  }
  if (f.feeder < 0) {
    w.how = 2;
  } else {
    s.rows.at(static_cast<std::size_t>(f.feeder)).how = 1;
  }
  for (int p = 0; p < 4; ++p) {
    if (p == f.winner) continue;
    int e = n + (concealed ? 1 : 0) + (dry ? 1 : 0) + (f.gangDraw ? 1 : 0) +
            (f.feeder < 0 ? 1 : 0) + s.rows.at(static_cast<std::size_t>(p)).openDoor;
    if (p == f.dealer || f.winner == f.dealer) ++e;
    e = std::min(e, 10);
    const std::int64_t amount = static_cast<std::int64_t>(f.base) << e;
    // A fed win is paid by the feeder alone, for everybody.
    const int payer = f.feeder >= 0 ? f.feeder : p;
    s.pay.at(static_cast<std::size_t>(payer)) -= amount;
    s.pay.at(static_cast<std::size_t>(f.winner)) += amount;
  }
  for (int p = 0; p < 4; ++p)
    s.rows.at(static_cast<std::size_t>(p)).amount = s.pay.at(static_cast<std::size_t>(p));
  return s;
}

}  // namespace devserver
