#pragma once
// Connection state: the two rings, the tick scheduler's flags and counters, and the frame the
// dispatcher is working on.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "wire/frame.h"

namespace net {

constexpr int kRingSize = 34816;  // exactly 128 frames

// Entries of TaskOn / TaskTick.
enum TaskId : int {
  kTaskSend = 1,
  kTaskRecv = 2,
  kTaskLogin = 3,
  kTaskBlink = 4,
  kTaskWatch = 6,
  kTaskTurnClock = 7,
  kTaskReadyClock = 8,
  kTaskBubble = 10,  // counter only; its flag is the table's BubbleOn
};

struct Ring {
  std::array<std::uint8_t, kRingSize> Bytes{};
  int WritePos = 0;
  int ReadPos = 0;
  int Waiting() const { return (WritePos + kRingSize - ReadPos) % kRingSize; }
};

struct NetState {
  Ring SendRing;
  Ring RecvRing;

  std::array<bool, 10> TaskOn{};            // 1..9
  std::array<std::int32_t, 11> TaskTick{};  // 1..10
  double TurnSecond = 0;
  double ReadySecond = 0;

  bool Online = false;
  bool LoginPending = false;
  bool InHand = false;
  std::int32_t SilentTicks = 0;
  bool HoldQuit = false;
  bool HoldReadyA = false;
  bool HoldReadyB = false;
  wire::Frame HeldFrameA{};
  wire::Frame HeldFrameB{};
  bool DirectLink = true;
  wire::Frame LoginFrame{};

  std::array<std::uint8_t, 2> SessionKey{};
  wire::NetMsg LastMsg;
  wire::Frame RecvFrame{};
  std::array<std::string, 4> SeatNames;
  std::string ChatOut;

  // The login task has told the lobby about the login it is waiting to send.
  bool LoginAnnounced = false;
  // A departure that arrives while the hand's results are held back waits here with every
  // frame behind it, in arrival order, except the frames that end the hold. Taken out of the
  // ring, they cannot stop the results they wait for. A fixed ring of frames: no allocation.
  static constexpr int kHeldFrames = 128;
  std::array<wire::Frame, kHeldFrames> HeldFrames{};
  std::array<bool, kHeldFrames> HeldLogged{};  // logged when it was set aside
  int HeldHead = 0;
  int HeldCount = 0;

  // A tick, or a step held back until one ended, is running. Its handlers may wait processing
  // events; lobby messages and table-clearing input arriving meanwhile wait in HeldSteps.
  bool Busy = false;
  std::deque<std::function<void()>> HeldSteps;

  // Frames through the send ring since start: appended, and taken out to be written.
  std::uint64_t RingQueued = 0;
  std::uint64_t RingSent = 0;

  // Proxy handshake (SOCKS 5).
  std::array<std::uint8_t, 1024> ProxyBuffer{};
  int ProxyWritePos = 0;
  int ProxyReadPos = 0;
  int ProxyState = 0;
  // A start of the handshake is waiting for the proxy to accept its connection; a later start
  // meanwhile asks it (ProxyRestart) to connect again for the later attempt.
  bool ProxyConnectWaiting = false;
  bool ProxyRestart = false;
  // Tick count when the proxy connection was asked for; -1 when not waiting for it.
  std::int64_t ProxyWaitSince = -1;

  // What the connection indicator shows.
  std::int64_t KeepAliveSentAt = -1;
  int RoundTripMs = -1;

  // Reconnection.
  bool g_bCanRecon = false;
  int ReconnectTries = 0;
  // A reconnection has been started and the server has not taken the client back yet: a
  // connection that opens and closes again does not start the count of attempts afresh.
  bool RejoinPending = false;
  int ReconnectDelay = 1;
  std::uint32_t ReconnectTicket = 0;
  bool Reconnected = false;
  // The retries count start-up's own connection, not a lost one.
  bool FirstConnect = false;
  // The connection under way was asked for by the lobby's connect message, not by start-up:
  // when it fails the player goes back to the lobby, which may ask again.
  bool LobbyConnect = false;
};

}  // namespace net
