// The real client left alone at the development server's table: when its clock runs out it
// passes and throws the tile it drew, and after two time-outs it hides as the boss key would.
// QINTARA_SOAK_HANDS=N keeps it playing until N whole hands are over.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "process.h"

namespace itest {
namespace {

using namespace std::chrono_literals;

struct Move {
  int cmd = 0;
  std::vector<int> v;
};

// The person's frames in the server log, and the tile of each draw the person was sent, in
// one stream so that each discard can be matched with the draw before it.
struct Event {
  bool fromClient = false;
  Move m;
};

std::vector<Event> ReadServerLog(const std::string& text) {
  std::vector<Event> out;
  const std::regex re(
      R"((<-|->) conn \d+ seat 0 cmd (\d+) arg1 \d+ seat (\d+) arg2 \d+ v\[(-?\d+) (-?\d+) (-?\d+) (-?\d+)\])");
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, re)) continue;
    Event e;
    e.fromClient = m[1] == "<-";
    e.m.cmd = std::stoi(m[2]);
    for (int i = 4; i <= 7; ++i) e.m.v.push_back(std::stoi(m[i]));
    // Draws to the person carry its own seat bit (1) and the tile.
    if (!e.fromClient && !(e.m.cmd == 5 && std::stoi(m[3]) == 1)) continue;
    out.push_back(e);
  }
  return out;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(LeftAlone, PassesThrowsTheDrawnTileAndHidesAfterTwoTimeouts) {
  const char* soak = std::getenv("QINTARA_SOAK_HANDS");
  const int hands = soak != nullptr ? std::atoi(soak) : 0;
  const std::string dir = MakeTempDir();
  const std::string log = dir + "/client.log";
  const std::string serverLog = dir + "/server.log";
  // Bots slow enough for the client's pace of one frame per tick; a generous grace so that the
  // server never has to move for the client.
  ChildProcess server(
      QINTARA_DEVSERVER,
      {"--port", "0", "--countdown", "2", "--timeout-limit", "2", "--bot-delay", "250", "--grace",
       "8000", "--ready-wait", "500", "--seed", "11", "--log", serverLog},
      {}, /*captureStdout=*/true);
  const int port = ListeningPort(server);
  ASSERT_GT(port, 0);
  // The lobby stand-in launches the client at the server: the client needs its lobby.
  const std::map<std::string, std::string> env{{"QT_QPA_PLATFORM", "offscreen"},
                                               {"QINTARA_RUNTIME_DIR", dir + "/run"},
                                               {"QINTARA_LOG", log},
                                               {"QINTARA_UNATTENDED", "1"}};
  ChildProcess lobby(QINTARA_LOBBY_BINARY,
                     {"--headless", "--launch", "--server-port", std::to_string(port), "--log",
                      dir + "/lobby.log", "--client", QINTARA_BINARY},
                     env);

  ASSERT_TRUE(WaitForText(log, "timeout 2 of 2: boss key", 60s))
      << ReadFile(log) << ReadFile(serverLog);
  if (hands > 0) {
    ASSERT_TRUE(WaitForText(serverLog, "game: hand " + std::to_string(hands + 1) + ":",
                            std::chrono::minutes(2 * hands)))
        << ReadFile(serverLog);
  } else {
    // Two more of its own turns in boss mode, at one second each.
    std::this_thread::sleep_for(3s);
  }
  lobby.Kill();
  server.Kill();

  const std::string serverText = ReadFile(serverLog);
  EXPECT_EQ(Count(serverText, "refused"), 0U) << serverText;
  EXPECT_EQ(Count(serverText, "ran out of time"), 0U) << "the client should act by itself";

  // Every move is a pass, or a discard of the tile drawn last right after a pass.
  int lastDrawn = -1;
  int discards = 0;
  const Event* previous = nullptr;
  for (const auto& e : ReadServerLog(serverText)) {
    if (!e.fromClient) {
      lastDrawn = e.m.v[3] & 0xFF;
    } else if (e.m.cmd == 7) {
      EXPECT_EQ(e.m.v, (std::vector<int>{1, 0, 0, 0})) << "only passes";
    } else if (e.m.cmd == 2) {
      ++discards;
      ASSERT_NE(previous, nullptr);
      EXPECT_EQ(previous->m.cmd, 7) << "a pass comes first";
      EXPECT_EQ(e.m.v[3], 0x4000 | lastDrawn) << "the tile drawn last";
    }
    if (e.fromClient && (e.m.cmd == 2 || e.m.cmd == 7)) previous = &e;
  }
  EXPECT_GE(discards, 2);
}

}  // namespace
}  // namespace itest
