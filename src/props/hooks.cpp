#include "props/hooks.h"

#include "app/client.h"
#include "chat/chat.h"
#include "score/score.h"

namespace props::hooks {

// Each call is also logged, so a run can be read back in order.

void ShowMessageLine(Client& c, const std::string& text, int width) {
  c.host.Log("hook", "ShowMessageLine " + std::to_string(width) + " " + text);
  chat::ShowMessageLine(c, text, width);
}

void SetWhisper(Client& c, int pos) {
  c.host.Log("hook", "SetWhisper " + std::to_string(pos));
  chat::SetWhisper(c, pos);
}

void ShowPlayerCard(Client& c, int pos) {
  c.host.Log("hook", "ShowPlayerCard " + std::to_string(pos));
  score::ShowPlayerCard(c, pos);
}

void ShowScoreSheet(Client& c) {
  c.host.Log("hook", "ShowScoreSheet");
  score::ShowScoreSheet(c);
}

void ShowDrawSheetWithProps(Client& c) {
  c.host.Log("hook", "ShowDrawSheetWithProps");
  score::ShowDrawSheetWithProps(c);
}

}  // namespace props::hooks
