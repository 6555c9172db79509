#include "ui/main_form.h"

#include <array>
#include <string_view>

#include "assets/picture_ids.h"

namespace ui {

using platform::ControlKind;
namespace pic = assets::pic;

MainFormT::MainFormT()
    : platform::Form("MainForm"),
      Pic1(AddImage("Pic1", {0, 0, 1024, 768})),
      Location(AddLabel("Location", {760, 668, 250, 20})),
      // High enough that the clocks placed from it (the left seat's below it, the opposite
      // seat's above it) stand clear of the ready marks, the walls and the top row.
      Host(AddLabel("Host", {6, 120, 40, 18})),
      Zhuang(AddLabel("Zhuang", {45, 120, 120, 18})),
      Chat(Add(ControlKind::TextBox, "Chat", -1, {380, 708, 300, 22})),
      Time_Img(AddImage("Time_Img", {922, 237, 81, 38})),
      Number(AddLabel("Number", {970, 242, 24, 24})),
      VR_Image(AddImage("VR_Image", {952, 151, 36, 56})),
      ZhiNan(AddImage("ZhiNan", {457, 329, 110, 110})),
      Bank(AddImage("Bank", {699, 658, 56, 26})),
      Bird(AddImage("Bird", {936, 680, 82, 80})),
      MJ_Image(AddArray(ControlKind::Image, "MJ_Image", 136)),
      Sysmsg(AddArray(ControlKind::ListBox, "Sysmsg", 2)),
      Operation(AddArray(ControlKind::Image, "Operation", 6, {358, 461, 50, 71})),
      AnNiu(AddArray(ControlKind::Image, "AnNiu", 9)),
      Speak(AddArray(ControlKind::Image, "Speak", 4, {200, 470, 116, 74})),
      Tou(AddArray(ControlKind::Image, "Tou", 4, {9, 665, 87, 88})),
      Nid(AddArray(ControlKind::Label, "Nid", 4, {181, 700, 150, 20})),
      Cash(AddArray(ControlKind::Label, "Cash", 4, {181, 724, 150, 18})),
      Level(AddArray(ControlKind::Label, "Level", 4, {181, 744, 150, 18})),
      OK(AddArray(ControlKind::Image, "OK", 4, {460, 630, 48, 26})),
      imgTing(AddArray(ControlKind::Image, "imgTing", 4, {440, 550, 36, 22})),
      SZ_Image(AddArray(ControlKind::Image, "SZ_Image", 16, {0, 0, 48, 48})),
      Sai_Image(AddArray(ControlKind::Image, "Sai_Image", 2, {400, 344, 48, 48})),
      Vorel(AddImage("Vorel", {932, 92, 80, 125})),
      Chi(AddArray(ControlKind::Image, "Chi", 6, {0, 0, 100, 60})),
      Gang(AddArray(ControlKind::Image, "Gang", 5, {0, 0, 100, 60})),
      imgsezi(AddArray(ControlKind::Image, "imgsezi", 2, {18, 559, 24, 24})),
      imgBeishu(AddImage("imgBeishu", {4, 585, 48, 26})),
      lblDifen(AddLabel("lblDifen", {56, 586, 60, 28})),
      Imgwealth(AddImage("Imgwealth", {4, 617, 48, 26})),
      lbwealth(AddLabel("lbwealth", {56, 617, 60, 28})),
      lbfont(AddArray(ControlKind::Label, "lbfont", 3, {424, 280, 180, 24})),
      imgLocation(AddImage("imgLocation", {632, 654, 394, 39})),
      imgword1(AddImage("imgword1", {640, 659, 57, 13})),
      imgword2(AddImage("imgword2", {640, 675, 57, 13})),
      Lbchat(AddLabel("Lbchat", {594, 694, 25, 33})),
      LinkDot(AddImage("LinkDot", {0, 0, 10, 10})),
      LinkText(AddLabel("LinkText", {0, 0, 120, 14})),
      ImgProp(AddArray(ControlKind::Image, "ImgProp", 15, {0, 0, 64, 64})),
      LbProp(AddLabel("LbProp", {347, 200, 330, 50})),
      ImgPrize(AddArray(ControlKind::Image, "ImgPrize", 4, {0, 0, 48, 48})),
      ImgShuffle(AddImage("ImgShuffle", {352, 264, 320, 150})),
      LblShuffle(AddLabel("LblShuffle", {436, 384, 200, 28})),
      Skin(AddImage("Skin", {0, 0, 46, 220})),
      SkinPiece(AddArray(ControlKind::Image, "SkinPiece", 8)),
      ImgIcon(AddImage("ImgIcon", {3, 3, 16, 16})),
      lcaption(AddLabel("lcaption", {20, 2, 200, 16})),
      LbMove(AddLabel("LbMove", {19, 0, 900, 20})),
      ImgClose(AddArray(ControlKind::Image, "ImgClose", 4, {0, 2, 28, 17})),
      ImgMin(AddArray(ControlKind::Image, "ImgMin", 4, {0, 2, 28, 17})) {
  SetUpTable();
  SetUpTileAndActionPictures();
  SetUpSeatMarks();
  SetUpClockAndWildTile();
  SetUpBankAndAdvertisement();
  SetUpMessageLists();
  SetUpSeatLabels();
  SetUpDice();
  SetUpMultipliers();
  SetUpChatStrip();
  SetUpProps();
  SetUpSeatChange();
  SetUpFrame();
}

void MainFormT::SetUpTable() {
  SetCaption("Qintara");
  SetBackColor(0x0B5D3B);
  Pic1.SetPicture(pic::kTableFelt);
  // A right click on the table passes an offer (its mouse-up) and clears the table of windows.
  Pic1.SetRightClicks(true);
}

void MainFormT::SetUpTileAndActionPictures() {
  for (auto* c : MJ_Image) c->SetVisible(false);
  for (auto* c : Operation) c->SetVisible(false);
  // Each button names its key: the buttons can be pressed from the keyboard.
  const std::array<const char*, 6> opTips{"吃 (C)", "碰 (P)", "杠 (G)",
                                          "听 (T)", "胡 (H)", "过 (空格)"};
  for (int i = 0; i < Operation.Count(); ++i)
    Operation(i).SetToolTipText(opTips.at(static_cast<std::size_t>(i)));
  for (auto* c : Chi) c->SetVisible(false);
  for (auto* c : Gang) c->SetVisible(false);
}

void MainFormT::SetUpSeatMarks() {
  for (auto* c : Speak) c->SetVisible(false);
  for (auto* c : OK) {
    c->SetVisible(false);
    c->SetPicture(pic::kReadyMark);
  }
  for (auto* c : imgTing) {
    c->SetVisible(false);
    c->SetPicture(pic::kTingMark);
  }
}

void MainFormT::SetUpClockAndWildTile() {
  Time_Img.SetVisible(false);
  Time_Img.SetPicture(pic::kClock);
  Number.SetVisible(false);
  Number.SetAlignment(platform::Align::Center);
  Number.SetFontSize(14);
  Number.SetFontBold(true);
  Number.SetForeColor(0x00FF00);
  VR_Image.SetVisible(false);
  ZhiNan.SetVisible(false);
  Vorel.SetPicture(pic::kWildBox);
}

void MainFormT::SetUpBankAndAdvertisement() {
  Bird.SetVisible(false);
  Bird.SetPicture(pic::kAdvert);
  Bank.SetPicture(pic::kBank);
  Bank.SetToolTipText("银行");
}

void MainFormT::SetUpMessageLists() {
  Sysmsg(0).Move(312, 696, 281, 13);
  Sysmsg(1).Move(312, 709, 281, 13);
  for (auto* s : Sysmsg) {
    s->SetForeColor(0xFFF2A8);
    s->SetFontSize(10);
  }
}

void MainFormT::SetUpSeatLabels() {
  Location.SetForeColor(0xFFFFFF);
  Location.SetFontSize(12);
  Host.SetCaption("庄家：");
  Host.SetForeColor(0xFFD75E);
  Zhuang.SetForeColor(0xFFFFFF);
  for (auto* c : Nid) {
    c->SetForeColor(0xFFFFFF);
    c->SetFontSize(10);
    c->SetFontBold(true);
  }
  for (auto* c : Cash) c->SetForeColor(0xFFD75E);
  for (auto* c : Level) c->SetForeColor(0xBFE6C9);
}

void MainFormT::SetUpDice() {
  for (auto* c : SZ_Image) c->SetVisible(false);
  for (auto* c : Sai_Image) c->SetVisible(false);
  for (auto* c : imgsezi) c->SetVisible(false);
}

void MainFormT::SetUpMultipliers() {
  imgBeishu.SetPicture(pic::kDiceMultiplier);
  imgBeishu.SetVisible(false);
  Imgwealth.SetPicture(pic::kWealthMultiplier);
  Imgwealth.SetVisible(false);
  for (auto* c : {&lblDifen, &lbwealth}) {
    c->SetCaption("1");
    c->SetFontSize(18);
    c->SetFontBold(true);
    c->SetForeColor(0xFFD75E);
    c->SetVisible(false);
  }
  for (auto* c : lbfont) {
    c->SetForeColor(0xFFFFFF);
    c->SetFontSize(12);
    c->SetVisible(false);
  }
}

void MainFormT::SetUpChatStrip() {
  imgLocation.SetPicture(pic::kLocationStrip);
  imgword1.SetPicture(pic::kPhrases);
  imgword2.SetPicture(pic::kEmotes);
  Lbchat.SetCaption("聊\n天");
  Lbchat.SetForeColor(0xFFD75E);
  Lbchat.SetAlignment(platform::Align::Center);
}

void MainFormT::SetUpProps() {
  for (auto* c : ImgProp) {
    c->SetVisible(false);
    c->SetEnabled(false);
  }
  LbProp.SetVisible(false);
  LbProp.SetFontSize(12);
  LbProp.SetFontBold(true);
  LbProp.SetForeColor(0xFFE680);
  LbProp.SetAlignment(platform::Align::Center);
  for (auto* c : ImgPrize) c->SetVisible(false);
}

void MainFormT::SetUpSeatChange() {
  ImgShuffle.SetPicture(pic::kShuffle);
  ImgShuffle.SetVisible(false);
  LblShuffle.SetVisible(false);
  LblShuffle.SetFontSize(14);
  LblShuffle.SetFontBold(true);
  LblShuffle.SetForeColor(0xFFE680);
  LblShuffle.SetAlignment(platform::Align::Left);
}

// The frame shows only once PaintBorder lays it out.
void MainFormT::SetUpFrame() {
  Skin.SetPicture(pic::kSkin);
  Skin.SetVisible(false);
  for (int i = 0; i < SkinPiece.Count(); ++i) {
    SkinPiece(i).SetPicture(pic::kSkinPiece + i);
    SkinPiece(i).SetVisible(false);
  }
  ImgIcon.SetVisible(false);
  lcaption.SetCaption("Qintara");
  lcaption.SetFontBold(true);
  lcaption.SetVisible(false);
  LbMove.SetVisible(false);
  const std::array<int, 4> close{pic::kCloseNormal, pic::kCloseNormal, pic::kCloseLit,
                                 pic::kClosePressed};
  const std::array<int, 4> min{pic::kMinNormal, pic::kMinNormal, pic::kMinLit, pic::kMinPressed};
  for (int i = 0; i < 4; ++i) {
    ImgClose(i).SetPicture(close.at(static_cast<std::size_t>(i)));
    ImgMin(i).SetPicture(min.at(static_cast<std::size_t>(i)));
    ImgClose(i).SetVisible(false);
    ImgMin(i).SetVisible(false);
  }
  ImgClose(0).SetToolTipText("关闭");
  ImgMin(0).SetToolTipText("最小化");
}

bool MainFormT::IsWindowControl(const platform::Control& c) {
  static constexpr std::array<std::string_view, 8> kNames{
      "Pic1", "Skin", "SkinPiece", "ImgIcon", "lcaption", "LbMove", "ImgClose", "ImgMin"};
  for (std::string_view n : kNames)
    if (c.Name() == n) return true;
  return false;
}

platform::Rect MainFormT::WindowBounds(const platform::Control& c) const {
  platform::Rect r = c.Bounds();
  if (!IsWindowControl(c)) {
    r.left += Pic1.Left();
    r.top += Pic1.Top();
  }
  return r;
}

}  // namespace ui
