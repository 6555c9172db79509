#include "ui/seat_hooks.h"

#include "app/client.h"

namespace ui {

void UnloadRules(Client& c) {
  c.host.Log("hook", "unload the rules window");
}

void StartSeatChange(Client& c) {
  c.host.Log("hook", "StartSeatChange");
}

void SetVoiceStyle(Client& c, int pos, const std::string& style, int voiceSex) {
  c.host.Log("hook",
             "SetVoiceStyle " + std::to_string(pos) + " " + style + " " + std::to_string(voiceSex));
}

}  // namespace ui
