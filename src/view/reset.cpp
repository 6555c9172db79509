#include "assets/picture_ids.h"
#include "ui/main_form.h"
#include "view/view.h"
#include "view/view_state.h"

namespace view {

void ClearHandState(Ctx& c) {
  auto& f = c.MainForm;
  LoadTileSizes(c.table, TileSizes::WallAndDiscards);
  c.table.LastDiscardCtl = -1;
  c.display.BlinkCtl = -1;
  for (auto* img : f.MJ_Image) {
    img->SetVisible(false);
    img->SetPicture(0);
  }
  for (auto& h : c.table.Hand) {
    for (auto& s : h.Slot) s.Code = 0;
  }
  f.imgTing(1).Move(c.table.ScaleX >= 1.0F ? Sx(c.table, 95) : Sx(c.table, 70), Sy(c.table, 300));
  f.imgTing(2).Move(Sx(c.table, 460), Sy(c.table, 175));
  f.imgTing(3).Move(Sx(c.table, 770), Sy(c.table, 300));
  f.imgTing(0).Move(Sx(c.table, 440), Sy(c.table, 550));
  for (auto* t : f.imgTing) t->SetVisible(false);
  for (auto* op : f.Operation) {
    op->SetEnabled(false);
    op->SetVisible(false);
  }
  auto& t = c.table;
  t.GangTile.fill(0);
  for (auto& g : t.GangType) g.fill(0);
  t.GangCount = 0;
  t.TingSelecting = false;
  t.TingCandidates.fill(0);
  t.TingChoice = 0;
  t.TingDeclared = false;
  f.VR_Image.SetVisible(false);
  if (!t.WatchMode) f.Zhuang.SetCaption("");
}

void ResetTableDisplay(Ctx& c) {
  auto& f = c.MainForm;
  for (auto* img : f.MJ_Image) img->SetVisible(false);
  for (platform::Control* ctl : {&f.Time_Img, &f.Number, &f.ZhiNan, &f.Host, &f.Zhuang})
    ctl->SetVisible(false);
  for (auto* op : f.Operation) op->SetVisible(false);
  for (auto* s : f.Speak) s->SetVisible(false);
  LayoutWall(c);
  StoreAnchors(c.table);
  f.lblDifen.SetCaption("1");
  f.lblDifen.SetVisible(false);
  for (auto* d : f.imgsezi) d->SetVisible(false);
  f.imgBeishu.SetVisible(false);
  for (auto* l : f.lbfont) l->SetVisible(false);
  f.lbwealth.SetCaption("1");
  f.lbwealth.SetVisible(false);
  f.Imgwealth.SetVisible(false);
  f.Bank.SetVisible(true);
  f.Bank.ZOrder(0);
}

void ResetHands(Ctx& c) {
  for (std::size_t p = 0; p < c.table.Hand.size(); ++p) {
    auto& h = c.table.Hand[p];
    h.HandResult = 0;
    h.IsDealer = false;
    for (auto& s : h.Slot) {
      s.State = table::kSlotEmpty;
      s.Ctl = -1;
    }
    h.HiddenFirst = 4;
    h.HiddenCount = 0;
    h.WildCount = h.RedAside = h.WildAside = 0;
    h.MeldEnd = p == 0 ? 3 : 4;
  }
  c.table.WildTile = -1;
  c.table.DrawFromHead = true;
  c.table.CanDiscard = false;
  c.display.RightDiscCtl.fill(0);
  c.display.RightDiscCount = 0;
  for (auto& k : c.display.AsideCtl) k.fill(0);
  c.table.WinnerPos = -1;
}

}  // namespace view
