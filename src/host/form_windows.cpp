#include "host/form_windows.h"

#include <algorithm>

namespace host {

void FormWindows::Register(platform::Form& form, platform::FormEvents& events) {
  Unregister(form);
  // The widget follows the form from now on: it appears as soon as the form is Visible.
  windows_.push_back({&form, std::make_unique<FormWidget>(form, pictures_, !form.Framed(), &events,
                                                          FormWidget::Role::Secondary)});
}

void FormWindows::Unregister(platform::Form& form) {
  std::erase_if(windows_, [&form](const Entry& e) { return e.form == &form; });
}

FormWidget* FormWindows::WindowOf(const platform::Form& form) const {
  const auto it = std::find_if(windows_.begin(), windows_.end(),
                               [&form](const Entry& e) { return e.form == &form; });
  return it == windows_.end() ? nullptr : it->widget.get();
}

}  // namespace host
