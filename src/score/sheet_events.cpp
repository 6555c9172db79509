#include "score/sheet_events.h"

#include "assets/picture_ids.h"
#include "score/context.h"
#include "score/score.h"

namespace score {

namespace {

bool IsClose(const platform::Control* control) {
  return control != nullptr && control->Name() == "Image1" && control->Index() == 1;
}

bool IsHistoryList(const platform::Control* control) {
  return control != nullptr && (control->Name() == "Num" || control->Name() == "Grade");
}

void CloseLook(platform::Control& button, bool lit) {
  const char* tag = lit ? "1" : "0";
  if (button.Tag() == tag) return;
  button.SetPicture(lit ? assets::pic::kSheetCloseLit : assets::pic::kSheetClose);
  button.SetTag(tag);
}

}  // namespace

platform::PressResult SheetEvents::OnMouseDown(platform::Control* control, int button, int, int,
                                               int y) {
  if (IsHistoryList(control)) {
    const int row = control->RowAt(y);
    if (row >= 0) SelectHistoryRow(c_.Hero, row);
    return platform::PressResult::None;
  }
  if (IsClose(control) || button != platform::kLeftButton) return platform::PressResult::None;
  // Anywhere else the window is dragged by the press, as by its title bar.
  return platform::PressResult::DragWindow;
}

void SheetEvents::OnMouseMove(platform::Control* control, int, int, int, int) {
  if (platform::Control* close = form_.Find("Image1", 1)) CloseLook(*close, IsClose(control));
}

void SheetEvents::OnClick(platform::Control* control) {
  if (IsClose(control)) OnClose();
}

void CardEvents::OnClick(platform::Control* /*control*/) {
  HidePlayerCard(c_.Information);
}

void SheetEvents::OnDblClick(platform::Control* control) {
  if (!IsHistoryList(control)) return;
  const int row = control->ListIndex();
  if (row >= 0) ShowEarlierHand(c_, row + 1);
}

void SheetEvents::OnMouseWheel(platform::Control* control, int rows) {
  if (&form_ == &c_.Hero) {
    platform::ScrollList(c_.Hero.Num, rows);
    for (auto* g : c_.Hero.Grade) platform::ScrollList(*g, rows);
  } else if (control != nullptr) {
    platform::ScrollList(*control, rows);
  }
}

void SheetEvents::OnClose() {
  form_.SetVisible(false);
  if (platform::Control* close = form_.Find("Image1", 1)) CloseLook(*close, false);
}

}  // namespace score
