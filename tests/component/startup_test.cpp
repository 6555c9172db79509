// Start-up from the lobby's command line: fields, watch mode, window size and scale, failures.
#include <gtest/gtest.h>

#include "net/net.h"
#include "session/program.h"
#include "support/client_fixture.h"

namespace qtest {
namespace {

class Startup : public ClientTest {};

TEST_F(Startup, FifteenFieldsStartADirectConnection) {
  Start("alice$key$10.0.0.9$7001$一号桌$0$$0$$$0$$$1$3$");
  ASSERT_FALSE(host.Ended());
  EXPECT_EQ(c.app.LoginName, "alice");
  EXPECT_EQ(c.table.Hand[0].Account, "alice");
  EXPECT_EQ(host.socket.remoteHost, "10.0.0.9");
  EXPECT_EQ(host.socket.remotePort, 7001);
  EXPECT_EQ(c.app.Prop_swicth, 1);
  EXPECT_EQ(c.app.PropParam, 3);
  EXPECT_FALSE(c.table.WatchMode);
  EXPECT_EQ(c.app.LobbyTitle, "VorelLodge");
  EXPECT_EQ(c.MainForm.Caption(), "Qintara");
  EXPECT_EQ(c.MainForm.Location.Caption(), "一号桌");
  EXPECT_EQ(c.table.DefaultCountdown, 8);
  EXPECT_EQ(c.table.LastDiscardCtl, -1);
  EXPECT_EQ(c.table.Hand[0].SeatBit, 0);
  EXPECT_TRUE(c.MainForm.Visible());
  EXPECT_TRUE(c.TimerBong.Enabled());
  EXPECT_TRUE(c.net.TaskOn[net::kTaskLogin]);
  EXPECT_EQ(host.lobby.listeningAs, "Qintara");
  EXPECT_EQ(c.app.SeatChangeText[3], "正在随机换座中.....");
}

TEST_F(Startup, WatchModeReadsTheWatchedUserAfterTheFifthField) {
  Start("alice$key$127.0.0.1$7001$看台$1234");
  ASSERT_FALSE(host.Ended());
  EXPECT_TRUE(c.table.WatchMode);
  EXPECT_DOUBLE_EQ(c.table.Player[0].UserId, 1234);
  EXPECT_EQ(c.app.ProxyKind, 0);
  EXPECT_EQ(host.socket.connects, 1);
}

TEST_F(Startup, CustomCaptionNamesTheWindowAndTheLobby) {
  host.lobby.windows = {"我的大厅"};
  Start("a$k$h$1$loc$0$$0$$$1$我的大厅$麻将桌$0$0$");
  ASSERT_FALSE(host.Ended());
  EXPECT_EQ(c.MainForm.Caption(), "麻将桌");
  EXPECT_EQ(c.app.LobbyTitle, "我的大厅");
  EXPECT_EQ(c.table.DefaultCountdown, 10);
  EXPECT_FALSE(c.app.CustomCaption);
  ASSERT_EQ(host.lobby.sent.size(), 1u) << "the lobby is restored during start-up";
  EXPECT_EQ(host.lobby.sent[0].title, "我的大厅");
}

TEST_F(Startup, CustomCaptionWithAMissingLobbyEnds) {
  Start("a$k$h$1$loc$0$$0$$$1$没有的大厅$桌$0$0$");
  EXPECT_TRUE(host.Ended());
}

TEST_F(Startup, LongLocationGetsASmallerFont) {
  Start("a$k$h$1$一二三四五六七八九十一$0$");
  EXPECT_EQ(c.MainForm.Location.FontSize(), 10) << "two points below its usual 12";
}

struct BadLine {
  const char* name;
  const char* line;
};

class StartupFails : public Startup, public ::testing::WithParamInterface<BadLine> {};

TEST_P(StartupFails, EndsWithoutAConnection) {
  Start(GetParam().line);
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.socket.connects, 0);
  EXPECT_TRUE(host.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, StartupFails,
                         ::testing::Values(BadLine{"EmptyPort", "a$k$h$$loc$0$"},
                                           BadLine{"EmptyProxyKind", "a$k$h$1$loc$$"},
                                           BadLine{"EmptyProxyPort", "a$k$h$1$loc$0$ph$$"},
                                           BadLine{"WordForPort", "a$k$h$port$loc$0$"},
                                           BadLine{"NanPort", "a$k$h$nan$loc$0$"},
                                           BadLine{"ChineseAccount", "张三$k$h$1$loc$0$"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(Startup, AnUnknownConnectionKindEndsWithAMessageInsteadOfWaitingForever) {
  for (const char* kind : {"3", "-1"}) {
    SCOPED_TRACE(kind);
    vhost::VirtualHost h;
    h.lobby.windows.insert("大厅");
    Client other(h);
    h.Run([&] {
      session::Form_Load(other,
                         std::string("a$k$127.0.0.1$7000$loc$") + kind + "$$0$$$1$大厅$桌$0$0$");
    });
    ASSERT_TRUE(h.Ended());
    EXPECT_EQ(h.EndReason(), std::string("unknown connection kind ") + kind);
    ASSERT_EQ(h.messageBoxes.size(), 1U);
    EXPECT_NE(h.messageBoxes[0].text.find("连接方式错误"), std::string::npos);
    ASSERT_FALSE(h.lobby.sent.empty());
    EXPECT_EQ(h.lobby.sent.back().wParam, platform::kScRestore) << "the lobby is given back";
    EXPECT_EQ(h.socket.connects, 0);
  }
}

TEST_F(Startup, NoCommandLineIsRefusedWithAMessage) {
  Start("   ");
  EXPECT_TRUE(host.Ended());
  ASSERT_EQ(host.messageBoxes.size(), 1u);
  EXPECT_EQ(host.messageBoxes[0].text, "本游戏需从游戏大厅中启动！");
  EXPECT_EQ(host.messageBoxes[0].title, "警告");
}

TEST_F(Startup, SecondCopyIsRefusedWithAMessage) {
  host.anotherInstance = true;
  Start();
  EXPECT_TRUE(host.Ended());
  ASSERT_EQ(host.messageBoxes.size(), 1u);
  EXPECT_EQ(host.messageBoxes[0].text, "Qintara游戏已经运行！");
  EXPECT_EQ(host.messageBoxes[0].title, "警告");
  EXPECT_EQ(host.socket.connects, 0);
}

struct ScreenCase {
  int w, h;
  platform::Rect window;
  platform::Rect pic1;
  float scale;
};

class WindowSize : public Startup, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(WindowSize, FollowsTheScreen) {
  host.screen = {GetParam().w, GetParam().h};
  Start();
  EXPECT_EQ(c.MainForm.Geometry(), GetParam().window);
  EXPECT_EQ(c.MainForm.Pic1.Bounds(), GetParam().pic1);
  EXPECT_FLOAT_EQ(c.table.ScaleX, GetParam().scale);
  EXPECT_FLOAT_EQ(c.table.ScaleY, GetParam().scale);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowSize,
    ::testing::Values(ScreenCase{1280, 1024, {0, 0, 1040, 796}, {8, 20, 1024, 768}, 1.0F},
                      ScreenCase{1024, 768, {0, 0, 1024, 768}, {0, 0, 1024, 768}, 1.0F},
                      ScreenCase{800, 600, {0, 0, 800, 600}, {0, 0, 800, 600}, 0.78125F},
                      ScreenCase{1280, 720, {0, 0, 1040, 720}, {8, 0, 1024, 720}, 0.78125F}));

TEST_F(Startup, SmallScreenMovesTheDealerLabelsAndShrinksTheMessages) {
  host.screen = {800, 600};
  Start();
  EXPECT_EQ(c.MainForm.Host.Left(), 6);
  EXPECT_EQ(c.MainForm.Host.Top(), 192);
  EXPECT_EQ(c.MainForm.Zhuang.Left(), 45);
  EXPECT_EQ(c.MainForm.Sysmsg(0).FontSize(), 8);
  EXPECT_EQ(c.MainForm.Location.FontSize(), 10);
}

}  // namespace
}  // namespace qtest
