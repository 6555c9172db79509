// The buttons that leave the table (离开 of the exit dialog, OK of the leave dialog, 取消 of the
// reconnect window), pressed while a handler waits inside a tick: the handler finishes on the
// table it started with, and the table is left and cleared after it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "hand_fixture.h"
#include "session/control_bar.h"
#include "ui/ui.h"

namespace qtest {
namespace {

enum class Wait { Deal, Draw };

struct Case {
  const char* name;
  const char* form;
  const char* button;
  Wait wait;
};

void PrintTo(const Case& k, std::ostream* os) {
  *os << k.name;
}

class LeaveInAWait : public HandTest, public ::testing::WithParamInterface<Case> {
 protected:
  void Open(const Case& k) {
    const std::string form = k.form;
    if (form == "frmExit") {
      host.Run([&] { session::ToggleExitDialog(c); });
    } else if (form == "frmOtherExit") {
      host.Run([&] { session::ShowLeaveDialog(c, "本桌已关闭"); });
    } else {
      // The connection is lost and stays lost; the player opens the window from the indicator.
      host.socket.connectMode = vhost::FakeSocket::ConnectMode::Refuse;
      host.socket.PeerClose();
      for (int i = 0; i < 42 && !c.frmReconnect.Loaded; ++i) Advance(50);
      ASSERT_TRUE(c.frmReconnect.Loaded);
      host.Run([&] { session::LinkState_Click(c); });
    }
    ASSERT_TRUE(host.Shown(k.form));
  }
};

TEST_P(LeaveInAWait, TheLeaveRunsAfterTheHandlerAndNothingIsDrawnOnTheClearedTable) {
  const Case& k = GetParam();
  StartHand(kOwn);
  std::vector<wire::Frame> deal = DealFrames(kOwn, [] {
    auto own = OwnThirteen();
    own.push_back(0x46);
    return own;
  }());
  wire::Frame waits = deal.back();  // the own fourteenth: a second of backs, then the faces
  deal.pop_back();
  Run(deal);
  if (k.wait == Wait::Draw) {
    Run({waits, DiscardFrame(kOwn, 0x46), DrawFrame(kLeft), DiscardFrame(kLeft, 0x12)});
    waits = DrawFrame(kOpposite);  // carol's discard goes to her row 400 ms into the draw
  }
  ASSERT_FALSE(host.Ended()) << host.EndReason();
  Open(k);
  if (HasFatalFailure()) return;

  bool pressedInTheWait = false;
  bool tableKeptDuringTheWait = false;
  Push(waits);
  // The frame is dispatched within two ticks; its wait lasts 400 ms or a second.
  host.Schedule(150, [&] {
    pressedInTheWait = c.net.Busy;
    host.Click(k.form, k.button);
    tableKeptDuringTheWait = c.table.Hand[1].Account == "carol";
  });
  Advance(3000);
  ASSERT_FALSE(host.Ended()) << host.EndReason();
  EXPECT_TRUE(pressedInTheWait) << "the button was pressed while the handler waited";
  EXPECT_TRUE(tableKeptDuringTheWait) << "the handler went on with the table it started with";

  // Then the table was left and cleared, and the handler drew nothing on it afterwards.
  EXPECT_FALSE(host.Shown(k.form));
  EXPECT_EQ(c.table.Hand[1].Account, "");
  EXPECT_NE(host.socket.State(), platform::kSockConnected);
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  ASSERT_FALSE(host.lobby.sent.empty());
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScRestore);
  for (int i = 0; i < table::kTileCount; ++i)
    EXPECT_FALSE(c.MainForm.MJ_Image(i).Visible()) << "tile image " << i << " on the left table";
  for (int p = 0; p < 4; ++p) EXPECT_EQ(c.MainForm.Nid(p).Caption(), "") << p;
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, LeaveInAWait,
    ::testing::Values(Case{"ExitDialogInTheDeal", "frmExit", "pbCloseMe", Wait::Deal},
                      Case{"ExitDialogInADraw", "frmExit", "pbCloseMe", Wait::Draw},
                      Case{"LeaveDialogInTheDeal", "frmOtherExit", "imgOK", Wait::Deal},
                      Case{"LeaveDialogInADraw", "frmOtherExit", "imgOK", Wait::Draw},
                      Case{"ReconnectCancelInTheDeal", "frmReconnect", "pbCancel", Wait::Deal},
                      Case{"ReconnectCancelInADraw", "frmReconnect", "pbCancel", Wait::Draw}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace qtest
