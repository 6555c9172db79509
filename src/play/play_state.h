#pragma once
// Turn flow state that outlives one command.
namespace play {

struct PlayState {
  int DiscardBlinkLeft = 0;  // steps left of the last-discard blink
};

}  // namespace play
