#include "ui/seat_hooks.h"

#include "app/client.h"

namespace ui {

void ShowLeaveDialog(Client& c, const std::string& text) {
  c.host.Log("hook", "ShowLeaveDialog " + text);
}

void UnloadExitDialog(Client& c) {
  c.host.Log("hook", "UnloadExitDialog");
}

void StartSeatChange(Client& c) {
  c.host.Log("hook", "StartSeatChange");
}

}  // namespace ui
