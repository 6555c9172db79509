// The player's moves: their frames, the local slot changes made before the server confirms
// them, and the buttons and choice pictures that start them.
#include <exception>

#include "assets/picture_ids.h"
#include "assets/sound_cues.h"
#include "net/net.h"
#include "play/claims.h"
#include "play/decision.h"
#include "play/play.h"
#include "session/client.h"
#include "table/hand_sort.h"
#include "table/ting_choice.h"
#include "ui/sound.h"
#include "view/view.h"

namespace play {

namespace {

using table::SlotRec;
using view::OpLook;

SlotRec& OwnSlot(Client& c, int i) {
  return c.table.Hand[0].Slot.at(static_cast<std::size_t>(i));
}

int ClaimValue(int code) {
  return table::WireTile(code, table::kClaimTileFlag);
}

void SendMove(Client& c, int kind, int v1, int v2, int v3) {
  wire::NetMsg m;
  m.Cmd = wire::Num(wire::Cmd::ClaimResult);
  m.Seat = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  m.Value = {static_cast<std::int16_t>(kind), static_cast<std::int16_t>(v1),
             static_cast<std::int16_t>(v2), static_cast<std::int16_t>(v3)};
  net::SendFrame(c.netCtx, m, table::TakeTingChoice(c.table, wire::Cmd::ClaimResult));
}

// Three own slots from a onto the next meld, each with the meld's state.
void CopyToMeld(Client& c, int a, int state) {
  const int me = c.table.Hand[0].MeldEnd;
  for (int k = 0; k < 3; ++k) {
    SlotRec& to = OwnSlot(c, me - 2 + k);
    to = OwnSlot(c, a + k);
    to.State = state;
  }
}

std::string_view GangVoice(const Client& c, int kind, int code) {
  if (kind == kGangConcealed) return assets::kVoiceConcealedGang;
  if (kind == kGangSingle && code == table::kRedDragon) return assets::kVoiceTing;
  if (kind == kGangSingle && code == c.table.WildTile) return assets::kVoiceWildGang;
  return assets::kVoiceGang;
}

// The own seat's clip for its own move.
void OwnVoice(Client& c, std::string_view suffix) {
  ui::PlayVoice(c.soundPlayer, 0, suffix);
}

std::string TileText(int code) {
  return table::TileName(table::Rank(code), table::SuitBit(code));
}

// A choice picture: the own face of slot at 0.8 of the own tile size.
void ShowChoiceTile(Client& c, platform::Control& img, int slot, int left, int top,
                    const std::string& tip) {
  img.SetPicture(assets::pic::kTileBase + view::TilePic(OwnSlot(c, slot).Code, 4));
  img.Move(left, top, view::Sx(c.table, 0.8 * 48), view::Sy(c.table, 0.8 * 78));
  img.SetToolTipText(tip);
  img.SetEnabled(true);
  img.SetVisible(true);
  img.ZOrder(0);
}

// Choice pictures stand in a row just above the Operation buttons.
int ChoiceTop(Client& c) {
  return c.MainForm.Operation(0).Top() - view::Sy(c.table, 0.8 * 78) - view::Sy(c.table, 10);
}

void ShowChiChoice(Client& c, int candidates) {
  auto& f = c.MainForm;
  const int w = view::Sx(c.table, 0.8 * 48);
  const int gap = view::Sx(c.table, 14);
  const int top = ChoiceTop(c);
  for (int n = 0; n < candidates; ++n) {
    const int a = c.table.ChiPick.at(static_cast<std::size_t>(2 * n));
    const int b = c.table.ChiPick.at(static_cast<std::size_t>(2 * n + 1));
    const std::string tip = "吃 " + TileText(OwnSlot(c, a).Code) + TileText(OwnSlot(c, b).Code) +
                            " (" + std::to_string(n + 1) + ")";
    const int left = f.Operation(0).Left() + n * (2 * w + gap);
    ShowChoiceTile(c, f.Chi(2 * n), a, left, top, tip);
    ShowChoiceTile(c, f.Chi(2 * n + 1), b, left + w, top, tip);
  }
  c.play.ChiShown = candidates;
}

void ShowGangChoice(Client& c, int candidates) {
  auto& f = c.MainForm;
  const int w = view::Sx(c.table, 0.8 * 48);
  const int gap = view::Sx(c.table, 10);
  const int top = ChoiceTop(c);
  for (int k = 0; k < candidates; ++k) {
    const int slot = c.table.GangPick.at(static_cast<std::size_t>(k));
    const std::string tip =
        "杠 " + TileText(OwnSlot(c, slot).Code) + " (" + std::to_string(k + 1) + ")";
    ShowChoiceTile(c, f.Gang(k), slot, f.Operation(0).Left() + k * (w + gap), top, tip);
  }
  c.play.GangShown = candidates;
}

}  // namespace

// ---- Shared steps ----

void StopClock(Client& c) {
  c.table.Countdown = c.table.DefaultCountdown;
  c.net.TaskOn[net::kTaskTurnClock] = false;
  c.net.TaskTick[net::kTaskTurnClock] = 0;
  c.MainForm.Time_Img.SetVisible(false);
  c.MainForm.Number.SetVisible(false);
}

void StopTurnClock(Client& c) {
  if (c.net.TaskOn[net::kTaskTurnClock]) StopClock(c);
}

void RestartOwnClock(Client& c) {
  auto& t = c.table;
  t.Countdown = t.BossMode ? 1 : t.DefaultCountdown;
  t.ClockIsOwn = true;
  c.MainForm.Number.SetCaption(std::to_string(t.Countdown));
  c.MainForm.Number.SetForeColor(0x00FF00);
  c.MainForm.Time_Img.SetVisible(true);
  c.MainForm.Number.SetVisible(true);
  c.MainForm.Time_Img.ZOrder(0);
  c.MainForm.Number.ZOrder(0);
  c.net.TaskOn[net::kTaskTurnClock] = true;
  c.net.TaskTick[net::kTaskTurnClock] = 0;
}

void HideChoices(Client& c) {
  for (auto* img : c.MainForm.Chi) {
    img->SetEnabled(false);
    img->SetVisible(false);
  }
  for (auto* img : c.MainForm.Gang) {
    img->SetEnabled(false);
    img->SetVisible(false);
  }
  c.play.ChiShown = 0;
  c.play.GangShown = 0;
}

void DisableButtons(Client& c, bool hide) {
  for (int i = 0; i < c.MainForm.Operation.Count(); ++i) {
    view::SetOperationLook(c.MainForm, i, OpLook::Disabled);
    c.MainForm.Operation(i).SetEnabled(false);
    if (hide) c.MainForm.Operation(i).SetVisible(false);
  }
}

void Guarded(Client& c, const char* what, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    c.host.Log("error", std::string(what) + ": " + e.what());
  }
}

void NoTilesForMove(Client& c, const char* move) {
  c.host.Log("error", std::string("no own tiles make the offered ") + move);
  if (OwnTurn(c.table)) {
    c.table.CanDiscard = true;
    RestartOwnClock(c);
  } else {
    StopClock(c);
    if (!c.table.ActionSent) {
      SendPass(c);
      c.table.ActionSent = true;
    }
  }
}

// ---- Frames ----

void SendGang(Client& c, int slot, int kind) {
  OwnVoice(c, GangVoice(c, kind, OwnSlot(c, slot).Code));
  if (kind == kGangSingle) {
    SendSingleGang(c, slot);
  } else if (kind == kGangExposed) {
    SendExposedGang(c, slot);
  } else {
    SendConcealedGang(c, slot);
  }
}

void SendChi(Client& c, int a, int b) {
  auto& t = c.table;
  const int me = t.Hand[0].MeldEnd;
  OwnSlot(c, me - 2) = OwnSlot(c, a);
  OwnSlot(c, me - 1) = OwnSlot(c, b);
  OwnSlot(c, me).Code = t.LastDiscard;
  OwnSlot(c, me).Ctl = t.LastDiscardCtl;
  SendMove(c, 4, ClaimValue(OwnSlot(c, me - 2).Code), ClaimValue(OwnSlot(c, me - 1).Code),
           ClaimValue(OwnSlot(c, me).Code));
  t.ActionSent = true;
}

void SendPeng(Client& c, int d) {
  auto& t = c.table;
  const int i = FindPengPair(t, d);
  if (i < 0) return;
  const int me = t.Hand[0].MeldEnd;
  OwnSlot(c, me - 2) = OwnSlot(c, i);
  OwnSlot(c, me - 1) = OwnSlot(c, i + 1);
  OwnSlot(c, me).Code = d;
  OwnSlot(c, me).Ctl = t.LastDiscardCtl;
  for (int k = me - 2; k <= me; ++k) OwnSlot(c, k).State = table::kSlotPeng;
  const int v = ClaimValue(OwnSlot(c, me - 2).Code);
  SendMove(c, 8, v, v, v);
  t.ActionSent = true;
}

void SendExposedGang(Client& c, int a) {
  CopyToMeld(c, a, table::kSlotExposedGang);
  const int v = ClaimValue(OwnSlot(c, c.table.Hand[0].MeldEnd - 2).Code);
  SendMove(c, 16, v, v, v);
  c.table.ActionSent = true;
}

void SendConcealedGang(Client& c, int a) {
  CopyToMeld(c, a, table::kSlotConcealedGang);
  const int v = ClaimValue(OwnSlot(c, a).Code);
  SendMove(c, 32, v, v, v);
  c.table.ActionSent = true;
}

void SendSingleGang(Client& c, int a) {
  SlotRec& to = OwnSlot(c, c.table.Hand[0].MeldEnd - 2);
  to = OwnSlot(c, a);
  to.State = table::kSlotAddedAlone;
  SendMove(c, 64, 0, 0, ClaimValue(to.Code));
  c.table.ActionSent = true;
}

void SendHu(Client& c) {
  SendMove(c, 128, 0, 0, 0);
}

void SendPass(Client& c) {
  SendMove(c, 1, 0, 0, 0);
}

void SendDiscardFrame(Client& c, int code) {
  wire::NetMsg m;
  m.Cmd = wire::Num(wire::Cmd::Discard);
  m.Seat = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  m.Value[3] = static_cast<std::int16_t>(table::WireTile(code, table::kDiscardTileFlag));
  net::SendFrame(c.netCtx, m, table::TakeTingChoice(c.table, wire::Cmd::Discard));
}

// ---- Searches that act ----

void FindChiPairs(Client& c, int d) {
  auto& t = c.table;
  view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 0));
  t.Hand[0].WildCount = LeadingWilds(t);
  const auto found = ChiCandidates(t, d);
  for (std::size_t n = 0; n < found.size(); ++n) {
    t.ChiPick.at(2 * n) = found[n].first;
    t.ChiPick.at(2 * n + 1) = found[n].second;
  }
  if (found.empty()) {
    NoTilesForMove(c, "chi");
  } else if (found.size() == 1) {
    StopClock(c);
    c.MainForm.Operation(0).SetVisible(false);
    SendChi(c, t.ChiPick[0], t.ChiPick[1]);
  } else {
    ShowChiChoice(c, static_cast<int>(found.size()));
  }
}

void FindGangSlots(Client& c) {
  auto& t = c.table;
  const auto found = GangCandidates(t);
  for (std::size_t k = 0; k < found.size(); ++k) {
    t.GangPick.at(k) = found[k].slot;
    c.play.GangKind.at(k) = found[k].kind;
  }
  if (found.empty()) {
    NoTilesForMove(c, "gang");
  } else if (t.DecisionState == 3) {
    SendGang(c, found[0].slot, found[0].kind);
  } else if (found.size() == 1) {
    StopClock(c);
    c.MainForm.Operation(table::kOpGang).SetVisible(false);
    SendGang(c, found[0].slot, found[0].kind);
  } else {
    for (int b : {0, 1, 3, 4, 5}) c.MainForm.Operation(b).SetVisible(false);
    ShowGangChoice(c, static_cast<int>(found.size()));
  }
}

// ---- Buttons ----

void Operation_Click(Client& c, int b) {
  auto& t = c.table;
  if (!c.net.Online || b < 0 || b >= static_cast<int>(t.OptionState.size())) return;
  if (t.OptionState.at(static_cast<std::size_t>(b)) != 2 || t.DecisionState >= 1) return;
  Guarded(c, "Operation_Click", [&] {
    auto& f = c.MainForm;
    t.DecisionState = 2;
    t.OptionState.fill(0);
    view::SetOperationLook(c.MainForm, b, OpLook::Disabled);
    f.Operation(b).SetEnabled(false);
    // A chi or gang choice keeps the clock running until a tile is picked, so a player who
    // walks away from it is still played for.
    if (b == table::kOpPeng || b == table::kOpHu) StopClock(c);
    t.TileW[0] = view::Sx(c.table, 48);
    t.TileH[0] = view::Sy(c.table, 78);
    t.TimeoutCount = 0;
    auto hideAll = [&] {
      for (auto* op : f.Operation) op->SetVisible(false);
    };
    switch (b) {
      case table::kOpChi:
        t.DecisionState = 1;
        t.CanDiscard = false;
        for (int i = 1; i < 6; ++i) f.Operation(i).SetVisible(false);
        OwnVoice(c, assets::kVoiceChi);
        FindChiPairs(c, t.LastDiscard);
        break;
      case table::kOpPeng:
        t.DecisionState = 1;
        t.CanDiscard = false;
        hideAll();
        OwnVoice(c, assets::kVoicePeng);
        if (FindPengPair(t, t.LastDiscard) < 0) {
          NoTilesForMove(c, "peng");
        } else {
          SendPeng(c, t.LastDiscard);
        }
        break;
      case table::kOpGang:
        t.DecisionState = 1;
        t.CanDiscard = false;
        for (int i : {0, 1, 3, 4, 5}) f.Operation(i).SetVisible(false);
        if ((t.GangOptions & 32) != 0)
          view::ShowSortedHand(c.MainForm, table::HandSort(c.table, 0));
        FindGangSlots(c);
        break;
      case table::kOpTing:
        t.DecisionState = 1;
        hideAll();
        StartTing(c);
        break;
      case table::kOpHu:
        t.CanDiscard = false;
        SendHu(c);
        OwnVoice(c, assets::kVoiceHu);
        hideAll();
        break;
      default:  // pass
        t.DecisionState = 1;
        hideAll();
        // On the own turn a pass only declines the offers: the discard is still due.
        if (!OwnTurn(t)) {
          StopClock(c);
          SendPass(c);
          t.ActionSent = true;
          t.Countdown = 0;
        }
        break;
    }
    DisableButtons(c, false);
  });
}

void Chi_Click(Client& c, int k) {
  auto& t = c.table;
  if (!c.net.Online || t.DecisionState == 3 || k < 0 || k / 2 >= c.play.ChiShown) return;
  Guarded(c, "Chi_Click", [&] {
    StopClock(c);
    const int n = k / 2;
    t.ChiPick[0] = t.ChiPick.at(static_cast<std::size_t>(2 * n));
    t.ChiPick[1] = t.ChiPick.at(static_cast<std::size_t>(2 * n + 1));
    SendChi(c, t.ChiPick[0], t.ChiPick[1]);
    HideChoices(c);
    c.MainForm.Operation(table::kOpChi).SetVisible(false);
  });
}

void Gang_Click(Client& c, int k) {
  auto& t = c.table;
  if (!c.net.Online || t.DecisionState == 3 || k < 0 || k >= c.play.GangShown) return;
  Guarded(c, "Gang_Click", [&] {
    StopClock(c);
    const int s = t.GangPick.at(static_cast<std::size_t>(k));
    const int kind = c.play.GangKind.at(static_cast<std::size_t>(k));
    HideChoices(c);
    for (auto* op : c.MainForm.Operation) op->SetVisible(false);
    // The kind found with the tile decides the move: a red dragon may make a concealed gang
    // of four as well as the fourth tile of a peng.
    SendGang(c, s, kind);
    t.GangPick[0] = s;
  });
}

}  // namespace play
