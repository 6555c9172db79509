#include "app/client.h"
#include "dispatch/dispatch.h"

namespace dispatch {

// Filled in with the seating sequence.
void OnSeatNames(Client& /*c*/) {}
void OnPlayerInfo(Client& /*c*/) {}
void OnPlayerLeft(Client& /*c*/) {}

}  // namespace dispatch
