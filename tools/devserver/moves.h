#pragma once
// A player's move as the server reads it from a discard (2) or claim (7) frame.
#include <optional>

#include "bots.h"
#include "protocol.h"

namespace devserver::proto {

// onOffer: the tile being claimed, which a chi frame repeats among its tiles. Empty for a claim
// kind the server does not know.
std::optional<Action> MoveOf(const ClientMsg& m, std::uint8_t onOffer);

}  // namespace devserver::proto
