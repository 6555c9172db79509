#pragma once
// The demo's first hand, dealt so that a person meets every move early: a concealed gang with
// two choices on the first turn (as dealer), a peng of the right-hand bot's first discard and a
// chi with three sequences on the left-hand bot's first discard.
#include <array>
#include <cstdint>
#include <vector>

#include "wall.h"

namespace devserver {

struct RiggedHand {
  Wall wall;
  // Tiles each seat throws first while it holds them (bots only).
  std::array<std::vector<std::uint8_t>, 4> firstDiscards;
};

// w is the broken wall of the hand; the result deals the same way with the tiles rearranged.
RiggedHand RigDemoHand(const Wall& w, int dealer, const std::array<int, 4>& dice, int person);
// A first hand whose deal leaves the person ready, so ting is offered on the person's first turn.
RiggedHand RigTingHand(const Wall& w, int dealer, const std::array<int, 4>& dice, int person);

}  // namespace devserver
