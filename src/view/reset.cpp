#include "app/client.h"
#include "view/view.h"

namespace view {

void ClearHandState(Client& c) {
  c.table.LastDiscardCtl = -1;
  for (auto* img : c.MainForm.MJ_Image) {
    img->SetVisible(false);
    img->SetPicture(0);
  }
  for (auto& h : c.table.Hand) {
    for (auto& s : h.Slot) s.Code = 0;
  }
  c.net.SeatNames.fill({});
}

void ResetTableDisplay(Client& c) {
  for (auto* img : c.MainForm.MJ_Image) img->SetVisible(false);
  for (auto* op : c.MainForm.Operation) op->SetVisible(false);
  for (auto* s : c.MainForm.Speak) s->SetVisible(false);
  c.MainForm.Time_Img.SetVisible(false);
  c.MainForm.Number.SetVisible(false);
}

void ResetHands(Client& c) {
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
    c.net.SeatNames[p].clear();
  }
  c.table.WildTile = -1;
  c.table.DrawFromHead = true;
  c.table.CanDiscard = false;
  c.disp.SeatNameCount = 0;
  c.table.WinnerPos = -1;
  c.score.SeatResultCount = 0;
  c.net.InHand = false;
}

}  // namespace view
