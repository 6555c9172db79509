#include "play/turn_hooks.h"

#include "app/client.h"

namespace play {

void PlayVoice(Client& c, int pos, const std::string& suffix) {
  c.host.Log("hook", "voice " + std::to_string(pos) + " " + suffix);
}

void MarkScoreWinner(Client& c, int pos) {
  c.host.Log("hook", "MarkScoreWinner " + std::to_string(pos));
}

}  // namespace play
