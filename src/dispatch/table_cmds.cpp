#include "app/client.h"
#include "dispatch/dispatch.h"

namespace dispatch {

// Filled in with hand start, table status and gold.
void OnHandStart(Client& /*c*/) {}
void OnTableStatus(Client& /*c*/) {}
void OnTableClosed(Client& /*c*/) {}
void OnPlayerReady(Client& /*c*/) {}
void OnHandResume(Client& /*c*/) {}
void OnOwnGold(Client& /*c*/) {}
void OnOtherGold(Client& /*c*/) {}

}  // namespace dispatch
