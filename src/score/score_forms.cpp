#include "score/score_forms.h"

#include <array>

#include "assets/picture_ids.h"

namespace score {

using platform::Align;
using platform::ControlKind;

namespace {

constexpr std::uint32_t kSheetBack = 0xF6EFD9;  // warm paper
constexpr std::uint32_t kTitleInk = 0x7A2E12;
constexpr std::uint32_t kHeadInk = 0x3A3A3A;
constexpr int kRowHeight = 18;  // history rows, so a click finds its row

void TitleLook(platform::Control& l) {
  l.SetAlignment(Align::Center);
  l.SetFontSize(13);
  l.SetFontBold(true);
  l.SetForeColor(kTitleInk);
}

void CloseButton(platform::Control& b) {
  b.SetPicture(assets::pic::kSheetClose);
  b.SetTag("0");
}

}  // namespace

// Four columns of 152 pixels, one per position in position order.
ScoreFormT::ScoreFormT()
    : platform::Form("Score", {0, 0, 660, 462}),
      Title(AddLabel("Title", {0, 8, 660, 24})),
      State(AddArray(ControlKind::ListBox, "State", 8)),
      Tou(AddArray(ControlKind::Image, "Tou", 4)),
      ID(AddArray(ControlKind::Label, "ID", 4)),
      Image1(AddArray(ControlKind::Image, "Image1", 2)) {
  SetCaption("本局结果");
  SetBackColor(kSheetBack);
  SetVisible(false);
  Title.SetCaption("本局结果");
  TitleLook(Title);
  for (int q = 0; q < 4; ++q) {
    const int x = 14 + q * 160;
    Tou(q).Move(x, 38, 44, 44);
    ID(q).Move(x + 50, 50, 102, 20);
    ID(q).SetFontBold(true);
    ID(q).SetForeColor(kHeadInk);
    State(q).Move(x, 88, 152, 336);
    // Fixed rows from the top: a long column loses its last lines, never its header.
    State(q).SetRowHeight(14);
    State(q).SetTopIndex(0);
    State(q + 4).Move(x, 430, 152, 22);
    State(q + 4).SetFontBold(true);
  }
  Image1(0).SetVisible(false);
  Image1(1).Move(626, 8, 24, 24);
  CloseButton(Image1(1));
}

HeroFormT::HeroFormT()
    : platform::Form("Hero", {0, 0, 600, 420}),
      Label1(AddLabel("Label1", {0, 8, 600, 24})),
      NumHead(AddLabel("NumHead", {14, 84, 70, 20})),
      SumHead(AddLabel("SumHead", {14, 366, 70, 22})),
      Num(Add(ControlKind::ListBox, "Num", -1, {14, 106, 70, 254})),
      Grade(AddArray(ControlKind::ListBox, "Grade", 4)),
      sumScore(AddArray(ControlKind::Label, "sumScore", 4)),
      Tou(AddArray(ControlKind::Image, "Tou", 4)),
      ID(AddArray(ControlKind::Label, "ID", 4)),
      Image1(AddArray(ControlKind::Image, "Image1", 2)) {
  SetCaption("战绩");
  SetBackColor(kSheetBack);
  SetVisible(false);
  Label1.SetCaption("战绩");
  TitleLook(Label1);
  Num.SetRowHeight(kRowHeight);
  NumHead.SetCaption("局数");
  SumHead.SetCaption("合计");
  for (auto* l : {&NumHead, &SumHead}) {
    l->SetFontBold(true);
    l->SetForeColor(kHeadInk);
  }
  for (int q = 0; q < 4; ++q) {
    const int x = 92 + q * 124;
    Tou(q).Move(x + 37, 36, 44, 44);
    ID(q).Move(x, 84, 118, 20);
    ID(q).SetAlignment(Align::Center);
    ID(q).SetFontBold(true);
    ID(q).SetForeColor(kHeadInk);
    Grade(q).Move(x, 106, 118, 254);
    Grade(q).SetRowHeight(kRowHeight);
    sumScore(q).Move(x, 366, 118, 22);
    sumScore(q).SetAlignment(Align::Right);
    sumScore(q).SetFontBold(true);
  }
  Image1(0).SetVisible(false);
  Image1(1).Move(566, 8, 24, 24);
  CloseButton(Image1(1));
}

InformationFormT::InformationFormT()
    // Narrow enough to stand beside a score sheet centred over the table.
    : platform::Form("Information", {0, 0, 180, 244}),
      Caption(AddArray(ControlKind::Label, "Caption", 9)),
      Inf(AddArray(ControlKind::Label, "Inf", 9)) {
  static constexpr std::array<const char*, 9> kCaptions = {"昵称：",   "性别：",   "称号：",
                                                           "积分：",   "附加分：", "记录一：",
                                                           "记录二：", "胜局：",   "负局："};
  SetCaption("玩家信息");
  SetBackColor(kSheetBack);
  SetVisible(false);
  for (int i = 0; i < 9; ++i) {
    Caption(i).Move(4, 10 + i * 25, 70, 22);
    Caption(i).SetCaption(kCaptions.at(static_cast<std::size_t>(i)));
    Caption(i).SetFontSize(12);
    Caption(i).SetForeColor(kHeadInk);
    Caption(i).SetAlignment(Align::Right);
    Inf(i).Move(76, 10 + i * 25, 100, 22);
    Inf(i).SetFontSize(12);
  }
}

}  // namespace score
