// A lost connection: found by the watch, retried every 3 s up to 21 times with the ticket and
// the session key, resumed when the server accepts (queued frames then go out in order), given
// up with the right message, or cancelled by the player.
#include <gtest/gtest.h>

#include <functional>

#include <algorithm>

#include "net/net.h"
#include "seating_fixture.h"
#include "session/control_bar.h"
#include "text/gbk.h"
#include "ui/ui.h"

namespace qtest {
namespace {

constexpr std::uint32_t kTicket = 0x01020304;

class Reconnect : public SeatingTest {
 protected:
  void SetUp() override {
    SeatingTest::SetUp();
    SeatTable();
    Feed({FrameBuilder(16).v(3, 2).seat(1).u32le(268, kTicket).key(0x12, 0x34)});
    ASSERT_EQ(c.net.ReconnectTicket, kTicket);
    ASSERT_TRUE(c.net.g_bCanRecon);
  }
  // The server side goes away; the watch notices within 2 s.
  void Lose() {
    sentBefore = host.socket.sent.size();
    connectsBefore = host.socket.connects;
    host.socket.PeerClose();
    for (int i = 0; i < 42 && !c.frmReconnect.Loaded; ++i) Advance(50);
    ASSERT_TRUE(c.frmReconnect.Loaded);
    ASSERT_FALSE(c.net.Online);
    foundAt = host.Now();
  }
  // Until ms after the loss was found.
  void AdvanceTo(std::int64_t ms) { Advance(foundAt + ms - host.Now()); }
  // Frames written since the connection was lost, keep-alives left out.
  std::vector<wire::Frame> SentSinceLoss() const {
    std::vector<wire::Frame> out;
    for (const auto& f : SplitFrames(std::span(host.socket.sent).subspan(sentBefore))) {
      if (f[3] != 24) out.push_back(f);
    }
    return out;
  }
  int Attempts() const { return host.socket.connects - connectsBefore; }

  std::int64_t foundAt = 0;
  std::size_t sentBefore = 0;
  int connectsBefore = 0;
};

TEST_F(Reconnect, TheRequestCarriesTheKeyAndTicketAndTheTableResumesWithQueuedFramesInOrder) {
  Lose();
  EXPECT_TRUE(host.HasLog("reconnect", "connection lost; reconnecting"));
  EXPECT_FALSE(host.Shown("frmReconnect")) << "the window itself stays hidden";
  EXPECT_EQ(c.frmReconnect.lbTime.Caption(), "1 秒后自动重连");
  // Queued while nobody can carry them.
  net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 16, .Value = {0, 0, 0, 1}});
  c.net.ChatOut = "你好";
  net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 19});
  AdvanceTo(4300);  // the 1 s countdown, the first attempt 3 s later, the request 200 ms on
  EXPECT_EQ(Attempts(), 1);
  EXPECT_EQ(Sysmsg(0), std::vector<std::string>{"正在重新连接服务器..."});
  auto sent = SentSinceLoss();
  ASSERT_EQ(sent.size(), 1U) << "only the request goes out before the server accepts";
  const wire::Frame& req = sent[0];
  EXPECT_EQ(req[3], 28);
  EXPECT_EQ(req[14], 1);
  EXPECT_EQ(text::DecodeSingleByte(std::span(req).subspan(16, 16), 16), "alice");
  EXPECT_EQ(req[260], 0x12);
  EXPECT_EQ(req[261], 0x34);
  EXPECT_EQ(wire::ReadU32LE(std::span<const std::uint8_t>(req), 268), kTicket);

  Push(FrameBuilder(29).v(3, 1).key(0x55, 0x66));
  Advance(300);
  EXPECT_TRUE(c.net.Online);
  EXPECT_TRUE(c.net.Reconnected);
  EXPECT_EQ(Sysmsg(0), std::vector<std::string>{"正在重连服务器，请等待...！"});
  EXPECT_EQ(c.net.SessionKey[0], 0x12) << "command 29 keeps the session key";
  sent = SentSinceLoss();
  ASSERT_EQ(sent.size(), 3U);
  EXPECT_EQ(sent[1][3], 16);
  EXPECT_EQ(sent[2][3], 19);
  Advance(3000);
  EXPECT_FALSE(c.frmReconnect.Loaded) << "connected again: the reconnect window goes";
  EXPECT_EQ(c.MainForm.LinkText.Caption(), "已连接");
  // The resumed hand's state is taken as it comes.
  Push(FrameBuilder(41).seat(2).v(0, 3).v(1, 4).v(2, 0x43).v(3, 0x42));
  Advance(200);
  EXPECT_EQ(c.table.WildTile, 0x43);
  EXPECT_FALSE(host.Ended());
}

// Once the server has taken the client back, the lobby may take the player off the table again.
TEST_F(Reconnect, AfterAnAcceptedReconnectionTheLobbyCanTakeThePlayerOff) {
  Lose();
  AdvanceTo(4300);
  host.lobby.Deliver(platform::kLobbyMayLeave);
  EXPECT_EQ(host.lobby.PostedNumbers().back(), platform::kClientLoginPending)
      << "the request is still unanswered";
  Push(FrameBuilder(29).v(3, 1));
  Advance(300);
  ASSERT_TRUE(c.net.Online);
  host.lobby.Deliver(platform::kLobbyMayLeave);
  EXPECT_EQ(host.lobby.PostedNumbers().back(), platform::kClientIdle);
  const auto sent = SentSinceLoss();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back()[3], 16) << "the leave frame went out";
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
}

TEST_F(Reconnect, TwentyOneFailedAttemptsEndWithTheNetworkMessage) {
  host.socket.connectMode = vhost::FakeSocket::ConnectMode::Refuse;
  Lose();
  AdvanceTo(1000 + 3000 * 21 + 100);
  EXPECT_EQ(Attempts(), 21);
  EXPECT_EQ(c.MainForm.LinkText.Caption(), "重连中 21/21");
  EXPECT_FALSE(host.Ended());
  Advance(3000);
  EXPECT_TRUE(host.Ended());
  ASSERT_FALSE(host.messageBoxes.empty());
  EXPECT_EQ(host.messageBoxes.back().text, "重连失败，请检查您的网络！");
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScRestore);
}

// A server (or a proxy in front of it) that takes every connection and closes it again before
// answering: those attempts count towards the 21 as refusals do, so the player is not kept
// waiting for ever.
TEST_F(Reconnect, ConnectionsClosedBeforeTheAnswerStillEndAfterTwentyOneAttempts) {
  Lose();
  // Each connection stays open long enough for the client to see it, then goes.
  std::int64_t openSince = -1;
  std::function<void()> closeNewOnes = [&] {
    if (host.socket.State() != platform::kSockConnected) {
      openSince = -1;
    } else if (openSince < 0) {
      openSince = host.Now();
    } else if (host.Now() - openSince > 4000) {
      host.socket.PeerClose();
    }
    host.Schedule(20, closeNewOnes);
  };
  closeNewOnes();
  for (int i = 0; i < 600 && !host.Ended(); ++i) Advance(1000);
  ASSERT_TRUE(host.Ended());
  EXPECT_LE(Attempts(), 22);
  ASSERT_FALSE(host.messageBoxes.empty());
  EXPECT_EQ(host.messageBoxes.back().text, "重连失败，请检查您的网络！");
}

TEST_F(Reconnect, ARefusalEndsWithItsMessage) {
  Lose();
  AdvanceTo(4300);
  Push(FrameBuilder(29).v(3, 0));
  Advance(200);
  EXPECT_TRUE(host.Ended());
  ASSERT_FALSE(host.messageBoxes.empty());
  EXPECT_EQ(host.messageBoxes.back().text, "重连服务器失败，退出后请重新入座！");
}

TEST_F(Reconnect, AConnectionBackBeforeTheFirstAttemptJustClosesTheWindow) {
  Lose();
  host.socket.Connect();  // the old connection came back by itself
  Advance(4200);
  EXPECT_EQ(Attempts(), 1);  // the test's own connect: no attempt of the client
  EXPECT_FALSE(c.frmReconnect.Loaded);
}

TEST_F(Reconnect, AFrameTheLostConnectionLeftUnfinishedIsDroppedWholeFramesAreKept) {
  const wire::Frame whole = FrameBuilder(30).key(0x12, 0x34);
  std::vector<std::uint8_t> bytes(whole.begin(), whole.end());
  bytes.insert(bytes.end(), 100, 0xEE);  // the start of a frame that never ends
  c.net.TaskOn[net::kTaskRecv] = false;  // nothing dispatched before the loss
  host.socket.Deliver(bytes);
  c.net.TaskOn[net::kTaskRecv] = false;
  Lose();
  AdvanceTo(4300);
  EXPECT_EQ(c.net.RecvRing.Waiting(), wire::kFrameSize);
  Push(FrameBuilder(29).v(3, 1));
  Advance(300);
  EXPECT_EQ(c.net.RecvRing.Waiting(), 0);
  EXPECT_TRUE(c.net.Online) << "command 29 was read as a frame, not shifted by 100 bytes";
}

TEST_F(Reconnect, ThePlayerCanGiveUpFromTheIndicator) {
  host.socket.connectMode = vhost::FakeSocket::ConnectMode::Refuse;
  Lose();
  AdvanceTo(4100);
  EXPECT_EQ(c.MainForm.LinkText.Caption(), "重连中 1/21");
  host.Run([&] { session::LinkState_Click(c); });
  ASSERT_TRUE(host.Shown("frmReconnect"));
  host.Click("frmReconnect", "pbCancel");
  EXPECT_FALSE(host.Shown("frmReconnect"));
  EXPECT_FALSE(c.frmReconnect.Loaded);
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScRestore);
  EXPECT_EQ(c.table.Hand[1].Account, "") << "the table is cleared";
  const int attempts = Attempts();
  Advance(120'000);
  EXPECT_EQ(Attempts(), attempts) << "no attempt after the player gave up";
  EXPECT_FALSE(host.Ended()) << "the client waits for the lobby's next connect message";
  EXPECT_EQ(c.MainForm.LinkText.Caption(), "未连接");
}

TEST_F(Reconnect, ReconnectNowSkipsTheCountdown) {
  Lose();
  host.Run([&] { session::LinkState_Click(c); });
  host.Click("frmReconnect", "pbReconnect");
  EXPECT_FALSE(host.Shown("frmReconnect"));
  EXPECT_FALSE(c.TimerReconnect.Enabled());
  EXPECT_TRUE(c.TimerCount.Enabled());
}

TEST_F(Reconnect, LeavingTheTableStopsAReconnectionUnderWay) {
  Lose();
  host.lobby.Deliver(platform::kLobbyLeaveNow);
  EXPECT_FALSE(c.frmReconnect.Loaded);
  const int attempts = Attempts();
  Advance(60'000);
  EXPECT_EQ(Attempts(), attempts);
  EXPECT_TRUE(SentSinceLoss().empty()) << "no leave frame without a connection";
}

TEST_F(Reconnect, WithoutPermissionOrLobbyNothingReconnects) {
  c.net.g_bCanRecon = false;
  host.socket.PeerClose();
  Advance(10'000);
  EXPECT_FALSE(c.frmReconnect.Loaded);
  EXPECT_FALSE(host.Ended());
  host.lobby.windows.clear();
  Advance(2100);
  EXPECT_TRUE(host.Ended());
}

}  // namespace
}  // namespace qtest
