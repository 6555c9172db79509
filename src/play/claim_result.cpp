// Claim results of command 7: melds, gangs, set-aside tiles and hu, for every seat.
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "play/claim_layout.h"
#include "play/play.h"
#include "score/score.h"
#include "session/client.h"
#include "table/hand_sort.h"
#include "table/tiles.h"
#include "ui/sound.h"
#include "ui/ui.h"
#include "view/view.h"

namespace play {

namespace {

using table::Ix;

constexpr int kSoundClaim = 2;
// Bubble kinds.
constexpr int kBubbleChi = 0, kBubblePeng = 1, kBubbleGang = 2, kBubbleConcealedGang = 3;
constexpr int kBubbleRedGang = 4, kBubbleAddedGang = 5, kBubbleHu = 6;

table::SlotRec& SlotAt(table::HandRec& h, int k) {
  return h.Slot.at(Ix(k));
}

bool IsWild(const Client& c, int code) {
  return c.table.WildTile > 0 && code == c.table.WildTile;
}

// Meld sizes of a claim: a seated player's own melds stand a little taller.
void LoadClaimSizes(Client& c, ClaimView view) {
  view::LoadTileSizes(c.table, view::TileSizes::Melds);
  if (view == ClaimView::Seated) c.table.TileH[0] = view::Sy(c.table, 60);
}

void PlaceMeld(Client& c, int pos, int slot, int ctl, int code) {
  view::PlaceMeldTile(c.viewCtx, pos, slot, ctl, code, view::Offsets::Scaled);
  c.MainForm.MJ_Image(ctl).ZOrder(0);
}

void LogGang(Client& c, int pos, int type, int code) {
  auto& t = c.table;
  if (t.GangCount >= static_cast<int>(t.GangTile.size())) return;
  t.GangType.at(Ix(pos)).at(Ix(t.GangCount)) = type;
  t.GangTile.at(Ix(t.GangCount)) = code;
  ++t.GangCount;
}

// The first slot of the peng of code among the melds of pos, or -1.
int FindPeng(const table::HandRec& h, int first, int code) {
  for (int k = first; k <= h.MeldEnd - 5; k += 3) {
    const auto& s = h.Slot.at(Ix(k));
    if (s.State == table::kSlotPeng && s.Code == code) return k;
  }
  return -1;
}

// A single tile goes onto its peng, or onto its set-aside pile.
void PlaceSingle(Client& c, int pos, int ctl, int code, int meldFirst, int scratchSlot) {
  auto& h = c.table.Hand.at(Ix(pos));
  const int peng = FindPeng(h, meldFirst, code);
  if (peng >= 0) {
    view::PlaceOnMiddle(c.viewCtx, pos, SlotAt(h, peng + 1).Ctl, ctl, code);
  } else if (code == table::kRedDragon || IsWild(c, code)) {
    view::SetAside(c.viewCtx, pos, ctl, code, code == table::kRedDragon, view::Offsets::Scaled);
  } else {
    PlaceMeld(c, pos, scratchSlot, ctl, code);
  }
}

void Announce(Client& c, int pos, int kind, int code, ClaimView view) {
  auto& f = c.MainForm;
  const bool sound = c.ui.SoundOn;
  int bubble = -1;
  std::string clip;
  switch (kind) {
    case kClaimChi:
      bubble = kBubbleChi, clip = "01";
      break;
    case kClaimPeng:
      bubble = kBubblePeng, clip = "02";
      break;
    case kClaimGang:
      bubble = kBubbleGang, clip = "03";
      break;
    case kClaimConcealedGang:
      bubble = kBubbleConcealedGang, clip = "03";
      break;
    case kClaimSingle:
      if (code == table::kRedDragon) {
        bubble = kBubbleRedGang;
        if (view == ClaimView::Watching) clip = "04";
      } else if (IsWild(c, code)) {
        if (view == ClaimView::Watching) clip = "05";
      } else {
        bubble = kBubbleAddedGang, clip = "03";
      }
      break;
    case kClaimHu:
      bubble = kBubbleHu, clip = "09";
      break;
    default:
      return;
  }
  if (sound && view == ClaimView::Seated) ui::PlayEffect(c.soundPlayer, kSoundClaim);
  if (bubble >= 0) {
    ShowBubble(c, pos, bubble);
  } else {
    // No word fits a wild tile set aside: no bubble rather than a stale one.
    f.Speak(pos).SetVisible(false);
  }
  if (sound && !clip.empty()) ui::PlayVoice(c.soundPlayer, pos, clip);
}

// Side rows: lower tiles cover upper ones, and the piles lie in front of the row.
void Restack(Client& c, int pos) {
  if (pos != 1 && pos != 3) return;
  auto& h = c.table.Hand.at(Ix(pos));
  for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
    auto& im = c.MainForm.MJ_Image(SlotAt(h, k).Ctl);
    if (pos == 1) {
      im.ZOrder(0);
    } else {
      view::ToBack(c.MainForm, im);
    }
  }
  for (const auto& pile : c.display.AsideCtl) {
    const int ctl = pile.at(Ix(pos));
    if (ctl > 0) c.MainForm.MJ_Image(ctl).ZOrder(0);
  }
}

// ---- The own seat: the client knows its tiles ----

struct Tile {
  int ctl = -1;
  int code = 0;
  int state = table::kSlotDrawn;
};

std::vector<Tile> OwnConcealed(const table::HandRec& h) {
  std::vector<Tile> v;
  for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
    const auto& s = h.Slot.at(Ix(k));
    v.push_back({s.Ctl, s.Code, s.State});
  }
  return v;
}

// Takes a tile out of the hand: the one with image ctl when it has the code (the sender copied
// it into the meld slots), else the last tile of that code, else the image ctl as it is.
Tile TakeTile(std::vector<Tile>& hand, int ctl, int code) {
  auto it = std::find_if(hand.begin(), hand.end(), [&](const Tile& t) { return t.ctl == ctl; });
  if (it == hand.end() || it->code != code) {
    auto r =
        std::find_if(hand.rbegin(), hand.rend(), [&](const Tile& t) { return t.code == code; });
    if (r != hand.rend()) it = std::next(r).base();
  }
  if (it == hand.end()) throw std::runtime_error("claimed tile not in the own hand");
  const Tile t = *it;
  hand.erase(it);
  return t;
}

// Writes the remaining concealed tiles back from the new first slot and lays the row out.
void StoreOwnConcealed(Client& c, const std::vector<Tile>& hand, int first) {
  auto& h = c.table.Hand[0];
  h.HiddenFirst = first;
  h.HiddenCount = static_cast<int>(hand.size());
  view::LoadTileSizes(c.table, view::TileSizes::Concealed, 0);
  for (std::size_t i = 0; i < hand.size(); ++i) {
    const int k = first + static_cast<int>(i);
    SlotAt(h, k) = {hand[i].state, hand[i].code, hand[i].ctl};
    view::PlaceConcealed(c.viewCtx, 0, k);
    if (c.table.TingShown[0] == 1)
      view::SetTilePicture(c.MainForm, hand[i].ctl, view::TilePic(hand[i].code, 0));
  }
}

void OwnClaim(Client& c, int kind, const std::array<int, 3>& tiles) {
  auto& t = c.table;
  auto& h = t.Hand[0];
  std::vector<Tile> hand = OwnConcealed(h);
  const int me = h.MeldEnd;
  std::array<Tile, 3> meld{};
  Tile fourth{};
  switch (kind) {
    case kClaimChi:
    case kClaimPeng: {
      TakeBackDiscard(c);
      // The claimed tile comes from the table; the other two from the hand, as the sender
      // copied them into the meld slots, or else by their codes.
      std::vector<int> codes(tiles.begin(), tiles.end());
      auto d = std::find(codes.begin(), codes.end(), t.LastDiscard);
      codes.erase(d != codes.end() ? d : codes.end() - 1);
      for (int i = 0; i < 2; ++i)
        meld.at(Ix(i)) = TakeTile(hand, SlotAt(h, me - 2 + i).Ctl, codes.at(Ix(i)));
      meld[2] = {t.LastDiscardCtl, t.LastDiscard, table::kSlotDrawn};
      const int state = kind == kClaimPeng ? table::kSlotPeng : table::kSlotDrawn;
      for (auto& m : meld) m.state = state;
      t.HandOpen = true;
      break;
    }
    case kClaimGang:
    case kClaimConcealedGang: {
      const bool hidden = kind == kClaimConcealedGang;
      if (!hidden) TakeBackDiscard(c);
      const int code = tiles[2];
      for (int i = 0; i < 3; ++i) meld.at(Ix(i)) = TakeTile(hand, SlotAt(h, me - 2 + i).Ctl, code);
      fourth = hidden ? TakeTile(hand, -1, code) : Tile{t.LastDiscardCtl, t.LastDiscard};
      for (auto& m : meld) m.state = hidden ? table::kSlotConcealedGang : table::kSlotExposedGang;
      if (!hidden) t.HandOpen = true;
      t.DrawFromHead = false;
      t.KeepLastDiscard = true;
      LogGang(c, 0, hidden ? 3 : 1, code);
      break;
    }
    default:
      return;
  }
  LoadClaimSizes(c, ClaimView::Seated);
  for (int i = 0; i < 3; ++i) {
    const Tile& m = meld.at(Ix(i));
    SlotAt(h, me - 2 + i) = {m.state, m.code, m.ctl};
    PlaceMeld(c, 0, me - 2 + i, m.ctl, m.code);
    if (kind == kClaimConcealedGang) view::SetTilePicture(c.MainForm, m.ctl, 8);
  }
  if (fourth.ctl >= 0) view::PlaceOnMiddle(c.viewCtx, 0, meld[1].ctl, fourth.ctl, fourth.code);
  h.MeldEnd = me + 3;
  StoreOwnConcealed(c, hand, h.HiddenFirst + 3);
  view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 0));
}

void OwnSingle(Client& c, int code) {
  auto& t = c.table;
  auto& h = t.Hand[0];
  std::vector<Tile> hand = OwnConcealed(h);
  const int pick = t.GangPick[0];
  const bool picked = pick >= h.HiddenFirst && pick < h.HiddenFirst + h.HiddenCount;
  const Tile tile = TakeTile(hand, picked ? SlotAt(h, pick).Ctl : -1, code);
  t.LastDiscardCtl = tile.ctl;
  t.LastDiscard = tile.code;
  c.play.LastDiscardInRow = false;
  c.play.LastDiscardClaimed = false;
  t.DrawFromHead = false;
  t.KeepLastDiscard = true;
  StoreOwnConcealed(c, hand, h.HiddenFirst);
  LoadClaimSizes(c, ClaimView::Seated);
  PlaceSingle(c, 0, tile.ctl, tile.code, 1, h.MeldEnd - 2);
  LogGang(c, 0, 2, code);
  view::LoadTileSizes(c.table, view::TileSizes::Concealed, 0);
  view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 0));
}

}  // namespace

void MarkWinner(Client& c, int pos) {
  if (c.table.WinnerPos >= 0) return;
  c.table.WinnerPos = pos;
  score::MarkScoreWinner(c.Score, pos);
}

void LayOutHiddenHandClaim(Client& c, int pos, int kind, const std::array<int, 3>& tiles,
                           ClaimView view) {
  auto& t = c.table;
  auto& h = t.Hand.at(Ix(pos));
  const bool watching = view == ClaimView::Watching;
  LoadClaimSizes(c, view);
  const int me = h.MeldEnd, hf = h.HiddenFirst, hc = h.HiddenCount;
  // Face-up pictures of the position; the watched seat's concealed tiles stay backs.
  switch (kind) {
    case kClaimChi:
    case kClaimPeng: {
      if (hc < 3) throw std::out_of_range("a meld from fewer than three concealed tiles");
      TakeBackDiscard(c);
      const auto third = SlotAt(h, hf + 2);
      SlotAt(h, me - 2) = SlotAt(h, hf);
      SlotAt(h, me - 1) = SlotAt(h, hf + 1);
      SlotAt(h, me).Ctl = t.LastDiscardCtl;
      for (int i = 0; i < 3; ++i) {
        auto& s = SlotAt(h, me - 2 + i);
        s.Code = tiles.at(Ix(i));
        if (kind == kClaimPeng) s.State = table::kSlotPeng;
      }
      SlotAt(h, hf + hc) = third;
      h.HiddenCount = hc - 2;
      h.HiddenFirst = hf + 3;
      for (int k = me - 2; k <= me; ++k) PlaceMeld(c, pos, k, SlotAt(h, k).Ctl, SlotAt(h, k).Code);
      h.MeldEnd = me + 3;
      if (pos == 0) {
        view::LoadTileSizes(c.table, view::TileSizes::Concealed, 0);
        for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
          view::PlaceConcealed(c.viewCtx, 0, k);
          view::SetTilePicture(c.MainForm, SlotAt(h, k).Ctl, 7);
        }
      } else {
        view::CloseRowAfterClaim(c.viewCtx, pos);
      }
      break;
    }
    case kClaimGang:
    case kClaimConcealedGang: {
      if (hc < 3) throw std::out_of_range("a gang from fewer than three concealed tiles");
      const bool hidden = kind == kClaimConcealedGang;
      t.DrawFromHead = false;
      t.KeepLastDiscard = true;
      if (!hidden) TakeBackDiscard(c);
      const auto a = SlotAt(h, hf), b = SlotAt(h, hf + 1), d = SlotAt(h, hf + 2);
      SlotAt(h, me) = a;
      SlotAt(h, me - 1) = b;
      SlotAt(h, me - 2) = d;
      if (hidden) {
        if (hc < 4) throw std::out_of_range("a concealed gang from fewer than four tiles");
        const int fourth = SlotAt(h, hf + hc - 1).Ctl;
        t.LastDiscardCtl = fourth;
        c.play.LastDiscardInRow = false;
        c.play.LastDiscardClaimed = false;
        if (t.HiddenGangCount < static_cast<int>(t.HiddenGangLog.size()))
          t.HiddenGangLog.at(Ix(t.HiddenGangCount++)) = {fourth, tiles[2], pos};
      }
      for (int k = me - 2; k <= me; ++k) {
        auto& s = SlotAt(h, k);
        s.Code = tiles[2];
        s.State = hidden ? table::kSlotConcealedGang : table::kSlotExposedGang;
      }
      // The fourth tile of a concealed gang leaves the concealed tiles as well: it lies on the
      // meld, and the count must match the hand the reveal delivers.
      h.HiddenCount = hc - (hidden ? 4 : 3);
      h.HiddenFirst = hf + 3;
      for (int k = me - 2; k <= me; ++k) {
        const int ctl = SlotAt(h, k).Ctl;
        PlaceMeld(c, pos, k, ctl, tiles[2]);
        if (hidden) view::SetTilePicture(c.MainForm, ctl, 36 * pos + 8);
      }
      const int fourth = t.LastDiscardCtl;
      view::PlaceOnMiddle(c.viewCtx, pos, SlotAt(h, me - 1).Ctl, fourth, tiles[2]);
      if (hidden && pos != 0) view::SetTilePicture(c.MainForm, fourth, 36 * pos + 8);
      h.MeldEnd = me + 3;
      LogGang(c, pos, hidden ? 3 : 1, tiles[2]);
      break;
    }
    case kClaimSingle: {
      if (hc < 1) throw std::out_of_range("a single tile from an empty hand");
      t.DrawFromHead = false;
      t.KeepLastDiscard = true;
      const int code = tiles[2];
      auto& s = SlotAt(h, me - 2);
      s = SlotAt(h, hf + hc - 1);
      s.Code = code;
      t.LastDiscardCtl = s.Ctl;
      t.LastDiscard = code;
      c.play.LastDiscardInRow = false;
      c.play.LastDiscardClaimed = false;
      h.HiddenCount = hc - 1;
      if (code == table::kRedDragon && h.RedAside == 0) SlotAt(h, 0) = s;
      PlaceSingle(c, pos, s.Ctl, code, pos == 0 ? 1 : 2, me - 2);
      LogGang(c, pos, 2, code);
      break;
    }
    case kClaimHu:
      MarkWinner(c, pos);
      break;
    default:
      break;
  }
  if (watching) Restack(c, pos);
}

void BubbleToFront(Client& c) {
  // The meld just laid out was brought to front tile by tile; its words go over it.
  if (c.table.BubbleOn) c.MainForm.Speak(c.table.BubblePos).ZOrder(0);
}

void OnClaim(Client& c, int kind, int seatBit, const std::array<int, 3>& tiles) {
  const int p = table::SeatPosOf(c.table.Hand[0].SeatBit, seatBit & 0x0F);
  if (p != 0) {
    if (kind > 1) Announce(c, p, kind, tiles[2], ClaimView::Seated);
    LayOutHiddenHandClaim(c, p, kind, tiles, ClaimView::Seated);
    BubbleToFront(c);
    return;
  }
  switch (kind) {
    case kClaimSingle:
      OwnSingle(c, tiles[2]);
      break;
    case kClaimHu:
      MarkWinner(c, 0);
      break;
    default:
      OwnClaim(c, kind, tiles);
      break;
  }
}

}  // namespace play

namespace view {

void ShowClaim(Client& c, int kind, int seatBit, const std::array<int, 3>& codes) {
  const int p = table::SeatPosOf(c.table.Hand[0].SeatBit, seatBit & 0x0F);
  if (p != 0 && c.display.SnapDone && kind > 1)
    play::Announce(c, p, kind, codes[2], play::ClaimView::Watching);
  play::LayOutHiddenHandClaim(c, p, kind, codes, play::ClaimView::Watching);
  play::BubbleToFront(c);
}

}  // namespace view
