#pragma once
// The host the tests drive: the offline host plus the player's input to its windows.
#include <string_view>
#include <utility>

#include "platform/virtual/offline_host.h"

namespace vhost {

class VirtualHost final : public OfflineHost {
 public:
  // Secondary windows, as a player sees them: a form is on screen while registered and
  // Visible. A click presses and releases the left button in the middle of the named control,
  // hit-tested like a real window, so a hidden, disabled or covered control cannot be clicked.
  // Each throws std::logic_error when the form is not on screen or the control is not there.
  platform::Form& ShownForm(std::string_view name) const;
  bool Shown(std::string_view name) const;
  void Click(std::string_view form, std::string_view control, int index = -1);
  void MouseMove(std::string_view form, std::string_view control, int index = -1);
  void KeyDown(std::string_view form, int keyCode);
  // The wheel turned by rows notches over the middle of the named control.
  void Wheel(std::string_view form, std::string_view control, int rows, int index = -1);
  // The form's background, off every control.
  void MouseMoveOffControls(std::string_view form);

 private:
  using Window = std::pair<platform::Form*, platform::FormEvents*>;
  Window WindowOf(std::string_view name) const;
  // The middle of a control that is on screen and on top there, in window pixels.
  std::pair<int, int> Target(const Window& w, std::string_view control, int index) const;
};

}  // namespace vhost
