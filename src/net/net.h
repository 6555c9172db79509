#pragma once
// Frames in and out and the proxy handshake.
#include <cstdint>
#include <span>

#include "wire/frame.h"
#include "wire/messages.h"

class Client;

namespace net {

// Codec.
void SendFrame(Client& c, const wire::NetMsg& msg);
void QueueRawFrame(Client& c, wire::Frame& frame);
// Takes the frame at the head of the receive ring into RecvFrame and decodes its header.
void DecodeFrame(Client& c);
// Decodes the header of what RecvFrame holds; log is false for a frame already logged when it
// arrived.
void DecodeRecvFrame(Client& c, bool log);

// Connection.
void ResetRings(Client& c);

// The SOCKS 5 handshake. keepQueued keeps the frames waiting in the rings (a reconnection).
void StartProxy(Client& c, bool keepQueued);
// Received bytes while DirectLink is off.
void ProxyDataArrival(Client& c, std::span<const std::uint8_t> bytes);
// The socket closed while DirectLink is off.
void ProxyClosed(Client& c);
void TimerProxy_Timer(Client& c);

}  // namespace net
