// After a hand: the prop step that waits for the plug-in's scores, the treasure-chest game with
// its countdown, the rolling prize label and the prop lines of the score sheet.
#include "props/chests.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/form_events.h"
#include "props/props.h"
#include "session/client.h"
#include "session/seat_common.h"
#include "table/table_state.h"
#include "text/gbk.h"
#include "text/number.h"

namespace props {

namespace {

constexpr int kChests = 15;
constexpr int kGroup = 5;
constexpr int kCountdownTicks = 20;
constexpr int kChestSeconds = 5;
constexpr int kMoveSteps = 5;
constexpr int kMoveStepMs = 37;
constexpr int kLabelHeight = 50;
constexpr int kLabelUnit = 14;
constexpr int kLineHeight = 22;
constexpr int kHideLabelMs = 1000;
// A plug-in that announced scores but never delivers them: the sheet comes without them.
constexpr int kScoreWaitTicks = 200;
constexpr std::uint32_t kMaxColour = 16777215;
constexpr const char* kChooseText = "请选择一个宝箱打开";
constexpr const char* kWaitOthersText = "请等待其他玩家打开宝箱";
constexpr const char* kWaitText = "请等待玩家打开宝箱";
constexpr const char* kCoins = "金币";

using table::Ix;

bool HasChestInfo(const PropState& s, int p) {
  return !s.ChestTitle.at(Ix(p)).empty() || !s.ChestLines.at(Ix(p)).empty();
}

int RandomChest(Client& c) {
  return static_cast<int>(std::nearbyint(4 * c.host.Rnd()));
}

// Colour numbers of the plug-in put red in the low byte (255 is red).
std::uint32_t ColourToRgb(std::uint32_t v) {
  return ((v & 0xFFU) << 16) | (v & 0xFF00U) | ((v >> 16) & 0xFFU);
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = s.find(sep, from);
    parts.push_back(s.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) return parts;
    from = at + 1;
  }
}

// The UTF-8 characters of a text, one string each.
std::vector<std::string_view> Chars(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (b >= 0xF0) {
      n = 4;
    } else if (b >= 0xE0) {
      n = 3;
    } else if (b >= 0xC0) {
      n = 2;
    }
    n = std::min(n, s.size() - i);
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

std::string Join(const std::vector<std::string_view>& chars, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t i = from; i < to && i < chars.size(); ++i) out += chars[i];
  return out;
}

bool InRange(std::int32_t v, std::int32_t lo, std::int32_t hi) {
  return v >= lo && v <= hi;
}

// Everything the chest game reads from the plug-in's tables must lie on or near the table.
bool TablesUsable(const platform::PropChestTables& t) {
  constexpr std::int32_t kLo = -1024;
  constexpr std::int32_t kHi = 2048;
  const auto places = [&](auto const& a) {
    return std::all_of(a.begin(), a.end(), [&](std::int32_t v) { return InRange(v, kLo, kHi); });
  };
  const auto sizes = [](auto const& a) {
    return std::all_of(a.begin(), a.end(), [](std::int32_t v) { return InRange(v, 1, 1024); });
  };
  return places(t.ChestLayout) && places(t.ChestCentre) && places(t.PrizeTarget) &&
         places(t.PropLabelAnchor) && sizes(t.ChestSize) && sizes(t.PrizeSize) &&
         InRange(t.PropTiming[0], 1, 10000) && InRange(t.PropTiming[1], 1, 1000) &&
         t.ClosedChestPicture >= 0 && t.PrizePicture >= 0;
}

std::string AmountText(double v) {
  std::string s = session::GoldText(v);
  return s.substr(0, s.size() - std::string_view(kCoins).size());
}

void StopPropTimer(Client& c) {
  c.TimerProp.SetEnabled(false);
  c.props.TimerUse = PropTimerUse::None;
}

void StartPropTimer(Client& c, PropTimerUse use, int intervalMs) {
  c.props.TimerUse = use;
  c.TimerProp.SetEnabled(false);
  c.TimerProp.SetInterval(intervalMs);
  c.TimerProp.SetEnabled(true);
}

void HideLabel(Client& c) {
  c.MainForm.LbProp.SetCaption("");
  c.MainForm.LbProp.SetVisible(false);
}

void HideChest(Client& c, int i) {
  auto& img = c.MainForm.ImgProp(i);
  img.SetVisible(false);
  img.SetEnabled(false);
}

void PlaceChest(Client& c, int i, bool clickable) {
  const auto& t = c.props.Chests;
  auto& img = c.MainForm.ImgProp(i);
  img.Move(t.ChestLayout.at(Ix(i)), t.ChestLayout.at(Ix(kChests + i)), t.ChestSize[0],
           t.ChestSize[1]);
  img.SetPicture(t.ClosedChestPicture);
  img.SetEnabled(clickable);
  img.SetMousePointer(clickable ? platform::kPointerHand : platform::kPointerDefault);
  img.SetVisible(true);
  img.ZOrder(0);
}

// The countdown label: centred on the anchor, 14 pixels per display unit of the text.
void ShowCountdownLabel(Client& c, int seconds, const std::string& text) {
  const auto& t = c.props.Chests;
  auto& lb = c.MainForm.LbProp;
  const int w = kLabelUnit * DisplayWidth(text);
  lb.SetAlignment(platform::Align::Center);
  lb.Move(t.PropLabelAnchor[0] - w / 2, t.PropLabelAnchor[1], w, kLabelHeight);
  lb.SetCaption(std::to_string(seconds) + "\n" + text);
  lb.SetVisible(true);
  lb.ZOrder(0);
}

// Moves a control in equal steps to a place, letting the window repaint between them.
void Glide(Client& c, platform::Control& img, int left, int top) {
  const int x0 = img.Left();
  const int y0 = img.Top();
  for (int step = 1; step <= kMoveSteps; ++step) {
    img.Move(x0 + (left - x0) * step / kMoveSteps, y0 + (top - y0) * step / kMoveSteps);
    c.host.WaitProcessingEvents(kMoveStepMs);
  }
}

// The result stops waiting: its sheet is due.
Actions TakeSheet(Client& c, bool holdLabel) {
  PropState& s = c.props;
  s.ResultPending = false;
  s.ScorePending = false;
  s.ScoreWaitTicks = 0;
  s.ChestGameOn = false;
  const bool draw = s.DrawPending;
  s.DrawPending = false;
  return {ShowSheet{draw, holdLabel}};
}

// The rolling label's lines at frame k of n: title, value and "金币" per position that won.
std::vector<std::string> RollingLines(const PropState& s, int k, int n) {
  int titleWidth = 0;
  int valueWidth = 0;
  for (int p = 0; p < 4; ++p) {
    if (s.PropScore.at(Ix(p)) == 0) continue;
    titleWidth = std::max(titleWidth, DisplayWidth(s.ChestTitle.at(Ix(p))));
    valueWidth = std::max(valueWidth, static_cast<int>(AmountText(s.PropScore.at(Ix(p))).size()));
  }
  std::vector<std::string> lines;
  for (int p = 0; p < 4; ++p) {
    const double score = s.PropScore.at(Ix(p));
    if (score == 0) continue;
    const double v = k >= n ? score : std::nearbyint(score * k / n);
    const std::string& title = s.ChestTitle.at(Ix(p));
    const std::string amount = AmountText(v);
    std::string line = title;
    line.append(static_cast<std::size_t>(titleWidth - DisplayWidth(title)) + 1, ' ');
    line.append(static_cast<std::size_t>(std::max(0, valueWidth - static_cast<int>(amount.size()))),
                ' ');
    lines.push_back(line + amount + kCoins);
  }
  return lines;
}

void ShowRollingLabel(Client& c, const std::vector<std::string>& lines) {
  const auto& t = c.props.Chests;
  auto& lb = c.MainForm.LbProp;
  int widest = 0;
  std::string caption;
  for (const auto& l : lines) {
    widest = std::max(widest, DisplayWidth(l));
    if (!caption.empty()) caption += "\n";
    caption += l;
  }
  // About eleven pixels per display unit of the bold label font, and a margin.
  const int w = std::max(11 * widest + 40, 120);
  const int h = std::max(kLabelHeight, kLineHeight * static_cast<int>(lines.size()) + 8);
  lb.SetAlignment(platform::Align::Center);
  lb.Move(t.PropLabelAnchor[0] - w / 2, t.PropLabelAnchor[1], w, h);
  lb.SetCaption(caption);
  lb.SetVisible(true);
  lb.ZOrder(0);
}

void StartPrizes(Client& c) {
  PropState& s = c.props;
  s.PrizeFrame = 0;
  ShowRollingLabel(c, RollingLines(s, 0, s.Chests.PropTiming[1]));
  StartPropTimer(c, PropTimerUse::Prizes, s.Chests.PropTiming[0]);
}

void OpenChests(Client& c, const std::vector<int>& chests) {
  PropState& s = c.props;
  const auto& t = s.Chests;
  for (int chosen : chests) {
    const int group = chosen / kGroup;
    for (int k = group * kGroup; k < (group + 1) * kGroup; ++k) {
      if (k != chosen) HideChest(c, k);
    }
    c.MainForm.ImgProp(chosen).SetEnabled(false);
  }
  for (int chosen : chests) {
    auto& img = c.MainForm.ImgProp(chosen);
    Glide(c, img, t.ChestCentre[0] - t.ChestSize[0] / 2, t.ChestCentre[1] - t.ChestSize[1] / 2);
    img.SetVisible(false);
    // The plug-in may have been shut down while the chest moved.
    if (!s.ChestGameOn) return;
  }
  if (s.Prop_GameDllState == kPropsWithChests) CallShowGif(c, true);
  StartPrizes(c);
}

void OpenOwn(Client& c, int chest) {
  PropState& s = c.props;
  s.ChestChosen = true;
  s.ChestCountdownOn = false;
  s.ChestChoice[0] = chest;
  OpenChests(c, {chest});
}

void OpenOthers(Client& c) {
  std::vector<int> chests;
  for (int p = 1; p < 4; ++p) {
    const int choice = c.props.ChestChoice.at(Ix(p));
    if (choice >= 0) chests.push_back(choice);
  }
  OpenChests(c, chests);
}

Actions StartChestGame(Client& c) {
  PropState& s = c.props;
  c.MainForm.LbProp.SetCaption("");
  s.ChestChoice.fill(-1);
  s.ChestChosen = false;
  s.OwnChests = false;
  s.ScorePending = false;
  s.ResultPending = false;
  bool any = false;
  for (int p = 0; p < 4; ++p) any = any || HasChestInfo(s, p);
  if (!any) return TakeSheet(c, false);
  s.ChestGameOn = true;
  std::string text;
  if (HasChestInfo(s, 0)) {
    for (int i = 0; i < kGroup; ++i) PlaceChest(c, i, true);
    s.OwnChests = true;
    text = kChooseText;
  } else {
    int l = 0;
    for (int p = 1; p < 4; ++p) {
      if (!HasChestInfo(s, p)) continue;
      for (int k = 0; k < kGroup; ++k) PlaceChest(c, kGroup * l + k, false);
      s.ChestChoice.at(Ix(p)) = kGroup * l + RandomChest(c);
      ++l;
    }
    text = kWaitOthersText;
  }
  ShowCountdownLabel(c, kChestSeconds, text);
  s.ChestSeconds = kChestSeconds;
  s.ChestTick = 0;
  s.ChestCountdownOn = true;
  return {};
}

void TakeScores(Client& c, platform::PropScoreInfo& info) {
  PropState& s = c.props;
  for (std::size_t p = 0; p < 4; ++p) {
    double score = info.PropScore.at(p);
    if (!std::isfinite(score)) {
      c.host.Log("plugin", "refused: a prop score that is not a number");
      score = 0;
    }
    s.PropScore.at(p) = score;
    s.PropScoreText.at(p) = std::move(info.PropScoreText.at(p));
    s.ChestTitle.at(p) = std::move(info.ChestTitle.at(p));
    s.ChestLines.at(p) = std::move(info.ChestLines.at(p));
  }
}

void FlyPrize(Client& c, int pos) {
  const auto& t = c.props.Chests;
  auto& img = c.MainForm.ImgPrize(pos);
  img.Move(t.ChestCentre[0] - t.PrizeSize[0] / 2, t.ChestCentre[1] - t.PrizeSize[1] / 2,
           t.PrizeSize[0], t.PrizeSize[1]);
  img.SetPicture(t.PrizePicture);
  img.SetVisible(true);
  img.ZOrder(0);
  Glide(c, img, t.PrizeTarget.at(Ix(pos)), t.PrizeTarget.at(Ix(pos + 4)));
}

// One frame of the prize animation; true once the last has been counted.
bool PrizeStep(Client& c) {
  PropState& s = c.props;
  s.PrizeFrame += 1;
  if (s.PrizeFrame >= s.Chests.PropTiming[1]) return true;
  ShowRollingLabel(c, RollingLines(s, s.PrizeFrame, s.Chests.PropTiming[1]));
  return false;
}

}  // namespace

int DisplayWidth(const std::string& utf8) {
  return static_cast<int>(text::EncodeDoubleByte(utf8).size());
}

void ClearPropScores(Client& c) {
  PropState& s = c.props;
  for (auto& t : s.PropScoreText) t.clear();
  s.PropScore.fill(0);
  for (auto& t : s.ChestTitle) t.clear();
  for (auto& t : s.ChestLines) t.clear();
}

void PrepareChests(Client& c) {
  PropState& s = c.props;
  if (s.Prop_GameDllState == kPropsWithChests && !TablesUsable(s.Chests)) {
    c.host.Log("plugin", "refused: chest tables out of range; playing without chests");
    s.Prop_GameDllState = kPropsRunning;
  }
  for (int i = 0; i < kChests; ++i) {
    auto& img = c.MainForm.ImgProp(i);
    HideChest(c, i);
    if (s.Prop_GameDllState == kPropsWithChests) {
      img.SetPicture(s.Chests.ClosedChestPicture);
      img.SetWidth(s.Chests.ChestSize[0]);
      img.SetHeight(s.Chests.ChestSize[1]);
    }
  }
}

void StopChests(Client& c) {
  PropState& s = c.props;
  StopPropTimer(c);
  s.ChestCountdownOn = false;
  // A result whose chests were interrupted still gets its sheet from the prop step.
  if (s.ChestGameOn) s.ResultPending = true;
  s.ChestGameOn = false;
  for (int i = 0; i < kChests; ++i) HideChest(c, i);
  for (auto* p : c.MainForm.ImgPrize) p->SetVisible(false);
  HideLabel(c);
}

void ShowPropLabel(Client& c, const std::string& text, const std::vector<std::int32_t>& numbers,
                   const std::vector<std::int32_t>& style) {
  const std::int32_t w = numbers.at(0);
  const std::int32_t h = numbers.at(1);
  const std::int32_t left = numbers.at(2);
  const std::int32_t top = numbers.at(3);
  if (!InRange(w, 1, 1024) || !InRange(h, 1, 768) || !InRange(left, -1024, 2048) ||
      !InRange(top, -1024, 2048)) {
    c.host.Log("plugin", "refused: label outside the table");
    return;
  }
  auto& lb = c.MainForm.LbProp;
  lb.Move(left, top, w, h);
  if (style.size() > 2 && InRange(style[2], 1, 72)) lb.SetFontSize(style[2]);
  if (style.size() > 3 && InRange(style[3], 0, static_cast<std::int32_t>(kMaxColour))) {
    lb.SetForeColor(ColourToRgb(static_cast<std::uint32_t>(style[3])));
  }
  if (style.size() > 4 && InRange(style[4], 0, 2)) {
    lb.SetAlignment(static_cast<platform::Align>(style[4]));
  }
  lb.SetCaption(text);
  lb.SetVisible(true);
  lb.ZOrder(0);
  // The prize animation owns the timer while it runs; its end hides the label anyway.
  if (style.size() > 1 && style[0] >= 1 && style[1] >= 1 &&
      c.props.TimerUse != PropTimerUse::Prizes) {
    c.props.LabelTicksLeft = style[1];
    StartPropTimer(c, PropTimerUse::Label, style[0]);
  }
}

Actions PropStep(Client& c) {
  PropState& s = c.props;
  if (!s.ResultPending) return {};
  if (!s.ScorePending || !Active(c)) return TakeSheet(c, false);
  platform::PropScoreInfo info;
  if (CallGetScoreInfo(c, info) == 1) {
    TakeScores(c, info);
    if (s.Prop_GameDllState == kPropsWithChests) return StartChestGame(c);
    return TakeSheet(c, false);
  }
  if (++s.ScoreWaitTicks > kScoreWaitTicks) {
    c.host.Log("plugin", "no prop scores after 10 s; the sheet shows without them");
    return TakeSheet(c, false);
  }
  return {};
}

void ChestCountdownTick(Client& c) {
  PropState& s = c.props;
  if (!s.ChestCountdownOn) return;
  if (++s.ChestTick < kCountdownTicks) return;
  s.ChestTick = 0;
  s.ChestSeconds -= 1;
  if (s.ChestChosen) {
    s.ChestCountdownOn = false;
    return;
  }
  auto& lb = c.MainForm.LbProp;
  if (s.OwnChests) {
    lb.SetCaption(std::to_string(s.ChestSeconds) + "\n" + kChooseText);
    if (s.ChestSeconds < 1) OpenOwn(c, RandomChest(c));
  } else {
    lb.SetCaption(std::to_string(s.ChestSeconds) + "\n" + kWaitText);
    if (s.ChestSeconds <= 2) {
      s.ChestCountdownOn = false;
      OpenOthers(c);
    }
  }
}

PropTimerEvent TimerProp_Timer(Client& c) {
  PropState& s = c.props;
  switch (s.TimerUse) {
    case PropTimerUse::Prizes:
      if (PrizeStep(c)) return PropTimerEvent::PrizesCounted;
      break;
    case PropTimerUse::Label:
      if (--s.LabelTicksLeft <= 0) {
        StopPropTimer(c);
        HideLabel(c);
        for (auto* p : c.MainForm.ImgPrize) p->SetVisible(false);
      }
      break;
    case PropTimerUse::None:
      StopPropTimer(c);
      break;
  }
  return PropTimerEvent::None;
}

Actions PrizeLines(Client& c) {
  PropState& s = c.props;
  StopPropTimer(c);
  const auto lines = RollingLines(s, s.Chests.PropTiming[1], s.Chests.PropTiming[1]);
  ShowRollingLabel(c, lines);
  Actions out;
  for (const auto& l : lines) out.emplace_back(ShowLine{l, kLineWidth});
  for (const auto& chest : s.ChestLines) {
    if (chest.empty()) continue;
    for (const auto& part : Split(chest, '|')) {
      if (!part.empty()) out.emplace_back(ShowLine{part, kLineWidth});
    }
  }
  return out;
}

Actions LandPrizes(Client& c) {
  PropState& s = c.props;
  if (Active(c)) CallShowGif(c, false);
  if (s.OwnChests) {
    FlyPrize(c, 0);
  } else {
    for (int p = 1; p < 4; ++p) {
      if (s.ChestChoice.at(Ix(p)) >= 0) FlyPrize(c, p);
    }
  }
  if (!s.ChestGameOn) return {};  // shut down meanwhile
  return TakeSheet(c, true);
}

void SheetShown(Client& c, bool holdLabel) {
  if (Active(c)) InitShowNext(c, false);
  if (!holdLabel) return;
  // The label and the prizes stay a moment over the sheet.
  c.props.LabelTicksLeft = 1;
  StartPropTimer(c, PropTimerUse::Label, kHideLabelMs);
}

void ForgetWaitingResult(PropState& s) {
  s.ScorePending = false;
  s.ResultPending = false;
  s.DrawPending = false;
  s.ScoreWaitTicks = 0;
}

void ResultComplete(Client& c, bool draw) {
  PropState& s = c.props;
  s.ResultPending = true;
  s.DrawPending = draw;
  s.ScoreWaitTicks = 0;
  ClearPropScores(c);
  CallInitShowEnd(c);
}

Actions FinishResultNow(Client& c) {
  PropState& s = c.props;
  if (!s.ResultPending && !s.ChestGameOn) return {};
  c.host.Log("plugin", "the next hand is dealt: the sheet shows without the rest of the prop step");
  StopChests(c);
  return TakeSheet(c, false);
}

double TakePropLines(Client& c, int p, platform::Control& column, bool withColour) {
  PropState& s = c.props;
  std::string& lines = s.PropScoreText.at(Ix(p));
  if (!lines.empty()) {
    column.AddItem("");
    for (const auto& part : Split(lines, '|')) {
      if (!withColour) {
        column.AddItem(part);
        continue;
      }
      const auto chars = Chars(part);
      const std::size_t n = chars.size();
      const std::string tail = n > 8 ? Join(chars, n - 8, n) : part;
      const double colour = text::LeadingNumber(tail);
      if (colour >= 0 && colour <= kMaxColour) {
        column.SetForeColor(ColourToRgb(static_cast<std::uint32_t>(colour)));
      }
      column.AddItem(n > 7 ? Join(chars, 0, n - std::min<std::size_t>(n, 8)) : part);
    }
    column.AddItem("");
  }
  const double score = s.PropScore.at(Ix(p));
  s.PropScore.at(Ix(p)) = 0;
  lines.clear();
  return score;
}

void ImgProp_Click(Client& c, int index) {
  PropState& s = c.props;
  if (s.Prop_GameDllState != kPropsWithChests) {
    for (int i = 0; i < kChests; ++i) HideChest(c, i);
    return;
  }
  if (s.ChestChosen || !s.OwnChests || !s.ChestGameOn || index < 0 || index >= kGroup) return;
  OpenOwn(c, index);
}

}  // namespace props
