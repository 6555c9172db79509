#pragma once
// Frames in and out, the tick scheduler and leaving the table.
#include <cstdint>
#include <span>

#include "net/frame.h"

class Client;

namespace net {

// Codec.
void SendFrame(Client& c, const NetMsg& msg);
void QueueRawFrame(Client& c, Frame& frame);
// Takes the frame at the head of the receive ring into RecvFrame and decodes it.
void DecodeFrame(Client& c);
// Decodes what RecvFrame holds; log is false for a frame already logged when it arrived.
void DecodeRecvFrame(Client& c, bool log);

// Connection and scheduler.
void ResetRings(Client& c);
void OpenDirect(Client& c);
void Winsock1_DataArrival(Client& c, std::span<const std::uint8_t> bytes);
void Winsock1_Close(Client& c);
void TimerBong_Timer(Client& c);
void TimerKeepAlive_Timer(Client& c);
// Writes a frame straight to the socket, past the send ring.
void SendDirect(Client& c, const Frame& frame);

// Leaving and reconnecting.
void LeaveTable(Client& c);
void DropConnection(Client& c);
void StartReconnect(Client& c);
void OnReconnectResult(Client& c);

}  // namespace net
