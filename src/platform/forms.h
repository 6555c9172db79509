#pragma once
// The client's windows besides the main one (dialogs, score sheet, settings...). Each is a Form of
// the control model with its own event procedures. The client registers it once; the host shows
// a window for it whenever the form is Visible and hands that window's input to its events, as
// it does for the main window.
#include <functional>

#include "platform/controls.h"
#include "platform/form_events.h"

namespace platform {

class Host;

// Event procedures of a secondary window: every event is ignored unless a form overrides it.
class DialogEvents : public FormEvents {
 public:
  PressResult OnMouseDown(Control* /*control*/, int /*button*/, int /*shift*/, int /*x*/,
                          int /*y*/) override {
    return PressResult::None;
  }
  void OnMouseMove(Control* /*control*/, int /*button*/, int /*shift*/, int /*x*/,
                   int /*y*/) override {}
  void OnMouseUp(Control* /*control*/, int /*button*/, int /*shift*/, int /*x*/,
                 int /*y*/) override {}
  void OnClick(Control* /*control*/) override {}
  void OnDblClick(Control* /*control*/) override {}
  void OnKeyDown(Control* /*control*/, int /*keyCode*/, int /*shift*/) override {}
  void OnKeyUp(Control* /*control*/, int /*keyCode*/, int /*shift*/) override {}
  void OnFocus(Control& /*control*/, bool /*focused*/) override {}
  void OnResize() override {}
  void OnMoved() override {}
  void OnClose() override {}
};

class FormHost {
 public:
  virtual ~FormHost() = default;
  // From now on the host shows a window for form while it is Visible and delivers the window's
  // input to events. Both must outlive the registration.
  virtual void RegisterForm(Form& form, FormEvents& events) = 0;
  virtual void UnregisterForm(Form& form) = 0;
  // Nobody is at the screen (QINTARA_UNATTENDED=1): a window waiting for an answer takes its
  // default one, as a message box does.
  virtual bool Unattended() const = 0;
  // Runs f once the event being handled now is finished.
  virtual void Post(std::function<void()> f) = 0;
};

// Shows a form without blocking the caller. Unattended, defaultButton is clicked as soon as the
// current event is done (if the form is still shown then).
void ShowDialog(Host& host, Form& form, FormEvents& events, Control* defaultButton);
// Shows a form and waits, processing events, until it is hidden again: its buttons' procedures
// answer by hiding it. Unattended, defaultButton is clicked at once and nothing waits. The form
// is never left shown after an unattended answer, so no caller can wait on an unseen window.
void ShowModal(Host& host, Form& form, FormEvents& events, Control* defaultButton);

}  // namespace platform
