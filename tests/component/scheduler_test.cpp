// The 50 ms tick: send and receive rings, login, hold-backs, silence, keep-alive, watch.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "net/net.h"
#include "support/client_fixture.h"

namespace qtest {
namespace {

using wire::kFrameSize;

std::vector<std::int64_t> RecvTimes(const vhost::VirtualHost& h) {
  std::vector<std::int64_t> out;
  for (const auto& l : h.log) {
    if (l.kind == "recv") out.push_back(l.ms);
  }
  return out;
}

class Scheduler : public ClientTest {};

TEST_F(Scheduler, LoginGoesOutOnce200msAfterConnectingAndAnnouncesItselfToTheLobby) {
  Start();
  EXPECT_TRUE(host.HasLog("sysmsg0", "正在连接服务器..."));
  Advance(199);
  EXPECT_TRUE(Sent().empty());
  Advance(2);
  ASSERT_EQ(SentCommands(), std::vector<int>{18});
  EXPECT_EQ(Sent()[0], c.net.LoginFrame);
  EXPECT_EQ(host.lobby.PostedNumbers(), std::vector<std::uint32_t>{22});
  EXPECT_TRUE(c.net.LoginPending);
  EXPECT_TRUE(c.net.TaskOn[net::kTaskWatch]);
  Advance(5000);
  EXPECT_EQ(SentCommands(), std::vector<int>{18}) << "no keep-alive before the login result";
}

TEST_F(Scheduler, LoginWaitsForASlowConnection) {
  host.socket.connectDelayMs = 1000;
  Start();
  Advance(900);
  EXPECT_TRUE(Sent().empty());
  Advance(200);
  EXPECT_EQ(SentCommands(), std::vector<int>{18});
  EXPECT_EQ(host.lobby.PostedNumbers(), std::vector<std::uint32_t>{22}) << "announced once";
}

TEST_F(Scheduler, RefusedConnectionIsRetriedThenGivenUp) {
  host.socket.connectMode = vhost::FakeSocket::ConnectMode::Refuse;
  Start();
  Advance(10'000);
  EXPECT_GE(host.socket.connects, 3);
  EXPECT_FALSE(host.Ended());
  Advance(70'000);
  EXPECT_TRUE(host.Ended());
  ASSERT_FALSE(host.messageBoxes.empty());
  EXPECT_EQ(host.messageBoxes.back().text, "连接服务器失败，请检查您的网络！");
}

TEST_F(Scheduler, ThreeFramesInOneSegmentDispatchOnConsecutiveTicks) {
  StartLoggedIn();
  const auto before = RecvTimes(host).size();
  const std::int64_t pushedAt = host.Now();
  Push(Concat({FrameBuilder(30), FrameBuilder(31), FrameBuilder(32)}));
  Advance(500);
  auto times = RecvTimes(host);
  ASSERT_EQ(times.size(), before + 3);
  EXPECT_LE(times[before] - pushedAt, 100) << "first within two ticks";
  EXPECT_EQ(times[before + 1] - times[before], 50);
  EXPECT_EQ(times[before + 2] - times[before + 1], 50);
}

TEST_F(Scheduler, A271ByteRemainderWaitsForItsLastByte) {
  StartLoggedIn();
  const auto before = RecvTimes(host).size();
  const wire::Frame f = FrameBuilder(30);
  Push(std::span(f).first(271));
  Advance(1000);
  EXPECT_EQ(RecvTimes(host).size(), before);
  Push(std::span(f).subspan(271));
  Advance(100);
  EXPECT_EQ(RecvTimes(host).size(), before + 1);
}

// A busy table (watching, a chat flood, fast bots) sends faster than one frame a tick. Every
// frame must still be dispatched, in order, without the receive ring ever filling up.
class FastStream : public ClientTest {
 protected:
  // Three minutes of frames: one every 20 ms, or random bursts of 1..12 frames that arrive in
  // pieces splitting their frames anywhere. Returns the largest backlog seen, in frames.
  int Stream(bool bursts) {
    StartLoggedIn();
    const auto recvBefore = host.LogDetails("recv").size();
    std::mt19937 rng(7);
    std::vector<std::string> pushed;
    int maxBacklog = 0;
    int next = 0;
    const std::int64_t until = host.Now() + 3 * 60 * 1000;
    while (host.Now() < until && !host.Ended()) {
      const int n = bursts ? std::uniform_int_distribution<int>(1, 12)(rng) : 1;
      std::vector<std::uint8_t> bytes;
      for (int i = 0; i < n; ++i, ++next) {
        const int cmd = 30 + next % 10;  // commands without a handler of their own
        const wire::Frame f = FrameBuilder(cmd);
        bytes.insert(bytes.end(), f.begin(), f.end());
        pushed.push_back(std::to_string(cmd));
      }
      const std::size_t cut = bursts ? bytes.size() / 3 + 5 : bytes.size();
      Push(std::span(bytes).first(cut));
      if (cut < bytes.size()) Push(std::span(bytes).subspan(cut));
      maxBacklog = std::max(maxBacklog, c.net.RecvRing.Waiting() / kFrameSize);
      Advance(bursts ? std::uniform_int_distribution<int>(20, 40 * n)(rng) : 20);
    }
    Advance(2000);
    EXPECT_FALSE(host.Ended()) << host.EndReason();
    const auto recv = host.LogDetails("recv");
    EXPECT_EQ(recv.size() - recvBefore, pushed.size());
    EXPECT_TRUE(recv.size() - recvBefore == pushed.size() &&
                std::equal(pushed.begin(), pushed.end(), recv.begin() + recvBefore))
        << "every frame, in the order it arrived";
    return maxBacklog;
  }
};

TEST_F(FastStream, ASteadyStreamEvery20msIsDispatchedInOrder) {
  EXPECT_LE(Stream(false), 8) << "the backlog stays a few frames long";
}

TEST_F(FastStream, RandomBurstsAreDispatchedInOrder) {
  // At most what two bursts bring between two receive runs, and the few a run leaves.
  EXPECT_LE(Stream(true), 2 * 12 + 8) << "the backlog stays far below the ring's 128 frames";
}

TEST_F(Scheduler, RingsWrapWithoutLosingOrReorderingFrames) {
  StartLoggedIn();
  // More frames than one ring holds, in batches the ring can take.
  for (int batch = 0; batch < 6; ++batch) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 40; ++i) {
      const wire::Frame f = FrameBuilder(30).key(batch, i);
      bytes.insert(bytes.end(), f.begin(), f.end());
    }
    Push(bytes);
    Advance(40 * 50 + 100);
    EXPECT_EQ(c.net.SessionKey[0], batch);
    EXPECT_EQ(c.net.SessionKey[1], 39);
  }
  EXPECT_FALSE(host.Ended());
  for (int i = 0; i < 140; ++i) net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 24});
  Advance(200 * 50);
  EXPECT_EQ(c.net.SendRing.Waiting(), 0);
}

TEST_F(Scheduler, AFullSendRingRefusesNewFramesAndKeepsTheQueuedOnesIntact) {
  StartLoggedIn();
  c.TimerKeepAlive.SetEnabled(false);
  const auto sentBefore = Sent().size();
  host.socket.Close();
  for (int i = 0; i < 130; ++i) {
    net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 7,
                                          .Value = {0, 0, static_cast<std::int16_t>(i >> 8),
                                                    static_cast<std::int16_t>(i & 0xFF)}});
  }
  EXPECT_EQ(host.LogDetails("error").size(), 3u);
  host.socket.Connect();
  Advance(100);
  net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 24});  // room again: the queue is draining
  Advance(200 * 50);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), sentBefore + 128);
  EXPECT_EQ(sent.back()[3], 24);
  for (int i = 0; i < 127; ++i) {
    const auto& f = sent[sentBefore + static_cast<std::size_t>(i)];
    EXPECT_EQ(f[13] * 256 + f[15], i) << "in order and whole";
  }
}

TEST_F(Scheduler, ReceiveRingOverflowEndsTheProgram) {
  StartLoggedIn();
  std::vector<std::uint8_t> flood(net::kRingSize, 0);
  Push(flood);
  EXPECT_TRUE(host.Ended());
  EXPECT_TRUE(host.HasLog("error", "receive ring overflow"));
}

TEST_F(Scheduler, PropFrameIsHeldBackOnlyWhileTheHoldIsOn) {
  StartLoggedIn();
  const auto sentBefore = Sent().size();
  c.net.HoldReadyA = true;
  wire::Frame prop = FrameBuilder(45).v(0, 1035);
  net::QueueRawFrame(c.netCtx, prop);
  Advance(100);
  EXPECT_EQ(Sent().size(), sentBefore);
  EXPECT_FALSE(c.net.HoldReadyA);
  EXPECT_EQ(c.net.HeldFrameA[3], 45);
  EXPECT_EQ(c.net.HeldFrameA[260], 0x12) << "the key was written in when queued";
  net::QueueRawFrame(c.netCtx, prop);
  Advance(100);
  ASSERT_EQ(Sent().size(), sentBefore + 1);
  EXPECT_EQ(Sent().back()[3], 45);

  // The second hold applies only outside a hand.
  c.net.HoldReadyB = true;
  c.net.InHand = true;
  wire::Frame other = FrameBuilder(45).v(0, 3090);
  net::QueueRawFrame(c.netCtx, other);
  Advance(100);
  EXPECT_EQ(Sent().size(), sentBefore + 2);
  EXPECT_TRUE(c.net.HoldReadyB);
}

TEST_F(Scheduler, DepartureWaitsAtTheRingHeadWhileResultsAreHeld) {
  StartLoggedIn();
  c.net.HoldQuit = true;
  c.TimerKeepAlive.SetEnabled(false);
  Push(Concat({FrameBuilder(21).seat(4), FrameBuilder(30).key(9, 9)}));
  Advance(1000);
  EXPECT_NE(c.net.SessionKey[0], 9) << "nothing behind the departure is dispatched";
  EXPECT_TRUE(c.TimerKeepAlive.Enabled());
  c.net.HoldQuit = false;
  Advance(200);
  EXPECT_EQ(c.net.SessionKey[0], 9);
}

TEST_F(Scheduler, AHeldDepartureIsLoggedOnceThoughItIsDecodedEveryRun) {
  StartLoggedIn();
  c.net.HoldQuit = true;
  const auto before = host.LogDetails("recv").size();
  Push(Concat({FrameBuilder(21).seat(4), FrameBuilder(30)}));
  Advance(1000);
  EXPECT_EQ(host.LogDetails("recv").size(), before + 1);
  c.net.HoldQuit = false;
  Advance(200);
  const auto recv = host.LogDetails("recv");
  ASSERT_EQ(recv.size(), before + 2);
  EXPECT_EQ(recv[before], "21");
  EXPECT_EQ(recv[before + 1], "30");
}

TEST_F(Scheduler, FrameQueuedWhileDisconnectedGoesOutWithTheNextOne) {
  StartLoggedIn();
  const auto sentBefore = Sent().size();
  host.socket.Close();
  net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 7});
  Advance(200);
  EXPECT_FALSE(c.net.TaskOn[net::kTaskSend]);
  // Back on line: nothing moves until something new is queued.
  host.socket.Connect();
  Advance(200);
  EXPECT_EQ(Sent().size(), sentBefore);
  net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 2});
  Advance(200);
  ASSERT_EQ(Sent().size(), sentBefore + 2);
  EXPECT_EQ(Sent()[sentBefore][3], 7);
  EXPECT_EQ(Sent()[sentBefore + 1][3], 2);
}

TEST_F(Scheduler, KeepAliveEveryFiveSecondsWithTheOwnSeat) {
  StartLoggedIn();
  c.table.Hand[0].SeatBit = 4;
  const auto sentBefore = Sent().size();
  Advance(15'050);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), sentBefore + 3);
  for (std::size_t i = sentBefore; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i][3], 24);
    EXPECT_EQ(sent[i][6], 4);
    EXPECT_EQ(sent[i][260], 0x12);
    EXPECT_EQ(sent[i][261], 0x34);
  }
}

TEST_F(Scheduler, SilenceDuringAHandGivesTheTableUp) {
  StartLoggedIn();
  c.net.InHand = true;
  Advance(4990 * 100);  // one receive run per 100 ms
  EXPECT_TRUE(c.net.InHand);
  Advance(2000);
  EXPECT_FALSE(c.net.InHand);
  EXPECT_TRUE(host.HasLog("sysmsg0", "已经与服务器断开连接，请重新入座！"));
  EXPECT_EQ(c.MainForm.Sysmsg(0).Items(),
            std::vector<std::string>{"已经与服务器断开连接，请重新入座！"})
      << "still there for the player to read once the connection is dropped";
  EXPECT_EQ(host.socket.State(), platform::kSockClosed);
  ASSERT_FALSE(host.lobby.sent.empty());
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScRestore);
  EXPECT_FALSE(host.Ended());
}

TEST_F(Scheduler, SilenceOutsideAHandIsNeverCounted) {
  StartLoggedIn();
  Advance(600'000);
  EXPECT_EQ(c.net.SilentTicks, 0);
  EXPECT_EQ(host.socket.State(), platform::kSockConnected);
}

TEST_F(Scheduler, SilenceWithTheLobbyGoneEndsTheProgram) {
  StartLoggedIn();
  c.net.InHand = true;
  host.lobby.windows.clear();
  Advance(5001 * 100);
  EXPECT_TRUE(host.Ended());
}

TEST_F(Scheduler, ConnectionWatchNoticesALostSocketWithinTwoSeconds) {
  StartLoggedIn();
  host.socket.PeerClose();
  EXPECT_EQ(host.socket.State(), platform::kSockClosed);
  Advance(2100);
  EXPECT_FALSE(c.net.Online);
  EXPECT_FALSE(c.net.TaskOn[net::kTaskWatch]);
  EXPECT_FALSE(host.LogDetails("reconnect").empty());
}

TEST_F(Scheduler, ConnectionWatchEndsTheProgramWhenTheLobbyIsGone) {
  StartLoggedIn();
  host.lobby.windows.clear();
  host.socket.PeerClose();
  Advance(2100);
  EXPECT_TRUE(host.Ended());
}

TEST_F(Scheduler, DecisionClockCountsOncePerSecondOnlyWhileOnline) {
  StartLoggedIn();
  c.table.Countdown = 8;
  c.net.TaskOn[net::kTaskTurnClock] = true;
  Advance(3020);
  EXPECT_EQ(c.table.Countdown, 5);
  c.net.Online = false;
  Advance(3000);
  EXPECT_EQ(c.table.Countdown, 5);
}

TEST_F(Scheduler, BlinkStepsEvery400ms) {
  StartLoggedIn();
  c.play.DiscardBlinkLeft = 10;
  c.display.BlinkCtl = c.table.LastDiscardCtl = 5;  // the discard in the middle blinks
  c.net.TaskOn[net::kTaskBlink] = true;
  c.net.TaskTick[net::kTaskBlink] = 0;
  Advance(1200);
  EXPECT_EQ(c.play.DiscardBlinkLeft, 7);
}

TEST_F(Scheduler, SpeechBubbleHidesAfterTwoSeconds) {
  StartLoggedIn();
  c.MainForm.Speak(2).SetVisible(true);
  c.table.BubbleOn = true;
  c.table.BubblePos = 2;
  c.net.TaskTick[net::kTaskBubble] = 0;
  Advance(1900);
  EXPECT_TRUE(c.MainForm.Speak(2).Visible());
  Advance(150);
  EXPECT_FALSE(c.MainForm.Speak(2).Visible());
}

TEST_F(Scheduler, NoKeepAliveIsQueuedWithoutAConnection) {
  StartLoggedIn();
  ASSERT_TRUE(c.TimerKeepAlive.Enabled());
  host.socket.PeerClose();  // reconnection is not allowed: the client sits disconnected
  Advance(15 * 60 * 1000);
  EXPECT_EQ(c.net.SendRing.Waiting(), 0);
  EXPECT_TRUE(host.LogDetails("error").empty()) << host.LogDetails("error").front();
}

}  // namespace
}  // namespace qtest
