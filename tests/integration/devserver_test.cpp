// The real client against the development server: a scripted login and a live table.
#include <gtest/gtest.h>

#include <chrono>

#include "process.h"

namespace itest {
namespace {

using namespace std::chrono_literals;

class WithServer : public ::testing::Test {
 protected:
  std::map<std::string, std::string> ClientEnv() const {
    return {{"QT_QPA_PLATFORM", "offscreen"},
            {"QINTARA_RUNTIME_DIR", dir + "/run"},
            {"QINTARA_LOG", log},
            {"QINTARA_UNATTENDED", "1"}};
  }
  static std::string Line(int port) {
    return "alice$key123$127.0.0.1$" + std::to_string(port) + "$一号桌$0$$0$$$0$$$1$0$";
  }
  static std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }

  std::string dir = MakeTempDir();
  std::string log = dir + "/client.log";
};

TEST_F(WithServer, ScriptedLoginAndKeepAliveHold) {
  ChildProcess server(
      QINTARA_DEVSERVER,
      {"--port", "0", "--scenario", QINTARA_SCENARIOS "/login.scn", "--log", dir + "/server.log"},
      {}, /*captureStdout=*/true);
  const int port = ListeningPort(server);
  ASSERT_GT(port, 0);
  ChildProcess client(QINTARA_BINARY, {Line(port)}, ClientEnv());
  const auto status = server.WaitExit(30s);
  ASSERT_TRUE(status);
  EXPECT_EQ(*status, 0) << ReadFile(dir + "/server.log") << ReadFile(log);
}

}  // namespace
}  // namespace itest
