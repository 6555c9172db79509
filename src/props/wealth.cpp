// The wealth and dice multipliers the server decides and the table shows, and the bank button.
#include <stdexcept>

#include "assets/picture_ids.h"
#include "props/props.h"

#include "session/client.h"
#include "table/table_state.h"
#include "view/view.h"
#include "wire/messages.h"

namespace props {

namespace {

constexpr const char* kWealthTip = "财富加倍 ×";
constexpr const char* kDiceTip = "骰子加倍 ×";

// Which row of the caption table places lbwealth.
enum class WealthRow { NewMultiple, PlayerInfo, PlayersGone };

using table::Ix;

std::int32_t CheckedMultiple(std::uint32_t v) {
  if (v >= 0x80000000U) throw std::overflow_error("wealth multiple does not fit 31 bits");
  return static_cast<std::int32_t>(v);
}

void UpdateWealthTips(Client& c) {
  auto& f = c.MainForm;
  const std::string tip =
      c.props.WealthMultiple != 0 ? std::string(kWealthTip) + f.lbwealth.Caption() : "";
  f.Imgwealth.SetToolTipText(tip);
  f.lbwealth.SetToolTipText(tip);
}

// Shows a number in lbwealth with the font and place its row of the caption table gives.
void ShowWealthCaption(Client& c, std::int32_t value, WealthRow row) {
  auto& lb = c.MainForm.lbwealth;
  const bool big = value > 99;
  const bool full = c.table.ScaleX >= 1.0F;
  lb.SetCaption(std::to_string(value));
  c.props.WealthShown = value;
  switch (row) {
    case WealthRow::PlayersGone:
      lb.SetFontSize(full ? (big ? 12 : 16) : (big ? 11 : 15));
      break;
    case WealthRow::NewMultiple:
    case WealthRow::PlayerInfo: {
      const bool info = row == WealthRow::PlayerInfo;
      lb.SetFontSize(big ? 13 : 18);
      const int x =
          big ? view::Sx(c.table, 52) + (full ? 0 : 10) : view::Sx(c.table, 56) + (full ? 0 : 8);
      int y = 0;
      if (full) {
        y = big ? view::Sy(c.table, 622) : view::Sy(c.table, info ? 618 : 616);
      } else {
        y = big ? view::Sy(c.table, info ? 623 : 619) : view::Sy(c.table, 620);
      }
      lb.Move(x, y);
      break;
    }
  }
  UpdateWealthTips(c);
}

// The smallest positive wealth value of the four positions, 0 when there is none.
std::int32_t SmallestWealth(const Client& c) {
  std::int32_t best = 0;
  for (std::int32_t v : c.props.WealthValue) {
    if (v > 0 && (best == 0 || v < best)) best = v;
  }
  return best;
}

void ShowWealth(Client& c, bool on) {
  c.MainForm.Imgwealth.SetVisible(on);
  c.MainForm.lbwealth.SetVisible(on);
  if (on) {
    c.MainForm.Imgwealth.ZOrder(0);
    c.MainForm.lbwealth.ZOrder(0);
  }
  UpdateWealthTips(c);
}

}  // namespace

void WealthFromPlayerInfo(Client& c, int pos, const wire::PlayerInfo& m) {
  PropState& s = c.props;
  auto& f = c.MainForm;
  s.WealthMultiple = CheckedMultiple(m.Wealth);
  if (s.WealthMultiple != 0) {
    s.WealthValue.at(Ix(pos)) = s.WealthMultiple;
    ShowWealthCaption(c, SmallestWealth(c), WealthRow::PlayerInfo);
  }
  f.lbfont(0).SetVisible(m.WealthLegend);
  f.lbfont(1).SetVisible(s.WealthMultiple != 0);
  f.lbfont(2).SetVisible(s.WealthMultiple != 0);
  ShowWealth(c, s.WealthMultiple != 0);
}

void WealthPlayerLeft(Client& c, int pos, bool byTableStatus) {
  PropState& s = c.props;
  if (s.WealthMultiple != 0) {
    s.WealthValue.at(Ix(pos)) = 0;
    const std::int32_t shown = SmallestWealth(c);
    if (shown > 0) {
      ShowWealthCaption(c, shown, byTableStatus ? WealthRow::PlayersGone : WealthRow::PlayerInfo);
    }
  }
  if (byTableStatus) ShowWealth(c, s.WealthMultiple != 0);
}

void WealthAtHandStart(Client& c, const wire::HandStart& m) {
  PropState& s = c.props;
  auto& f = c.MainForm;
  s.DiceMultipleOn = m.DiceMultiple;
  const std::string diceTip = s.DiceMultipleOn ? std::string(kDiceTip) + f.lblDifen.Caption() : "";
  f.imgBeishu.SetToolTipText(diceTip);
  f.lblDifen.SetToolTipText(diceTip);
  if (s.WealthMultiple != 0) {
    // The table reset of the hand start put "1" in the caption: show the multiplier again.
    f.lbwealth.SetCaption(std::to_string(s.WealthShown));
    s.WealthMultipleText = f.lbwealth.Caption();
  } else {
    s.WealthMultipleText.clear();
  }
  ShowWealth(c, s.WealthMultiple != 0);
}

void WealthMultiplierUpdate(Client& c, const wire::TableStatus& m) {
  PropState& s = c.props;
  if (s.WealthMultiple == 0) {
    ShowWealth(c, false);
    return;
  }
  s.WealthMultiple = CheckedMultiple(m.NewMultiple);
  ShowWealthCaption(c, s.WealthMultiple, WealthRow::NewMultiple);
  ShowWealth(c, true);
}

void Bank_Click(Client& c) {
  SetBankState(c, 0);
}

void Bank_MouseMove(Client& c) {
  if (c.MainForm.Bank.Tag() == "1") return;
  c.MainForm.Bank.SetTag("1");
  c.MainForm.Bank.SetPicture(assets::pic::kBankLit);
}

void RestoreBank(Client& c) {
  if (c.MainForm.Bank.Tag() != "1") return;
  c.MainForm.Bank.SetTag("0");
  c.MainForm.Bank.SetPicture(assets::pic::kBank);
}

}  // namespace props
