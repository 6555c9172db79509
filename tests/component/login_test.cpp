// The login result in its four outcomes.
#include <gtest/gtest.h>

#include "support/client_fixture.h"
#include "ui/ui.h"

namespace qtest {
namespace {

class LoginResult : public ClientTest {
 protected:
  void SetUp() override {
    Start();
    Advance(250);
  }
};

TEST_F(LoginResult, SuccessPutsTheClientOnline) {
  c.net.HoldQuit = true;
  c.net.HoldReadyA = true;
  c.score.RunningScore = {5, 6, 7, 8};
  c.table.HandNumber = 3;
  Push(FrameBuilder(18).v(3, 1).v(1, 0x1C).v(0, 3).text(16, "http://ads.example/p"));
  Advance(150);
  EXPECT_TRUE(c.net.Online);
  EXPECT_FALSE(c.net.LoginPending);
  EXPECT_TRUE(c.net.g_bCanRecon);
  EXPECT_EQ(c.table.DefaultCountdown, 12) << "low four bits";
  EXPECT_EQ(c.table.TimeoutLimit, 3);
  EXPECT_FALSE(c.net.HoldQuit);
  EXPECT_FALSE(c.net.HoldReadyA);
  EXPECT_EQ(c.score.RunningScore, (std::array<double, 4>{}));
  EXPECT_EQ(c.table.HandNumber, 0);
  EXPECT_TRUE(c.TimerKeepAlive.Enabled());
  EXPECT_EQ(c.MainForm.Sysmsg(0).Items(), std::vector<std::string>{"连接服务器成功！"});
  ASSERT_EQ(c.MainForm.Sysmsg(1).Items().size(), 1u);
  EXPECT_EQ(c.MainForm.Sysmsg(1).Items()[0].rfind("欢迎进入Qintara ", 0), 0u);
  EXPECT_EQ(host.lobby.PostedNumbers(), (std::vector<std::uint32_t>{22, 771}));
  EXPECT_EQ(c.disp.AdPage, "http://ads.example/p");
  EXPECT_EQ(c.disp.AdPage2, "http://ads.example/p.gamead");
  EXPECT_FALSE(host.Ended());
}

TEST_F(LoginResult, SuccessWithoutAnAdvertisementLeavesTheBrowsersAlone) {
  Push(FrameBuilder(18).v(3, 1));
  Advance(150);
  EXPECT_TRUE(host.LogDetails("advert").empty());
  EXPECT_TRUE(c.disp.AdPage2.empty());
}

TEST_F(LoginResult, TheAdvertisementBecomesALinkOnTheLogoPane) {
  Push(FrameBuilder(18).v(3, 1).text(16, "https://ads.example/p"));
  Advance(150);
  EXPECT_EQ(c.MainForm.Bird.MousePointer(), 99);
  EXPECT_EQ(c.MainForm.Bird.ToolTipText(), "点击查看：https://ads.example/p");
  ui::Bird_Click(c.uiCtx);
  EXPECT_EQ(host.openedUrls, std::vector<std::string>{"https://ads.example/p"});
}

TEST_F(LoginResult, AnAdvertisementThatIsNoWebAddressIsNeverOpened) {
  Push(FrameBuilder(18).v(3, 1).text(16, "file:///etc/passwd"));
  Advance(150);
  ui::Bird_Click(c.uiCtx);
  EXPECT_TRUE(host.openedUrls.empty());
  EXPECT_TRUE(c.disp.AdFailed);
  EXPECT_EQ(c.MainForm.Bird.MousePointer(), 0);
}

struct Refusal {
  int code;
  const char* line;
};

class LoginRefused : public LoginResult, public ::testing::WithParamInterface<Refusal> {};

TEST_P(LoginRefused, TellsWhyRestoresTheLobbyAndEnds) {
  Push(FrameBuilder(18).v(3, GetParam().code));
  Advance(150);
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(c.MainForm.Sysmsg(0).Items(), std::vector<std::string>{GetParam().line});
  EXPECT_EQ(host.lobby.PostedNumbers(), (std::vector<std::uint32_t>{22, 22}));
  ASSERT_FALSE(host.lobby.sent.empty());
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScRestore);
  EXPECT_TRUE(host.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Codes, LoginRefused,
                         ::testing::Values(Refusal{2, "启动游戏失败，请重新在大厅就座后进入游戏！"},
                                           Refusal{0, "验证错误，请重新登陆游戏！"},
                                           Refusal{3, "验证错误，请重新登陆游戏！"}));

}  // namespace
}  // namespace qtest
