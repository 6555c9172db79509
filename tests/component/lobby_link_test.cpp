// The lobby link: the four lobby messages in every state of the client, the lobby helpers, the
// boss key and the window coming back.
#include <gtest/gtest.h>

#include "net/net.h"
#include "session/program.h"
#include "support/client_fixture.h"
#include "ui/ui.h"
#include "view/view.h"

namespace qtest {
namespace {

using Numbers = std::vector<std::uint32_t>;

enum class State { LoginPending, InHand, Idle, LobbyGone };

const char* Name(State s) {
  switch (s) {
    case State::LoginPending:
      return "LoginPending";
    case State::InHand:
      return "InHand";
    case State::Idle:
      return "Idle";
    case State::LobbyGone:
      return "LobbyGone";
  }
  return "?";
}

class LobbyLink : public ClientTest {
 protected:
  // Brings the client into a state; afterwards the lobby's record starts empty.
  void Enter(State s) {
    if (s == State::LoginPending) {
      Start();
      Advance(250);
      ASSERT_TRUE(c.net.LoginPending);
    } else {
      StartLoggedIn();
      ASSERT_FALSE(c.net.LoginPending);
      // A hand is under way from command 4 on; its handler is not needed to be in one.
      if (s == State::InHand) c.net.InHand = true;
      if (s == State::LobbyGone) host.lobby.windows.clear();
    }
    ASSERT_EQ(host.socket.State(), platform::kSockConnected);
    host.lobby.posted.clear();
    host.lobby.sent.clear();
    sentBefore = host.socket.sent.size();
  }
  std::int32_t Deliver(std::uint32_t msg, std::int32_t w = 0, std::int32_t l = 0) {
    std::int32_t r = -1;
    host.Run([&] { r = host.lobby.Deliver(msg, w, l); });
    return r;
  }
  // Commands written since Enter.
  std::vector<int> NewCommands() const {
    std::vector<int> out;
    const auto all = SplitFrames(std::span(host.socket.sent).subspan(sentBefore));
    for (const auto& f : all) out.push_back(f[wire::kOffCmd]);
    return out;
  }

  std::size_t sentBefore = 0;
};

struct WndCase {
  std::uint32_t msg;
  State state;
  Numbers posted;  // the client's answers to the lobby
  bool leaves;     // sends the leave frame and closes the connection
};

class GameWndProcCase : public LobbyLink, public ::testing::WithParamInterface<WndCase> {};

TEST_P(GameWndProcCase, AnswersAndLeavesAsTheStateSays) {
  const WndCase& k = GetParam();
  Enter(k.state);
  const bool wasPending = c.net.LoginPending;
  EXPECT_EQ(Deliver(k.msg), 0);
  EXPECT_FALSE(host.Ended()) << host.EndReason();
  EXPECT_EQ(host.lobby.PostedNumbers(), k.posted);
  if (k.leaves) {
    EXPECT_EQ(NewCommands(), std::vector<int>{16}) << "the leave frame";
    EXPECT_EQ(host.socket.State(), platform::kSockClosed);
    EXPECT_FALSE(c.net.InHand);
    EXPECT_FALSE(c.net.LoginPending);
    EXPECT_FALSE(c.TimerBong.Enabled());
  } else {
    EXPECT_TRUE(NewCommands().empty());
    EXPECT_EQ(host.socket.State(), platform::kSockConnected) << "the client stays";
    EXPECT_EQ(c.net.InHand, k.state == State::InHand);
    EXPECT_EQ(c.net.LoginPending, wasPending);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, GameWndProcCase,
    ::testing::Values(
        // 1125, is a hand being played?
        WndCase{1125, State::LoginPending, {1024}, false},
        WndCase{1125, State::InHand, {1125}, false}, WndCase{1125, State::Idle, {1024}, false},
        WndCase{1125, State::LobbyGone, {}, false},
        // 771, may the player leave now?
        WndCase{771, State::LoginPending, {1126}, false},
        WndCase{771, State::InHand, {1125}, false}, WndCase{771, State::Idle, {1024}, true},
        WndCase{771, State::LobbyGone, {}, false},
        // 1024, leave now: always, and without an answer.
        WndCase{1024, State::LoginPending, {}, true}, WndCase{1024, State::InHand, {}, true},
        WndCase{1024, State::Idle, {}, true}, WndCase{1024, State::LobbyGone, {}, true}),
    [](const auto& param) {
      return std::to_string(param.param.msg) + "_" + Name(param.param.state);
    });

TEST_F(LobbyLink, LeaveRequestOutsideAHandClearsTheTable) {
  Enter(State::Idle);
  c.MainForm.MJ_Image(5).SetVisible(true);
  c.MainForm.Time_Img.SetVisible(true);
  Deliver(771);
  EXPECT_FALSE(c.MainForm.MJ_Image(5).Visible());
  EXPECT_FALSE(c.MainForm.Time_Img.Visible());
  EXPECT_TRUE(c.MainForm.Sysmsg(0).Items().empty());
}

TEST_F(LobbyLink, LeaveOrderWhileNotConnectedSendsNothing) {
  Enter(State::Idle);
  host.socket.PeerClose();
  Deliver(1024);
  EXPECT_TRUE(NewCommands().empty());
  EXPECT_EQ(host.socket.State(), platform::kSockClosed);
}

TEST_F(LobbyLink, ConnectMessageLogsInAgainWithALoginFrame) {
  Enter(State::Idle);
  Deliver(1024);
  c.net.LoginFrame[wire::kOffCmd] = 28;  // a reconnection attempt left its command behind
  c.ui.ButtonState[2] = 1;
  c.MainForm.Time_Img.SetVisible(true);
  c.MainForm.Number.SetVisible(true);
  const int connects = host.socket.connects;
  host.lobby.posted.clear();

  Deliver(22);
  EXPECT_EQ(host.socket.connects, connects + 1);
  EXPECT_EQ(host.socket.remoteHost, "127.0.0.1");
  EXPECT_EQ(host.socket.remotePort, 7000);
  EXPECT_TRUE(c.net.LoginPending);
  EXPECT_TRUE(c.net.DirectLink);
  EXPECT_EQ(c.net.LoginFrame[wire::kOffCmd], 18);
  EXPECT_EQ(c.ui.ButtonState[2], 0);
  EXPECT_EQ(c.MainForm.AnNiu(2).Picture(), ui::ButtonPicture(c.table, 4));
  EXPECT_FALSE(c.MainForm.Time_Img.Visible());
  EXPECT_FALSE(c.MainForm.Number.Visible());

  const std::size_t before = host.socket.sent.size();
  Advance(250);
  const auto frames = SplitFrames(std::span(host.socket.sent).subspan(before));
  ASSERT_EQ(frames.size(), 1U);
  EXPECT_EQ(frames[0][wire::kOffCmd], 18) << "a login, not a reconnection";
  EXPECT_EQ(host.lobby.PostedNumbers(), Numbers{22}) << "announced before the login frame";
  Push(FrameBuilder(18).v(3, 1).v(1, 8));
  Advance(100);
  EXPECT_EQ(host.lobby.PostedNumbers(), (Numbers{22, 771}));
}

// Leaving the table never ends the program while the lobby is there: a connection the lobby
// asked for that cannot be made hands the player back to the lobby, which may ask again.
TEST_F(LobbyLink, AConnectMessageWhoseConnectionFailsGoesBackToTheLobbyAndWaits) {
  Enter(State::Idle);
  Deliver(1024);
  host.socket.connectMode = vhost::FakeSocket::ConnectMode::Refuse;
  const int connects = host.socket.connects;
  Deliver(22);
  Advance(3000 * 22 + 1000);
  EXPECT_FALSE(host.Ended());
  EXPECT_EQ(host.socket.connects - connects, 22) << "the first connection and 21 attempts";
  ASSERT_EQ(host.messageBoxes.size(), 1U);
  EXPECT_EQ(host.messageBoxes.back().text, "连接服务器失败，请检查您的网络！");
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  ASSERT_FALSE(host.lobby.sent.empty());
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScRestore);
  EXPECT_EQ(c.MainForm.LinkText.Caption(), "未连接");
  Advance(60'000);
  EXPECT_EQ(host.socket.connects - connects, 22) << "nothing more until the lobby asks";
  host.lobby.posted.clear();
  Deliver(771);
  EXPECT_EQ(host.lobby.PostedNumbers(), Numbers{1024}) << "no login is pending any more";

  host.socket.connectMode = vhost::FakeSocket::ConnectMode::Accept;
  const std::size_t before = host.socket.sent.size();
  Deliver(22);
  Advance(250);
  const auto frames = SplitFrames(std::span(host.socket.sent).subspan(before));
  ASSERT_EQ(frames.size(), 1U);
  EXPECT_EQ(frames[0][wire::kOffCmd], 18);
  EXPECT_EQ(host.messageBoxes.size(), 1U);
}

TEST_F(LobbyLink, ConnectMessageWhileConnectedStartsAFreshConnection) {
  Enter(State::Idle);
  host.socket.sent.clear();
  Deliver(22);
  Advance(250);
  EXPECT_EQ(SentCommands(), std::vector<int>{18});
  EXPECT_EQ(host.socket.State(), platform::kSockConnected);
}

TEST_F(LobbyLink, OtherMessagesGoToTheWindowsOwnProcedureUnchanged) {
  Enter(State::Idle);
  EXPECT_EQ(Deliver(platform::kWmSysCommand, platform::kScRestore, 0), 0);
  Deliver(1126, -7, 123456);
  ASSERT_EQ(host.lobby.passedOn.size(), 2U);
  EXPECT_EQ(host.lobby.passedOn[0].msg, platform::kWmSysCommand);
  EXPECT_EQ(host.lobby.passedOn[0].wParam, platform::kScRestore);
  EXPECT_EQ(host.lobby.passedOn[1].msg, 1126U);
  EXPECT_EQ(host.lobby.passedOn[1].wParam, -7);
  EXPECT_EQ(host.lobby.passedOn[1].lParam, 123456);
  EXPECT_TRUE(host.lobby.posted.empty());
  EXPECT_EQ(host.socket.State(), platform::kSockConnected);
}

TEST_F(LobbyLink, RestoreAndMinimiseSendTheSystemCommandOrEndWithoutTheLobby) {
  Enter(State::Idle);
  host.Run([&] { session::RestoreLobby(c); });
  host.Run([&] { session::MinimizeLobby(c); });
  ASSERT_EQ(host.lobby.sent.size(), 2U);
  EXPECT_EQ(host.lobby.sent[0].title, "VorelLodge");
  EXPECT_EQ(host.lobby.sent[0].msg, platform::kWmSysCommand);
  EXPECT_EQ(host.lobby.sent[0].wParam, platform::kScRestore);
  EXPECT_EQ(host.lobby.sent[1].wParam, platform::kScMinimize);
  EXPECT_FALSE(host.Ended());

  host.lobby.windows.clear();
  host.Run([&] { session::MinimizeLobby(c); });
  EXPECT_TRUE(host.Ended());
  EXPECT_TRUE(host.HasLog("lobby-out", "274 minimise not found"));
}

TEST_F(LobbyLink, BlankLobbyTitleMakesRestoreAndMinimiseDoNothing) {
  Enter(State::Idle);
  host.lobby.windows.clear();
  for (const char* title : {"", "   "}) {
    c.app.LobbyTitle = title;
    host.Run([&] {
      session::RestoreLobby(c);
      session::MinimizeLobby(c);
    });
    EXPECT_FALSE(host.Ended()) << "[" << title << "]";
  }
  EXPECT_TRUE(host.lobby.sent.empty());
}

TEST_F(LobbyLink, PostWithoutTheLobbyOnlyLogs) {
  Enter(State::Idle);
  host.lobby.windows.clear();
  host.Run([&] { session::PostToLobby(c, 1127); });
  EXPECT_FALSE(host.Ended());
  EXPECT_TRUE(host.HasLog("lobby-out", "1127 not found"));
}

TEST_F(LobbyLink, BackToLobbyMinimisesTheTableAndRestoresTheLobby) {
  Enter(State::Idle);
  host.Run([&] { session::BackToLobby(c); });
  EXPECT_FALSE(host.Ended());
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  ASSERT_EQ(host.lobby.sent.size(), 1U);
  EXPECT_EQ(host.lobby.sent[0].wParam, platform::kScRestore);

  host.lobby.windows.clear();
  host.Run([&] { session::BackToLobby(c); });
  EXPECT_TRUE(host.Ended());
}

TEST_F(LobbyLink, BossKeyHidesBothWindowsEvenWithTheChatFocused) {
  Enter(State::Idle);
  c.app.ChatFocused = true;
  host.Run([&] { session::Form_KeyDown(c, 113); });  // F2 is no boss key
  EXPECT_FALSE(c.table.BossMode);
  EXPECT_TRUE(host.lobby.sent.empty());

  c.Information.SetVisible(true);
  c.Talk.SetVisible(true);
  host.Run([&] { session::Form_KeyDown(c, 112); });
  EXPECT_TRUE(c.table.BossMode);
  EXPECT_FALSE(c.Information.Visible());
  EXPECT_FALSE(c.Talk.Visible());
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  ASSERT_EQ(host.lobby.sent.size(), 1U);
  EXPECT_EQ(host.lobby.sent[0].wParam, platform::kScMinimize);
  EXPECT_FALSE(host.Ended());
}

TEST_F(LobbyLink, BossKeyOnAnotherFormMinimisesThatForm) {
  Enter(State::Idle);
  platform::Form dialog("frmOtherExit");
  host.Run([&] { session::Form_KeyDown(c, dialog, 112); });
  EXPECT_EQ(dialog.State(), platform::WindowState::Minimized);
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Normal);
  EXPECT_EQ(host.lobby.sent.size(), 1U);
}

TEST_F(LobbyLink, BossKeyWithTheLobbyGoneEnds) {
  Enter(State::LobbyGone);
  host.Run([&] { session::Form_KeyDown(c, 112); });
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized) << "earlier steps ran";
}

TEST_F(LobbyLink, WindowComingBackEndsBossModeAndMinimisesTheLobby) {
  Enter(State::Idle);
  host.Run([&] { session::Form_KeyDown(c, 112); });
  c.table.DefaultCountdown = 0;
  c.table.TimeoutCount = 3;
  c.app.ChatFocused = false;
  host.lobby.sent.clear();

  // Still minimised: nothing happens.
  host.Run([&] { session::Form_Resize(c); });
  EXPECT_TRUE(host.lobby.sent.empty());
  EXPECT_TRUE(c.table.BossMode);

  c.MainForm.SetState(platform::WindowState::Normal);
  host.Run([&] { session::Form_Resize(c); });
  EXPECT_FALSE(c.table.BossMode);
  EXPECT_EQ(c.table.DefaultCountdown, 8);
  EXPECT_EQ(c.table.TimeoutCount, 0);
  EXPECT_EQ(c.MainForm.Focused(), &c.MainForm.Chat) << "the chat box is given the focus";
  EXPECT_FALSE(c.app.ChatFocused) << "until the box itself reports it";
  EXPECT_FALSE(c.MainForm.Topmost()) << "brought to front, not left topmost";
  ASSERT_EQ(host.lobby.sent.size(), 1U);
  EXPECT_EQ(host.lobby.sent[0].wParam, platform::kScMinimize);
}

TEST_F(LobbyLink, WindowComingBackWithoutBossModeKeepsTheCountdown) {
  Enter(State::Idle);
  c.table.DefaultCountdown = 10;
  host.Run([&] { session::Form_Resize(c); });
  EXPECT_EQ(c.table.DefaultCountdown, 10);
  EXPECT_EQ(host.lobby.sent.size(), 1U);
}

}  // namespace
}  // namespace qtest
