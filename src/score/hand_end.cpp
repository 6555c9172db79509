#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>

#include "assets/picture_ids.h"
#include "score/context.h"
#include "score/score.h"
#include "table/tiles.h"
#include "text/gbk.h"
#include "ui/messages.h"

namespace score {

namespace {

constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kRed = 0xFF0000;  // colours are 0xRRGGBB
constexpr int kRedBelow = 6;
constexpr const char* kDrawLine = "      黄  庄";
constexpr const char* kDrawFinal = "最终分：0金币";

using table::Ix;

// The position of the seat a result frame is about; a byte without a single seat bit is a bad
// frame.
int PosOfFrameSeat(Ctx& c, int seat) {
  if (seat != 1 && seat != 2 && seat != 4 && seat != 8) {
    throw std::out_of_range("no seat bit in the seat byte: " + std::to_string(seat));
  }
  return table::SeatPosOf(c.table.Hand[0].SeatBit, seat);
}

// The wealth multiplier shown on the table, or 0 while it is off.
bool WealthOn(Ctx& c) {
  return c.MainForm.lbwealth.Visible();
}

}  // namespace

std::string Num(double v) {
  if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e18) {
    return std::to_string(static_cast<long long>(v));
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

std::string RightAlign(std::string_view text, std::size_t width) {
  const std::size_t n = text::CharCount(text);
  std::string out(n < width ? width - n : 0, ' ');
  out += text;
  return out;
}

ResultGroup TakeSeatResult(Ctx& c, const wire::HandResult& m) {
  const int p = PosOfFrameSeat(c, m.Seat);
  c.score.HandInProgress = false;
  c.Score.State(p).Clear();
  c.Score.State(p + 4).Clear();

  const std::int64_t raw = m.Amount;
  if (raw < std::numeric_limits<std::int32_t>::min() ||
      raw > std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("hand result does not fit 32 bits");
  }
  const std::int64_t amount = m.Gained ? raw : -raw;
  if (amount > std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("hand result does not fit 32 bits");
  }
  c.table.Hand.at(Ix(p)).HandResult = static_cast<std::int32_t>(amount);
  if (WealthOn(c)) c.score.CapFlag.at(Ix(p)) = m.Cap;

  c.score.SeatResultCount += 1;
  if (c.score.SeatResultCount < 4) return ResultGroup::Incomplete;
  c.score.SeatResultCount = 0;
  const bool draw = std::all_of(c.table.Hand.begin(), c.table.Hand.end(),
                                [](const table::HandRec& h) { return h.HandResult == 0; });
  return draw ? ResultGroup::Draw : ResultGroup::Won;
}

void StartDrawSheet(Ctx& c) {
  ClearSheet(c.Score);
  // Nobody won: the last winner's name must not stay red.
  MarkScoreWinner(c.Score, -1);
  AddHistoryRow(c.Hero.Num, RightAlign(std::to_string(c.table.HandNumber), 12));
  for (int q = 0; q < 4; ++q) c.Score.State(q).AddItem(kDrawLine);
}

void FinishDrawSheet(Ctx& c, const std::optional<std::array<double, 4>>& prizes) {
  for (int q = 0; q < 4; ++q) {
    if (!prizes) {
      c.Score.State(q + 4).AddItem(kDrawFinal);
      AddHistoryRow(c.Hero.Grade(q), RightAlign("0", 9) + "金币");
      continue;
    }
    // The prize of the seat's chest becomes the hand's score.
    const double score = prizes->at(Ix(q));
    auto& running = c.score.RunningScore.at(Ix(q));
    running += score;
    auto& player = c.table.Player.at(Ix(q));
    player.Gold = std::max(0.0, player.Gold + score);
    c.Score.State(q + 4).AddItem("最终分：" + Num(score) + "金币");
    AddHistoryRow(c.Hero.Grade(q), RightAlign(Num(score), 9) + "金币");
    c.Hero.sumScore(q).SetCaption(Num(running) + "金币");
    ui::ShowCash(c.MainForm, c.host, q, Num(player.Gold) + "金币");
  }
  LogSheet(c, {}, prizes.value_or(std::array<double, 4>{}));
  CentreOverTable(c, !c.table.BossMode && !c.score.ClosingHandEnd, true);
}

void ClearSheet(ScoreFormT& sheet) {
  for (int j = 0; j < 8; ++j) sheet.State(j).Clear();
  for (int p = 0; p < 4; ++p) sheet.State(p).SetForeColor(0x000000);
}

bool TakeWinDetail(Ctx& c, const wire::WinDetail& m) {
  const int p = PosOfFrameSeat(c, m.Seat);
  WinRow& row = c.score.WinDetail.at(Ix(p));
  // Rows 0 and 1 are the second and fourth message values (bytes 10-11 and 14-15).
  row.at(0) = static_cast<std::int16_t>(m.Value[1]);
  row.at(1) = static_cast<std::int16_t>(m.Value[3]);
  for (std::size_t k = 0; k < m.Rows.size(); ++k) row.at(2 + k) = m.Rows[k];
  c.score.WinDetailCount += 1;

  // One- and two-byte characters up to the first zero byte; a lead byte in the last place
  // has no partner and ends the text.
  text::Bytes bytes;
  const auto& raw = m.WinText;
  for (std::size_t i = 0; i < raw.size() && raw[i] != 0;) {
    const std::size_t width = raw[i] >= 0x80 ? 2 : 1;
    if (i + width > raw.size()) break;
    bytes.insert(bytes.end(), raw.begin() + static_cast<std::ptrdiff_t>(i),
                 raw.begin() + static_cast<std::ptrdiff_t>(i + width));
    i += width;
  }
  std::string winText = text::FromGbk(bytes);
  const auto first = winText.find_first_not_of(' ');
  const auto last = winText.find_last_not_of(' ');
  c.score.WinText = first == std::string::npos ? "" : winText.substr(first, last - first + 1);

  if (c.score.WinDetailCount < 4) return false;
  c.score.WinDetailCount = 0;
  return true;
}

void StartContinueCountdown(Ctx& c, int seconds) {
  c.table.Countdown = seconds;
  auto& form = c.MainForm;
  form.Number.SetCaption(std::to_string(seconds));
  form.Number.SetForeColor(kGreen);
  form.Number.SetVisible(true);
  form.Time_Img.SetVisible(true);
  form.Time_Img.ZOrder(0);
  form.Number.ZOrder(0);
  c.net.ReadySecond = c.host.SecondsSinceMidnight();
  c.net.TaskOn[net::kTaskReadyClock] = true;
}

bool CountReadySecond(Ctx& c) {
  auto& t = c.table;
  auto& f = c.MainForm;
  if (t.Countdown > 0) --t.Countdown;
  f.Number.SetCaption(std::to_string(t.Countdown));
  f.Number.SetForeColor(t.Countdown < kRedBelow ? kRed : kGreen);
  return t.Countdown <= 0;
}

void StopContinueCountdown(Ctx& c) {
  c.net.TaskOn[net::kTaskReadyClock] = false;
  c.MainForm.Number.SetVisible(false);
  c.MainForm.Time_Img.SetVisible(false);
}

void DropCutShortGroup(Ctx& c) {
  auto& s = c.score;
  if (s.SeatResultCount == 0 && s.WinDetailCount == 0) return;
  // A group cut short (frames lost with a dropped connection) must not be completed by the new
  // hand's frames.
  c.host.Log("hand", "the next hand is dealt: an incomplete result group is dropped");
  s.SeatResultCount = 0;
  s.WinDetailCount = 0;
}

void ForgetResultGroup(ScoreState& s) {
  s.SeatResultCount = 0;
  s.WinDetailCount = 0;
}

void HideResultWindows(Ctx& c) {
  c.Hero.SetVisible(false);
  c.Score.SetVisible(false);
}

}  // namespace score
