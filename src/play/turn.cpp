// The commands that carry a hand forward: deal, draw, discard, the wild tile and the reveal.
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "assets/picture_ids.h"
#include "assets/sound_cues.h"
#include "play/play.h"
#include "play/ting_form.h"
#include "session/client.h"
#include "table/hand_sort.h"
#include "table/tiles.h"
#include "ui/sound.h"
#include "ui/ui.h"
#include "view/view.h"

namespace play {

namespace {

using table::Ix;

// Hidden and shown three times each: the last discard ends visible.
constexpr int kBlinkSteps = 6;
constexpr int kTingOpen = 2;
constexpr int kTingClosed = 3;
constexpr int kBubbleClosedTing = 7;
constexpr int kBubbleOpenTing = 8;

table::HandRec& HandAt(Client& c, int pos) {
  return c.table.Hand.at(Ix(pos));
}

int PosOf(const Client& c, int seatBit) {
  return table::SeatPosOf(c.table.Hand[0].SeatBit, seatBit & 0x0F);
}

bool DiceOdd(const Client& c) {
  return (c.table.Dice[0] + c.table.Dice[1]) % 2 != 0;
}

void StopBlink(Client& c) {
  const int ctl = c.display.BlinkCtl;
  if (c.play.DiscardBlinkLeft > 0 && ctl >= 0 && ctl < table::kTileCount)
    c.MainForm.MJ_Image(ctl).SetVisible(true);
  c.play.DiscardBlinkLeft = 0;
}

// The turned-up indicator on wall side s: sized for that side and raised off its stack.
void TurnUpIndicator(Client& c, int ctl, int side) {
  if (ctl < 0 || ctl >= table::kTileCount) return;
  struct Look {
    int w, h, raise;
  };
  constexpr std::array<Look, 4> kLooks{{{36, 50, 22}, {48, 35, 20}, {30, 36, 16}, {48, 35, 20}}};
  const Look& l = kLooks.at(Ix(side));
  const view::Place at = view::WallPlace(c.table, ctl);
  auto& img = c.MainForm.MJ_Image(ctl);
  img.Move(at.left, at.top - view::Sy(c.table, l.raise), view::Sx(c.table, l.w),
           view::Sy(c.table, l.h));
  view::SetTilePicture(c.MainForm, ctl, view::TilePic(c.table.IndicatorTile, side));
  img.SetVisible(true);
  img.ZOrder(0);
}

// A replacement draw never takes the indicator; on the tail side it is shown again on top.
void AfterTailTake(Client& c) {
  auto& t = c.table;
  if (DiceOdd(c)) {
    PlaceIndicator(c);
    return;
  }
  if (t.IndicatorCtl < 0) return;
  if (t.IndicatorCtl >= t.WallTail) {
    if (t.WallTail == t.IndicatorCtl) t.WallTail = table::NextWallTail(t.WallTail);
    ShowWildIndicator(c, t.IndicatorCtl);
  } else if (t.IndicatorCtl == 0 && t.WallTail >= 111) {
    ShowWildIndicator(c, t.IndicatorCtl);
  }
}

// Writes the shown concealed codes into the slots of pos.
void TakeShownHand(Client& c, int pos, const wire::Bytes<14>& shown) {
  auto& h = HandAt(c, pos);
  const int n = std::min(h.HiddenCount, static_cast<int>(shown.size()));
  for (int k = 0; k < n; ++k) h.Slot.at(Ix(h.HiddenFirst + k)).Code = shown.at(Ix(k));
}

void PictureConcealed(Client& c, int pos, int pic0, int set) {
  auto& h = HandAt(c, pos);
  for (int k = 0; k < h.HiddenCount; ++k) {
    const auto& s = h.Slot.at(Ix(h.HiddenFirst + k));
    view::SetTilePicture(c.MainForm, s.Ctl, pic0 >= 0 ? pic0 : view::TilePic(s.Code, set));
  }
}

}  // namespace

// ---- Wall takes ----

void RecordRowTile(Client& c, int pos, int ctl, int code) {
  auto& n = c.play.RowCount.at(Ix(pos));
  if (n >= static_cast<int>(c.play.RowCtl[0].size())) return;
  c.play.RowCtl.at(Ix(pos)).at(Ix(n)) = ctl;
  c.play.RowCode.at(Ix(pos)).at(Ix(n)) = code;
  ++n;
}

void TakeTiles(Client& c, int seatBit, int count, const std::array<int, 4>& tiles) {
  auto& t = c.table;
  const bool watch = t.WatchMode;
  const int p = PosOf(c, seatBit);
  if (!t.KeepLastDiscard && t.LastDiscardCtl >= 0 && !c.play.LastDiscardInRow &&
      !c.play.LastDiscardClaimed && (t.LastDiscardPos != 0 || p == 3)) {
    if (count == 1) c.host.WaitProcessingEvents(400);
    MoveLastDiscardToRow(c);
  }

  auto& h = HandAt(c, p);
  view::LoadTileSizes(c.table, view::TileSizes::Concealed);
  for (int i = 0; i < count; ++i) {
    const int k = h.HiddenFirst + h.HiddenCount;
    auto& s = h.Slot.at(Ix(k));
    int img = 0;
    if (count != 1 || t.DrawFromHead) {
      img = t.WallHead;
      t.WallHead = table::NextWallHead(t.WallHead);
    } else {
      img = t.WallTail;
      t.WallTail = table::NextWallTail(t.WallTail);
      AfterTailTake(c);
    }
    s.State = table::kSlotDrawn;
    s.Code = count == 1 ? tiles[3] : tiles.at(Ix(i));
    s.Ctl = img;
    ++h.HiddenCount;
    view::PlaceConcealed(c.viewCtx, p, k);
    if (watch && p == 0) view::SetTilePicture(c.MainForm, img, 7);
    auto& im = c.MainForm.MJ_Image(img);
    im.SetVisible(true);
    // Side rows overlap: the nearer tile covers the farther one.
    if (p == 3) {
      view::ToBack(c.MainForm, im);
    } else {
      im.ZOrder(0);
    }
    if (count == 1 && t.WildTile > 0) view::StandApart(c.viewCtx, p, img);
  }
  if (count == 1) {
    t.DrawFromHead = true;
    // A gang keeps its tile off the discard rows for the replacement draw only.
    t.KeepLastDiscard = false;
  }

  // The own deal is complete: a moment of backs, then the sorted faces.
  if (p == 0 && t.WildTile == -1 && (h.HiddenCount == 14 || (h.HiddenCount == 13 && !h.IsDealer))) {
    PictureConcealed(c, 0, 7, 0);
    c.host.WaitProcessingEvents(watch ? 800 : 1000);
    if (!watch)
      view::ShowSortedHand(c.MainForm, table::SortHandWildFirst(c.table, 0, h.HiddenCount));
    t.DrawFromHead = true;
  }
}

void MoveLastDiscardToRow(Client& c) {
  auto& t = c.table;
  const int ctl = t.LastDiscardCtl;
  if (ctl < 0 || ctl >= table::kTileCount || c.play.LastDiscardInRow || c.play.LastDiscardClaimed)
    return;
  StopBlink(c);
  const int p = t.LastDiscardPos;
  view::LoadTileSizes(c.table, view::TileSizes::WallAndDiscards, p);
  view::PlaceDiscard(c.viewCtx, p, ctl);
  RecordRowTile(c, p, ctl, t.LastDiscard);
  c.MainForm.MJ_Image(ctl).SetVisible(true);
  view::LoadTileSizes(c.table, view::TileSizes::Concealed, p);
  c.play.LastDiscardInRow = true;
}

void TakeBackDiscard(Client& c) {
  StopBlink(c);
  c.play.LastDiscardClaimed = true;
  if (!c.play.LastDiscardInRow) return;
  const int p = c.table.LastDiscardPos;
  auto& h = HandAt(c, p);
  h.DiscLeft = c.display.LastDiscLeft;
  h.DiscTop = c.display.LastDiscTop;
  if (p == 3 && c.display.RightDiscCount > 0) --c.display.RightDiscCount;
  auto& n = c.play.RowCount.at(Ix(p));
  if (n > 0) --n;
  c.play.LastDiscardInRow = false;
}

// ---- Discards ----

void OnDiscard(Client& c, int seatBit, int tile, const wire::TingMark& ting) {
  auto& t = c.table;
  const int p = PosOf(c, seatBit);
  StopBlink(c);
  if (c.ui.SoundOn) ui::PlayEffect(c.soundPlayer, assets::kSoundDiscard);
  t.LastDiscard = tile;
  t.LastDiscardPos = p;
  if (c.ui.SoundOn) ui::PlayVoice(c.soundPlayer, p, ui::TileVoiceSuffix(tile));

  auto& h = HandAt(c, p);
  if (p != 0 || t.WatchMode) {
    if (h.HiddenCount < 1) throw std::out_of_range("a discard from an empty hand");
    auto& s = h.Slot.at(Ix(h.HiddenFirst + h.HiddenCount - 1));
    s.Code = tile;
    t.LastDiscardCtl = s.Ctl;
    view::ShowCurrentDiscard(c.viewCtx, p, s.Ctl, tile);
    --h.HiddenCount;
  } else if ((h.HiddenCount - 2) % 3 == 0) {
    // The server discarded for the player (the clock ran out at its end): take the tile out
    // here so the own hand stays in step.
    int found = -1;
    for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
      if (h.Slot.at(Ix(k)).Code == tile) found = k;
    }
    if (found >= 0) view::DiscardOwnTile(c, h.Slot.at(Ix(found)).Ctl, false);
    // Nothing is left to choose: a ting still being chosen ends with the server's tile.
    EndTingChoice(c, ting.Mark);
  }
  c.play.LastDiscardInRow = false;
  c.play.LastDiscardClaimed = false;

  if (DiceOdd(c) && t.IndicatorCtl >= 0 && t.IndicatorCtl < table::kTileCount)
    c.MainForm.MJ_Image(t.IndicatorCtl).ZOrder(0);
  ShowTingMark(c, p, 2, ting);

  if (t.LastDiscardCtl >= 0) {
    c.display.BlinkCtl = t.LastDiscardCtl;
    c.play.DiscardBlinkLeft = kBlinkSteps;
  }
}

void ShowTingMark(Client& c, int pos, int cmd, const wire::TingMark& ting) {
  auto& t = c.table;
  auto& f = c.MainForm;
  const int mark = ting.Mark;
  const auto own = [&] {
    PictureConcealed(c, 0, -1, 0);
    f.imgTing(0).SetVisible(true);
  };
  if (cmd == 2 && mark == kTingOpen) {
    if (c.ui.SoundOn) ui::PlayVoice(c.soundPlayer, pos, assets::kVoiceTing);
    if (pos != 0) {
      TakeShownHand(c, pos, ting.ShownHand);
      PictureConcealed(c, pos, -1, pos);
      f.imgTing(pos).SetVisible(true);
      ShowBubble(c, pos, kBubbleOpenTing);
      view::ShowSortedHand(c.MainForm, table::HandSort(c.table, pos));
    } else {
      own();
    }
    t.TingShown.at(Ix(pos)) = 1;
  } else if (cmd == 2 && mark == kTingClosed) {
    f.imgTing(pos).SetVisible(true);
    if (pos != 0) {
      PictureConcealed(c, pos, 36 * pos + 8, pos);
      ShowBubble(c, pos, kBubbleClosedTing);
    }
  } else if (cmd == 7 && mark == kTingOpen && t.TingShown.at(Ix(pos)) == 1) {
    if (pos != 0) {
      TakeShownHand(c, pos, ting.ShownHand);
      view::ShowSortedHand(c.MainForm, table::HandSort(c.table, pos));
    } else {
      own();
    }
  }
}

void ShowBubble(Client& c, int pos, int kind) {
  auto& f = c.MainForm;
  auto& sp = f.Speak(pos);
  sp.SetPicture(view::BubblePicture(pos, kind));
  sp.ZOrder(0);
  sp.SetVisible(true);
  for (int q = 0; q < f.Speak.Count(); ++q) {
    if (q != pos) f.Speak(q).SetVisible(false);
  }
  c.table.BubbleOn = true;
  c.table.BubblePos = pos;
  c.net.TaskTick[net::kTaskBubble] = 0;
}

// ---- The wild tile ----

void PlaceIndicator(Client& c) {
  const auto& t = c.table;
  const int side = (DiceOdd(c) ? t.WallTail : t.IndicatorCtl) / 34;
  TurnUpIndicator(c, t.IndicatorCtl, std::clamp(side, 0, 3));
}

void ShowWildIndicator(Client& c, int ctl) {
  TurnUpIndicator(c, ctl, std::clamp(c.table.WallTail / 34, 0, 3));
}

void OnWildTile(Client& c, const wire::WildTile& m) {
  auto& t = c.table;
  t.IndicatorTile = m.Value[3] & 0xFF;
  t.WildTile = m.Value[2] & 0xFF;
  const int total = t.Dice[0] + t.Dice[1];
  if (total % 2 != 0) {
    t.IndicatorCtl = t.WallHead;
    t.WallHead = table::NextWallHead(t.WallHead);
  } else {
    t.IndicatorCtl = ((t.WallTail - (2 * total - 2)) % table::kTileCount + table::kTileCount) %
                     table::kTileCount;
  }
  if (t.IndicatorCtl == t.WallTail) t.WallTail = (t.WallTail + 1) % table::kTileCount;
  view::RollDice(c.viewCtx, 2, {t.Dice[0], t.Dice[1], 0, 0});
  PlaceIndicator(c);
  auto& vr = c.MainForm.VR_Image;
  vr.SetPicture(view::kTileGifBase + view::TilePic(t.WildTile, 4));
  vr.SetVisible(true);
  vr.ZOrder(0);
  if (!t.WatchMode)
    view::ShowSortedHand(c.MainForm, table::SortHandWildFirst(c.table, 0, t.Hand[0].HiddenCount));
}

// ---- The reveal ----

void OnReveal(Client& c, const wire::Reveal& m) {
  auto& t = c.table;
  auto& pl = c.play;
  const int p = PosOf(c, m.Seat);
  if (p != 0) {
    auto& h = HandAt(c, p);
    int e = 0;
    while (e < 14 && pl.RevealList.at(Ix(e)).at(Ix(p)) != 0) ++e;
    for (int k = 0; k < 4 && h.HiddenCount > 0; ++k) {
      const int code = m.Value.at(Ix(3 - k));
      pl.RevealList.at(Ix(e + k)).at(Ix(p)) = code;
      h.Slot.at(Ix(h.HiddenFirst + e + k)).Code = code;
      --h.HiddenCount;
    }
    if (t.Hand[1].HiddenCount == 0 && t.Hand[2].HiddenCount == 0 && t.Hand[3].HiddenCount == 0) {
      // Every revealed hand lies face up along its row, like a meld.
      view::LoadTileSizes(c.table, view::TileSizes::Melds);
      for (int q = 1; q <= 3; ++q) {
        auto& hq = HandAt(c, q);
        for (int k = 0; k < 14 && pl.RevealList.at(Ix(k)).at(Ix(q)) != 0; ++k) {
          const auto& s = hq.Slot.at(Ix(hq.HiddenFirst + k));
          view::PlaceMeldTile(c.viewCtx, q, hq.HiddenFirst + k, s.Ctl, s.Code,
                              view::Offsets::Scaled);
          auto& im = c.MainForm.MJ_Image(s.Ctl);
          if (q == 3) {
            view::ToBack(c.MainForm, im);
          } else {
            im.ZOrder(0);
          }
        }
      }
    }
  }
  if (pl.RevealCount == 0) {
    int n = 0;
    for (int k = 0; k < 5; ++k) {
      pl.RevealCode.at(Ix(k)) = m.BonusTiles.at(Ix(k));
      n += pl.RevealCode.at(Ix(k)) != 0 ? 1 : 0;
    }
    pl.RevealCount = n;
    if (n > 0) {
      pl.RevealCtl[0] = t.WallTail;
      pl.RevealCtl[1] = table::NextWallTail(t.WallTail);
      for (int k = 2; k < n; ++k) pl.RevealCtl.at(Ix(k)) = (t.WallHead + k - 2) % table::kTileCount;
    }
  }
}

// ---- Command handlers ----

void OnDeal(Client& c, const wire::Deal& m) {
  c.table.KeepLastDiscard = false;
  if (c.ui.SoundOn) ui::PlayEffect(c.soundPlayer, assets::kSoundTake);
  TakeTiles(c, m.Seat, 4, {m.Value[0], m.Value[1], m.Value[2], m.Value[3]});
}

void OnDraw(Client& c, const wire::Draw& m) {
  TakeTiles(c, m.Seat, 1, {m.Value[0], m.Value[1], m.Value[2], m.Value[3]});
}

void OnDiscardCmd(Client& c, const wire::Discard& m) {
  OnDiscard(c, m.Seat, m.Value[3], m.Ting);
}

void OnClaimResult(Client& c, const wire::ClaimResult& m) {
  const std::array<int, 3> tiles{m.Value[1], m.Value[2], m.Value[3]};
  if (c.table.WatchMode) {
    view::ShowClaim(c, m.Value[0], m.Seat, tiles);
  } else {
    OnClaim(c, m.Value[0], m.Seat, tiles);
  }
  ShowTingMark(c, PosOf(c, m.Seat), 7, m.Ting);
}

// ---- Scheduler steps ----

void BlinkStep(Client& c) {
  auto& pl = c.play;
  if (pl.DiscardBlinkLeft <= 0) return;
  const int ctl = c.display.BlinkCtl;
  if (ctl < 0 || ctl >= table::kTileCount) {
    pl.DiscardBlinkLeft = 0;
    return;
  }
  if (ctl != c.table.LastDiscardCtl || pl.LastDiscardInRow || pl.LastDiscardClaimed) {
    // The tile was claimed or moved on: it stays in sight wherever it went.
    c.MainForm.MJ_Image(ctl).SetVisible(true);
    pl.DiscardBlinkLeft = 0;
    return;
  }
  --pl.DiscardBlinkLeft;
  c.MainForm.MJ_Image(ctl).SetVisible(pl.DiscardBlinkLeft % 2 == 0);
}

ClockSecond TurnClockSecond(Client& c) {
  return ClockTick(c);
}

void HideBubble(Client& c) {
  c.MainForm.Speak(c.table.BubblePos).SetVisible(false);
  c.table.BubbleOn = false;
}

}  // namespace play
