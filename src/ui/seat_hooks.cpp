#include "ui/seat_hooks.h"

#include "app/client.h"

namespace ui {

void UnloadRules(Client& c) {
  c.rule.SetVisible(false);
  c.host.Log("hook", "unload the rules window");
}

}  // namespace ui
