// Where the table's own placements put controls that show at the same time: none covers another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "hand_fixture.h"
#include "score/score.h"
#include "session/control_bar.h"
#include "session/form_events.h"
#include "ui/ui.h"

namespace qtest {
namespace {

bool Overlap(const platform::Rect& a, const platform::Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

std::string Show(const platform::Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) +
         "x" + std::to_string(r.height);
}

class Layout : public HandTest {
 protected:
  void SetUp() override {
    HandTest::SetUp();
    StartHand(kOwn);
    auto own = OwnThirteen();
    own.push_back(0x46);
    Deal(kOwn, own);
  }
};

// Another seat's clock stands beside its player, clear of the seat's ready mark (the clock
// counts the next hand down there while the marks come up), its picture and labels, and of
// every tile on the table.
TEST_F(Layout, AnotherSeatsClockCoversNeitherItsReadyMarkNorItsPlayerNorAnyTile) {
  const auto& f = c.MainForm;
  for (const auto& [pos, seat] : {std::pair{1, kLeft}, std::pair{2, kOpposite}}) {
    SCOPED_TRACE(pos);
    Run({PromptFrame(seat, 0)});
    const platform::Rect clock = f.Time_Img.Bounds();
    ASSERT_TRUE(f.Time_Img.Visible());
    for (const platform::Control* other :
         {&f.OK(pos), &f.Tou(pos), &f.Nid(pos), &f.Cash(pos), &f.Level(pos), &f.Host, &f.Zhuang}) {
      EXPECT_FALSE(Overlap(clock, other->Bounds()))
          << "the clock at " << Show(clock) << " covers " << other->Name() << " at "
          << Show(other->Bounds());
    }
    for (int i = 0; i < table::kTileCount; ++i) {
      const auto& tile = f.MJ_Image(i);
      if (!tile.Visible()) continue;
      EXPECT_FALSE(Overlap(clock, tile.Bounds()))
          << "the clock at " << Show(clock) << " covers tile image " << i << " at "
          << Show(tile.Bounds());
    }
  }
}

// The window is dragged to another place and made larger: the windows open over it follow,
// centred over the window as it now shows or over its table, the settings dialog by the
// table's lower right corner.
TEST_F(Layout, OpenWindowsFollowTheWindowWhenItIsMovedOrResized) {
  host.Run([&] {
    session::ToggleExitDialog(c);
    session::ShowLeaveDialog(c, "本桌已关闭");
    session::ToggleRules(c);
    ui::ToggleSettings(c.uiCtx);
    score::CentreOverTable(c.scoreCtx, true, true);
  });
  ASSERT_TRUE(c.frmExit.Visible() && c.frmOtherExit.Visible() && c.rule.Visible() &&
              c.VosSet.Visible() && c.Score.Visible());
  c.MainForm.SetGeometry({200, 100, c.MainForm.Geometry().width, c.MainForm.Geometry().height});
  c.MainForm.ReportShownSize(1280, 900);
  session::MainFormEvents events{c};
  host.Run([&] { events.OnMoved(); });

  const auto centredOverWindow = [](const platform::Form& f) {
    const auto& g = f.Geometry();
    EXPECT_EQ(g.left, 200 + (1280 - g.width) / 2) << f.Name();
    EXPECT_EQ(g.top, 100 + (900 - g.height) / 2) << f.Name();
  };
  centredOverWindow(c.frmExit);
  centredOverWindow(c.frmOtherExit);
  const auto& r = c.rule.Geometry();
  EXPECT_EQ(r.left, 200 + (1280 - r.width) / 2);
  EXPECT_EQ(r.top, 100 + (900 - r.height) / 2 + 1) << "the rules page a twip lower";

  // The window's design (the table and its frame) scaled evenly into 1280 x 900, centred.
  const double w = c.MainForm.Geometry().width, h = c.MainForm.Geometry().height;
  const double k = std::min(1280 / w, 900 / h);
  const double ox = std::round((1280 - w * k) / 2), oy = std::round((900 - h * k) / 2);
  const auto& pic = c.MainForm.Pic1.Bounds();
  const auto x = [&](int v) { return static_cast<int>(std::lround(ox + v * k)); };
  const auto y = [&](int v) { return static_cast<int>(std::lround(oy + v * k)); };
  const int tableLeft = 200 + x(pic.left);
  const int tableTop = 100 + y(pic.top);
  const int tableWidth = x(pic.left + pic.width) - x(pic.left);
  const int tableHeight = y(pic.top + pic.height) - y(pic.top);
  const auto& s = c.Score.Geometry();
  EXPECT_EQ(s.left, tableLeft + (tableWidth - s.width) / 2);
  EXPECT_EQ(s.top, tableTop + (tableHeight - s.height) / 2);
  const auto& v = c.VosSet.Geometry();
  EXPECT_EQ(v.left + static_cast<int>(std::lround(1.1 * v.width)), tableLeft + tableWidth);
  EXPECT_EQ(v.top + static_cast<int>(std::lround(1.35 * v.height)), tableTop + tableHeight);
}

}  // namespace
}  // namespace qtest
