// The real client against a loopback listener: connect, log in, keep alive, refused login.
#include <gtest/gtest.h>

#include <chrono>

#include "process.h"
#include "support/frame_builder.h"

namespace itest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class RealClient : public ::testing::Test {
 protected:
  void Launch() {
    const std::string line =
        "alice$key123$127.0.0.1$" + std::to_string(server.Port()) + "$一号桌$0$$0$$$0$$$1$0$";
    client.emplace(QINTARA_BINARY, std::vector<std::string>{line},
                   std::map<std::string, std::string>{{"QT_QPA_PLATFORM", "offscreen"},
                                                      {"QINTARA_RUNTIME_DIR", dir + "/run"},
                                                      {"QINTARA_LOG", log},
                                                      {"QINTARA_UNATTENDED", "1"}});
  }

  std::string dir = MakeTempDir();
  std::string log = dir + "/client.log";
  Listener server;
  std::optional<ChildProcess> client;
};

TEST_F(RealClient, LogsInOnceAndKeepsAliveWithTheLastKey) {
  Launch();
  ASSERT_TRUE(server.Accept(10s));
  const auto connected = Clock::now();
  auto login = server.ReadFrame(5s);
  ASSERT_TRUE(login);
  const auto delay = Clock::now() - connected;
  EXPECT_EQ((*login)[3], 18);
  EXPECT_EQ((*login)[14], 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&(*login)[16])), "alice");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&(*login)[32])), "key123");
  EXPECT_GT(delay, 100ms);
  EXPECT_LT(delay, 1500ms);

  server.Send(qtest::FrameBuilder(18).v(3, 1).v(1, 8).key(0x12, 0x34));
  auto first = server.ReadFrame(7s);
  ASSERT_TRUE(first) << ReadFile(log);
  const auto firstAt = Clock::now();
  EXPECT_EQ((*first)[3], 24) << "no second login frame, only keep-alives";
  EXPECT_EQ((*first)[260], 0x12);
  EXPECT_EQ((*first)[261], 0x34);

  // A later frame's key is echoed from then on.
  server.Send(qtest::FrameBuilder(30).key(0x56, 0x78));
  auto second = server.ReadFrame(7s);
  ASSERT_TRUE(second);
  const auto gap = Clock::now() - firstAt;
  EXPECT_EQ((*second)[3], 24);
  EXPECT_EQ((*second)[260], 0x56);
  EXPECT_EQ((*second)[261], 0x78);
  EXPECT_GT(gap, 4500ms);
  EXPECT_LT(gap, 5600ms);

  const std::string text = ReadFile(log);
  EXPECT_NE(text.find("sysmsg0: 连接服务器成功！"), std::string::npos) << text;
  EXPECT_NE(text.find("send: 18"), std::string::npos);
  EXPECT_NE(text.find("recv: 18"), std::string::npos);
}

TEST_F(RealClient, RefusedLoginEndsWithItsMessage) {
  Launch();
  ASSERT_TRUE(server.Accept(10s));
  ASSERT_TRUE(server.ReadFrame(5s));
  server.Send(qtest::FrameBuilder(18).v(3, 3));
  const auto status = client->WaitExit(10s);
  ASSERT_TRUE(status) << "the client should end after a refused login";
  const std::string text = ReadFile(log);
  EXPECT_NE(text.find("sysmsg0: 验证错误，请重新登陆游戏！"), std::string::npos) << text;
  EXPECT_NE(text.find(" end: "), std::string::npos) << text;
}

TEST_F(RealClient, SecondCopyRefusesToStart) {
  Launch();
  ASSERT_TRUE(server.Accept(10s));
  const std::string log2 = dir + "/second.log";
  ChildProcess second(QINTARA_BINARY, {"bob$k$127.0.0.1$1$x$0$"},
                      {{"QT_QPA_PLATFORM", "offscreen"},
                       {"QINTARA_RUNTIME_DIR", dir + "/run"},
                       {"QINTARA_LOG", log2},
                       {"QINTARA_UNATTENDED", "1"}});
  ASSERT_TRUE(second.WaitExit(10s));
  EXPECT_NE(ReadFile(log2).find("msgbox: Qintara游戏已经运行！ | 警告"), std::string::npos)
      << ReadFile(log2);
  EXPECT_FALSE(client->WaitExit(100ms)) << "the first copy keeps running";
}

TEST_F(RealClient, StartWithoutCommandLineIsRefused) {
  ChildProcess bare(QINTARA_BINARY, {},
                    {{"QT_QPA_PLATFORM", "offscreen"},
                     {"QINTARA_RUNTIME_DIR", dir + "/run"},
                     {"QINTARA_LOG", log},
                     {"QINTARA_UNATTENDED", "1"}});
  ASSERT_TRUE(bare.WaitExit(10s));
  EXPECT_NE(ReadFile(log).find("msgbox: 本游戏需从游戏大厅中启动！ | 警告"), std::string::npos)
      << ReadFile(log);
}

}  // namespace
}  // namespace itest
