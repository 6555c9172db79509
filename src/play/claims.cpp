#include "play/claims.h"

#include <algorithm>

namespace play {

namespace {

using table::HandRec;
using table::Rank;
using table::SuitBit;

int CodeAt(const HandRec& h, int slot) {
  return h.Slot.at(static_cast<std::size_t>(slot)).Code;
}

int ConcealedEnd(const HandRec& h) {
  return h.HiddenFirst + h.HiddenCount;
}

}  // namespace

bool OwnTurn(const table::TableState& t) {
  return t.Hand[0].HiddenCount % 3 == 2;
}

int LeadingWilds(const table::TableState& t) {
  if (t.HandOpen) return 0;
  const HandRec& h = t.Hand[0];
  int n = 0;
  for (int i = h.HiddenFirst; i < ConcealedEnd(h) && CodeAt(h, i) == t.WildTile; ++i) ++n;
  return n;
}

std::vector<ChiPair> ChiCandidates(const table::TableState& t, int d) {
  const HandRec& h = t.Hand[0];
  const int r = Rank(d);
  const int suit = SuitBit(d);
  const bool honour = suit == table::kHonours;
  const int wilds = LeadingWilds(t);
  const int end = ConcealedEnd(h);

  // The run of the discard's suit; an honour is matched against the dragons only, since they
  // form the one honour sequence.
  int lo = -1;
  for (int i = h.HiddenFirst + wilds; i < end; ++i) {
    const int code = CodeAt(h, i);
    if (SuitBit(code) != suit) continue;
    lo = i;
    if (!honour || Rank(code) > 4) break;
  }
  if (lo < 0) return {};
  int hi = end - 1;
  for (int i = lo + 1; i < end; ++i) {
    const int code = CodeAt(h, i);
    if (SuitBit(code) != suit && (!honour || Rank(code) > 4)) {
      hi = i - 1;
      break;
    }
  }

  // count[k]: tiles of rank k in the run; last[k]: the slot of the last of them.
  std::array<int, 12> count{};
  for (int i = lo; i <= hi; ++i) {
    const int k = Rank(CodeAt(h, i));
    if (k >= 1 && k <= 9) ++count.at(static_cast<std::size_t>(k));
  }
  std::array<int, 12> last{};
  int upTo = lo - 1;
  for (int k = 1; k <= 9; ++k) {
    upTo += count.at(static_cast<std::size_t>(k));
    last.at(static_cast<std::size_t>(k)) = upTo;
  }
  auto has = [&](int k) { return k >= 1 && k <= 9 && count.at(static_cast<std::size_t>(k)) > 0; };
  auto at = [&](int k) { return last.at(static_cast<std::size_t>(k)); };

  std::vector<ChiPair> out;
  auto add = [&](int a, int b) {
    if (static_cast<int>(out.size()) < kMaxChi) out.push_back({a, b});
  };
  if (r > 2 && has(r - 2) && has(r - 1)) add(at(r - 2), at(r - 1));
  if (r > 1 && r < 9 && has(r - 1) && has(r + 1)) add(at(r - 1), at(r + 1));
  if (r < 8 && has(r + 1) && has(r + 2)) add(at(r + 1), at(r + 2));

  // The wild tile at its own face: it lies first among the concealed tiles.
  if (SuitBit(t.WildTile) == suit && wilds > 0) {
    const int w = Rank(t.WildTile);
    const int first = h.HiddenFirst;
    if (r > 2) {
      if (w == r - 2 && has(r - 1)) add(first, at(r - 1));
      if (w == r - 1 && has(r - 2)) add(first, at(r - 2));
    }
    if (r >= 2 && r <= 8) {
      if (w == r - 1 && has(r + 1)) add(first, at(r + 1));
      if (w == r + 1 && has(r - 1)) add(first, at(r - 1));
    }
    if (r < 8) {
      if (w == r + 1 && has(r + 2)) add(first, at(r + 2));
      if (w == r + 2 && has(r + 1)) add(first, at(r + 1));
    }
  }
  return out;
}

int FindPengPair(const table::TableState& t, int d) {
  const HandRec& h = t.Hand[0];
  for (int i = h.HiddenFirst; i + 1 < ConcealedEnd(h); ++i) {
    if (CodeAt(h, i) == d && CodeAt(h, i + 1) == d) return i;
  }
  return -1;
}

int FindExposedGang(const table::TableState& t, int d) {
  const HandRec& h = t.Hand[0];
  for (int g = h.HiddenFirst; g + 2 < ConcealedEnd(h); ++g) {
    if (CodeAt(h, g) == d && CodeAt(h, g + 2) == d) return g;
  }
  return -1;
}

std::vector<GangCandidate> GangCandidates(const table::TableState& t) {
  const HandRec& h = t.Hand[0];
  const int end = ConcealedEnd(h);
  std::vector<GangCandidate> out;
  auto add = [&](int slot, int kind) {
    if (static_cast<int>(out.size()) < kMaxGang) out.push_back({slot, kind});
  };
  if ((t.GangOptions & 64) != 0) {
    // The fourth tile of an own peng.
    for (int m = 1; m <= h.MeldEnd - 5; m += 3) {
      const auto& meld = h.Slot.at(static_cast<std::size_t>(m));
      if (meld.State != table::kSlotPeng) continue;
      for (int i = h.HiddenFirst; i < end; ++i) {
        if (CodeAt(h, i) == meld.Code) {
          add(i, kGangSingle);
          break;
        }
      }
    }
  }
  if ((t.GangOptions & 16) != 0) {
    const int g = FindExposedGang(t, t.LastDiscard);
    if (g >= 0) add(g, kGangExposed);
  }
  if ((t.GangOptions & 32) != 0) {
    // Four wild tiles are no gang: they stay wild.
    for (int g = h.HiddenFirst; g + 3 < end; ++g) {
      if (CodeAt(h, g) == CodeAt(h, g + 3) && CodeAt(h, g) != t.WildTile) add(g, kGangConcealed);
    }
  }
  return out;
}

}  // namespace play
