#include "platform/virtual/virtual_host.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/form_input.h"

namespace vhost {

VirtualHost::Window VirtualHost::WindowOf(std::string_view name) const {
  for (const Window& w : RegisteredForms()) {
    if (w.first->Name() != name) continue;
    if (!w.first->Visible()) throw std::logic_error("form " + std::string(name) + " is not shown");
    return w;
  }
  throw std::logic_error("no window for form " + std::string(name));
}

platform::Form& VirtualHost::ShownForm(std::string_view name) const {
  return *WindowOf(name).first;
}

bool VirtualHost::Shown(std::string_view name) const {
  const auto forms = RegisteredForms();
  return std::any_of(forms.begin(), forms.end(), [name](const Window& w) {
    return w.first->Name() == name && w.first->Visible();
  });
}

std::pair<int, int> VirtualHost::Target(const Window& w, std::string_view control,
                                        int index) const {
  const platform::Control& c = w.first->Get(control, index);
  const platform::Rect r = w.first->WindowBounds(c);
  const int x = r.left + r.width / 2;
  const int y = r.top + r.height / 2;
  if (w.first->HitTest(x, y) != &c) {
    throw std::logic_error("control " + std::string(control) + " of " + w.first->Name() +
                           " cannot be reached by the pointer");
  }
  return {x, y};
}

void VirtualHost::Click(std::string_view form, std::string_view control, int index) {
  const Window w = WindowOf(form);
  const auto [x, y] = Target(w, control, index);
  Run([&, x = x, y = y] {
    platform::FormInput input(*w.first, *w.second);
    input.Press(x, y, platform::kLeftButton, 0);
    input.Release(x, y, platform::kLeftButton, 0);
  });
}

void VirtualHost::MouseMove(std::string_view form, std::string_view control, int index) {
  const Window w = WindowOf(form);
  const auto [x, y] = Target(w, control, index);
  Run([&, x = x, y = y] {
    platform::FormInput input(*w.first, *w.second);
    input.Move(x, y, 0, 0);
  });
}

void VirtualHost::MouseMoveOffControls(std::string_view form) {
  const Window w = WindowOf(form);
  const platform::Rect g = w.first->Geometry();
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      if (w.first->HitTest(x, y) != nullptr) continue;
      Run([&] {
        platform::FormInput input(*w.first, *w.second);
        input.Move(x, y, 0, 0);
      });
      return;
    }
  }
  throw std::logic_error("form " + w.first->Name() + " has no background to point at");
}

void VirtualHost::Wheel(std::string_view form, std::string_view control, int rows, int index) {
  const Window w = WindowOf(form);
  const auto [x, y] = Target(w, control, index);
  Run([&, x = x, y = y] {
    platform::FormInput input(*w.first, *w.second);
    input.Wheel(x, y, rows);
  });
}

void VirtualHost::KeyDown(std::string_view form, int keyCode) {
  const Window w = WindowOf(form);
  Run([&] { w.second->OnKeyDown(w.first->Focused(), keyCode, 0); });
}

}  // namespace vhost
