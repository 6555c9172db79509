// The real client through a SOCKS 5 proxy: a real microsocks started here carries the login and
// the play of the development server's table, and refuses a wrong password and a closed target;
// a tiny scripted proxy plays the refusals microsocks cannot produce. Every refusal ends with its
// message within a bound.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "process.h"

namespace itest {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// A port nobody listens on: taken from the system, then given back.
int FreePort() {
  Listener l;
  return l.Port();
}

class ThroughProxy : public ::testing::Test {
 protected:
  void Launch(int serverPort, int proxyPort, const std::string& user, const std::string& pass) {
    const std::string line = "alice$key123$127.0.0.1$" + std::to_string(serverPort) +
                             "$一号桌$5$127.0.0.1$" + std::to_string(proxyPort) + "$" + user + "$" +
                             pass + "$0$$$1$0$";
    client.emplace(QINTARA_BINARY, std::vector<std::string>{line},
                   std::map<std::string, std::string>{{"QT_QPA_PLATFORM", "offscreen"},
                                                      {"QINTARA_RUNTIME_DIR", dir + "/run"},
                                                      {"QINTARA_LOG", log},
                                                      {"QINTARA_UNATTENDED", "1"}});
  }
  // microsocks on loopback with a user and password; ready once it accepts connections.
  int StartMicrosocks() {
    const int port = FreePort();
    socks.emplace("/usr/bin/microsocks",
                  std::vector<std::string>{"-i", "127.0.0.1", "-p", std::to_string(port), "-u",
                                           "user", "-P", "secret"},
                  std::map<std::string, std::string>{});
    std::this_thread::sleep_for(300ms);
    return port;
  }
  // The message the client showed within the bound, measured from now.
  ::testing::AssertionResult EndsWith(const std::string& message, std::chrono::seconds bound) {
    const auto start = std::chrono::steady_clock::now();
    if (!WaitForText(log, "msgbox: " + message, bound)) {
      return ::testing::AssertionFailure()
             << "no \"" << message << "\" within " << bound.count() << " s:\n"
             << ReadFile(log);
    }
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    return ::testing::AssertionSuccess() << took.count() << " ms";
  }

  std::string dir = MakeTempDir();
  std::string log = dir + "/client.log";
  std::optional<ChildProcess> socks;
  std::optional<ChildProcess> client;
};

TEST_F(ThroughProxy, LogsInAndPlaysThroughMicrosocks) {
  ChildProcess server(QINTARA_DEVSERVER,
                      {"--port", "0", "--countdown", "1", "--bot-delay", "50", "--ready-wait",
                       "500", "--log", dir + "/server.log"},
                      {}, /*captureStdout=*/true);
  const auto first = server.ReadLine(10s);
  ASSERT_TRUE(first && first->rfind("listening on ", 0) == 0);
  const int serverPort = std::stoi(first->substr(13));
  // The lobby window the seated client looks for, without launching a client of its own.
  const std::string lobbyLog = dir + "/lobby.log";
  std::ofstream(dir + "/commands").flush();
  ChildProcess lobby(QINTARA_LOBBY_BINARY,
                     {"--headless", "--server-port", std::to_string(serverPort), "--log", lobbyLog,
                      "--commands", dir + "/commands", "--client", QINTARA_BINARY},
                     {{"QT_QPA_PLATFORM", "offscreen"}, {"QINTARA_RUNTIME_DIR", dir + "/run"}});
  ASSERT_TRUE(WaitForText(lobbyLog, "listening VorelLodge", 10s)) << ReadFile(lobbyLog);
  const int proxyPort = StartMicrosocks();
  Launch(serverPort, proxyPort, "user", "secret");
  ASSERT_TRUE(WaitForText(log, "sysmsg0: 连接代理服务器成功！", 15s)) << ReadFile(log);
  ASSERT_TRUE(WaitForText(log, "sysmsg0: 连接服务器成功！", 10s)) << ReadFile(log);
  // A hand is dealt and played through the tunnel: the hand start, draws and discards.
  ASSERT_TRUE(WaitForText(log, "recv: 4", 30s)) << ReadFile(log);
  EXPECT_TRUE(WaitForText(log, "recv: 5", 20s));
  EXPECT_TRUE(WaitForText(log, "recv: 2", 20s));
  EXPECT_EQ(ReadFile(log).find("msgbox:"), std::string::npos) << ReadFile(log);
}

TEST_F(ThroughProxy, MicrosocksRefusalsEndWithTheirMessages) {
  const int proxyPort = StartMicrosocks();
  {
    SCOPED_TRACE("wrong password");
    Launch(FreePort(), proxyPort, "user", "wrong");
    EXPECT_TRUE(EndsWith("代理服务器用户验证失败！", 12s));
    client.reset();
  }
  {
    SCOPED_TRACE("closed target port");
    log = dir + "/client2.log";
    Launch(FreePort(), proxyPort, "user", "secret");
    EXPECT_TRUE(EndsWith("通过代理连接主站失败！", 12s));
  }
}

struct Script {
  const char* name;
  Bytes methodAnswer;  // empty: the proxy says nothing
  bool closeAfterGreeting;
  Bytes connectAnswer;  // for a proxy that got that far (no authentication asked)
  const char* message;
};

class ScriptedProxy : public ThroughProxy, public ::testing::WithParamInterface<Script> {};

TEST_P(ScriptedProxy, EndsWithItsMessageInBoundedTime) {
  const Script& k = GetParam();
  Listener proxy;
  Launch(FreePort(), proxy.Port(), "user", "secret");
  ASSERT_TRUE(proxy.Accept(10s));
  EXPECT_EQ(proxy.ReadBytes(4, 5s), (Bytes{5, 2, 0, 2})) << "the greeting";
  if (k.closeAfterGreeting) {
    proxy.CloseConnection();
  } else if (!k.methodAnswer.empty()) {
    proxy.SendBytes(k.methodAnswer);
    if (!k.connectAnswer.empty()) {
      EXPECT_EQ(proxy.ReadBytes(10, 5s).size(), 10U) << "the connect request";
      proxy.SendBytes(k.connectAnswer);
    }
  }
  EXPECT_TRUE(EndsWith(k.message, 15s));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ScriptedProxy,
    ::testing::Values(Script{"NoAcceptableMethod", {5, 0xFF}, false, {}, "请求代理失败！"},
                      Script{"NotSocks5", {4, 90}, false, {}, "请求代理失败！"},
                      Script{"ClosesAfterTheGreeting", {}, true, {}, "请求代理失败！"},
                      Script{"NeverAnswers", {}, false, {}, "请求代理失败！"},
                      Script{"RefusesTheTarget",
                             {5, 0},
                             false,
                             {5, 2, 0, 1, 0, 0, 0, 0, 0, 0},
                             "通过代理连接主站失败！"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace itest
