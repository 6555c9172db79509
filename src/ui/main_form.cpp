#include "ui/main_form.h"

namespace ui {

using platform::ControlKind;

MainFormT::MainFormT()
    : platform::Form("MainForm"),
      Pic1(AddImage("Pic1", {0, 0, 1024, 768})),
      Location(AddLabel("Location", {760, 8, 250, 20})),
      Host(AddLabel("Host", {6, 246, 40, 18})),
      Zhuang(AddLabel("Zhuang", {45, 246, 120, 18})),
      Chat(Add(ControlKind::TextBox, "Chat", -1, {380, 708, 300, 22})),
      Time_Img(AddImage("Time_Img", {488, 330, 48, 48})),
      Number(AddLabel("Number", {488, 342, 48, 24})),
      VR_Image(AddImage("VR_Image")),
      ZhiNan(AddImage("ZhiNan", {452, 300, 120, 120})),
      Bank(AddImage("Bank")),
      Bird(AddImage("Bird")),
      MJ_Image(AddArray(ControlKind::Image, "MJ_Image", 136)),
      Sysmsg(AddArray(ControlKind::ListBox, "Sysmsg", 2)),
      Operation(AddArray(ControlKind::Image, "Operation", 6)),
      AnNiu(AddArray(ControlKind::Image, "AnNiu", 9)),
      Speak(AddArray(ControlKind::Image, "Speak", 4)),
      Tou(AddArray(ControlKind::Image, "Tou", 4)),
      Nid(AddArray(ControlKind::Label, "Nid", 4)),
      Cash(AddArray(ControlKind::Label, "Cash", 4)),
      Level(AddArray(ControlKind::Label, "Level", 4)),
      OK(AddArray(ControlKind::Image, "OK", 4)),
      imgTing(AddArray(ControlKind::Image, "imgTing", 4)),
      lblDifen(AddLabel("lblDifen")),
      imgBeishu(AddImage("imgBeishu")),
      imgsezi(AddArray(ControlKind::Image, "imgsezi", 2)),
      lbfont(AddArray(ControlKind::Label, "lbfont", 3)) {
  SetCaption("Qintara");
  SetBackColor(0x0B5D3B);
  for (auto* c : MJ_Image) c->SetVisible(false);
  for (auto* c : Operation) c->SetVisible(false);
  for (auto* c : Speak) c->SetVisible(false);
  for (auto* c : OK) c->SetVisible(false);
  for (auto* c : imgTing) c->SetVisible(false);
  Time_Img.SetVisible(false);
  Number.SetVisible(false);
  VR_Image.SetVisible(false);
  ZhiNan.SetVisible(false);
  Bird.SetVisible(false);
  Sysmsg(0).Move(10, 640, 330, 60);
  Sysmsg(1).Move(10, 700, 330, 60);
  for (auto* s : Sysmsg) {
    s->SetForeColor(0xFFF2A8);
    s->SetFontSize(10);
  }
  Location.SetForeColor(0xFFFFFF);
  Location.SetFontSize(12);
  lblDifen.SetVisible(false);
  imgBeishu.SetVisible(false);
  for (auto* c : imgsezi) c->SetVisible(false);
  for (auto* c : lbfont) c->SetVisible(false);
}

}  // namespace ui
