#include "app/client.h"
#include "view/view.h"

namespace view {

// Filled in with the decision prompt and the table snapshot.
void OnDecisionPrompt(Client& /*c*/) {}
void OnSnapshot(Client& /*c*/) {}

}  // namespace view
