#pragma once
// Hand-end and score-sheet state.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace score {

// One command-17 row per position.
using WinRow = std::array<std::int16_t, 48>;

// What the prop plug-in leaves for the score sheet of a position: its lines and its score.
struct ScoreState {
  // The session score of each position: every hand score since the program started.
  std::array<double, 4> RunningScore{};
  std::array<double, 4> HandScore{};
  bool GameEnded = false;
  // Set while the next hand's start finishes the last hand's end: its sheet is written, not shown.
  bool ClosingHandEnd = false;
  int SeatResultCount = 0;
  int WinDetailCount = 0;
  std::array<WinRow, 4> WinDetail{};
  std::string WinText;
  std::array<int, 4> CapFlag{};
  bool HandInProgress = false;
  // The complete group was a draw and waits for the plug-in's prop scores.
};

}  // namespace score
