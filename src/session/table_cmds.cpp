#include <algorithm>
#include <array>
#include <stdexcept>

#include "assets/sound_cues.h"
#include "net/net.h"
#include "platform/lobby.h"
#include "platform/messages.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/dispatch.h"
#include "session/hand_end.h"
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
constexpr int kSmallDiceGifBase = 600;  // faces 1..6
constexpr std::array<const char*, 4> kDirection = {"北", "西", "南", "东"};
constexpr const char* kWatchEnded = "有用户退出，旁观结束！";

using table::Ix;

void ReleaseHeld(Client& c, wire::Frame& held, bool holding) {
  if (held[wire::kOffCmd] == 0 || holding) return;
  held[wire::kOffSeat] = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  net::QueueRawFrame(c.netCtx, held);
  held[wire::kOffCmd] = 0;
}

int SmallDiceGif(int face) {
  static constexpr std::array<int, 6> kFaces = {kSmallDiceGifBase,     kSmallDiceGifBase + 1,
                                                kSmallDiceGifBase + 2, kSmallDiceGifBase + 3,
                                                kSmallDiceGifBase + 4, kSmallDiceGifBase + 5};
  return kFaces.at(static_cast<std::size_t>(face - 1));  // a die outside 1..6 is a bad frame
}

void ShowDiceMultiple(Client& c, const wire::HandStart& m) {
  auto& form = c.MainForm;
  const bool on = m.DiceMultiple;
  if (on) {
    form.lblDifen.SetCaption(std::to_string(m.Value[2] + m.Value[3]));
    form.imgsezi(0).SetPicture(SmallDiceGif(m.Value[2]));
    form.imgsezi(1).SetPicture(SmallDiceGif(m.Value[3]));
  }
  form.lblDifen.SetVisible(on);
  form.imgBeishu.SetVisible(on);
  form.imgsezi(0).SetVisible(on);
  form.imgsezi(1).SetVisible(on);
  for (auto* l : form.lbfont) l->SetVisible(false);
}

void MarkDealer(Client& c, int pos) {
  for (int p = 0; p < 4; ++p) c.table.Hand.at(Ix(p)).IsDealer = p == pos;
}

int PosOfSeatBit(Client& c, int seatBit) {
  for (int p = 0; p < 4; ++p) {
    if (c.table.Hand.at(Ix(p)).SeatBit == seatBit) return p;
  }
  return -1;
}

void EndWatching(Client& c) {
  platform::ShowMessage(c.host, kWatchEnded, "");
  platform::EndProgram(c.host, "a player left the watched table");
}

void StatusContinue(Client& c, const wire::TableStatus& m) {
  DispatchState& d = c.disp;
  if (d.RestartPending) {
    d.RestartPending = false;
    c.net.InHand = false;
    if (!c.table.WatchMode) {
      d.ShortReady = m.ShortReady == 1;
      if (m.Value[2] == 1) {
        ui::StartSeatChange(c.uiCtx);
        ui::ShowAdvertisement(c.uiCtx, 2, d.AdPage2, c.disp.AdFailed);
      }
    }
  }
  if (m.Value[2] == 1) return;
  props::WealthMultiplierUpdate(c, m);
}

void StatusPlayersLeft(Client& c, const wire::TableStatus& m) {
  if (m.Seat == kAllSeats) return;
  DispatchState& d = c.disp;
  auto& form = c.MainForm;
  c.net.TaskOn[net::kTaskReadyClock] = false;
  c.net.InHand = false;
  d.GameOver = true;
  c.score.GameEnded = true;

  const int leavers = kAllSeats - m.Seat;
  const int own = c.table.Hand[0].SeatBit;
  const int h = table::SeatPosOf(own, table::BitOf(table::BitIndex(leavers)));
  if (h == 0) {
    if (props::Active(c)) props::Shutdown(c);
    c.host.Winsock1().Close();
    session::Form_Unload(c, "the game is over and the own seat has gone");
  }

  MarkTableResetDue(c.disp);
  std::string list;
  for (int bit = 1; bit <= 8; bit *= 2) {
    if ((leavers & bit) == 0) continue;
    const int p = table::SeatPosOf(own, bit);
    list += c.table.Player.at(Ix(p)).NickName + ",";
    d.SeatedOthers -= 1;
    if (props::Active(c)) props::ClearUser(c, p);
    props::WealthPlayerLeft(c, p, true);
  }
  for (int t = 1; t <= 3; ++t) {
    form.OK(t).SetVisible(false);
    form.Tou(t).SetPicture(0);
    form.Nid(t).SetCaption("");
    form.Cash(t).SetCaption("");
    form.Level(t).SetCaption("");
    c.table.Hand.at(Ix(t)).Account.clear();
    c.table.Player.at(Ix(t)) = {};
  }
  ui::SysmsgClear(c.MainForm, 0);
  ui::SysmsgClear(c.MainForm, 1);
  ui::SysmsgAdd(c.MainForm, c.host, 0, list + "退出了游戏！ " + ClockText(c));
  ui::SysmsgAdd(c.MainForm, c.host, 1, list + "请退出重新开始游戏.");
  score::ShowRecordWindow(c.scoreCtx);
  ShowLeaveDialog(c, "玩家" + list + "退出了游戏！游戏结束！");
  c.host.Winsock1().Close();
  session::LeaveTable(c);
  if (c.table.WatchMode) EndWatching(c);
}

void StatusHandSetUp(Client& c, const wire::TableStatus& m) {
  DispatchState& d = c.disp;
  c.MainForm.Zhuang.SetCaption(kDirection.at(Ix(table::BitIndex(m.Seat))));
  MarkDealer(c, PosOfSeatBit(c, m.Seat));
  if (c.MainForm.State() == platform::WindowState::Minimized && !c.table.BossMode) {
    c.MainForm.SetState(platform::WindowState::Normal);
    session::MinimizeLobby(c);
    c.host.Log("focus", "MainForm");
  }
  for (int t = 1; t <= 3; ++t) d.OtherNames.at(Ix(t - 1)) = c.table.Hand.at(Ix(t)).Account;
  const std::uint32_t ticket = m.Ticket;
  if (ticket >= 0x80000000U) throw std::overflow_error("reconnect ticket does not fit 31 bits");
  c.net.ReconnectTicket = ticket;
  ui::StopSeatChange(c.uiCtx);
  ui::HideAdvertisement(c.uiCtx, 2);
  d.RestartPending = true;
  if (c.table.TimeoutCount > 0) c.table.TimeoutCount = 0;
}

void StatusLacksGold(Client& c, const wire::TableStatus& m) {
  DispatchState& d = c.disp;
  c.net.InHand = false;
  ui::StopSeatChange(c.uiCtx);
  ui::HideAdvertisement(c.uiCtx, 2);

  const int lacking = kAllSeats - m.Seat;
  std::string list;
  for (int t = 1; t <= 3; ++t) {
    const int bit = c.table.Hand.at(Ix(t)).SeatBit;
    if (bit != 0 && (lacking & bit) != 0) {
      if (!list.empty()) list += "，";
      list += c.table.Player.at(Ix(t)).NickName;
    }
  }
  if (!list.empty()) list = "玩家" + list;
  const int own = c.table.Hand[0].SeatBit;
  std::string self;
  if (own != 0 && (lacking & own) != 0) {
    self = list.empty() ? c.table.Hand[0].Account : "，" + c.table.Hand[0].Account;
  }

  ui::SysmsgClear(c.MainForm, 0);
  ui::SysmsgAdd(c.MainForm, c.host, 0, list + self + "金币不够，退出游戏！");
  c.net.TaskOn[net::kTaskReadyClock] = false;
  if (c.MainForm.State() != platform::WindowState::Minimized) score::ShowScoreWindow(c.scoreCtx);
  d.GameOver = true;
  c.score.GameEnded = true;

  if (!self.empty()) {
    const bool changeRoom = (m.ShortReady & own) != 0;
    ShowLeaveDialog(c, changeRoom ? "您的金币不够，请更换房间或充值后继续游戏！"
                                  : "您的金币不够，请领取低保或充值后继续游戏！");
    if (props::Active(c)) props::Shutdown(c);
    c.net.TaskOn[net::kTaskLogin] = false;
    c.net.g_bCanRecon = false;
    c.net.TaskOn[net::kTaskWatch] = false;
    c.TimerBong.SetEnabled(false);
    c.host.Winsock1().Close();
    c.net.TaskOn[net::kTaskReadyClock] = false;
    for (int t = 1; t <= 3; ++t) {
      if (!c.table.Hand.at(Ix(t)).Account.empty()) ClearPosition(c, t, false);
    }
    c.TimerKeepAlive.SetEnabled(false);
    session::LeaveTable(c);
    return;
  }
  c.net.TaskOn[net::kTaskReadyClock] = false;
  c.net.InHand = false;
  MarkTableResetDue(c.disp);
  if (c.table.WatchMode) EndWatching(c);
}

}  // namespace

void BuildWall(Client& c) {
  try {
    if (c.ui.SoundOn) ui::PlayEffect(c.soundPlayer, assets::kSoundWall);
    view::BuildWall(c.viewCtx);
    session::PostToLobby(c, platform::kClientHandBegun);
    auto& t = c.table;
    t.HiddenGangLog.fill({});
    t.HiddenGangCount = 0;
    t.HandOpen = false;
    t.TingShown.fill(0);
    t.GangCount = 0;
    c.play.RevealCode.fill(0);
    c.play.RevealCtl.fill(0);
    c.play.RevealCount = 0;
  } catch (const std::exception& e) {
    c.host.Log("error", std::string("wall build: ") + e.what());
    session::RestoreLobbyAndEnd(c, std::string("wall build failed: ") + e.what());
  }
}

void OnHandStart(Client& c, const wire::HandStart& m) {
  net::NetState& n = c.net;
  DispatchState& d = c.disp;
  auto& form = c.MainForm;

  // The last hand's end is finished before anything of this one is shown.
  CloseHandEnd(c);
  EnableBarAfterResume(c);
  ReleaseHeld(c, n.HeldFrameA, n.HoldReadyA);
  ReleaseHeld(c, n.HeldFrameB, n.HoldReadyB);
  n.HoldReadyA = false;
  n.HoldQuit = false;
  d.PlayedHand = 1;
  d.PropRefresh = true;
  if (props::Active(c)) props::InitShowNext(c, true);
  for (std::size_t i = 0; i < c.table.GoldAtStart.size(); ++i)
    c.table.GoldAtStart[i] = c.table.Player[i].Gold;
  if (c.frmExit.Visible()) UnloadExitDialog(c);
  d.GameOver = false;
  // A hand dealt before the last one was cleared away (nobody pressed start in time, or the
  // client came back between hands) starts from an empty table too.
  const bool tilesLeft = std::any_of(c.table.Hand.begin(), c.table.Hand.end(), [](const auto& h) {
    return h.HiddenCount > 0 || h.HiddenFirst != table::HandRec{}.HiddenFirst;
  });
  if (c.table.WatchMode || tilesLeft) {
    ResetTable(c);
  } else {
    ResetTableIfDue(c);
  }

  n.TaskOn[net::kTaskBlink] = true;
  n.TaskTick[net::kTaskBlink] = 0;
  n.InHand = true;
  c.score.HandInProgress = true;
  for (auto* ok : form.OK) ok->SetVisible(false);
  c.table.HandNumber += 1;
  ResetTableDisplay(c);
  BuildWall(c);

  const int dealer = PosOfSeatBit(c, m.Seat);
  if (dealer < 0) {
    platform::ShowMessage(c.host, "有玩家退出，游戏结束！", "");
    session::RestoreLobbyAndEnd(c, "the dealer of the new hand is not at the table");
  }
  MarkDealer(c, dealer);
  const int side = (dealer - m.Value[0] + 13 - m.Value[1]) & 3;
  c.table.WallHead = (side * 17 + m.Value[2] + m.Value[3]) * 2 % table::kTileCount;
  c.table.WallTail = (c.table.WallHead + 134) % table::kTileCount;
  c.table.Dice = {m.Value[0], m.Value[1]};

  ShowDiceMultiple(c, m);
  props::WealthAtHandStart(c, m);

  form.ZhiNan.SetVisible(true);
  form.Host.SetVisible(true);
  form.Zhuang.SetVisible(true);
  form.Zhuang.ZOrder(0);
  for (int b = 0; b < form.Operation.Count(); ++b) {
    auto& op = form.Operation(b);
    op.SetVisible(false);
    op.SetEnabled(false);
    op.SetPicture(kOpGifBase + 3 * b);
  }
}

void OnTableStatus(Client& c, const wire::TableStatus& m) {
  switch (m.Value[3]) {
    case 0:
      StatusContinue(c, m);
      break;
    case 1:
      StatusPlayersLeft(c, m);
      break;
    case 2:
      StatusHandSetUp(c, m);
      break;
    default:
      StatusLacksGold(c, m);
      break;
  }
}

void OnTableClosed(Client& c, const wire::TableClosed& m) {
  c.net.TaskOn[net::kTaskWatch] = false;
  c.net.TaskOn[net::kTaskReadyClock] = false;
  c.net.InHand = false;
  c.host.Pause(2000);  // a plain pause: the window does not answer meanwhile
  const std::string notice = text::DecodeDoubleByte(m.Notice, m.Notice.size());
  ui::SysmsgClear(c.MainForm, 0);
  ui::SysmsgAdd(c.MainForm, c.host, 0, notice);
  for (auto* tou : c.MainForm.Tou) tou->SetPicture(0);
  if (props::Active(c)) props::Shutdown(c);
  ShowLeaveDialog(c, notice);
}

void OnPlayerReady(Client& c, const wire::PlayerReady& m) {
  const std::string account = text::DecodeSingleByte(m.Account, m.Account.size());
  if (m.Value[3] == 1) {
    for (int p = 0; p < 4; ++p) {
      if (c.MainForm.Nid(p).Caption().empty()) continue;
      if (c.table.Hand.at(Ix(p)).Account != account) continue;
      c.MainForm.OK(p).SetVisible(true);
      c.MainForm.OK(p).ZOrder(0);
    }
  }
  ResetWhenOthersReady(c);
}

void OnHandResume(Client& c, const wire::HandResume& m) {
  auto& form = c.MainForm;
  for (int i = 0; i <= 2; ++i) c.ui.ButtonState.at(Ix(i)) = -1;
  ResetTable(c);
  for (int i = 0; i <= 2; ++i) {
    form.AnNiu(i).SetEnabled(false);
    form.AnNiu(i).SetPicture(ui::AnNiuPicture(c.uiCtx, i, false));
  }
  form.Zhuang.SetCaption(kDirection.at(Ix(table::BitIndex(m.Seat))));
  form.Zhuang.SetVisible(true);
  form.Host.SetVisible(true);
  form.Zhuang.ZOrder(0);
  form.Host.ZOrder(0);
  c.disp.ResumeDealerSeat = m.Seat;
  c.table.WildTile = m.Value[2];
  c.table.IndicatorTile = m.Value[3];
  c.disp.ResumeDice = {m.Value[0], m.Value[1]};
  c.table.Dice = {m.Value[0], m.Value[1]};
}

void EnableBarAfterResume(Client& c) {
  for (int i = 0; i <= 2; ++i) {
    auto& button = c.MainForm.AnNiu(i);
    if (button.Enabled()) continue;
    button.SetEnabled(true);
    button.SetPicture(ui::AnNiuPicture(c.uiCtx, i, false));
  }
}

void OnOwnGold(Client& c, const wire::Gold& m) {
  table::PlayerRec& own = c.table.Player[0];
  own.Gold += m.Change;
  if (own.Gold < 0) own.Gold = 0;
  ui::ShowCash(c.MainForm, c.host, 0, GoldText(own.Gold));
}

void OnOtherGold(Client& c, const wire::Gold& m) {
  const std::string name = text::DecodeDoubleByte(m.Account, m.Account.size());
  if (name.empty()) return;
  for (int t = 1; t <= 3; ++t) {
    table::PlayerRec& pl = c.table.Player.at(Ix(t));
    if (pl.Account != name) continue;
    pl.Gold += m.Change;
    if (pl.Gold < 0) pl.Gold = 0;
    ui::ShowCash(c.MainForm, c.host, t, GoldText(pl.Gold));
    return;
  }
}

}  // namespace session
