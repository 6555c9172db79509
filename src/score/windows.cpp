#include <algorithm>
#include <array>
#include <string>

#include "assets/picture_ids.h"
#include "score/score.h"

#include "score/context.h"
#include "table/table_state.h"

namespace score {

namespace {

using table::Ix;

int FacePicture(int face) {
  return face >= 0 && face < 20 ? assets::pic::FaceId(face) : 0;
}

// The table picture's place on the screen.
platform::Rect TableOnScreen(Ctx& c) {
  return c.MainForm.OnScreen(c.MainForm.Pic1.Bounds());
}

void CentreOver(platform::Form& form, const platform::Rect& over) {
  platform::Rect g = form.Geometry();
  g.left = over.left + (over.width - g.width) / 2;
  g.top = over.top + (over.height - g.height) / 2;
  form.SetGeometry(g);
}

void ResetCloseButton(platform::Form& form) {
  if (platform::Control* close = form.Find("Image1", 1)) {
    close->SetPicture(assets::pic::kSheetClose);
    close->SetTag("0");
  }
}

}  // namespace

void CentreOverTable(Ctx& c, bool show, bool scoreWindow) {
  platform::Form& form = scoreWindow ? static_cast<platform::Form&>(c.Score) : c.Hero;
  // Every way the sheet is shown (a hand's end, an earlier hand, the score button) fits it.
  if (scoreWindow) FitSheetColumns(c.Score);
  CentreOver(form, TableOnScreen(c));
  if (show) {
    ResetCloseButton(form);
    form.SetVisible(true);
  }
}

void LogSheet(Ctx& c, const std::array<double, 4>& finals, const std::array<double, 4>& prizes) {
  std::string line = "hand " + std::to_string(c.table.HandNumber) + " final";
  for (double v : finals) line += " " + Num(v);
  line += " prize";
  for (double v : prizes) line += " " + Num(v);
  c.host.Log("sheet", line);
}

void MarkScoreWinner(ScoreFormT& sheet, int pos) {
  constexpr std::uint32_t kGreen = 0x00FF00;
  constexpr std::uint32_t kRed = 0xFF0000;  // colours are 0xRRGGBB
  for (auto* id : sheet.ID) id->SetForeColor(kGreen);
  if (pos >= 0 && pos < 4) sheet.ID(pos).SetForeColor(kRed);
}

void SetSheetPlayers(Ctx& c) {
  for (int q = 0; q < 4; ++q) {
    const auto& card = c.table.NameCard.at(Ix(q));
    c.Score.Tou(q).SetPicture(card.NickName.empty() ? 0 : FacePicture(card.Face));
    c.Score.ID(q).SetCaption(card.NickName);
  }
}

void FitSheetColumns(ScoreFormT& sheet) {
  // Rows close up (down to a still readable height) before a long column loses its last lines,
  // which hold the prop prize and the final score.
  constexpr int kRowHeight = 14;
  constexpr int kMinRowHeight = 11;
  for (int q = 0; q < 4; ++q) {
    auto& col = sheet.State(q);
    const int rows = std::max(1, static_cast<int>(col.Items().size()));
    col.SetRowHeight(std::clamp(col.Height() / rows, kMinRowHeight, kRowHeight));
  }
}

void ShowHistory(Ctx& c) {
  auto& hero = c.Hero;
  hero.SetState(platform::WindowState::Normal);
  // The latest hands in view.
  hero.Num.SetTopIndex(-1);
  for (auto* g : hero.Grade) g->SetTopIndex(-1);
  for (auto* s : hero.sumScore)
    s->SetForeColor(0xAF0C18);  // 1576111 in the platform's own colour order
  CentreOverTable(c, true, false);
}

void AddHistoryRow(platform::Control& list, std::string row) {
  if (list.Items().size() < kMaxHistoryRows) list.AddItem(std::move(row));
}

void SelectHistoryRow(HeroFormT& hero, int row) {
  if (row < 0 || row >= static_cast<int>(hero.Num.Items().size())) return;
  hero.Num.SetListIndex(row);
  for (auto* g : hero.Grade) {
    if (row < static_cast<int>(g->Items().size())) g->SetListIndex(row);
  }
}

void ShowEarlierHand(Ctx& c, int hand) {
  LoadMatchRecord(c, hand);
  CentreOverTable(c, true, true);
}

void ShowPlayerCard(Ctx& c, int pos) {
  auto& card = c.Information;
  if (card.Visible() || pos < 0 || pos > 3) return;
  const auto& player = c.table.Player.at(Ix(pos));
  if (c.table.Hand.at(Ix(pos)).Account.empty() && player.NickName.empty()) return;
  const platform::Rect table = TableOnScreen(c);
  platform::Rect g = card.Geometry();
  if (pos == 0) {
    g.left = table.left;
    g.top = table.top + static_cast<int>((c.table.ScaleX < 1 ? 0.3 : 0.42) * table.height);
  } else {
    g.top = table.top + static_cast<int>(0.11 * table.height);
    g.left = table.left + (pos - 1) * table.width / 3;
  }
  card.SetGeometry(g);
  const std::array<std::string, 9> fields = {player.NickName,
                                             player.Sex != 0 ? "男" : "女",
                                             player.Title,
                                             Num(player.Num1),
                                             Num(player.Num2),
                                             std::to_string(player.Stat[0]),
                                             std::to_string(player.Stat[1]),
                                             std::to_string(player.Stat[2]),
                                             std::to_string(player.Stat[3])};
  for (int i = 0; i < 9; ++i) card.Inf(i).SetCaption(fields.at(Ix(i)));
  card.SetVisible(true);
}

void HidePlayerCard(InformationFormT& card) {
  if (card.Visible()) card.SetVisible(false);
}

void SetScoreAvatar(ScoreFormT& sheet, int pos, int face) {
  sheet.Tou(pos).SetPicture(FacePicture(face));
  sheet.Tou(pos).SetTag(std::to_string(face));
}

void SetRecordPlayer(HeroFormT& hero, int pos, const std::string& nickName, int face) {
  hero.Tou(pos).SetPicture(FacePicture(face));
  hero.ID(pos).SetCaption(nickName);
}

void ClearSeatEntries(Ctx& c, int pos) {
  auto& sheet = c.Score;
  sheet.State(pos).Clear();
  sheet.State(pos + 4).Clear();
  sheet.Tou(pos).SetPicture(0);
  sheet.Tou(pos).SetTag("");
  sheet.ID(pos).SetCaption("");
  auto& hero = c.Hero;
  hero.Grade(pos).Clear();
  hero.sumScore(pos).SetCaption("");
  hero.Tou(pos).SetPicture(0);
  hero.ID(pos).SetCaption("");
  c.table.NameCard.at(Ix(pos)) = {};
  c.score.RunningScore.at(Ix(pos)) = 0;
}

void ShowRecordWindow(Ctx& c) {
  ShowHistory(c);
}

void ShowScoreWindow(Ctx& c) {
  CentreOverTable(c, true, true);
}

}  // namespace score
