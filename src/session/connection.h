#pragma once
// The connection as the session runs it: the tick, leaving the table and reconnecting.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "wire/frame.h"
#include "wire/messages.h"

class Client;

namespace session {

// The connection and the tick.
void OpenDirect(Client& c);
void Winsock1_DataArrival(Client& c, std::span<const std::uint8_t> bytes);
void Winsock1_Close(Client& c);
void TimerBong_Timer(Client& c);
void TimerKeepAlive_Timer(Client& c);
// Runs a step that may clear the table (a lobby message, a leave button) now, or, while a tick
// or an earlier such step is running, as soon as it has ended: a handler waiting for an
// animation or a message box never finds the table cleared under it.
void RunOutsideTick(Client& c, std::function<void()> step);
// Writes a frame straight to the socket, past the send ring.
void SendDirect(Client& c, const wire::Frame& frame);

// The proxy handshake (net/proxy.cpp) and what its steps end in. keepQueued keeps the frames
// waiting in the rings (a reconnection).
void StartProxy(Client& c, bool keepQueued);
// Received bytes while DirectLink is off.
void ProxyDataArrival(Client& c, std::span<const std::uint8_t> bytes);
// The socket closed while DirectLink is off.
void ProxyClosed(Client& c);
void TimerProxy_Timer(Client& c);

// Leaving and reconnecting.
void LeaveTable(Client& c);
void DropConnection(Client& c);
// The connection watch found the socket closed and reconnection is allowed.
void StartReconnect(Client& c);
// Start-up's first connection failed: the same attempts, with start-up's texts.
void StartConnectRetries(Client& c);
// A connection the lobby's connect message asked for could not be made: the network message,
// the table dropped and the screen given back to the lobby, which may ask again.
void LobbyConnectFailed(Client& c, const std::string& text);
// Command 29.
void OnReconnectResult(Client& c, const wire::ReconnectResult& m);

}  // namespace session
