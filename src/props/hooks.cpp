#include "props/hooks.h"

#include "app/client.h"

namespace props::hooks {

void ShowMessageLine(Client& c, const std::string& text, int width) {
  c.host.Log("hook", "ShowMessageLine " + std::to_string(width) + " " + text);
}

void SetWhisper(Client& c, int pos) {
  c.host.Log("hook", "SetWhisper " + std::to_string(pos));
}

void ShowPlayerCard(Client& c, int pos) {
  c.host.Log("hook", "ShowPlayerCard " + std::to_string(pos));
}

void ShowScoreSheet(Client& c) {
  c.host.Log("hook", "ShowScoreSheet");
}

void ShowDrawSheetWithProps(Client& c) {
  c.host.Log("hook", "ShowDrawSheetWithProps");
}

}  // namespace props::hooks
