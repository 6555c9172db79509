#pragma once
// The windows of the registered secondary forms: one FormWidget each, shown while its form is
// Visible, its input handed to the form's event procedures.
#include <memory>
#include <vector>

#include "host/form_widget.h"
#include "host/picture_store.h"
#include "platform/controls.h"
#include "platform/form_events.h"

namespace host {

class FormWindows {
 public:
  explicit FormWindows(PictureStore& pictures) : pictures_(pictures) {}
  FormWindows(const FormWindows&) = delete;
  FormWindows& operator=(const FormWindows&) = delete;

  void Register(platform::Form& form, platform::FormEvents& events);
  void Unregister(platform::Form& form);
  // The window of a registered form, or null.
  FormWidget* WindowOf(const platform::Form& form) const;

 private:
  struct Entry {
    platform::Form* form;
    std::unique_ptr<FormWidget> widget;
  };
  PictureStore& pictures_;
  std::vector<Entry> windows_;
};

}  // namespace host
