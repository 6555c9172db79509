#include "play/turn_hooks.h"

#include "app/client.h"

namespace play {

void MarkScoreWinner(Client& c, int pos) {
  c.host.Log("hook", "MarkScoreWinner " + std::to_string(pos));
}

}  // namespace play
