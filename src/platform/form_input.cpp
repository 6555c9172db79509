#include "platform/form_input.h"

namespace platform {

Point FormInput::Local(const Control* c, int x, int y) const {
  if (c == nullptr) return {x, y};
  const Rect r = form_.WindowBounds(*c);
  return {x - r.left, y - r.top};
}

PressResult FormInput::Press(int x, int y, int button, int shift) {
  if (pressed_) {
    // Another button while one is held: the captured control hears it too.
    const Point p = Local(captured_, x, y);
    return events_.OnMouseDown(captured_, button, shift, p.x, p.y);
  }
  Control* c = form_.HitTest(x, y);
  pressed_ = true;
  captured_ = c;
  pressButton_ = button;
  clickable_ = true;
  const Point p = Local(c, x, y);
  const PressResult r = events_.OnMouseDown(c, button, shift, p.x, p.y);
  if (r == PressResult::DragWindow) pressed_ = false;
  return r;
}

void FormInput::Move(int x, int y, int buttons, int shift) {
  Control* c = pressed_ ? captured_ : form_.HitTest(x, y);
  const Point p = Local(c, x, y);
  events_.OnMouseMove(c, buttons, shift, p.x, p.y);
}

void FormInput::Wheel(int x, int y, int rows) {
  if (rows != 0) events_.OnMouseWheel(form_.HitTest(x, y), rows);
}

void FormInput::Release(int x, int y, int button, int shift) {
  // A release without its press (the press went to the window system) belongs to nobody.
  if (!pressed_) return;
  Control* c = captured_;
  const Point p = Local(c, x, y);
  if (button != pressButton_) {
    events_.OnMouseUp(c, button, shift, p.x, p.y);
    return;
  }
  pressed_ = false;
  events_.OnMouseUp(c, button, shift, p.x, p.y);
  // A click needs the release over the control that took the press, which may have gone or
  // moved meanwhile.
  const bool over = c == nullptr
                        ? form_.HitTest(x, y) == nullptr
                        : c->Visible() && c->Enabled() && form_.WindowBounds(*c).Contains(x, y);
  // The right button clicks only where the control takes right clicks; the window's own
  // background takes none.
  const bool clicks =
      button == kLeftButton || (button == kRightButton && c != nullptr && c->RightClicks());
  if (clickable_ && over && clicks) events_.OnClick(c);
}

void FormInput::DoubleClick(int x, int y, int button, int shift) {
  if (pressed_ && button == pressButton_) {
    // The window system delivered the second press already: it becomes the double click.
    clickable_ = false;
    if (button == kLeftButton) events_.OnDblClick(captured_);
    return;
  }
  if (button != kLeftButton || pressed_) {
    static_cast<void>(Press(x, y, button, shift));
    return;
  }
  Control* c = form_.HitTest(x, y);
  pressed_ = true;
  captured_ = c;
  pressButton_ = button;
  clickable_ = false;
  events_.OnDblClick(c);
}

}  // namespace platform
