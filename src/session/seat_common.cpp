#include "session/seat_common.h"

#include <cmath>
#include <cstdio>

#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/table_reset.h"
#include "table/table_state.h"
#include "text/gbk.h"
#include "ui/messages.h"
#include "ui/ui.h"
#include "wire/messages.h"

namespace session {

namespace {

using table::Ix;

}  // namespace

table::PlayerRec ParsePlayer(const wire::PlayerInfo& m) {
  const auto single = [](const auto& field) { return text::DecodeSingleByte(field, field.size()); };
  const auto twoByte = [](const auto& field) {
    return text::DecodeDoubleByte(field, field.size());
  };
  table::PlayerRec r;
  r.NickName = twoByte(m.NickName);
  r.Face = single(m.Face);
  if (r.Face.empty()) r.Face = "m1";
  r.Sex = m.Sex;
  r.Title = twoByte(m.Title);
  r.Num1 = m.Num1;
  r.Num2 = m.Num2;
  r.Gold = m.Gold;
  r.Num4 = m.Num4;
  r.Group = twoByte(m.Group);
  r.Num5 = m.Num5;
  r.Num6 = m.Num6;
  r.Num7 = m.Num7;
  r.Stat = m.Stat;
  r.Account = single(m.Account);
  r.Caption = twoByte(m.Caption);
  r.VoiceA = single(m.VoiceA);
  r.VoiceB = single(m.VoiceB);
  r.UserId = m.UserId;
  return r;
}

int FaceIndex(const std::string& face) {
  auto digit = [&face](std::size_t i) {
    const char ch = face[i];
    return ch >= '0' && ch <= '9' ? ch - '0' : -1;
  };
  int f = 0;
  if (face.size() == 2 && digit(1) >= 0) {
    f = digit(1) - 1;
  } else if (face.size() == 3 && digit(1) >= 0 && digit(2) >= 0) {
    f = digit(1) * 10 + digit(2) - 1;
  }
  // "m0" and other keys outside the ten portraits show the first one.
  if (f > 9 || f < 0) f = 0;
  if (!face.empty() && face[0] == 'w') f += 10;
  return f;
}

int FaceGif(int face) {
  return face < 10 ? kFaceGifBase + face : kFaceGifWomenBase + face - 10;
}

void ShowPlayer(Client& c, int p) {
  const table::PlayerRec& pl = c.table.Player.at(Ix(p));
  const int f = FaceIndex(pl.Face);
  c.MainForm.Tou(p).SetPicture(FaceGif(f));
  score::SetScoreAvatar(c.Score, p, f);
  c.MainForm.Nid(p).SetCaption("[" + pl.Caption + "] " + pl.NickName);
  ui::ShowCash(c.MainForm, c.host, p, GoldText(pl.Gold));
  c.MainForm.Level(p).SetCaption(pl.Group);
  score::SetRecordPlayer(c.Hero, p, pl.NickName, f);
  c.table.NameCard.at(Ix(p)) = {pl.NickName, f};
}

std::string GoldText(double gold) {
  char buf[40];
  if (std::fabs(gold) < 1e15 && gold == std::floor(gold)) {
    std::snprintf(buf, sizeof buf, "%.0f", gold);
  } else {
    std::snprintf(buf, sizeof buf, "%.15G", gold);
  }
  return std::string(buf) + "金币";
}

std::string ClockText(Client& c) {
  const auto s = static_cast<long>(c.host.SecondsSinceMidnight());
  return std::to_string(s / 3600) + ":" + std::to_string(s / 60 % 60) + ":" +
         std::to_string(s % 60);
}

void ClearPosition(Client& c, int t, bool withMessage) {
  auto& form = c.MainForm;
  MarkTableResetDue(c.disp);
  c.disp.SeatedOthers -= 1;
  form.OK(t).SetVisible(false);
  form.Tou(t).SetPicture(0);
  form.Nid(t).SetCaption("");
  form.Cash(t).SetCaption("");
  form.Level(t).SetCaption("");
  if (withMessage) {
    ui::SysmsgClear(c.MainForm, 0);
    ui::SysmsgAdd(c.MainForm, c.host, 0,
                  c.table.Player.at(Ix(t)).NickName + "退出了游戏 " + ClockText(c));
    ui::SysmsgClear(c.MainForm, 1);
  }
  c.disp.OtherNames.at(Ix(t - 1)).clear();
  c.table.Hand.at(Ix(t)).Account.clear();
  c.table.Player.at(Ix(t)) = {};
  if (props::Active(c)) props::ClearUser(c, t);
  props::WealthPlayerLeft(c, t, false);
}

}  // namespace session
