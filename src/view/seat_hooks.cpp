#include "view/seat_hooks.h"

#include "app/client.h"

namespace view {

// The seat-wind draw, the compass and the wall build live with the tile geometry.

void ClearSeenCounts(Client& c) {
  c.host.Log("hook", "ClearSeenCounts");
}

}  // namespace view
