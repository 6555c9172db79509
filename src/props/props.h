#pragma once
// The bridge to the platform's prop plug-in. Without a plug-in every call is a no-op.
#include "net/frame.h"

class Client;

namespace props {

bool Active(const Client& c);
void RecMsg(Client& c, net::Frame& frame);
void RecState(Client& c, int kind, bool on);
void Poll(Client& c);
void Shutdown(Client& c);
void SetKeyDown(Client& c, int keyCode);
void FixBuffPos(Client& c);
void MarkScorePending(Client& c);

}  // namespace props
