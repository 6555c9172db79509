// The decision clock's seconds and what the client does by itself when the own clock runs out:
// pass what was offered and, when a discard is due, throw the tile drawn last.
#include <exception>

#include "assets/sound_cues.h"
#include "play/claims.h"
#include "play/decision.h"
#include "play/play.h"
#include "play/ting_form.h"
#include "session/client.h"
#include "table/hand_sort.h"
#include "ui/sound.h"
#include "ui/ui.h"
#include "view/view.h"

namespace play {

namespace {

constexpr int kWarnBelow = 6;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;

// Throws the last own concealed tile, the one drawn last.
void DiscardLastTile(Client& c) {
  auto& t = c.table;
  auto& h = t.Hand[0];
  t.CanDiscard = false;
  const auto& s = h.Slot.at(static_cast<std::size_t>(h.HiddenFirst + h.HiddenCount - 1));
  const int ctl = s.Ctl;
  SendDiscardFrame(c, s.Code);
  t.LastDiscardCtl = ctl;
  t.LastDiscardPos = 0;
  view::ShowCurrentDiscard(c.viewCtx, 0, ctl, s.Code);
  --h.HiddenCount;
}

// The clock ran out while the player was to pick a tile for ting: an unanswered choice window
// means closed ting, the ting goes out with the pass and the row stands sorted again. The
// server throws the tile for the player; no discard is sent here.
void TingTimeout(Client& c) {
  auto& t = c.table;
  DisableButtons(c, true);
  HideChoices(c);
  if (t.TingChoice == 0 && t.TingDialog) {
    UnloadTingForm(c);
    t.TingChoice = 3;
  }
  if (!t.ActionSent) {
    SendPass(c);
    t.ActionSent = true;
    // The pass carried the declaration; a later discard must not declare it again.
    t.TingChoice = 0;
  }
  auto& h = t.Hand[0];
  for (int i = h.HiddenFirst; i < h.HiddenFirst + h.HiddenCount; ++i) {
    view::SetRaised(c.viewCtx, h.Slot.at(static_cast<std::size_t>(i)).Ctl, false);
  }
  if (OwnTurn(t)) {
    // All but the tile drawn last, which keeps its place apart.
    if (t.HandOpen) {
      view::ShowSortedHand(c.MainForm, table::SortHand(c.table, 0, h.HiddenCount - 1));
    } else {
      view::ShowSortedHand(c.MainForm, table::SortHandWildFirst(c.table, 0, h.HiddenCount - 1));
    }
  }
  t.TingSelecting = false;
  t.TingDeclared = true;
}

}  // namespace

ClockSecond ClockTick(Client& c) {
  auto& t = c.table;
  auto& f = c.MainForm;
  if (t.Countdown > 0) {
    --t.Countdown;
    f.Number.SetCaption(std::to_string(t.Countdown));
    f.Number.SetForeColor(t.Countdown < kWarnBelow ? kRed : kGreen);
    if (t.Countdown < kWarnBelow && c.ui.SoundOn)
      ui::PlayEffect(c.soundPlayer, assets::kSoundWarning);
    return {};
  }
  if (!t.ClockIsOwn) {
    HideChoices(c);
    StopClock(c);
    return {};
  }
  // Hu pressed, or a press being handled: the answer is on its way.
  if (t.DecisionState > 1) return {};
  t.DecisionState = 3;
  ClockSecond out{.timeUp = true};
  if (!t.BossMode) {
    ++t.TimeoutCount;
    if (t.TimeoutLimit > 0 && t.TimeoutCount >= t.TimeoutLimit && !t.TingDeclared) {
      // The player has left the table alone: the table's boss key, pressed for the player.
      c.host.Log("play", "timeout " + std::to_string(t.TimeoutCount) + " of " +
                             std::to_string(t.TimeoutLimit) + ": boss key");
      out.bossKey = true;
    }
  }
  return out;
}

bool ActOnTimeUp(Client& c) {
  StopClock(c);
  if (c.table.TingSelecting) {
    TingTimeout(c);
    return true;
  }
  return AutoAct(c);
}

bool AutoAct(Client& c) {
  auto& t = c.table;
  try {
    const bool gangOpen = c.play.GangShown > 0;
    DisableButtons(c, true);
    HideChoices(c);
    if (gangOpen && !t.ActionSent) {
      // A gang the player chose but did not pick a tile for: the first candidate is made; the
      // replacement draw follows, so nothing is thrown.
      SendGang(c, t.GangPick[0], c.play.GangKind[0]);
      return true;
    }
    if (!t.ActionSent) {
      SendPass(c);
      t.ActionSent = true;
    }
    if (OwnTurn(t)) DiscardLastTile(c);
    return true;
  } catch (const std::exception& e) {
    c.host.Log("error", std::string("automatic move: ") + e.what());
    return false;
  }
}

}  // namespace play
