// The real client and the headless lobby stand-in over the real local channel.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include "process.h"
#include "support/frame_builder.h"

namespace itest {
namespace {

using namespace std::chrono_literals;

std::size_t Find(const std::string& text, const std::string& what) {
  return text.find(what);
}

class LobbyAndClient : public ::testing::Test {
 protected:
  std::map<std::string, std::string> Env() const {
    return {{"QT_QPA_PLATFORM", "offscreen"},
            {"QINTARA_RUNTIME_DIR", dir + "/run"},
            {"QINTARA_LOG", clientLog},
            {"QINTARA_UNATTENDED", "1"}};
  }
  // The lobby stand-in, listening; with launch it starts the client at the test's server.
  void StartLobby(bool launch) {
    std::vector<std::string> args{"--headless", "--server-port", std::to_string(server.Port()),
                                  "--log",      lobbyLog,        "--commands",
                                  commands,     "--client",      QINTARA_BINARY};
    if (launch) args.emplace_back("--launch");
    std::ofstream(commands).flush();
    lobby.emplace(QINTARA_LOBBY_BINARY, args, Env());
    ASSERT_TRUE(WaitForText(lobbyLog, "listening VorelLodge", 10s)) << ReadFile(lobbyLog);
  }
  // A command for the lobby stand-in (see tools/lobby/README.md).
  void Tell(const std::string& command) {
    std::ofstream(commands, std::ios::app) << command << '\n';
  }
  // Launched by the lobby, connected, logged in.
  void AtTheTable() {
    StartLobby(true);
    ASSERT_TRUE(server.Accept(10s)) << ReadFile(lobbyLog);
    ASSERT_TRUE(server.ReadFrame(5s));
    server.Send(qtest::FrameBuilder(18).v(3, 1).v(1, 8).key(1, 2));
    ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 771 0 0", 10s)) << ReadFile(lobbyLog);
  }

  std::string dir = MakeTempDir();
  std::string clientLog = dir + "/client.log";
  std::string lobbyLog = dir + "/lobby.log";
  std::string commands = dir + "/commands";
  Listener server;
  std::optional<ChildProcess> lobby;
};

TEST_F(LobbyAndClient, ClientAnnouncesItsLoginBeforeTheFrameAndItsSuccessAfter) {
  StartLobby(true);
  ASSERT_TRUE(server.Accept(10s)) << ReadFile(lobbyLog);
  const auto login = server.ReadFrame(5s);
  ASSERT_TRUE(login);
  EXPECT_EQ((*login)[3], 18);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&(*login)[16])), "player1");
  ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 22 0 0", 5s)) << ReadFile(lobbyLog);
  EXPECT_EQ(Find(ReadFile(lobbyLog), "lobby-in 771"), std::string::npos)
      << "nothing but the announcement before the login result";

  server.Send(qtest::FrameBuilder(18).v(3, 1).v(1, 8));
  ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 771 0 0", 10s)) << ReadFile(lobbyLog);
  const std::string log = ReadFile(clientLog);
  const auto announced = Find(log, "lobby-out: 22");
  const auto sent = Find(log, "send: 18");
  ASSERT_NE(announced, std::string::npos) << log;
  EXPECT_LT(announced, sent) << log;
  EXPECT_LT(Find(log, "recv: 18"), Find(log, "lobby-out: 771")) << log;
}

TEST_F(LobbyAndClient, DuringAHandTheClientSaysItIsPlayingAndStays) {
  // A real table: the development server seats three bots and deals once the start countdown
  // has run out.
  std::ofstream(commands).flush();
  lobby.emplace(
      QINTARA_LOBBY_BINARY,
      std::vector<std::string>{"--headless", "--launch", "--devserver", QINTARA_DEVSERVER, "--log",
                               lobbyLog, "--commands", commands, "--client", QINTARA_BINARY},
      Env());
  ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 771 0 0", 10s)) << ReadFile(lobbyLog);
  ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 1127 0 0", 60s))
      << "the wall is built: " << ReadFile(lobbyLog);
  Tell("post 1125");
  Tell("post 771");
  Tell("post 1125");
  const auto answered = [&] {
    const std::string text = ReadFile(lobbyLog);
    std::size_t n = 0;
    for (auto at = text.find("lobby-in 1125 0 0"); at != std::string::npos;
         at = text.find("lobby-in 1125 0 0", at + 1)) {
      ++n;
    }
    return n;
  };
  for (int i = 0; i < 100 && answered() < 3; ++i) std::this_thread::sleep_for(50ms);
  EXPECT_EQ(answered(), 3U) << ReadFile(lobbyLog);
  EXPECT_EQ(ReadFile(lobbyLog).find("lobby-in 1024"), std::string::npos)
      << "the player stays at the table during the hand";
}

TEST_F(LobbyAndClient, HandQueryOutsideAHandIsAnsweredNotPlaying) {
  AtTheTable();
  Tell("post 1125");
  ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 1024 0 0", 10s)) << ReadFile(lobbyLog);
  EXPECT_TRUE(WaitForText(clientLog, "lobby-in: 1125", 1s));
}

TEST_F(LobbyAndClient, LeaveRequestOutsideAHandLeavesTheTableAndSaysSo) {
  AtTheTable();
  Tell("post 771");
  // Keep-alives may come first; the leave frame is the last thing the server hears.
  std::optional<wire::Frame> f;
  do {
    f = server.ReadFrame(10s);
    ASSERT_TRUE(f) << ReadFile(clientLog);
  } while ((*f)[3] == 24);
  EXPECT_EQ((*f)[3], 16);
  EXPECT_FALSE(server.ReadFrame(5s)) << "the connection is closed";
  ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 1024 0 0", 10s)) << ReadFile(lobbyLog);

  // The client stays, behind the lobby, until the lobby seats it again.
  Tell("post 22");
  ASSERT_TRUE(server.Accept(10s)) << ReadFile(clientLog);
  const auto again = server.ReadFrame(5s);
  ASSERT_TRUE(again);
  EXPECT_EQ((*again)[3], 18);
}

TEST_F(LobbyAndClient, ClientEndsAtItsNextRestoreOnceTheLobbyHasGone) {
  StartLobby(false);
  // Started by hand, so the client outlives the lobby process.
  ChildProcess client(
      QINTARA_BINARY,
      {"player1$k$127.0.0.1$" + std::to_string(server.Port()) + "$一号桌$0$$0$$$0$$$1$0$"}, Env());
  ASSERT_TRUE(server.Accept(10s));
  ASSERT_TRUE(server.ReadFrame(5s));
  ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 22 0 0", 5s));
  lobby->Kill();

  // The refused login restores the lobby, which is not there any more.
  server.Send(qtest::FrameBuilder(18).v(3, 2));
  ASSERT_TRUE(client.WaitExit(10s)) << ReadFile(clientLog);
  const std::string log = ReadFile(clientLog);
  EXPECT_NE(Find(log, "lobby-out: 274 restore not found"), std::string::npos) << log;
  // The end names its real cause, and that the lobby was gone as well.
  EXPECT_NE(
      Find(log, "end: login refused (result 2) (and the lobby window \"VorelLodge\" is gone)"),
      std::string::npos)
      << log;
}

// The lobby with its window (on the offscreen platform) and the development server it starts.
class LobbyEnds : public LobbyAndClient, public ::testing::WithParamInterface<int> {
 protected:
  // Started, launched and logged in; the lobby's two children are known.
  void AtADevserverTable() {
    const std::vector<std::string> args{"--log",        lobbyLog,      "--client",
                                        QINTARA_BINARY, "--devserver", QINTARA_DEVSERVER,
                                        "--launch"};
    lobby.emplace(QINTARA_LOBBY_BINARY, args, Env());
    ASSERT_TRUE(WaitForText(lobbyLog, "lobby-in 771 0 0", 20s)) << ReadFile(lobbyLog);
    children = ChildrenOf(lobby->Pid());
    ASSERT_EQ(children.size(), 2U) << "the development server and the client";
  }
  std::vector<pid_t> children;
};

// Ended the orderly way, the lobby stops the server and the client it started.
TEST_P(LobbyEnds, ByASignalItStopsWhatItStarted) {
  AtADevserverTable();
  lobby->Signal(GetParam());
  ASSERT_TRUE(lobby->WaitExit(20s)) << ReadFile(lobbyLog);
  for (pid_t p : children) EXPECT_TRUE(WaitProcessEnded(p, 10s)) << "process " << p;
  EXPECT_NE(Find(ReadFile(lobbyLog), "signal " + std::to_string(GetParam()) + ": ending"),
            std::string::npos)
      << ReadFile(lobbyLog);
}

INSTANTIATE_TEST_SUITE_P(Signals, LobbyEnds, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

// A lobby killed outright can stop nothing: its server ends with it, and the client, its table
// gone, looks for the lobby, finds it gone and ends.
TEST_F(LobbyEnds, KilledTheServerEndsWithItAndTheClientFindsTheLobbyGone) {
  AtADevserverTable();
  lobby->Kill();
  for (pid_t p : children) EXPECT_TRUE(WaitProcessEnded(p, 20s)) << "process " << p;
  const std::string log = ReadFile(clientLog);
  const auto end = Find(log, "end: ");
  ASSERT_NE(end, std::string::npos) << log;
  EXPECT_NE(log.find("gone", end), std::string::npos) << log;
}

TEST_F(LobbyAndClient, SecondClientRefusesToStartAndTheFirstStaysAtItsTable) {
  AtTheTable();
  const std::string secondLog = dir + "/second.log";
  auto env = Env();
  env["QINTARA_LOG"] = secondLog;
  ChildProcess second(QINTARA_BINARY, {"bob$k$127.0.0.1$1$x$0$$0$$$0$$$1$0$"}, env);
  ASSERT_TRUE(second.WaitExit(10s));
  EXPECT_NE(Find(ReadFile(secondLog), "msgbox: Qintara游戏已经运行！ | 警告"), std::string::npos)
      << ReadFile(secondLog);

  Tell("post 1125");
  EXPECT_TRUE(WaitForText(lobbyLog, "lobby-in 1024 0 0", 10s))
      << "the first copy still answers: " << ReadFile(lobbyLog);
}

TEST_F(LobbyAndClient, LobbyRestoreAndMinimiseReachTheClientWindow) {
  AtTheTable();
  Tell("send 0x0112 0xF020");
  ASSERT_TRUE(WaitForText(lobbyLog, "answer 274 0", 10s)) << ReadFile(lobbyLog);
  EXPECT_TRUE(WaitForText(clientLog, "lobby-in: 274 61472 0", 1s));
}

}  // namespace
}  // namespace itest
