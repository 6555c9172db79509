// Starting the plug-in, forwarding frames and events to it, carrying out what it asks for on
// the tick, and shutting it down.
#include <algorithm>
#include <charconv>

#include "net/net.h"
#include "props/chests.h"
#include "props/props.h"
#include "session/client.h"

namespace props {

namespace {

// A plug-in that keeps announcing items is served this many per tick, so the tick stays short.
constexpr int kItemsPerTick = 16;
constexpr const char* kHostKind = "DLL";
constexpr const char* kProfileName = "newvrp";

// One line per call the client makes into the plug-in (the per-tick polls excepted).
void Call(Client& c, const std::string& what) {
  c.host.Log("plugin", what);
}

void Refuse(Client& c, const std::string& why) {
  c.host.Log("plugin", "refused: " + why);
}

std::string Flag(bool on) {
  return on ? "true" : "false";
}

platform::PropPlugin* Object(Client& c) {
  return c.props.Plugin.get();
}

void ShowLabelItem(Client& c, const platform::PropSendItem& item) {
  if (item.Text.empty() || item.Numbers.size() != 4) {
    Refuse(c, "label item without text or without exactly four numbers");
    return;
  }
  ShowPropLabel(c, item.Text, item.Numbers, item.Style);
}

bool ParsePosition(const std::string& text, int& pos) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, pos);
  return ec == std::errc() && ptr == end;
}

// Carries out what of the item is the bridge's own (a label, a frame to send, a refusal) and
// adds the rest to out.
void TakeItem(Client& c, platform::PropSendItem& item, Actions& out) {
  switch (item.Kind) {
    case 0:
      if (!item.Text.empty()) out.emplace_back(ShowLine{item.Text, kLineWidth});
      break;
    case 1:
      ShowLabelItem(c, item);
      break;
    case 2: {
      if (item.Frame.size() != static_cast<std::size_t>(wire::kFrameSize)) {
        Refuse(c, "frame of " + std::to_string(item.Frame.size()) + " bytes");
        break;
      }
      wire::Frame f{};
      std::copy(item.Frame.begin(), item.Frame.end(), f.begin());
      net::QueueRawFrame(c.netCtx, f);
      break;
    }
    case 3: {
      int pos = 0;
      if (!ParsePosition(item.Text, pos) || pos < 1 || pos > 3) {
        Refuse(c, "whisper to position '" + item.Text + "'");
        break;
      }
      out.emplace_back(Whisper{pos});
      break;
    }
    case 4:
      if (item.Numbers.empty() || item.Numbers[0] <= 0 || item.Numbers[0] > 255) {
        Refuse(c, "key item without a key code");
        break;
      }
      out.emplace_back(PressKey{item.Numbers[0]});
      break;
    case 5:
      if (item.Numbers.empty() || item.Numbers[0] < 0 || item.Numbers[0] > 3) {
        Refuse(c, "player card of a position outside 0..3");
        break;
      }
      out.emplace_back(ShowCard{item.Numbers[0]});
      break;
    default:
      Refuse(c, "item of unknown kind " + std::to_string(item.Kind));
      break;
  }
}

}  // namespace

bool Active(const Client& c) {
  return c.props.Prop_GameDllState > 0;
}

bool ObjectExists(const Client& c) {
  return c.props.Plugin != nullptr;
}

void StartProps(Client& c) {
  PropState& s = c.props;
  auto& form = c.MainForm;
  form.Bank.SetVisible(true);
  form.Bank.ZOrder(0);
  s.Chests = {};
  ClearPropScores(c);

  if (!s.Plugin && c.net.Online && !s.LoadFailed) {
    s.Plugin = c.host.LoadPropPlugin();
    // The host has said why; a missing library is not looked for again this run.
    if (!s.Plugin) s.LoadFailed = true;
  }
  s.Prop_GameDllState = kPropsOff;
  if (!s.Plugin || !c.net.Online) return;

  std::int32_t scale = c.table.ScaleY == 1.0F ? 1 : 2;
  std::int32_t param = c.app.PropParam;
  Call(c, std::string("Initdll ") + kHostKind + " " + kProfileName + " " + std::to_string(scale) +
              " " + std::to_string(param));
  if (!s.Plugin->Initdll(c.app.LoginName, c.app.LoginKey, scale, param)) {
    // Without props at this table; the object goes, and the next seating starts it afresh.
    c.host.Log("plugin", "the plug-in refused to start; playing without props");
    s.Plugin.reset();
    s.Prop_GameDllState = kPropsNotStarted;
    return;
  }
  const bool chests = s.Plugin->GetBaoInfo(s.Chests);
  s.Prop_GameDllState = chests ? kPropsWithChests : kPropsRunning;
  PrepareChests(c);
  s.PropReady = true;
  c.host.Log("plugin", chests ? "running with chests" : "running");
}

void Shutdown(Client& c, int mode) {
  PropState& s = c.props;
  if (s.Prop_GameDllState <= 0) return;
  std::int32_t m = mode;
  Call(c, "InitExit " + std::to_string(mode));
  if (platform::PropPlugin* p = Object(c)) p->InitExit(m);
  s.Prop_GameDllState = kPropsNotStarted;
  s.PropReady = false;
  StopChests(c);
}

void ReleasePlugin(Client& c) {
  c.props.Plugin.reset();
}

bool SetUserinfo(Client& c, const table::PlayerRec& player, const std::string& account, int seatBit,
                 int pos, bool own) {
  Call(c, "SetUserinfo " + player.NickName + " " + account + " " + std::to_string(seatBit) + " " +
              std::to_string(pos) + " " + Flag(own));
  platform::PropPlugin* p = Object(c);
  if (p == nullptr) return true;
  platform::PropUser u;
  u.NickName = player.NickName;
  u.Account = account;
  u.SeatBit = seatBit;
  u.Position = pos;
  u.Own = own;
  u.Sex = player.Sex;
  u.Tag = player.Num2 != 0 ? 1 : 0;
  u.Title = player.Title;
  const bool ok = p->SetUserinfo(u);
  if (!ok) c.host.Log("plugin", "SetUserinfo refused; playing without props");
  return ok;
}

void ClearUser(Client& c, int pos) {
  Call(c, "ClearUser " + std::to_string(pos));
  if (platform::PropPlugin* p = Object(c)) p->ClearUser(pos);
}

void RecState(Client& c, int kind, bool on, int pos) {
  Call(c, "rec_state " + std::to_string(kind) + " " + Flag(on) + " " + std::to_string(pos));
  if (platform::PropPlugin* p = Object(c)) p->rec_state(kind, on, pos);
}

void RecState(Client& c, int kind, bool on) {
  if (!Active(c)) return;
  Call(c, "rec_state " + std::to_string(kind) + " " + Flag(on));
  if (platform::PropPlugin* p = Object(c)) p->rec_state(kind, on, -1);
}

void Ainit(Client& c, const std::string& file) {
  Call(c, "Ainit " + file);
  if (platform::PropPlugin* p = Object(c)) p->Ainit(file);
}

void InitShowNext(Client& c, bool on) {
  Call(c, "InitShowNext " + Flag(on));
  if (platform::PropPlugin* p = Object(c)) p->InitShowNext(on);
}

void RecMsg(Client& c, wire::Frame& frame) {
  if (!Active(c)) return;
  Call(c, "Rec_MSG " + std::to_string(frame[wire::kOffCmd]));
  if (platform::PropPlugin* p = Object(c)) p->Rec_MSG(frame);
}

void SetKeyDown(Client& c, int keyCode) {
  if (!Active(c)) return;
  Call(c, "SetKeyDown " + std::to_string(keyCode));
  if (platform::PropPlugin* p = Object(c)) p->SetKeyDown(keyCode);
}

void FixBuffPos(Client& c) {
  if (!Active(c)) return;
  Call(c, "FixBuffPos");
  if (platform::PropPlugin* p = Object(c)) p->FixBuffPos();
}

void SetBankState(Client& c, int state) {
  if (!Active(c)) return;
  Call(c, "setbankstate " + std::to_string(state));
  if (platform::PropPlugin* p = Object(c)) p->setbankstate(state);
}

void UpdataMyProp(Client& c) {
  if (!Active(c)) return;
  Call(c, "UpdataMyProp false");
  if (platform::PropPlugin* p = Object(c)) p->UpdataMyProp(false);
}

void MarkScorePending(Client& c) {
  c.props.ScorePending = true;
}

int ItemsDue(Client& c) {
  platform::PropPlugin* p = Object(c);
  if (!c.props.PropReady || p == nullptr) return 0;
  return std::min(p->CheckSendBuff(), kItemsPerTick);
}

bool TakeItem(Client& c, Actions& out) {
  platform::PropPlugin* p = Object(c);
  if (p == nullptr) return false;
  platform::PropSendItem item;
  if (!p->GetSendBuff(item)) return false;
  TakeItem(c, item, out);
  return true;
}

bool ServesItems(const PropState& s) {
  return s.PropReady;
}

void CallInitShowEnd(Client& c) {
  Call(c, "InitShowEnd");
  if (platform::PropPlugin* p = Object(c)) p->InitShowEnd();
}

int CallGetScoreInfo(Client& c, platform::PropScoreInfo& out) {
  platform::PropPlugin* p = Object(c);
  return p != nullptr ? p->GetScoreInfo(out) : 0;
}

void CallShowGif(Client& c, bool on) {
  Call(c, std::string("ShowGif 1 ") + Flag(on));
  if (platform::PropPlugin* p = Object(c)) p->ShowGif(1, on);
}

}  // namespace props
