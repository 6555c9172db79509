#pragma once
// Turn flow state that outlives one command.
#include <array>

#include "play/turn_state.h"

namespace play {

struct PlayState : TurnState {
  int DiscardBlinkLeft = 0;  // steps left of the last-discard blink

  // Choices on show: chi sequences (two Chi pictures each) and gang tiles with their kinds.
  int ChiShown = 0;
  int GangShown = 0;
  std::array<int, 5> GangKind{};
  // The ting window's choice marked by the keyboard; -1 none.
  int TingMark = -1;
};

}  // namespace play
