#pragma once
// Turns the pointer as a window sees it (points in window pixels of the form's design) into the
// events of the controls: hit-testing, the press that captures the mouse for its control, and
// clicks.
#include "platform/controls.h"
#include "platform/form_events.h"

namespace platform {

struct Point {
  int x = 0;
  int y = 0;
};

class FormInput {
 public:
  FormInput(Form& form, FormEvents& events) : form_(form), events_(events) {}

  // buttons: every button held after the event (kLeftButton | ...); button: the one that changed.
  PressResult Press(int x, int y, int button, int shift);
  void Move(int x, int y, int buttons, int shift);
  void Release(int x, int y, int button, int shift);
  // The second press of a double click: it replaces that press's MouseDown.
  void DoubleClick(int x, int y, int button, int shift);
  // The wheel turned by rows notches over a window point.
  void Wheel(int x, int y, int rows);
  // A press is held and its control takes the moves and the release.
  bool Pressed() const { return pressed_; }

 private:
  // The control's own coordinates of a window point (window pixels for the background).
  Point Local(const Control* c, int x, int y) const;

  Form& form_;
  FormEvents& events_;
  bool pressed_ = false;
  Control* captured_ = nullptr;  // null with pressed_ set: the background took the press
  int pressButton_ = 0;
  bool clickable_ = false;  // a double click's release gives no Click
};

}  // namespace platform
