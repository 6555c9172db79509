#include "platform/forms.h"

#include "platform/host.h"

namespace platform {

void ShowDialog(Host& host, Form& form, FormEvents& events, Control* defaultButton) {
  form.SetVisible(true);
  if (!host.Unattended()) return;
  host.Post([&form, &events, defaultButton] {
    if (!form.Visible()) return;
    if (defaultButton != nullptr) events.OnClick(defaultButton);
    form.SetVisible(false);
  });
}

void ShowModal(Host& host, Form& form, FormEvents& events, Control* defaultButton) {
  struct EndModal {
    Form& f;
    ~EndModal() { f.SetModal(false); }
  } end{form};
  form.SetModal(true);
  form.SetVisible(true);
  if (host.Unattended()) {
    if (defaultButton != nullptr) events.OnClick(defaultButton);
    form.SetVisible(false);
    return;
  }
  // Whatever hides the form ends the wait: an answer, or the table being torn down.
  host.WaitUntil([&form] { return !form.Visible(); });
}

}  // namespace platform
