#pragma once
// What the connection's low half may touch: its own state, the host (socket, log, clock), the
// proxy handshake's timer and the addresses the handshake reads.
#include <string>

namespace platform {
class Host;
class Timer;
}  // namespace platform

namespace net {

struct NetState;

struct Ctx {
  NetState& net;
  platform::Host& host;
  platform::Timer& TimerProxy;
  // Read only: where the proxy and the game server are, and the proxy's login.
  const std::string& ProxyHost;
  const int& ProxyPort;
  const std::string& ProxyUser;
  const std::string& ProxyPass;
  const std::string& ServerHost;
  const int& ServerPort;
};

}  // namespace net
