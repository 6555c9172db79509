#pragma once
// Frames in and out and the proxy handshake.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "wire/frame.h"
#include "wire/messages.h"

namespace net {

struct Ctx;
struct NetState;

// Codec.
// Queues msg with the session key. A discard and a claim result carry ting, the player's ting
// choice (table::TakeTingChoice), in the payload's first byte; other commands ignore it.
void SendFrame(Ctx& n, const wire::NetMsg& msg, std::uint8_t ting = 0);
void QueueRawFrame(Ctx& n, wire::Frame& frame);
// Takes the frame at the head of the receive ring into RecvFrame and decodes its header.
void DecodeFrame(Ctx& n);
// Decodes the header of what RecvFrame holds; log is false for a frame already logged when it
// arrived.
void DecodeRecvFrame(Ctx& n, bool log);

// Connection.
void ResetRings(NetState& n);

// What a step of the SOCKS 5 handshake ended in, for the caller to act on.
struct ProxyOutcome {
  enum Kind {
    kPending,   // still negotiating (or nothing to do)
    kFailed,    // the proxy said no, went away or kept silent: the socket is closed
    kOpen,      // the tunnel is open: the login may go; rest is the game server's first bytes
    kOverflow,  // the proxy sent more than a reply can hold
  };
  Kind kind = kPending;
  std::string text;  // kFailed: what the player is told
  std::vector<std::uint8_t> rest;
};

// The SOCKS 5 handshake. keepQueued keeps the frames waiting in the rings (a reconnection).
ProxyOutcome StartProxy(Ctx& n, bool keepQueued);
// Received bytes while DirectLink is off.
ProxyOutcome ProxyDataArrival(Ctx& n, std::span<const std::uint8_t> bytes);
// The socket closed while DirectLink is off.
ProxyOutcome ProxyClosed(Ctx& n);
ProxyOutcome TimerProxy_Timer(Ctx& n);

}  // namespace net
