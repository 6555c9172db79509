#pragma once
// The ting choice on its way to the server.
#include <cstdint>

#include "wire/commands.h"

namespace table {

struct TableState;

// The byte a frame of command cmd carries for the player's ting choice: a discard takes a
// pending choice once (and clears it), every claim result carries it as it stands, other
// commands none.
std::uint8_t TakeTingChoice(TableState& t, wire::Cmd cmd);

}  // namespace table
