#include <algorithm>
#include <limits>

#include "app/app.h"
#include "app/client.h"
#include "chat/chat.h"
#include "dispatch/dispatch.h"
#include "net/net.h"
#include "play/play.h"
#include "props/props.h"
#include "score/score.h"
#include "view/view.h"

namespace net {

namespace {

constexpr int kQuitCmd = 21;
constexpr int kPropCmd = 45;
constexpr std::int32_t kSilentLimit = 4999;
// A first connection that fails outright is tried again this often, this many times.
constexpr int kConnectRetryMs = 3000;
constexpr int kConnectRetries = 21;

bool Connected(Client& c) {
  return c.host.Winsock1().State() == platform::kSockConnected;
}

// Runs on its own second: true once per second, and again after midnight wrapped the clock.
bool SecondElapsed(Client& c, double& last) {
  const double now = c.host.SecondsSinceMidnight();
  const double d = now - last;
  if (d >= 1 || d < 0) {
    last = now;
    return true;
  }
  return false;
}

void SendTask(Client& c) {
  NetState& n = c.net;
  Ring& ring = n.SendRing;
  if (ring.Waiting() < kFrameSize) {
    n.TaskOn[kTaskSend] = false;
  } else if (!Connected(c)) {
    // The frame stays queued; it goes out after the next frame is queued.
    n.TaskOn[kTaskSend] = false;
  } else {
    Frame f{};
    for (auto& b : f) {
      b = ring.Bytes[static_cast<std::size_t>(ring.ReadPos)];
      ring.ReadPos = (ring.ReadPos + 1) % kRingSize;
    }
    const int v = f[kOffValues] * 256 + f[kOffValues + 1];
    const int q = v / 8;
    if (f[kOffCmd] == kPropCmd && n.HoldReadyA && q == 129) {
      n.HoldReadyA = false;
      n.HeldFrameA = f;
    } else if (f[kOffCmd] == kPropCmd && !n.InHand && n.HoldReadyB && q == 386) {
      n.HoldReadyB = false;
      n.HeldFrameB = f;
    } else {
      SendDirect(c, f);
    }
  }
  n.TaskTick[kTaskSend] = 0;
}

// No frame for too long in a hand: give the table up and hand the player back to the lobby.
void ConnectionLost(Client& c) {
  if (app::LobbyExists(c)) {
    app::SysmsgClear(c, 0);
    app::SysmsgAdd(c, 0, "已经与服务器断开连接，请重新入座！");
    if (props::Active(c)) props::Shutdown(c);
    c.MainForm.SetState(platform::WindowState::Minimized);
    app::RestoreLobby(c);
    c.score.TableResetDone = false;
    DropConnection(c);
    view::ResetHands(c);
    view::ResetTableDisplay(c);
  } else {
    app::EndProgram(c, "the server went silent during a hand and the lobby is gone");
  }
}

// The frames a held departure must not stand in front of: the hand's results, and what ends
// the hold otherwise (the next hand, a login result), with the plug-in's traffic that the
// results may wait for.
bool EndsTheHold(int cmd) {
  switch (cmd) {
    case 4:
    case 9:
    case 17:
    case 18:
    case 19:
    case 46:
      return true;
    default:
      return false;
  }
}

void DispatchRecvFrame(Client& c) {
  NetState& n = c.net;
  if (n.InHand) n.SilentTicks = 0;
  dispatch::Dispatch(c, n.LastMsg);
}

// Sets the frame at the ring head aside behind the held departure.
void HoldBack(Client& c, int cmd) {
  NetState& n = c.net;
  const auto slot = static_cast<std::size_t>((n.HeldHead + n.HeldCount) % NetState::kHeldFrames);
  if (cmd == kQuitCmd) {
    // Decoded (and logged) now, as it arrived; dispatched once the results have been shown.
    dispatch::RunGuarded(c, cmd, [&] { DecodeFrame(c); });
    n.HeldFrames.at(slot) = n.RecvFrame;
    n.HeldLogged.at(slot) = true;
    c.host.Log("hold", "departure of seat " + std::to_string(n.LastMsg.Seat) +
                           " waits for the hand's results");
    if (n.LastMsg.Seat != c.table.Hand[0].SeatBit && !c.TimerKeepAlive.Enabled()) {
      c.TimerKeepAlive.SetEnabled(true);
    }
  } else {
    Ring& ring = n.RecvRing;
    auto at = ring.Bytes.begin() + ring.ReadPos;
    std::copy(at, at + kFrameSize, n.HeldFrames.at(slot).begin());
    ring.ReadPos = (ring.ReadPos + kFrameSize) % kRingSize;
    n.HeldLogged.at(slot) = false;
  }
  ++n.HeldCount;
}

void ReleaseHeldFrame(Client& c) {
  NetState& n = c.net;
  const auto slot = static_cast<std::size_t>(n.HeldHead);
  n.HeldHead = (n.HeldHead + 1) % NetState::kHeldFrames;
  --n.HeldCount;
  n.RecvFrame = n.HeldFrames.at(slot);
  const bool logged = n.HeldLogged.at(slot);
  dispatch::RunGuarded(c, n.RecvFrame[kOffCmd], [&] { DecodeRecvFrame(c, !logged); });
  DispatchRecvFrame(c);
}

void ReceiveTask(Client& c) {
  NetState& n = c.net;
  if (n.InHand) {
    ++n.SilentTicks;
    if (n.SilentTicks > kSilentLimit) {
      n.SilentTicks = 0;
      ConnectionLost(c);
      return;
    }
  }
  Ring& ring = n.RecvRing;
  if (!n.HoldQuit && n.HeldCount > 0) {
    ReleaseHeldFrame(c);
  } else if (ring.Waiting() >= kFrameSize) {
    const int cmd = ring.Bytes[static_cast<std::size_t>(ring.ReadPos + kOffCmd)];
    const bool hold = n.HoldQuit && (cmd == kQuitCmd || (n.HeldCount > 0 && !EndsTheHold(cmd)));
    if (!hold) {
      // Decoding already shows chat and feeds the plug-in: it fails the way a handler does.
      dispatch::RunGuarded(c, cmd, [&] { DecodeFrame(c); });
      DispatchRecvFrame(c);
    } else if (n.HeldCount < NetState::kHeldFrames) {
      HoldBack(c, cmd);
    }
    // With no room left the frame stays at the ring head until the hold ends.
  }
  const bool more = ring.Waiting() >= kFrameSize || (!n.HoldQuit && n.HeldCount > 0);
  n.TaskTick[kTaskRecv] = more ? 1 : 0;
}

void LoginTask(Client& c) {
  NetState& n = c.net;
  platform::Socket& sock = c.host.Winsock1();
  if (!n.LoginAnnounced) {
    app::PostToLobby(c, 22);
    n.LoginAnnounced = true;
  }
  // Re-checked on every tick rather than waiting inside this one, so the table stays live.
  const int state = sock.State();
  if (state != platform::kSockConnected) {
    if (state == platform::kSockError || state == platform::kSockClosed) {
      if (n.ConnectRetries >= kConnectRetries) {
        app::ShowMessage(c, "连接服务器失败，请检查您的网络！", "");
        app::RestoreLobby(c);
        app::EndProgram(c, "could not connect to the game server");
      }
      ++n.ConnectRetries;
      c.host.Log("error", "connect failed, trying again in 3 s");
      n.TaskTick[kTaskLogin] = 4 - kConnectRetryMs / 50;
      sock.Close();
      sock.Connect();
    }
    return;
  }
  n.ConnectRetries = 0;
  n.LoginPending = true;
  SendDirect(c, n.LoginFrame);
  n.TaskOn[kTaskWatch] = true;
  n.TaskTick[kTaskWatch] = 0;
  n.TaskOn[kTaskLogin] = false;
  n.TaskTick[kTaskLogin] = 0;
  n.LoginAnnounced = false;
  if (props::Active(c)) props::RecState(c, 3, true);
}

void WatchTask(Client& c) {
  NetState& n = c.net;
  if (!Connected(c)) {
    if (props::Active(c)) props::RecState(c, 3, false);
    if (!app::LobbyExists(c)) app::EndProgram(c, "connection lost and the lobby is gone");
    if (n.g_bCanRecon) {
      n.Online = false;
      n.TaskOn[kTaskWatch] = false;
      n.TaskTick[kTaskWatch] = 0;
      StartReconnect(c);
    }
  }
  n.TaskTick[kTaskWatch] = 0;
}

void Tick(Client& c) {
  NetState& n = c.net;
  for (std::size_t i = 1; i < n.TaskTick.size(); ++i) {
    if (n.TaskTick[i] < std::numeric_limits<std::int32_t>::max()) ++n.TaskTick[i];
  }
  if (n.TaskOn[kTaskSend] && n.TaskTick[kTaskSend] >= 1) SendTask(c);
  if (n.TaskOn[kTaskRecv] && n.TaskTick[kTaskRecv] >= 2) ReceiveTask(c);
  if (n.TaskOn[kTaskLogin] && n.TaskTick[kTaskLogin] >= 4) LoginTask(c);
  if (n.TaskOn[kTaskBlink] && n.TaskTick[kTaskBlink] >= 8) {
    play::BlinkStep(c);
    chat::BlinkStep(c);
    n.TaskTick[kTaskBlink] = 0;
  }
  if (n.Online && n.TaskOn[kTaskTurnClock] && SecondElapsed(c, n.TurnSecond)) {
    play::TurnClockSecond(c);
  }
  if (n.Online && n.TaskOn[kTaskReadyClock] && SecondElapsed(c, n.ReadySecond)) {
    score::ReadyClockSecond(c);
  }
  if (n.TaskOn[kTaskWatch] && n.TaskTick[kTaskWatch] >= 40) WatchTask(c);
  if (c.table.BubbleOn && n.TaskTick[kTaskBubble] >= 40) {
    play::HideBubble(c);
    n.TaskTick[kTaskBubble] = 0;
  }
  props::Poll(c);
}

}  // namespace

void ResetRings(Client& c) {
  c.net.SendRing.WritePos = c.net.SendRing.ReadPos = 0;
  c.net.RecvRing.WritePos = c.net.RecvRing.ReadPos = 0;
  c.net.HeldHead = c.net.HeldCount = 0;
}

void OpenDirect(Client& c) {
  platform::Socket& sock = c.host.Winsock1();
  sock.SetRemote(c.app.ServerHost, c.app.ServerPort);
  sock.Connect();
  c.TimerBong.SetEnabled(true);
  c.net.TaskOn[kTaskLogin] = true;
  c.net.TaskTick[kTaskLogin] = 0;
  c.net.LoginAnnounced = false;
  c.net.ConnectRetries = 0;
}

void Winsock1_DataArrival(Client& c, std::span<const std::uint8_t> bytes) {
  NetState& n = c.net;
  if (!n.DirectLink) {
    app::ProxyDataArrival(c, bytes);
    return;
  }
  Ring& ring = n.RecvRing;
  for (std::uint8_t b : bytes) {
    ring.Bytes[static_cast<std::size_t>(ring.WritePos)] = b;
    ring.WritePos = (ring.WritePos + 1) % kRingSize;
    if (ring.WritePos == ring.ReadPos) {
      c.host.Log("error", "receive ring overflow");
      app::RestoreLobby(c);
      app::EndProgram(c, "receive ring overflow");
    }
  }
  n.TaskOn[kTaskRecv] = true;
  n.TaskTick[kTaskRecv] = 0;
}

void Winsock1_Close(Client& c) {
  c.host.Winsock1().Close();
}

void TimerBong_Timer(Client& c) {
  c.TimerBong.SetEnabled(false);
  // Every way out of the tick, an error included, switches the timer back on.
  struct Reenable {
    Client& c;
    ~Reenable() { c.TimerBong.SetEnabled(true); }
  } reenable{c};
  Tick(c);
}

void TimerKeepAlive_Timer(Client& c) {
  NetMsg m;
  m.Cmd = 24;
  m.Seat = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  SendFrame(c, m);
}

void SendDirect(Client& c, const Frame& frame) {
  app::LogFrame(c, "send", frame);
  c.host.Winsock1().SendData(frame);
}

}  // namespace net
