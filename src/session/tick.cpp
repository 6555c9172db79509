#include <algorithm>
#include <limits>

#include "app/replay.h"
#include "chat/chat.h"
#include "net/frame_log.h"
#include "net/net.h"
#include "platform/lobby.h"
#include "platform/messages.h"
#include "play/play.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/continue.h"
#include "session/control_bar.h"
#include "session/dispatch.h"
#include "session/program.h"
#include "session/prop_actions.h"
#include "session/seat_common.h"
#include "session/table_reset.h"
#include "ui/messages.h"
#include "ui/ui.h"
#include "view/view.h"

namespace session {

namespace {

constexpr std::int32_t kSilentLimit = 4999;
// Frames a receive run may leave waiting. A longer backlog (a server sending faster than one
// frame a tick) is worked off in the same run, so a busy table never fills the ring.
constexpr int kBacklogFrames = 4;

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
  net::NetState& n = c.net;
  net::Ring& ring = n.SendRing;
  if (ring.Waiting() < wire::kFrameSize) {
    n.TaskOn[net::kTaskSend] = false;
  } else if (!Connected(c) || !n.Online) {
    // The frame stays queued until the server has taken the client (back): before that the
    // socket may lead to a proxy still negotiating, or to a server still to answer the login.
    // It goes out after the next frame is queued, or when a reconnection is accepted.
    n.TaskOn[net::kTaskSend] = false;
  } else {
    wire::Frame f{};
    for (auto& b : f) {
      b = ring.Bytes[static_cast<std::size_t>(ring.ReadPos)];
      ring.ReadPos = (ring.ReadPos + 1) % net::kRingSize;
    }
    const int v = f[wire::kOffValues] * 256 + f[wire::kOffValues + 1];
    const int q = v / 8;
    if (f[wire::kOffCmd] == wire::Num(wire::Cmd::PropFrame) && n.HoldReadyA && q == 129) {
      n.HoldReadyA = false;
      n.HeldFrameA = f;
    } else if (f[wire::kOffCmd] == wire::Num(wire::Cmd::PropFrame) && !n.InHand && n.HoldReadyB &&
               q == 386) {
      n.HoldReadyB = false;
      n.HeldFrameB = f;
    } else {
      SendDirect(c, f);
    }
    ++n.RingSent;
  }
  n.TaskTick[net::kTaskSend] = 0;
}

// No frame for too long in a hand: give the table up and hand the player back to the lobby.
void ConnectionLost(Client& c) {
  if (session::LobbyExists(c)) {
    if (props::Active(c)) props::Shutdown(c);
    c.MainForm.SetState(platform::WindowState::Minimized);
    session::RestoreLobby(c);
    session::GiveUpTable(c);
    // Written after the connection is dropped, which empties both lists, so the player reads it.
    ui::SysmsgClear(c.MainForm, 0);
    ui::SysmsgAdd(c.MainForm, c.host, 0, "已经与服务器断开连接，请重新入座！");
  } else {
    platform::EndProgram(c.host, "the server went silent during a hand and the lobby is gone");
  }
}

// The frames a held departure must not stand in front of: the hand's results, and what ends
// the hold otherwise (the next hand, a login result), with the plug-in's traffic that the
// results may wait for.
bool EndsTheHold(int cmd) {
  using wire::Cmd;
  switch (static_cast<Cmd>(cmd)) {
    case Cmd::HandStart:
    case Cmd::HandResult:
    case Cmd::WinDetail:
    case Cmd::LoginResult:
    case Cmd::Chat:
    case Cmd::PropScores:
      return true;
    default:
      return false;
  }
}

void DispatchRecvFrame(Client& c) {
  net::NetState& n = c.net;
  if (n.InHand) n.SilentTicks = 0;
  // A server that answers the keep-alive tells the round trip.
  if (n.LastMsg.Cmd == wire::Num(wire::Cmd::KeepAlive) && n.KeepAliveSentAt >= 0) {
    n.RoundTripMs = static_cast<int>(c.host.TickCount() - n.KeepAliveSentAt);
    n.KeepAliveSentAt = -1;
  }
  app::RecordFrame(c.app.Replay, c.host.TickCount(), n.RecvFrame);
  session::Dispatch(c, n.LastMsg);
}

// Sets the frame at the ring head aside behind the held departure.
void HoldBack(Client& c, int cmd) {
  net::NetState& n = c.net;
  const auto slot =
      static_cast<std::size_t>((n.HeldHead + n.HeldCount) % net::NetState::kHeldFrames);
  if (cmd == wire::Num(wire::Cmd::PlayerLeft)) {
    // Decoded (and logged) now, as it arrived; dispatched once the results have been shown.
    net::DecodeFrame(c.netCtx);
    n.HeldFrames.at(slot) = n.RecvFrame;
    n.HeldLogged.at(slot) = true;
    c.host.Log("hold", "departure of seat " + std::to_string(n.LastMsg.Seat) +
                           " waits for the hand's results");
    if (n.LastMsg.Seat != c.table.Hand[0].SeatBit && !c.TimerKeepAlive.Enabled()) {
      c.TimerKeepAlive.SetEnabled(true);
    }
  } else {
    net::Ring& ring = n.RecvRing;
    auto at = ring.Bytes.begin() + ring.ReadPos;
    std::copy(at, at + wire::kFrameSize, n.HeldFrames.at(slot).begin());
    ring.ReadPos = (ring.ReadPos + wire::kFrameSize) % net::kRingSize;
    n.HeldLogged.at(slot) = false;
  }
  ++n.HeldCount;
}

void ReleaseHeldFrame(Client& c) {
  net::NetState& n = c.net;
  const auto slot = static_cast<std::size_t>(n.HeldHead);
  n.HeldHead = (n.HeldHead + 1) % net::NetState::kHeldFrames;
  --n.HeldCount;
  n.RecvFrame = n.HeldFrames.at(slot);
  const bool logged = n.HeldLogged.at(slot);
  net::DecodeRecvFrame(c.netCtx, !logged);
  DispatchRecvFrame(c);
}

// One step of the receive task: a frame held behind a departure that may go now, else the frame
// at the ring head (dispatched, or set aside behind a held departure). False when nothing
// moved.
bool ReceiveStep(Client& c) {
  net::NetState& n = c.net;
  net::Ring& ring = n.RecvRing;
  if (!n.HoldQuit && n.HeldCount > 0) {
    ReleaseHeldFrame(c);
    return true;
  }
  if (ring.Waiting() < wire::kFrameSize) return false;
  const int cmd = ring.Bytes[static_cast<std::size_t>(ring.ReadPos + wire::kOffCmd)];
  const bool hold = n.HoldQuit && (cmd == wire::Num(wire::Cmd::PlayerLeft) ||
                                   (n.HeldCount > 0 && !EndsTheHold(cmd)));
  if (!hold) {
    net::DecodeFrame(c.netCtx);
    DispatchRecvFrame(c);
    return true;
  }
  if (n.HeldCount < net::NetState::kHeldFrames) {
    HoldBack(c, cmd);
    return true;
  }
  // With no room left the frame stays at the ring head until the hold ends.
  return false;
}

void ReceiveTask(Client& c) {
  net::NetState& n = c.net;
  if (n.InHand) {
    ++n.SilentTicks;
    if (n.SilentTicks > kSilentLimit) {
      n.SilentTicks = 0;
      ConnectionLost(c);
      return;
    }
  }
  // One step per run; more only while the backlog is too long, and never while a handler has
  // stopped the receive task or nothing can move.
  if (ReceiveStep(c)) {
    while (n.TaskOn[net::kTaskRecv] && n.RecvRing.Waiting() > kBacklogFrames * wire::kFrameSize &&
           ReceiveStep(c)) {
    }
  }
  const net::Ring& ring = n.RecvRing;
  const bool more = ring.Waiting() >= wire::kFrameSize || (!n.HoldQuit && n.HeldCount > 0);
  n.TaskTick[net::kTaskRecv] = more ? 1 : 0;
}

void LoginTask(Client& c) {
  net::NetState& n = c.net;
  platform::Socket& sock = c.host.Winsock1();
  if (!n.LoginAnnounced) {
    session::PostToLobby(c, 22);
    n.LoginAnnounced = true;
  }
  // Re-checked on every tick rather than waiting inside this one, so the table stays live.
  const int state = sock.State();
  if (state != platform::kSockConnected) {
    if ((state == platform::kSockError || state == platform::kSockClosed) &&
        !c.frmReconnect.Loaded) {
      // Start-up's connection failed outright: it is tried again the way a lost one is (a
      // reconnection's own attempts are already counting).
      c.host.Log("error", "connect failed, trying again in 3 s");
      StartConnectRetries(c);
    }
    return;
  }
  n.LoginPending = true;
  SendDirect(c, n.LoginFrame);
  n.TaskOn[net::kTaskWatch] = true;
  n.TaskTick[net::kTaskWatch] = 0;
  n.TaskOn[net::kTaskLogin] = false;
  n.TaskTick[net::kTaskLogin] = 0;
  n.LoginAnnounced = false;
  // A reconnection's request tells the plug-in once the server has taken the client back.
  if (props::Active(c) && n.LoginFrame[wire::kOffCmd] != wire::Num(wire::Cmd::ReconnectRequest))
    props::RecState(c, 3, true);
}

void WatchTask(Client& c) {
  net::NetState& n = c.net;
  if (!Connected(c)) {
    if (props::Active(c)) props::RecState(c, 3, false);
    if (!session::LobbyExists(c))
      platform::EndProgram(c.host, "connection lost and the lobby is gone");
    if (n.g_bCanRecon) {
      n.Online = false;
      n.TaskOn[net::kTaskWatch] = false;
      n.TaskTick[net::kTaskWatch] = 0;
      StartReconnect(c);
    }
  }
  n.TaskTick[net::kTaskWatch] = 0;
}

// A second of the decision clock. When the own clock runs out, the boss key pressed for an
// absent player comes before the automatic move, and a failed move gives the player back to the
// lobby.
void TurnClockSecond(Client& c) {
  const play::ClockSecond s = play::TurnClockSecond(c);
  if (!s.timeUp) return;
  if (s.bossKey) TableBossKey(c, /*tellPlugin=*/true);
  if (play::ActOnTimeUp(c)) return;
  platform::ShowMessage(c.host, "FailFool", "");
  PostToLobby(c, platform::kClientIdle);
  platform::EndProgram(c.host, "the automatic move failed");
}

void Tick(Client& c) {
  net::NetState& n = c.net;
  for (std::size_t i = 1; i < n.TaskTick.size(); ++i) {
    if (n.TaskTick[i] < std::numeric_limits<std::int32_t>::max()) ++n.TaskTick[i];
  }
  if (n.TaskOn[net::kTaskSend] && n.TaskTick[net::kTaskSend] >= 1) SendTask(c);
  if (n.TaskOn[net::kTaskRecv] && n.TaskTick[net::kTaskRecv] >= 2) ReceiveTask(c);
  if (n.TaskOn[net::kTaskLogin] && n.TaskTick[net::kTaskLogin] >= 4) LoginTask(c);
  if (n.TaskOn[net::kTaskBlink] && n.TaskTick[net::kTaskBlink] >= 8) {
    play::BlinkStep(c);
    chat::BlinkStep(c.chatCtx);
    n.TaskTick[net::kTaskBlink] = 0;
  }
  if (n.Online && n.TaskOn[net::kTaskTurnClock] && SecondElapsed(c, n.TurnSecond)) {
    TurnClockSecond(c);
  }
  if (n.Online && n.TaskOn[net::kTaskReadyClock] && SecondElapsed(c, n.ReadySecond)) {
    session::ReadyClockSecond(c);
  }
  if (n.TaskOn[net::kTaskWatch] && n.TaskTick[net::kTaskWatch] >= 40) WatchTask(c);
  if (c.table.BubbleOn && n.TaskTick[net::kTaskBubble] >= 40) {
    play::HideBubble(c);
    n.TaskTick[net::kTaskBubble] = 0;
  }
  PropTask(c);
  session::ShowLinkState(c);
}

}  // namespace

void OpenDirect(Client& c) {
  platform::Socket& sock = c.host.Winsock1();
  sock.SetRemote(c.app.ServerHost, c.app.ServerPort);
  sock.Connect();
  c.TimerBong.SetEnabled(true);
  c.net.TaskOn[net::kTaskLogin] = true;
  c.net.TaskTick[net::kTaskLogin] = 0;
  c.net.LoginAnnounced = false;
}

void Winsock1_DataArrival(Client& c, std::span<const std::uint8_t> bytes) {
  net::NetState& n = c.net;
  if (!n.DirectLink) {
    session::ProxyDataArrival(c, bytes);
    return;
  }
  net::Ring& ring = n.RecvRing;
  const bool noWholeFrameBefore = ring.Waiting() < wire::kFrameSize;
  for (std::uint8_t b : bytes) {
    ring.Bytes[static_cast<std::size_t>(ring.WritePos)] = b;
    ring.WritePos = (ring.WritePos + 1) % net::kRingSize;
    if (ring.WritePos == ring.ReadPos) {
      c.host.Log("error", "receive ring overflow");
      session::RestoreLobbyAndEnd(c, "receive ring overflow");
    }
  }
  n.TaskOn[net::kTaskRecv] = true;
  // A burst may finish arriving before its first frame is decoded; arrivals behind a whole frame
  // that already waits do not hold it back again, or a steady stream would never be dispatched.
  if (noWholeFrameBefore) n.TaskTick[net::kTaskRecv] = 0;
}

void Winsock1_Close(Client& c) {
  c.host.Winsock1().Close();
  if (!c.net.DirectLink) session::ProxyClosed(c);
}

namespace {

// Marks the client busy for the lifetime of the scope, an error or the program's end included.
class BusyScope {
 public:
  explicit BusyScope(Client& c) : c_(c) { c_.net.Busy = true; }
  ~BusyScope() { c_.net.Busy = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Client& c_;
};

void RunHeldSteps(Client& c) {
  auto& held = c.net.HeldSteps;
  while (!held.empty() && !c.net.Busy) {
    const std::function<void()> step = std::move(held.front());
    held.pop_front();
    const BusyScope busy(c);
    step();
  }
}

}  // namespace

void TimerBong_Timer(Client& c) {
  // Ticks never nest: a step that switched the timer on while a tick waits gets no tick inside.
  if (c.net.Busy) return;
  {
    c.TimerBong.SetEnabled(false);
    // Every way out of the tick, an error included, switches the timer back on.
    struct Reenable {
      Client& c;
      ~Reenable() { c.TimerBong.SetEnabled(true); }
    } reenable{c};
    const BusyScope busy(c);
    Tick(c);
  }
  // What arrived while the tick's handlers waited runs now, and may switch the timer off again.
  RunHeldSteps(c);
}

void RunOutsideTick(Client& c, std::function<void()> step) {
  c.net.HeldSteps.push_back(std::move(step));
  RunHeldSteps(c);
}

void TimerKeepAlive_Timer(Client& c) {
  // Without a connection there is nobody to keep alive; queued, the frames would only fill the
  // send ring while the client waits disconnected.
  // Nor while the server has not taken the client (back) yet: the socket may lead to a proxy
  // still negotiating.
  if (!Connected(c) || !c.net.Online) return;
  c.net.KeepAliveSentAt = c.host.TickCount();
  wire::NetMsg m;
  m.Cmd = wire::Num(wire::Cmd::KeepAlive);
  m.Seat = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  net::SendFrame(c.netCtx, m);
}

void SendDirect(Client& c, const wire::Frame& frame) {
  net::LogFrame(c.host, "send", frame);
  c.host.Winsock1().SendData(frame);
}

}  // namespace session
