// The decision prompt (command 6) and the table snapshot (command 40).
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/picture_ids.h"
#include "play/decision.h"
#include "play/play.h"
#include "session/client.h"
#include "table/hand_sort.h"
#include "table/tiles.h"
#include "view/view.h"

namespace view {

namespace {

using table::Ix;

constexpr std::uint32_t kGreen = 0x00FF00;
// Option bits of the prompt.
constexpr int kOptPass = 1, kOptChi = 4, kOptPeng = 8, kOptGangs = 16 | 32 | 64, kOptHu = 128;
constexpr int kMaxConcealed = 14;

void StartClock(Client& c) {
  auto& f = c.MainForm;
  f.Number.Move(f.Time_Img.Left() + Sx(c.table, 48), f.Time_Img.Top() + Sy(c.table, 5));
  f.Number.SetCaption(std::to_string(c.table.Countdown));
  f.Number.SetForeColor(kGreen);
  f.Time_Img.SetVisible(true);
  f.Number.SetVisible(true);
  f.Time_Img.ZOrder(0);
  f.Number.ZOrder(0);
  c.net.TaskOn[net::kTaskTurnClock] = true;
  c.net.TaskTick[net::kTaskTurnClock] = 0;
  c.net.TurnSecond = c.host.SecondsSinceMidnight();
}

void OwnPrompt(Client& c, const wire::Prompt& m) {
  const int options = m.Value[0] & 0xFF;
  auto& t = c.table;
  auto& f = c.MainForm;
  t.ActionSent = false;
  t.DecisionState = 0;
  t.OptionState.fill(0);
  const auto offer = [&](int b) {
    f.Operation(b).SetEnabled(true);
    SetOperationLook(c.MainForm, b, OpLook::Offered);
    t.OptionState.at(Ix(b)) = 2;
  };
  for (int bit = 1; bit <= 128; bit <<= 1) {
    if ((options & bit) == 0) continue;
    if (bit == kOptPass) {
      offer(table::kOpPass);
    } else if (bit == kOptChi) {
      if (!t.TingDeclared) offer(table::kOpChi);
    } else if (bit == kOptPeng) {
      if (!t.TingDeclared) offer(table::kOpPeng);
    } else if ((bit & kOptGangs) != 0) {
      offer(table::kOpGang);
      t.GangOptions = options;
    } else if (bit == kOptHu) {
      offer(table::kOpHu);
    }
  }
  if (m.TingOffered) {
    t.TingDialog = m.TingDialog;
    f.Operation(table::kOpTing).SetEnabled(true);
    SetOperationLook(c.MainForm, table::kOpTing, OpLook::Offered);
    t.OptionState[table::kOpTing] = 2;
    for (int k = 0; k < 14; ++k) t.TingCandidates.at(Ix(k)) = m.TingCandidates.at(Ix(k));
  }
  const bool gangOrHu = (options & (kOptGangs | kOptHu)) != 0;
  if (!t.TingDeclared || gangOrHu) {
    for (auto* op : f.Operation) {
      op->SetVisible(true);
      op->ZOrder(0);
    }
  }
  if ((t.Hand[0].HiddenCount - 2) % 3 == 0) t.CanDiscard = true;
  if (t.BossMode) {
    t.Countdown = 1;
  } else {
    const int s = m.Clock;
    t.Countdown = s < 2 ? 8 : s;
  }
  if (t.TingDeclared && !gangOrHu) t.Countdown = 0;
  t.ClockIsOwn = true;
  f.Time_Img.Move(f.Imgwealth.Left(), f.Imgwealth.Top() - Sy(c.table, 200));
}

void OtherPrompt(Client& c, const wire::Prompt& m, int pos) {
  auto& t = c.table;
  auto& f = c.MainForm;
  t.Countdown = t.BossMode ? 1 : m.Clock;
  t.ClockIsOwn = false;
  switch (pos) {
    case 1:
      f.Time_Img.Move(f.Host.Left(), f.Host.Top() + f.Host.Height() + Sy(c.table, 20));
      break;
    case 2:
      f.Time_Img.Move(f.Tou(2).Left() - Sx(c.table, 20), f.Host.Top() - Sy(c.table, 40));
      break;
    case 3:
      f.Time_Img.Move(f.Vorel.Left(), f.Vorel.Top() + f.Vorel.Height());
      break;
    default:
      // The watched player's own turn: the clock stands where the player's own would.
      f.Time_Img.Move(f.Imgwealth.Left(), f.Imgwealth.Top() - Sy(c.table, 200));
      break;
  }
}

// Takes the next wall image of the rebuild.
int NextSnapImage(Client& c) {
  const int i = (c.table.WallHead + c.display.SnapTaken) % table::kTileCount;
  ++c.display.SnapTaken;
  return i;
}

}  // namespace

int BubblePicture(int pos, int kind) {
  constexpr std::array<int, 4> kSide{2, 0, 3, 1};
  return assets::pic::kBubbleBase + 4 * kind + kSide.at(Ix(pos));
}

void OnDecisionPrompt(Client& c, const wire::Prompt& m) {
  const int own = c.table.Hand[0].SeatBit;
  // A chi or gang choice still on show belongs to a decision this prompt has overtaken.
  play::HideChoices(c);
  // A watcher sees the watched player's clock, never the player's buttons.
  if ((m.Seat & 0x0F) == own && !c.table.WatchMode) {
    OwnPrompt(c, m);
  } else {
    OtherPrompt(c, m, table::SeatPosOf(own, m.Seat & 0x0F));
  }
  StartClock(c);
}

void OnSnapshot(Client& c, const wire::Snapshot& m) {
  auto& t = c.table;
  auto& v = c.display;
  const int p = table::SeatPosOf(t.Hand[0].SeatBit, m.Seat & 0x0F);
  auto& h = t.Hand.at(Ix(p));
  v.SnapDiscards.at(Ix(p)) = m.Arg2;
  ++c.disp.SeatNameCount;
  if (c.disp.SeatNameCount == 1) {
    v.SnapTaken = 0;
    v.SnapHeadUsed = m.Value[1];
    v.SnapTailUsed = m.Value[3];
  } else {
    v.SnapHeadUsed = std::max(v.SnapHeadUsed, static_cast<int>(m.Value[1]));
    v.SnapTailUsed = std::min(v.SnapTailUsed, static_cast<int>(m.Value[3]));
  }

  std::vector<int> exposed, concealed;
  for (const auto& pair : m.Pairs) {
    const int tag = pair.Tag;
    const int code = pair.Code;
    if (tag == 2) exposed.push_back(code);
    if (tag == 1) {
      if (static_cast<int>(concealed.size()) >= kMaxConcealed)
        throw std::out_of_range("a snapshot with more than 14 concealed tiles");
      concealed.push_back(code);
    }
  }

  LoadTileSizes(c.table, TileSizes::Melds);
  for (auto it = exposed.begin(); it != exposed.end();) {
    const bool red = *it == table::kRedDragon;
    if (!red && *it != t.WildTile) {
      ++it;
      continue;
    }
    const int img = NextSnapImage(c);
    SetAside(c.viewCtx, p, img, *it, red, Offsets::Unscaled);
    c.MainForm.MJ_Image(img).SetVisible(true);
    it = exposed.erase(it);
  }

  // A gang's four tiles lie in a row of the frame. Like a claimed gang it takes three slots and
  // its fourth tile lies on the middle one: four slots each would leave no room for the draws.
  std::vector<int> gangs;
  for (std::size_t k = 0; k + 3 < exposed.size();) {
    if (std::count(exposed.begin() + static_cast<std::ptrdiff_t>(k),
                   exposed.begin() + static_cast<std::ptrdiff_t>(k + 4), exposed[k]) == 4) {
      gangs.push_back(exposed[k]);
      exposed.erase(exposed.begin() + static_cast<std::ptrdiff_t>(k),
                    exposed.begin() + static_cast<std::ptrdiff_t>(k + 4));
    } else {
      ++k;
    }
  }
  const auto placeMeldTile = [&](int code, int state) {
    const int img = NextSnapImage(c);
    auto& s = h.Slot.at(Ix(h.MeldEnd - 2));
    s.Ctl = img;
    s.Code = code;
    if (state != table::kSlotEmpty) s.State = state;
    PlaceMeldTile(c.viewCtx, p, h.MeldEnd - 2, img, s.Code, Offsets::Unscaled);
    auto& im = c.MainForm.MJ_Image(img);
    if (p == 3) {
      ToBack(c.MainForm, im);
    } else {
      im.ZOrder(0);
    }
    ++h.MeldEnd;
    return img;
  };
  for (int code : gangs) {
    h.HiddenFirst += 3;
    int middle = -1;
    for (int j = 0; j < 3; ++j) {
      const int img = placeMeldTile(code, table::kSlotExposedGang);
      if (j == 1) middle = img;
    }
    const int fourth = NextSnapImage(c);
    PlaceOnMiddle(c.viewCtx, p, middle, fourth, code);
    c.MainForm.MJ_Image(fourth).SetVisible(true);
  }

  const int n = static_cast<int>(exposed.size());
  h.HiddenFirst += n;
  table::SortTiles(exposed);
  for (int k = 0; k + 2 < n; ++k) {
    if (exposed[Ix(k)] == exposed[Ix(k + 1)] && exposed[Ix(k)] == exposed[Ix(k + 2)]) {
      for (int j = 0; j < 3; ++j) h.Slot.at(Ix(h.MeldEnd - 2 + k + j)).State = table::kSlotPeng;
    }
  }
  // Meld tiles take the slots a claim would give them, so later claims and the added-gang search
  // find them.
  for (int k = 0; k < n; ++k) placeMeldTile(exposed[Ix(k)], table::kSlotEmpty);

  LoadTileSizes(c.table, TileSizes::Concealed);
  for (int code : concealed) {
    ++h.HiddenCount;
    const int k = h.HiddenFirst + h.HiddenCount - 1;
    auto& s = h.Slot.at(Ix(k));
    s.Ctl = NextSnapImage(c);
    s.Code = code;
    s.State = table::kSlotDrawn;
    PlaceConcealed(c.viewCtx, p, k, true);
    SetTilePicture(c.MainForm, s.Ctl, 36 * p + 7);
    auto& im = c.MainForm.MJ_Image(s.Ctl);
    if (p == 3) {
      ToBack(c.MainForm, im);
    } else {
      im.ZOrder(0);
    }
  }
  if (p == 1) {
    for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k)
      c.MainForm.MJ_Image(h.Slot.at(Ix(k)).Ctl).ZOrder(0);
    for (const auto& pile : v.AsideCtl) {
      if (pile[1] > 0) c.MainForm.MJ_Image(pile[1]).ZOrder(0);
    }
  }

  if (c.disp.SeatNameCount < 4) return;
  c.disp.SeatNameCount = 0;
  auto& vr = c.MainForm.VR_Image;
  vr.SetPicture(assets::pic::kTileBase + 144 + TilePic(t.WildTile, 0));
  vr.SetVisible(true);
  if (v.SnapTailUsed % 2 != 0) {
    t.WallTail = (t.WallTail + v.SnapTailUsed + 1) % table::kTileCount;
  } else {
    t.WallTail = ((t.WallTail + v.SnapTailUsed - 3) % table::kTileCount + table::kTileCount) %
                 table::kTileCount;
  }
  const int s = (t.WallHead + v.SnapHeadUsed) % table::kTileCount;
  const auto show = [&](int from, int to) {
    for (int i = from; i <= to; ++i) ShowWallTile(c.viewCtx, i);
  };
  if (s < t.WallTail) {
    show(s, t.WallTail);
  } else {
    show(s, table::kTileCount - 1);
    show(0, t.WallTail);
  }
  if (v.SnapTailUsed % 2 != 0) {
    ShowWallTile(c.viewCtx, (t.WallTail + 1) % table::kTileCount);
  } else {
    c.MainForm.MJ_Image((t.WallTail + table::kTileCount - 1) % table::kTileCount).SetVisible(false);
  }
  t.IndicatorCtl = NextSnapImage(c);
  play::ShowWildIndicator(c, t.IndicatorCtl);
  RestoreDiscards(c);
  t.WallHead = (t.WallHead + v.SnapHeadUsed) % table::kTileCount;
  v.SnapDone = true;
  // A player back at the table sees the own tiles at once, not only after the next move.
  if (!t.WatchMode) {
    const auto& own = t.Hand[0];
    view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 0));
    for (int k = own.HiddenFirst; k < own.HiddenFirst + own.HiddenCount; ++k) {
      const auto& slot = own.Slot.at(Ix(k));
      SetTilePicture(c.MainForm, slot.Ctl, TilePic(slot.Code, 4));
    }
  }
}

void RestoreDiscards(Client& c) {
  auto& t = c.table;
  auto& v = c.display;
  LoadTileSizes(c.table, TileSizes::WallAndDiscards);
  for (int p = 0; p < 4; ++p) {
    for (int k = 0; k < v.SnapDiscards.at(Ix(p)); ++k) {
      if (v.SnapTaken > v.SnapHeadUsed) return;
      const int img = NextSnapImage(c);
      t.LastDiscardCtl = img;
      t.LastDiscardPos = p;
      PlaceDiscard(c.viewCtx, p, img);
      play::RecordRowTile(c, p, img, 0);
      SetTilePicture(c.MainForm, img, 36 * p + 8);
      // A restored discard already lies in its row: the next draw must not place it again.
      c.play.LastDiscardInRow = true;
      c.play.LastDiscardClaimed = false;
    }
  }
}

}  // namespace view
