#include <stdexcept>

#include "assets/sound_cues.h"
#include "net/net.h"
#include "platform/messages.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/dispatch.h"
#include "session/program.h"
#include "session/seat_common.h"
#include "session/table_reset.h"
#include "table/tiles.h"
#include "text/gbk.h"
#include "ui/messages.h"
#include "ui/sound.h"
#include "ui/ui.h"
#include "view/view.h"

namespace session {

namespace {

constexpr int kAllSeats = 15;
constexpr const char* kVoiceFolder = "27";
constexpr std::array<const char*, 6> kVoiceStyles = {"10", "20", "30", "40", "10", "20"};
constexpr const char* kWatchEnded = "有用户退出，旁观结束！";

using table::Ix;

bool SingleSeatBit(int s) {
  return s == 1 || s == 2 || s == 4 || s == 8;
}

void StopSeatChangeAndAdvert(Client& c) {
  ui::StopSeatChange(c.uiCtx);
  ui::HideAdvertisement(c.uiCtx, 2);
}

void RestoreTable(Client& c) {
  c.MainForm.SetState(platform::WindowState::Normal);
  session::MinimizeLobby(c);
  c.host.Log("focus", "MainForm");
}

// Registers a player with the plug-in; a refusal switches the plug-in off for the rest of the run.
bool RegisterWithProps(Client& c, const table::PlayerRec& pl, const std::string& account,
                       int seatBit, int pos) {
  if (props::SetUserinfo(c, pl, account, seatBit, pos, pos == 0)) return true;
  props::Shutdown(c);
  c.props.Prop_GameDllState = -1;
  return false;
}

// A style not yet given in this sequence: the drawn one, else the lowest free one.
int PickVoice(Client& c, std::span<bool> used) {
  const auto n = static_cast<double>(used.size());
  auto u = static_cast<std::size_t>(c.host.Rnd() * n);
  if (u >= used.size()) u = used.size() - 1;
  if (used[u]) {
    for (std::size_t i = 0; i < used.size(); ++i) {
      if (!used[i]) {
        u = i;
        break;
      }
    }
  }
  used[u] = true;
  return static_cast<int>(u);
}

void AssignVoices(Client& c) {
  DispatchState& d = c.disp;
  d.Reseating = false;
  d.SeatNameCount = 5;
  view::ShowCompass(c.viewCtx);
  c.ui.ButtonState[5] = 0;
  c.ui.ButtonState[6] = 0;
  d.MaleVoiceUsed.fill(false);
  d.FemaleVoiceUsed.fill(false);
  c.host.Randomize(c.host.SecondsSinceMidnight());
  for (int t = 0; t < 4; ++t) {
    table::PlayerRec& pl = c.table.Player.at(Ix(t));
    int u = -1;
    if (pl.Sex == 0) {
      u = PickVoice(c, d.FemaleVoiceUsed);
    } else if (pl.Sex == 1) {
      u = PickVoice(c, std::span(d.MaleVoiceUsed).first(5));
    }
    if (u >= 0) {
      pl.VoiceA = kVoiceFolder;
      pl.VoiceB = kVoiceStyles.at(Ix(u));
    }
    pl.VoiceSex = pl.Sex != 0 ? 3 : 2;
    ui::SetVoiceStyle(c.ui, t, pl.VoiceB, pl.VoiceSex);
  }
}

// Watch mode: places the four collected records around the watched player.
void PlaceWatchedTable(Client& c) {
  DispatchState& d = c.disp;
  std::array<table::PlayerRec, 4> recs;
  for (std::size_t i = 0; i < recs.size(); ++i) recs[i] = ParsePlayer(d.WatchSlots[i]);

  int watched = -1;
  for (std::size_t i = 0; i < recs.size(); ++i) {
    if (recs[i].UserId == c.table.Player[0].UserId) {
      watched = static_cast<int>(i);
      break;
    }
  }
  auto& own = c.table.Hand[0];
  if (watched >= 0) {
    const auto& rec = recs[Ix(watched)];
    own.Account = rec.Account;
    // The watched player's frame may carry 15 ("this is you") instead of its seat: only a
    // real seat bit replaces the one the seat names gave.
    const int seat = d.WatchSlots[Ix(watched)].Seat;
    if (SingleSeatBit(seat)) own.SeatBit = seat;
    c.table.Player[0] = rec;
  }
  view::ShowCompass(c.viewCtx);  // a missing seat bit becomes seat 1 here
  const int w = own.SeatBit;
  const int ownIndex = table::BitIndex(w);
  for (int p = 0; p < 4; ++p) c.table.Hand.at(Ix(p)).SeatBit = table::SeatBitAt(ownIndex, p);

  for (std::size_t i = 0; i < recs.size(); ++i) {
    if (static_cast<int>(i) == watched) continue;
    const int s = d.WatchSlots[i].Seat;
    if (!SingleSeatBit(s) || s == w) continue;
    const int p = table::SeatPosOf(w, s);
    c.table.Hand.at(Ix(p)).Account = recs[i].Account;
    c.table.Player.at(Ix(p)) = recs[i];
  }

  for (int p = 0; p < 4; ++p) {
    auto& h = c.table.Hand.at(Ix(p));
    h.IsDealer = h.SeatBit == d.ResumeDealerSeat;
    if (!h.IsDealer) continue;
    const int d0 = d.ResumeDice[0];
    const int d1 = d.ResumeDice[1];
    const int side = ((13 + p - d0) % 4 + 4) % 4;
    c.table.WallHead = (side * 17 + d0 + d1) * 2 % table::kTileCount;
    c.table.WallTail = (c.table.WallHead + 134) % table::kTileCount;
  }
  for (int p = 0; p < 4; ++p) ShowPlayer(c, p);
}

// Watch mode collects a sequence's four frames first; true once they are all in. A frame after
// a complete sequence refreshes its position like any single update.
bool CollectWatchFrame(Client& c, const wire::PlayerInfo& m) {
  auto& slots = c.disp.WatchSlots;
  if (slots[3].Cmd != 0) return true;
  for (auto& slot : slots) {
    if (slot.Cmd == 0) {
      slot = m;
      break;
    }
  }
  if (slots[3].Cmd == 0) return false;
  PlaceWatchedTable(c);
  return true;
}

int ChoosePosition(Client& c, const wire::PlayerInfo& m) {
  const int seat = m.Seat;
  DispatchState& d = c.disp;
  auto& form = c.MainForm;
  if (seat == kAllSeats) {
    c.ui.ButtonState[2] = 0;
    return 0;
  }
  if (seat == 0) {
    int p = -1;
    if (d.SeatedOthers == 0) {
      p = 1;
    } else {
      for (int t = 1; t <= 3; ++t) {
        if (form.Nid(t).Caption().empty()) {
          p = t;
          break;
        }
      }
    }
    if (p < 0) throw std::runtime_error("a new player but no free position");
    d.SeatedOthers += 1;
    if (d.SeatedOthers == 3 && d.PlayedHand == 0) RestoreTable(c);
    return p;
  }
  if (seat == c.table.Hand[0].SeatBit) {
    if (props::ObjectExists(c) && c.table.Player[0].Gold > 0) {
      if (RegisterWithProps(c, c.table.Player[0], c.table.Hand[0].Account, seat, 0)) {
        form.Tou(0).SetVisible(false);
        form.Tou(0).SetEnabled(false);
      }
    }
    props::WealthFromPlayerInfo(c, 0, m);
  }
  return table::SeatPosOf(c.table.Hand[0].SeatBit, seat);
}

}  // namespace

void OnSeatNames(Client& c) {
  DispatchState& d = c.disp;
  if (!c.table.WatchMode) c.TimerKeepAlive.SetEnabled(false);
  for (auto* ok : c.MainForm.OK) ok->SetVisible(false);
  const bool fourth = d.SeatNameCount == 3;
  d.SeatNameCount += 1;
  d.Reseating = true;
  if (!fourth) return;

  d.SeatNameCount = 0;
  ShowStartButtonNormal(c);
  c.ui.ButtonState[2] = -1;
  const auto& names = c.net.SeatNames;
  for (int s = 3; s >= 0; --s) {
    if (names.at(Ix(s)) != c.table.Hand[0].Account) continue;
    for (int u = 0; u < 4; ++u) {
      const int seat = (s + 4 - u) & 3;
      auto& h = c.table.Hand.at(Ix(u));
      h.SeatBit = table::BitOf(seat);
      h.Account = names.at(Ix(seat));
    }
    if (c.ui.SoundOn) ui::PlayEffect(c.soundPlayer, assets::kSoundTake);
    view::DrawSeatWind(c.viewCtx, s);
    view::ShowCompass(c.viewCtx);
    break;
  }
  if (props::Active(c)) {
    for (int t = 1; t <= 3; ++t) props::ClearUser(c, t);
  }
}

void OnPlayerInfo(Client& c, const wire::PlayerInfo& m) {
  DispatchState& d = c.disp;
  auto& form = c.MainForm;
  d.GameOver = false;
  if (c.table.WatchMode && !CollectWatchFrame(c, m)) return;

  StopSeatChangeAndAdvert(c);
  const std::string account = text::DecodeSingleByte(m.Account, m.Account.size());
  if (d.Reseating) d.SeatNameCount += 1;

  const int p = ChoosePosition(c, m);
  auto& hand = c.table.Hand.at(Ix(p));
  hand.Account = account;
  if (m.Ready) {
    form.OK(p).SetVisible(true);
    form.OK(p).ZOrder(0);
  }
  c.table.Player.at(Ix(p)) = ParsePlayer(m);

  if (m.NoProps || c.app.Prop_swicth != 1) {
    c.props.Prop_GameDllState = -1;
  } else if (c.props.Prop_GameDllState == 0) {
    props::StartProps(c);
  }
  if (props::ObjectExists(c) && c.table.Player.at(Ix(p)).Gold > 0) {
    const int seatBit = hand.SeatBit != 0 ? hand.SeatBit : table::BitOf(p);
    if (RegisterWithProps(c, c.table.Player.at(Ix(p)), account, seatBit, p)) {
      form.Tou(p).SetVisible(false);
      form.Tou(p).SetEnabled(false);
      props::RecState(c, 2, true, p);
    }
  }

  ResetWhenOthersReady(c);
  ShowPlayer(c, p);

  if (d.SeatedOthers == 3 && ResetTableIfDue(c)) {
    ui::SysmsgClear(c.MainForm, 0);
    ui::SysmsgAdd(c.MainForm, c.host, 0, "游戏将在15秒内开始");
    // The table is full before the first hand: the start button may now say the player is
    // ready, as the continue button does after a hand, instead of leaving the deal to the
    // server's timer.
    if (d.PlayedHand == 0 && !c.net.InHand) c.ui.ButtonState[2] = 0;
  }
  props::WealthFromPlayerInfo(c, p, m);
  if (d.Reseating && d.SeatNameCount >= 4) AssignVoices(c);
}

void OnPlayerLeft(Client& c, const wire::PlayerLeft& m) {
  DispatchState& d = c.disp;
  StopSeatChangeAndAdvert(c);

  const int first = m.Account[0] - (m.Shifted ? 1 : 0);
  if (first < 0) throw std::out_of_range("leaver's account starts below code 0");
  std::string leaver;
  if (first != 0) {
    std::array<std::uint8_t, 16> raw{};
    raw[0] = static_cast<std::uint8_t>(first);
    for (std::size_t i = 1; i < raw.size(); ++i) raw[i] = m.Account[i];
    leaver = text::DecodeSingleByte(raw, raw.size());
  }
  if (!leaver.empty() && leaver == c.table.Hand[0].Account) {
    platform::EndProgram(c.host, "the own seat left the table");
  }

  for (int t = 1; t <= 3; ++t) {
    const auto& name = c.table.Hand.at(Ix(t)).Account;
    if (!name.empty() && name == leaver) ClearPosition(c, t, true);
  }

  if (props::Active(c) && d.PlayedHand == 1 && d.PropRefresh) {
    d.PropRefresh = false;
    for (int t = 1; t <= 3; ++t) {
      props::RecState(c, 2, false, t);
      c.MainForm.Tou(t).SetVisible(true);
    }
    props::Ainit(c, std::string("newvrp") + ".xml");
  }

  for (auto& h : c.table.Hand) h.SeatBit = 0;

  if (d.RestartPending) {
    d.RestartPending = false;
    c.ui.ButtonState[2] = 0;
    c.net.InHand = false;
    MarkTableResetDue(d);
    if (!c.table.WatchMode) {
      const int seconds = c.table.BossMode ? 1 : (m.ShortReady == 1 ? 10 : 15);
      score::StartContinueCountdown(c.scoreCtx, seconds);
    }
  }
  d.RestartPending = true;
  if (!c.TimerKeepAlive.Enabled()) c.TimerKeepAlive.SetEnabled(true);

  if (c.table.WatchMode) {
    platform::ShowMessage(c.host, kWatchEnded, "");
    platform::EndProgram(c.host, "a player left the watched table");
  }
}

}  // namespace session
