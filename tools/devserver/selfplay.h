#pragma once
// Four bots play hands against each other with no network, on a virtual clock.
#include <cstdint>
#include <iosfwd>

#include "game.h"

namespace devserver {

struct SelfPlayResult {
  GameStats stats;
  long long frames = 0;
  bool ok = false;  // every hand finished and every check held
};

// log receives the game's notes when not null.
SelfPlayResult RunSelfPlay(int hands, std::uint32_t seed, std::ostream* log);
void PrintSelfPlay(const SelfPlayResult& r, double seconds, std::ostream& out);

}  // namespace devserver
