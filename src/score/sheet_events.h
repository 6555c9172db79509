#pragma once
// Input of the result windows: drag by the background, the close button's highlight and click,
// and in the history the row selection and the double-click that shows an earlier hand.
#include "platform/controls.h"
#include "platform/forms.h"
#include "score/context.h"

namespace score {

class SheetEvents : public platform::DialogEvents {
 public:
  SheetEvents(Ctx& c, platform::Form& form) : c_(c), form_(form) {}

  platform::PressResult OnMouseDown(platform::Control* control, int button, int shift, int x,
                                    int y) override;
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnClick(platform::Control* control) override;
  void OnDblClick(platform::Control* control) override;
  // The history's columns scroll together; a sheet column on its own.
  void OnMouseWheel(platform::Control* control, int rows) override;
  void OnClose() override;

 protected:
  Ctx& c_;
  platform::Form& form_;
};

// The player card takes no input of its own.
class CardEvents final : public SheetEvents {
 public:
  using SheetEvents::SheetEvents;
  platform::PressResult OnMouseDown(platform::Control*, int, int, int, int) override {
    return platform::PressResult::None;
  }
  void OnMouseMove(platform::Control*, int, int, int, int) override {}
  // A click anywhere on the card puts it away.
  void OnClick(platform::Control*) override;
  void OnDblClick(platform::Control*) override {}
};

}  // namespace score
