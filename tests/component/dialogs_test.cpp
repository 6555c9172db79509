// The exit dialog (the player leaves) and the leave dialog (the server ends the stay): what each
// shows, what each button sends and clears, and that no path waits on a window nobody sees.
#include <gtest/gtest.h>

#include "assets/picture_ids.h"
#include "net/net.h"
#include "platform/form_events.h"
#include "seating_fixture.h"
#include "session/control_bar.h"
#include "session/program.h"
#include "ui/ui.h"

namespace qtest {
namespace {

namespace pic = assets::pic;

class Dialogs : public SeatingTest {
 protected:
  void SetUp() override {
    SeatingTest::SetUp();
    SeatTable();
  }
  void Esc() {
    host.Run([&] { c.MainForm.SetFocus(nullptr); });
    host.Run([&] { session::ToggleExitDialog(c); });
  }
  std::vector<wire::Frame> SentAfter(std::size_t bytes) const {
    return SplitFrames(std::span(host.socket.sent).subspan(bytes));
  }
  bool BackInLobby() const {
    return c.MainForm.State() == platform::WindowState::Minimized && !host.lobby.sent.empty() &&
           host.lobby.sent.back().wParam == platform::kScRestore;
  }
};

TEST_F(Dialogs, TheExitDialogWarnsAccordingToTheHandAndToggles) {
  struct Case {
    bool inHand;
    bool watching;
    bool warnsOfTheHand;
  } cases[] = {{false, false, false}, {true, false, true}, {true, true, false}};
  for (const Case& k : cases) {
    c.net.InHand = k.inHand;
    c.table.WatchMode = k.watching;
    Esc();
    ASSERT_TRUE(host.Shown("frmExit"));
    EXPECT_EQ(c.frmExit.Image3.Visible(), k.warnsOfTheHand);
    EXPECT_EQ(c.frmExit.Image2.Visible(), !k.warnsOfTheHand);
    EXPECT_FALSE(c.frmExit.Image1.Visible());
    EXPECT_EQ(c.frmExit.Label1.Caption(), "您真的要退出吗？");
    const auto g = c.frmExit.Geometry();
    const auto m = c.MainForm.Geometry();
    EXPECT_EQ(g.left, m.left + (m.width - g.width) / 2) << "centred over the table";
    Esc();
    EXPECT_FALSE(host.Shown("frmExit")) << "the same key closes it";
  }
}

TEST_F(Dialogs, TheExitButtonsLightUnderThePointerAndCancelOnlyCloses) {
  Esc();
  auto& f = c.frmExit;
  EXPECT_EQ(f.pbCloseMe.Picture(), pic::kExitLeave);
  host.MouseMove("frmExit", "pbCloseMe");
  EXPECT_EQ(f.pbCloseMe.Picture(), pic::kExitLeaveLit);
  EXPECT_EQ(f.pbCloseMe.Tag(), "1");
  host.MouseMove("frmExit", "pbCancel");
  EXPECT_EQ(f.pbCancel.Picture(), pic::kExitStayLit);
  host.MouseMoveOffControls("frmExit");
  EXPECT_EQ(f.pbCloseMe.Picture(), pic::kExitLeave);
  EXPECT_EQ(f.pbCancel.Picture(), pic::kExitStay);
  EXPECT_EQ(f.pbCancel.Tag(), "0");

  const auto sent = host.socket.sent.size();
  const std::string left = c.table.Hand[1].Account;
  host.Click("frmExit", "pbCancel");
  EXPECT_FALSE(host.Shown("frmExit"));
  EXPECT_EQ(host.socket.sent.size(), sent);
  EXPECT_EQ(host.socket.State(), platform::kSockConnected);
  EXPECT_EQ(c.table.Hand[1].Account, left);
}

TEST_F(Dialogs, LeavingSendsOneLeaveFrameThenDropsClearsAndGoesBackToTheLobby) {
  c.net.InHand = true;
  c.net.SendRing.WritePos = c.net.SendRing.ReadPos;  // nothing else waiting to go out
  host.Run([&] { session::ToggleRules(c); });
  Esc();
  ASSERT_TRUE(host.Shown("rule"));
  const int own = c.table.Hand[0].SeatBit;
  ASSERT_NE(own, 0);
  const auto sent = host.socket.sent.size();
  host.Click("frmExit", "pbCloseMe");
  const auto frames = SentAfter(sent);
  ASSERT_EQ(frames.size(), 1U);
  EXPECT_EQ(frames[0][3], 16);
  EXPECT_EQ(frames[0][6], own);
  EXPECT_EQ(frames[0][260], 0);
  EXPECT_EQ(frames[0][261], 0);
  for (int i = 8; i < 16; ++i) EXPECT_EQ(frames[0][i], 0) << "all values 0";
  EXPECT_NE(host.socket.State(), platform::kSockConnected);
  EXPECT_FALSE(c.net.InHand);
  EXPECT_FALSE(c.net.g_bCanRecon);
  EXPECT_FALSE(c.TimerBong.Enabled());
  EXPECT_EQ(c.table.Hand[1].Account, "");
  EXPECT_EQ(c.MainForm.Nid(1).Caption(), "");
  EXPECT_FALSE(host.Shown("frmExit"));
  EXPECT_FALSE(host.Shown("rule")) << "the rules page goes with the table";
  EXPECT_TRUE(BackInLobby());
  EXPECT_FALSE(host.Ended());
  Advance(10'000);
  EXPECT_FALSE(c.frmReconnect.Loaded) << "a table left on purpose is not reconnected";
}

TEST_F(Dialogs, LeavingWithTheLobbyGoneEnds) {
  Esc();
  host.lobby.windows.clear();
  host.Click("frmExit", "pbCloseMe");
  EXPECT_TRUE(host.Ended());
}

TEST_F(Dialogs, LeaveDialogOkGoesBackToTheLobby) {
  Feed({FrameBuilder(16).v(3, 1).seat(7)});
  ASSERT_TRUE(host.Shown("frmOtherExit"));
  EXPECT_EQ(c.frmOtherExit.Label1.Caption(), "玩家Dave,退出了游戏！游戏结束！");
  EXPECT_TRUE(c.frmOtherExit.Topmost());
  EXPECT_EQ(c.frmOtherExit.Opacity(), 200);
  EXPECT_EQ(c.frmOtherExit.imgOK.Width(), 70);
  EXPECT_TRUE(host.Shown("Hero")) << "the finished game's history comes with it";
  host.Click("frmOtherExit", "imgOK");
  EXPECT_FALSE(host.Shown("frmOtherExit"));
  EXPECT_TRUE(BackInLobby());
  EXPECT_FALSE(host.Shown("Hero")) << "no window of the table is left over the lobby";
  EXPECT_EQ(c.table.Hand[2].Account, "");
  EXPECT_FALSE(host.Ended());
}

TEST_F(Dialogs, LeaveDialogCancelStaysUntilTheStartButton) {
  Feed({FrameBuilder(16).v(3, 1).seat(7)});
  host.Click("frmOtherExit", "imgCancel");
  EXPECT_FALSE(host.Shown("frmOtherExit"));
  EXPECT_TRUE(c.disp.GameOver);
  EXPECT_FALSE(c.net.InHand);
  EXPECT_FALSE(c.net.TaskOn[net::kTaskWatch]);
  EXPECT_NE(c.MainForm.State(), platform::WindowState::Minimized) << "the table stays";
}

TEST_F(Dialogs, TheBossKeyOnTheLeaveDialogMinimisesIt) {
  Feed({FrameBuilder(16).v(3, 1).seat(7)});
  host.KeyDown("frmOtherExit", platform::kKeyF1);
  EXPECT_EQ(c.frmOtherExit.State(), platform::WindowState::Minimized);
  EXPECT_TRUE(c.table.BossMode);
}

TEST_F(Dialogs, ALoginResultClosesTheLeaveDialog) {
  Feed({FrameBuilder(22).text(16, "本桌已关闭")});
  Advance(2500);
  ASSERT_TRUE(host.Shown("frmOtherExit"));
  Push(FrameBuilder(18).v(3, 1).v(1, 8));
  Advance(200);
  EXPECT_FALSE(host.Shown("frmOtherExit"));
}

// Unattended, no path waits on a window: the leave dialog takes its OK like a message box.
TEST_F(Dialogs, UnattendedEveryPathThatOpensTheLeaveDialogGoesOn) {
  struct Case {
    const char* what;
    wire::Frame frame;
  } cases[] = {
      {"others left", FrameBuilder(16).v(3, 1).seat(7)},
      {"the player lacks gold", FrameBuilder(16).v(3, 3).seat(11)},
      {"the table closed", FrameBuilder(22).text(16, "本桌已关闭")},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    vhost::VirtualHost h;
    h.unattended = true;
    h.lobby.windows.insert("VorelLodge");
    Client cl(h);
    h.Run([&] { session::Form_Load(cl, CommandLine()); });
    h.Advance(250);
    const wire::Frame login = FrameBuilder(18).v(3, 1).v(1, 8);
    h.socket.Deliver(login);
    h.Advance(200);
    cl.table.Hand[0].SeatBit = 4;  // seated at seat bit 4
    h.socket.Deliver(k.frame);
    h.Advance(3000);
    EXPECT_FALSE(h.Shown("frmOtherExit"));
    EXPECT_EQ(cl.MainForm.State(), platform::WindowState::Minimized) << "back in the lobby";
    EXPECT_FALSE(h.Ended());
  }
}

}  // namespace
}  // namespace qtest
