#pragma once
// What the main form's code may touch. Client owns one of each; references only.
#include <array>
#include <string>

#include "table/table_state.h"

namespace platform {
class Host;
class Timer;
}  // namespace platform

namespace ui {

struct UiState;
class MainFormT;
class VosSetT;
class RuleT;

// The sound player: every subsystem plays its effects and voices through it.
struct SoundPlayer {
  // The switches, the effect files and the voice folder.
  UiState& ui;
  // Its sound device, its log and the program's folder.
  platform::Host& host;
  // The seats' voice codes.
  const std::array<table::PlayerRec, 4>& Player;
};

// The main form, its layout and pictures, and the settings and rules windows.
struct Ctx {
  UiState& ui;
  platform::Host& host;
  // The scale of the layout, the hand number and, for the settings window's voice switch, the
  // seats' voice codes.
  table::TableState& table;
  MainFormT& MainForm;
  VosSetT& VosSet;
  RuleT& rule;
  platform::Timer& TimerShuffle;
  SoundPlayer& sound;
  // The seat change's captions, the dots growing.
  const std::array<std::string, 4>& SeatChangeText;
};

}  // namespace ui
