// The player's mouse on the tiles and on the table: raising, discarding, passing, the ting
// discard and turning tiles over after a won hand.
#include "view/input.h"

#include <stdexcept>
#include <string>

#include "chat/chat.h"
#include "net/net.h"
#include "platform/form_events.h"
#include "session/client.h"
#include "session/control_bar.h"
#include "session/program.h"
#include "table/hand_sort.h"
#include "table/tiles.h"
#include "table/ting_choice.h"
#include "ui/ui.h"
#include "view/view.h"

namespace view {

namespace {

using table::Ix;

constexpr int kHandCursor = 99;
constexpr int kMovePass = 1;

void Send(Client& c, wire::Cmd cmd, int v0, int v3) {
  wire::NetMsg m;
  m.Cmd = static_cast<std::int16_t>(cmd);
  m.Seat = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  m.Value[0] = static_cast<std::int16_t>(v0);
  m.Value[3] = static_cast<std::int16_t>(v3);
  net::SendFrame(c.netCtx, m, table::TakeTingChoice(c.table, cmd));
}

void StopClock(Client& c) {
  auto& f = c.MainForm;
  c.net.TaskOn[net::kTaskTurnClock] = false;
  c.net.TaskTick[net::kTaskTurnClock] = 0;
  c.table.Countdown = c.table.DefaultCountdown;
  f.Time_Img.SetVisible(false);
  f.Number.SetVisible(false);
}

void DisableButtons(Client& c, bool hide) {
  auto& f = c.MainForm;
  for (int b = 0; b < f.Operation.Count(); ++b) {
    SetOperationLook(c.MainForm, b, OpLook::Disabled);
    f.Operation(b).SetEnabled(false);
    if (hide) f.Operation(b).SetVisible(false);
  }
}

void LowerAllRaised(Client& c) {
  const auto& h = c.table.Hand[0];
  for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
    const int ctl = h.Slot.at(Ix(k)).Ctl;
    if (IsCandidateUp(c.viewCtx, ctl)) SetRaised(c.viewCtx, ctl, false);
  }
}

// After a won hand the winner may turn the face-down tiles of hidden gangs and the bonus tiles
// on the wall face up, each once.
void RevealClick(Client& c, int i) {
  auto& t = c.table;
  for (int k = 0; k < t.HiddenGangCount; ++k) {
    auto& e = t.HiddenGangLog.at(Ix(k));
    if (e.Ctl != i) continue;
    SetTilePicture(c.MainForm, i, TilePic(e.Code, e.Pos));
    e.Ctl = -1;
    return;
  }
  const auto& pl = c.play;
  for (int k = 0; k < pl.RevealCount && k < static_cast<int>(pl.RevealCtl.size()); ++k) {
    if (pl.RevealCtl.at(Ix(k)) != i || i <= 0) continue;
    // The face lies on top of its stack: a lower-layer tile rises above the tile over it.
    const int top = i & ~1;
    Place at = WallPlace(c.table, top);
    auto& partner = c.MainForm.MJ_Image(top);
    const Place topPlace = WallPlace(c.table, top);
    if (i != top && partner.Visible() && partner.Left() == topPlace.left &&
        partner.Top() == topPlace.top)
      at.top -= WallPlace(c.table, i).top - topPlace.top;
    auto& img = c.MainForm.MJ_Image(i);
    img.Move(at.left, at.top);
    SetTilePicture(c.MainForm, i, TilePic(pl.RevealCode.at(Ix(k)), i / 34));
    img.ZOrder(0);
    if (t.IndicatorCtl >= 0 && t.IndicatorCtl < table::kTileCount)
      c.MainForm.MJ_Image(t.IndicatorCtl).ZOrder(0);
    return;
  }
}

}  // namespace

int OwnSlotOf(const Client& c, int ctl) {
  const auto& h = c.table.Hand[0];
  for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount && k < 18; ++k) {
    if (h.Slot.at(Ix(k)).Ctl == ctl) return k;
  }
  return -1;
}

bool InOwnHand(const Client& c, int ctl) {
  return OwnSlotOf(c, ctl) >= 0;
}

void DiscardOwnTile(Client& c, int ctl, bool send) {
  auto& t = c.table;
  auto& h = t.Hand[0];
  const int s = OwnSlotOf(c, ctl);
  if (s < 0) return;
  t.DecisionState = 2;
  t.CanDiscard = false;
  StopClock(c);
  if (send && !t.ActionSent) {
    // Closes an open self-draw decision before the discard.
    Send(c, wire::Cmd::ClaimResult, kMovePass, 0);
    t.ActionSent = true;
  }
  DisableButtons(c, true);
  const int code = h.Slot.at(Ix(s)).Code;
  if (send && (h.HiddenCount - 2) % 3 == 0)
    Send(c, wire::Cmd::Discard, 0, table::WireTile(code, table::kDiscardTileFlag));
  t.LastDiscardCtl = ctl;
  t.LastDiscardPos = 0;
  c.play.LastDiscardInRow = false;
  c.play.LastDiscardClaimed = false;
  ShowCurrentDiscard(c.viewCtx, 0, ctl, code);

  LoadTileSizes(c.table, TileSizes::Concealed, 0);
  const int last = h.HiddenFirst + h.HiddenCount - 1;
  for (int k = s; k < last; ++k) {
    h.Slot.at(Ix(k)) = h.Slot.at(Ix(k + 1));
    c.MainForm.MJ_Image(h.Slot.at(Ix(k)).Ctl).Move(h.RowLeft + k * t.TileW[0], h.RowTop);
  }
  if (t.HandOpen) {
    view::ShowSortedHand(c.MainForm, table::SortHand(c.table, 0, h.HiddenCount - 1));
  } else {
    view::ShowSortedHand(c.MainForm, table::SortHandWildFirst(c.table, 0, h.HiddenCount - 1));
  }
  --h.HiddenCount;
}

void PassDecision(Client& c) {
  auto& t = c.table;
  for (auto* op : c.MainForm.Operation) op->SetVisible(false);
  if ((t.Hand[0].HiddenCount - 2) % 3 != 0) StopClock(c);
  if (!t.ActionSent) {
    Send(c, wire::Cmd::ClaimResult, kMovePass, 0);
    t.ActionSent = true;
  }
  DisableButtons(c, false);
  if (t.TingDeclared) t.Countdown = 0;
}

void MJ_Image_MouseDown(Client& c, int index, int button, int /*shift*/, int /*x*/, int /*y*/) {
  auto& t = c.table;
  // A watcher only looks.
  if (t.DecisionState == 3 || !c.net.Online || t.WatchMode) return;
  const auto& h = t.Hand[0];
  const bool own = InOwnHand(c, index);
  const int lastCtl = h.HiddenCount > 0 ? h.Slot.at(Ix(h.HiddenFirst + h.HiddenCount - 1)).Ctl : -1;
  const bool discards =
      own && t.CanDiscard &&
      ((t.TingDeclared && index == lastCtl) || (!t.TingDeclared && !t.TingSelecting));
  // A move of the player's own ends a run of time-outs, as a press of a move button does.
  if (discards) {
    t.TimeoutCount = 0;
    DiscardOwnTile(c, index, true);
  } else if (button == platform::kRightButton && !own && !t.TingSelecting &&
             c.MainForm.Operation(table::kOpPass).Visible()) {
    t.TimeoutCount = 0;
    PassDecision(c);
  }
  // The candidate the arrow keys marked counts as raised for the mouse too.
  if (InOwnHand(c, index) && t.CanDiscard && IsCandidateUp(c.viewCtx, index) && t.TingSelecting) {
    t.TimeoutCount = 0;
    DiscardOwnTile(c, index, true);
    LowerAllRaised(c);
    t.TingSelecting = false;
    t.TingDeclared = true;
  }
  if (t.WinnerPos >= 0 && t.WinnerPos <= 3) RevealClick(c, index);
}

void MJ_Image_MouseMove(Client& c, int index, int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
  auto& t = c.table;
  auto& img = c.MainForm.MJ_Image(index);
  const int y0 = t.Hand[0].RowTop;
  const auto pointer = [&](int p) {
    if (img.MousePointer() != p) img.SetMousePointer(p);
  };
  if (img.Top() >= y0 - 10 && !t.WatchMode && c.ui.ButtonState[2] != 0) {
    if (!t.TingDeclared && !t.TingSelecting && InOwnHand(c, index)) {
      pointer(kHandCursor);
      if (img.Top() == y0) {
        LowerAllRaised(c);
        SetRaised(c.viewCtx, index, true);
      }
    } else {
      pointer(0);
    }
  } else {
    pointer(0);
  }
  if (t.TingSelecting) pointer(IsCandidateUp(c.viewCtx, index) ? kHandCursor : 0);
}

void MJ_Image_MouseUp(Client& /*c*/, int /*index*/, int /*button*/, int /*shift*/, int /*x*/,
                      int /*y*/) {}

void Pic1_MouseMove(Client& c, int /*button*/, int /*shift*/, int x, int y) {
  auto& t = c.table;
  if (!t.WatchMode && c.ui.ButtonState[2] != 0 && !t.TingDeclared && !t.TingSelecting) {
    auto& h = t.Hand[0];
    if (h.HiddenFirst + h.HiddenCount - 1 > 17) h.HiddenCount = 18 - h.HiddenFirst;
    for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
      const int ctl = h.Slot.at(Ix(k)).Ctl;
      if (!IsRaised(c.viewCtx, ctl)) continue;
      const auto& img = c.MainForm.MJ_Image(ctl);
      const bool inside = x > img.Left() && x < img.Left() + img.Width() && y > img.Top() &&
                          y < img.Top() + img.Height() + 10;
      if (inside) continue;
      SetRaised(c.viewCtx, ctl, false);
      break;
    }
  }
  ui::RestoreButtons(c.uiCtx);
}

void Pic1_MouseUp(Client& c, int button, int /*shift*/, int /*x*/, int /*y*/) {
  auto& t = c.table;
  if (!c.net.Online || t.WatchMode || button != platform::kRightButton || t.DecisionState >= 1 ||
      !c.MainForm.Operation(table::kOpPass).Visible())
    return;
  t.DecisionState = 2;
  PassDecision(c);
  t.DecisionState = 1;
}

void Pic1_Click(Client& c) {
  // A click on the table clears it of every window floating over it.
  session::HideTableWindows(c);
}

bool Pic1_KeyDown(Client& c, int keyCode) {
  auto& keys = c.display.ChatKeys;
  switch (keyCode) {
    case platform::kKeyF1:
      keys = {};
      session::TableBossKey(c, /*tellPlugin=*/true);
      return true;
    case platform::kKeyEscape:
      // Esc leaves a half-typed Alt+C alone.
      session::ToggleExitDialog(c);
      return true;
    case platform::kKeyAlt:
      keys[0] = true;
      break;
    case platform::kKeyC:
      keys[1] = true;
      break;
    default:
      keys = {};
      return false;
  }
  if (!keys[0] || !keys[1]) return keyCode == platform::kKeyAlt;
  keys = {};
  chat::ShowTalk(c.chatCtx);
  return true;
}

}  // namespace view
