// The real client, launched by the lobby stand-in, at the development server's table while the
// server drops its connection on purpose: each drop ends in a reconnection the server accepts.
// QINTARA_SOAK_DROPS=N waits for N drops instead of 2 (a soak over real sockets).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "process.h"

namespace itest {
namespace {

using namespace std::chrono_literals;

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(RealReconnect, EveryDropOfTheServerEndsInAnAcceptedReconnection) {
  const char* env = std::getenv("QINTARA_SOAK_DROPS");
  const std::size_t drops = env != nullptr ? static_cast<std::size_t>(std::atoi(env)) : 2;
  const std::string dir = MakeTempDir();
  const std::string serverLog = dir + "/server.log";
  const std::string clientLog = dir + "/client.log";
  const std::string lobbyLog = dir + "/lobby.log";
  ChildProcess server(QINTARA_DEVSERVER,
                      {"--port", "0", "--countdown", "1", "--bot-delay", "30", "--ready-wait",
                       "500", "--fault", "random:40:160", "--seed", "7", "--log", serverLog},
                      {}, /*captureStdout=*/true);
  const auto first = server.ReadLine(10s);
  ASSERT_TRUE(first && first->rfind("listening on ", 0) == 0);
  std::ofstream(dir + "/commands").flush();
  const std::map<std::string, std::string> env2{{"QT_QPA_PLATFORM", "offscreen"},
                                                {"QINTARA_RUNTIME_DIR", dir + "/run"},
                                                {"QINTARA_LOG", clientLog},
                                                {"QINTARA_UNATTENDED", "1"}};
  ChildProcess lobby(QINTARA_LOBBY_BINARY,
                     {"--headless", "--server-port", first->substr(13), "--log", lobbyLog,
                      "--commands", dir + "/commands", "--client", QINTARA_BINARY, "--launch"},
                     env2);
  const auto deadline = std::chrono::steady_clock::now() + drops * 40s;
  std::size_t dropped = 0;
  std::size_t accepted = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(500ms);
    dropped = Count(ReadFile(serverLog), "fault: dropping connection");
    accepted = Count(ReadFile(clientLog), "reconnect: accepted");
    if (accepted >= drops) break;
  }
  const std::string client = ReadFile(clientLog);
  std::printf("[ soak     ] %zu drops, %zu reconnections accepted, %zu hands started\n", dropped,
              accepted, Count(client, "recv: 4\n"));
  EXPECT_GE(accepted, drops) << client;
  EXPECT_LE(dropped, accepted + 1) << "a drop that was never followed by a reconnection";
  EXPECT_EQ(Count(client, " end: "), 0U) << client;
  EXPECT_EQ(Count(client, "msgbox:"), 0U) << client;
  EXPECT_EQ(Count(ReadFile(serverLog), "refused"), 0U);
}

}  // namespace
}  // namespace itest
