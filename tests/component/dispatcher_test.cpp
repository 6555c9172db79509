// The run-time error path around every command handler.
#include <gtest/gtest.h>

#include "support/client_fixture.h"

namespace qtest {
namespace {

class Dispatcher : public ClientTest {
 protected:
  void SetUp() override { StartLoggedIn(); }
  // A hand-state frame whose ticket no 32-bit signed number holds: its handler fails.
  static wire::Frame Faulty() { return FrameBuilder(16).v(3, 2).seat(1).u32le(268, 0xFFFFFFFFU); }
};

TEST_F(Dispatcher, AFailingHandlerRestoresTheLobbyAndEndsWithoutAMessage) {
  const auto sentBefore = Sent().size();
  Push(Concat({Faulty(), FrameBuilder(30).key(7, 7)}));
  Advance(500);
  ASSERT_TRUE(host.Ended());
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScRestore);
  EXPECT_TRUE(host.messageBoxes.empty());
  EXPECT_FALSE(host.LogDetails("error").empty());
  EXPECT_EQ(Sent().size(), sentBefore) << "nothing more goes out";
  EXPECT_NE(c.net.SessionKey[0], 7) << "nothing after the failing frame is dispatched";
}

TEST_F(Dispatcher, AFailingHandlerEndsEvenWithoutALobby) {
  host.lobby.windows.clear();
  Push(Faulty());
  Advance(200);
  EXPECT_TRUE(host.Ended());
}

}  // namespace
}  // namespace qtest
