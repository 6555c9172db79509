// The real client plays whole hands at the development server's table, with the prop plug-in
// loaded: every seat's gold label must end at its starting gold plus the final scores of its
// sheets plus its prizes, each hand counted once.
// QINTARA_MONEY_HANDS=N plays N hands (default 2).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "process.h"
#include "props.h"

namespace itest {
namespace {

using namespace std::chrono_literals;

int Hands() {
  const char* s = std::getenv("QINTARA_MONEY_HANDS");
  const int n = s != nullptr ? std::atoi(s) : 0;
  return n > 0 ? n : 2;
}

struct Sheet {
  int hand = 0;
  std::array<double, 4> finals{};
  std::array<double, 4> prizes{};
};

// What the client's log says about money, up to the moment it dispatched command 4 for the
// hand after the last one counted: each position's first and last gold label, and the sheets.
struct Money {
  std::array<std::optional<double>, 4> first{};
  std::array<std::optional<double>, 4> last{};
  std::vector<Sheet> sheets;
};

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

Money ReadMoney(const std::string& log, int hands) {
  Money m;
  const std::regex gold(R"( gold: ([0-3]) (-?\d+)金币$)");
  const std::regex sheet(
      R"( sheet: hand (\d+) final (-?\d+) (-?\d+) (-?\d+) (-?\d+) prize (-?\d+) (-?\d+) (-?\d+) (-?\d+)$)");
  std::istringstream in(log);
  int starts = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.find(" recv: 4") != std::string::npos &&
        line.substr(line.find(" recv: 4") + 8).empty()) {
      if (++starts > hands) break;
    }
    std::smatch g;
    if (std::regex_search(line, g, gold)) {
      const auto p = static_cast<std::size_t>(std::stoi(g[1]));
      const double v = std::stod(g[2]);
      if (!m.first.at(p)) m.first.at(p) = v;
      m.last.at(p) = v;
      continue;
    }
    std::smatch s;
    if (std::regex_search(line, s, sheet)) {
      Sheet h;
      h.hand = std::stoi(s[1]);
      for (std::size_t p = 0; p < 4; ++p) {
        h.finals.at(p) = std::stod(s[2 + p]);
        h.prizes.at(p) = std::stod(s[6 + p]);
      }
      m.sheets.push_back(h);
    }
  }
  return m;
}

TEST(MoneyAtTheTable, EverySeatsGoldIsItsStartPlusItsSheetsAndPrizes) {
  const int hands = Hands();
  const std::string dir = MakeTempDir();
  const std::string log = dir + "/client.log";
  const std::string serverLog = dir + "/server.log";
  // The client left alone plays by itself after two time-outs; the server waits for the
  // client's own ready after a hand (its continue countdown), so the next hand never starts
  // under a sheet still pending.
  ChildProcess server(
      QINTARA_DEVSERVER,
      {"--port", "0", "--countdown", "2", "--timeout-limit", "2", "--bot-delay", "250", "--grace",
       "8000", "--ready-wait", "20000", "--seed", "5", "--log", serverLog},
      {}, /*captureStdout=*/true);
  const int port = ListeningPort(server);
  ASSERT_GT(port, 0);
  ChildProcess lobby(QINTARA_LOBBY_BINARY,
                     {"--headless", "--launch", "--server-port", std::to_string(port), "--log",
                      dir + "/lobby.log", "--client", QINTARA_BINARY},
                     {{"QT_QPA_PLATFORM", "offscreen"},
                      {"QINTARA_RUNTIME_DIR", dir + "/run"},
                      {"QINTARA_LOG", log},
                      {"QINTARA_UNATTENDED", "1"}});
  ASSERT_TRUE(WaitForText(log, "plugin: running", 30s)) << ReadFile(log);
  // The client has dispatched the start of the hand after the last one counted: everything of
  // the counted hands, gold changes included, is behind it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3 * hands);
  std::string text;
  while (std::chrono::steady_clock::now() < deadline) {
    text = ReadFile(log);
    if (Count(text, " recv: 4\n") > static_cast<std::size_t>(hands)) break;
    ASSERT_EQ(text.find(" end: "), std::string::npos) << text;
    std::this_thread::sleep_for(200ms);
  }
  lobby.Kill();
  server.Kill();
  ASSERT_GT(Count(text, " recv: 4\n"), static_cast<std::size_t>(hands))
      << ReadFile(serverLog).substr(0, 4000);

  const Money m = ReadMoney(text, hands);
  ASSERT_EQ(m.sheets.size(), static_cast<std::size_t>(hands)) << text;
  bool anyWin = false;
  for (const auto& s : m.sheets) {
    anyWin = anyWin || std::any_of(s.finals.begin(), s.finals.end(), [](double v) { return v; });
    // The prizes on the sheet are the ones the server announced for the hand.
    const auto announced = devserver::props::HandPrizes(s.hand);
    EXPECT_EQ(std::accumulate(s.prizes.begin(), s.prizes.end(), 0.0),
              std::accumulate(announced.begin(), announced.end(), 0.0))
        << "hand " << s.hand;
  }
  EXPECT_TRUE(anyWin) << "a hand with payments, not only draws";
  for (std::size_t p = 0; p < 4; ++p) {
    SCOPED_TRACE("position " + std::to_string(p));
    ASSERT_TRUE(m.first.at(p) && m.last.at(p)) << text;
    double expected = *m.first.at(p);
    for (const auto& s : m.sheets) expected += s.finals.at(p) + s.prizes.at(p);
    EXPECT_EQ(*m.last.at(p), expected);
  }
  EXPECT_EQ(*m.first.at(0), 10000) << "the person's gold as the server seats it";
}

}  // namespace
}  // namespace itest
