// The SOCKS 5 handshake byte by byte: what goes out at each step, what each answer leads to, and
// that every refusal, a closed proxy and a silent one end with their message in bounded time.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "net/net.h"
#include "support/client_fixture.h"

namespace qtest {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Fifteen fields with the proxy at 127.0.0.1:1080 and the game server at server:6000.
std::string ProxyLine(const std::string& server = "10.1.2.3", const std::string& user = "ab",
                      const std::string& pass = "xyz") {
  return "alice$key123$" + server + "$6000$一号桌$5$127.0.0.1$1080$" + user + "$" + pass +
         "$0$$$1$0$";
}

class Proxy : public ClientTest {
 protected:
  // Bytes written since the last call.
  Bytes Out() {
    Bytes out(host.socket.sent.begin() + static_cast<std::ptrdiff_t>(seen_),
              host.socket.sent.end());
    seen_ = host.socket.sent.size();
    return out;
  }
  void Answer(const Bytes& b) {
    Push(b);
    Advance(10);
  }
  std::string LastBox() const {
    return host.messageBoxes.empty() ? std::string() : host.messageBoxes.back().text;
  }
  std::size_t seen_ = 0;
};

TEST_F(Proxy, WithCredentialsTheHandshakeOpensTheTunnelAndLogsIn) {
  Start(ProxyLine());
  EXPECT_EQ(host.socket.remoteHost, "127.0.0.1");
  EXPECT_EQ(host.socket.remotePort, 1080);
  EXPECT_EQ(Out(), (Bytes{5, 2, 0, 2}));
  Answer({5, 2});
  EXPECT_EQ(Out(), (Bytes{1, 2, 'a', 'b', 3, 'x', 'y', 'z'}));
  Answer({1, 0});
  EXPECT_EQ(Out(), (Bytes{5, 1, 0, 1, 10, 1, 2, 3, 23, 112}));
  EXPECT_FALSE(c.net.DirectLink);
  Answer({5, 0, 0, 1, 127, 0, 0, 1, 4, 56});
  EXPECT_TRUE(c.net.DirectLink);
  const Bytes login = Out();
  ASSERT_EQ(login.size(), wire::kFrameSize);
  EXPECT_TRUE(std::equal(login.begin(), login.end(), c.net.LoginFrame.begin()));
  EXPECT_TRUE(host.HasLog("sysmsg0", "连接代理服务器成功！"));
  EXPECT_EQ(host.lobby.PostedNumbers(), std::vector<std::uint32_t>{771});
  EXPECT_TRUE(c.TimerBong.Enabled());
  // From now on the game server's frames reach the table.
  Push(FrameBuilder(18).v(3, 1).v(1, 8).key(1, 2));
  Advance(200);
  EXPECT_TRUE(c.net.Online);
  EXPECT_TRUE(host.messageBoxes.empty());
}

// A line the player sends while the proxy is still negotiating waits for the server to take the
// client: in the handshake it would be read as a broken answer.
TEST_F(Proxy, AFrameQueuedDuringTheHandshakeWaitsForTheLogin) {
  Start(ProxyLine());
  EXPECT_EQ(Out(), (Bytes{5, 2, 0, 2}));
  c.net.ChatOut = "你好";
  host.Run([&] { net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 19}); });
  Advance(500);
  EXPECT_TRUE(Out().empty());
  Answer({5, 2});
  EXPECT_EQ(Out().size(), 8U);
  Answer({1, 0});
  EXPECT_EQ(Out().size(), 10U);
  Answer({5, 0, 0, 1, 127, 0, 0, 1, 4, 56});
  EXPECT_EQ(Out().size(), wire::kFrameSize) << "the login, alone";
  Push(FrameBuilder(18).v(3, 1).v(1, 8).key(1, 2));
  Advance(200);
  const Bytes after = Out();
  ASSERT_EQ(after.size(), wire::kFrameSize);
  EXPECT_EQ(after[wire::kOffCmd], 19);
}

// A reconnection through the proxy is not over when the proxy answers, only when its tunnel is
// open. An attempt still negotiating when the next is due is given up: the next one opens a new
// connection, and the answer to its greeting is read as a method choice, never as the verdict
// the given-up attempt was waiting for.
TEST_F(Proxy, AReconnectionKeepsItsRhythmAndGivesUpAHandshakeStillUnderWay) {
  const Bytes greeting{5, 2, 0, 2};
  const Bytes credentials{1, 2, 'a', 'b', 3, 'x', 'y', 'z'};
  const Bytes request{5, 1, 0, 1, 10, 1, 2, 3, 23, 112};
  Start(ProxyLine());
  Out();
  Answer({5, 2});
  Answer({1, 0});
  Answer({5, 0, 0, 1, 127, 0, 0, 1, 4, 56});
  Push(FrameBuilder(18).v(3, 1).v(1, 8).key(1, 2));
  Advance(200);
  ASSERT_TRUE(c.net.Online);
  Out();
  host.socket.PeerClose();
  for (int i = 0; i < 60 && !c.frmReconnect.Loaded; ++i) Advance(50);
  ASSERT_TRUE(c.frmReconnect.Loaded);
  // The first attempt reaches the proxy, which takes the credentials and then keeps silent.
  for (int i = 0; i < 100 && Out() != greeting; ++i) Advance(100);
  ASSERT_EQ(c.net.ReconnectTries, 1);
  const int connects = host.socket.connects;
  Answer({5, 2});
  EXPECT_EQ(Out(), credentials);
  EXPECT_TRUE(c.frmReconnect.Loaded) << "the proxy's answer is no reconnection yet";
  // The next attempt is due 3 s after the first, not after the 10 s bound of the handshake.
  Advance(3000);
  EXPECT_EQ(c.net.ReconnectTries, 2);
  EXPECT_EQ(host.socket.connects, connects + 1) << "a new connection";
  EXPECT_EQ(Out(), greeting);
  Answer({5, 2});
  EXPECT_EQ(Out(), credentials) << "the answer to the greeting is a method choice";
  Answer({1, 0});
  EXPECT_EQ(Out(), request);
  Answer({5, 0, 0, 1, 127, 0, 0, 1, 4, 56});
  const Bytes sent = Out();
  ASSERT_EQ(sent.size(), wire::kFrameSize);
  EXPECT_EQ(sent[3], 28) << "the reconnection request";
  Push(FrameBuilder(29).v(3, 1));
  Advance(300);
  EXPECT_TRUE(c.net.Online);
  EXPECT_TRUE(host.messageBoxes.empty()) << "a reconnection reports in the lines, not in boxes";
  for (const auto& line : c.MainForm.Sysmsg(1).Items()) EXPECT_NE(line, "代理服务器用户验证失败！");
}

// A proxy that never accepts a connection: the attempts keep the 3 s rhythm (each waits for its
// connection inside the event loop, the next one takes it over) and after the 21st the program
// ends.
TEST_F(Proxy, AReconnectionToAProxyThatNeverAcceptsStillEndsAfterTwentyOneAttempts) {
  Start(ProxyLine());
  Out();
  Answer({5, 0});
  Answer({5, 0, 0, 1, 127, 0, 0, 1, 4, 56});
  Push(FrameBuilder(18).v(3, 1).v(1, 8).key(1, 2));
  Advance(200);
  ASSERT_TRUE(c.net.Online);
  host.socket.connectMode = vhost::FakeSocket::ConnectMode::Hang;
  const int connects = host.socket.connects;
  host.socket.PeerClose();
  for (int i = 0; i < 60 && !c.frmReconnect.Loaded; ++i) Advance(50);
  ASSERT_TRUE(c.frmReconnect.Loaded);
  const std::int64_t foundAt = host.Now();
  // Each attempt waits for its connection inside the event loop: the whole reconnection runs
  // within this one call, as it would on the real host.
  Advance(120'000);
  ASSERT_TRUE(host.Ended());
  EXPECT_EQ(host.socket.connects - connects, 21);
  const auto end =
      std::find_if(host.log.begin(), host.log.end(), [](const auto& l) { return l.kind == "end"; });
  ASSERT_NE(end, host.log.end());
  EXPECT_LE(end->ms - foundAt, 1000 + 3000 * 21 + 3000 + 100) << "one attempt every 3 s";
  ASSERT_FALSE(host.messageBoxes.empty());
  EXPECT_EQ(host.messageBoxes.back().text, "重连失败，请检查您的网络！");
}

// The lobby's connect message through a proxy that refuses: its message, then the lobby again.
TEST_F(Proxy, AConnectMessageThroughARefusingProxyGoesBackToTheLobby) {
  Start(ProxyLine());
  Out();
  Answer({5, 2});
  Answer({1, 0});
  Answer({5, 0, 0, 1, 127, 0, 0, 1, 4, 56});
  Push(FrameBuilder(18).v(3, 1).v(1, 8).key(1, 2));
  Advance(200);
  ASSERT_TRUE(c.net.Online);
  host.Run([&] { host.lobby.Deliver(platform::kLobbyLeaveNow); });
  host.Run([&] { host.lobby.Deliver(platform::kLobbyConnect); });
  Advance(100);
  EXPECT_EQ(Out().back(), 2) << "a greeting went out";
  Answer({5, 255});
  EXPECT_EQ(LastBox(), "请求代理失败！");
  EXPECT_FALSE(host.Ended());
  EXPECT_FALSE(c.net.LoginPending);
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScRestore);
  host.lobby.posted.clear();
  host.Run([&] { host.lobby.Deliver(platform::kLobbyMayLeave); });
  EXPECT_EQ(host.lobby.PostedNumbers(), std::vector<std::uint32_t>{1024});
}

TEST_F(Proxy, WithoutAuthenticationNoCredentialsGoOutAndBadAddressPartsAreZero) {
  Start(ProxyLine("10.x.300"));
  Out();
  Answer({5, 0});
  EXPECT_EQ(Out(), (Bytes{5, 1, 0, 1, 10, 0, 0, 0, 23, 112}));
}

TEST_F(Proxy, AnAnswerInPiecesIsJudgedOnceWhole) {
  Start(ProxyLine());
  Out();
  Answer({5});
  EXPECT_TRUE(Out().empty());
  Answer({2});
  EXPECT_EQ(Out().size(), 8U);
  Answer({1, 0});
  Out();
  Answer({5, 0, 0, 1, 127});
  EXPECT_FALSE(c.net.DirectLink) << "the rest of the reply is still to come";
  Answer({0, 0, 1, 4, 56});
  EXPECT_TRUE(c.net.DirectLink);
}

struct Refusal {
  const char* name;
  std::vector<Bytes> answers;  // the proxy's answers in order; then it closes or keeps silent
  bool closes;
  const char* message;
};

class ProxyRefusal : public Proxy, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ProxyRefusal, EndsWithItsMessageInBoundedTime) {
  const Refusal& k = GetParam();
  Start(ProxyLine());
  for (const Bytes& a : k.answers) Answer(a);
  if (k.closes) host.socket.PeerClose();
  Advance(10'500);
  EXPECT_EQ(LastBox(), k.message);
  EXPECT_EQ(host.messageBoxes.size(), 1U);
  EXPECT_NE(host.socket.State(), platform::kSockConnected);
  EXPECT_FALSE(c.net.DirectLink);
  EXPECT_FALSE(host.Ended()) << "the lobby may send its connect message again";
  Advance(60'000);
  EXPECT_EQ(host.messageBoxes.size(), 1U) << "nothing retries by itself";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProxyRefusal,
    ::testing::Values(
        Refusal{"NoAcceptableMethod", {{5, 255}}, false, "请求代理失败！"},
        Refusal{"NotSocks5", {{4, 0}}, false, "请求代理失败！"},
        Refusal{"BadPassword", {{5, 2}, {1, 1}}, false, "代理服务器用户验证失败！"},
        Refusal{"TargetRefused", {{5, 2}, {1, 0}, {5, 5}}, false, "通过代理连接主站失败！"},
        Refusal{"ClosesAfterGreeting", {}, true, "请求代理失败！"},
        Refusal{"ClosesAfterCredentials", {{5, 2}}, true, "代理服务器用户验证失败！"},
        Refusal{"SilentAfterGreeting", {}, false, "请求代理失败！"},
        Refusal{"SilentAfterConnectRequest", {{5, 0}}, false, "通过代理连接主站失败！"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Proxy, AProxyThatNeverAcceptsIsGivenUp) {
  host.socket.connectMode = vhost::FakeSocket::ConnectMode::Hang;
  Start(ProxyLine());
  EXPECT_EQ(LastBox(), "请求代理失败！");
  EXPECT_LE(host.Now(), 10'000);
  EXPECT_FALSE(host.Ended());
}

TEST_F(Proxy, AnOverlongUserNameFailsStartUp) {
  Start(ProxyLine("10.1.2.3", std::string(256, 'u')));
  EXPECT_TRUE(host.Ended());
}

}  // namespace
}  // namespace qtest
