#include "app/client.h"
#include "props/props.h"

namespace props {

bool Active(const Client& c) {
  return c.props.Prop_GameDllState > 0;
}
void RecMsg(Client& c, net::Frame& frame) {
  c.host.Log("plugin", "Rec_MSG " + std::to_string(frame[net::kOffCmd]));
}
void RecState(Client& /*c*/, int /*kind*/, bool /*on*/) {}
void Poll(Client& /*c*/) {}
void Shutdown(Client& c) {
  if (c.props.Prop_GameDllState > 0) c.props.Prop_GameDllState = 0;
}
void SetKeyDown(Client& c, int keyCode) {
  c.host.Log("plugin", "SetKeyDown " + std::to_string(keyCode));
}
void FixBuffPos(Client& /*c*/) {}
void MarkScorePending(Client& c) {
  c.props.ScorePending = true;
}

}  // namespace props
