#pragma once
// The table's effect sounds and its background loop, synthesised.
#include "wav.h"

namespace soundgen {

Signal DiscardClack();    // a tile put down hard on the table
Signal TakeTiles();       // tiles taken from the wall
Signal Shuffle();         // the wall being built: a long rattle of tiles
Signal Dice();            // two dice thrown into a bowl
Signal Warning();         // one tick of a running-out countdown
Signal BackgroundLoop();  // a quiet plucked tune that loops without a seam

}  // namespace soundgen
