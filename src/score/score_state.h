#pragma once
// Hand-end and score-sheet state.
#include <array>

namespace score {

struct ScoreState {
  std::array<double, 4> RunningScore{};
  bool TableResetDone = false;
  bool GameEnded = false;
  int SeatResultCount = 0;
  bool HandInProgress = false;
};

}  // namespace score
