#include "app/client.h"
#include "score/score.h"

namespace score {

// Filled in with the hand end.
void OnHandResult(Client& /*c*/) {}
void OnWinDetail(Client& /*c*/) {}

void ReadyClockSecond(Client& c) {
  if (c.score.ReadyCountdown > 0) --c.score.ReadyCountdown;
}

}  // namespace score
