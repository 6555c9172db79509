#include "score/seat_hooks.h"

#include "app/client.h"

namespace score {

void SetScoreAvatar(Client& c, int pos, int face) {
  c.host.Log("hook", "SetScoreAvatar " + std::to_string(pos) + " " + std::to_string(face));
}

void SetRecordPlayer(Client& c, int pos, const std::string& nickName, int face) {
  c.host.Log("hook", "SetRecordPlayer " + std::to_string(pos) + " " + nickName + " " +
                         std::to_string(face));
}

void ShowRecordWindow(Client& c) {
  c.host.Log("hook", "ShowRecordWindow");
}

void ShowScoreWindow(Client& c) {
  c.host.Log("hook", "ShowScoreWindow");
}

}  // namespace score
