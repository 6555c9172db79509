#include "ui/messages.h"

#include "platform/host.h"
#include "ui/main_form.h"

namespace ui {

void SysmsgClear(MainFormT& form, int list) {
  form.Sysmsg(list).Clear();
}

void SysmsgAdd(MainFormT& form, platform::Host& host, int list, const std::string& text) {
  form.Sysmsg(list).AddItem(text);
  host.Log(list == 0 ? "sysmsg0" : "sysmsg1", text);
}

void ShowCash(MainFormT& form, platform::Host& host, int pos, const std::string& caption) {
  auto& label = form.Cash(pos);
  if (label.Caption() == caption) return;
  label.SetCaption(caption);
  host.Log("gold", std::to_string(pos) + " " + caption);
}

}  // namespace ui
