#include <gtest/gtest.h>

#include <vector>

#include "platform/controls.h"

namespace platform {
namespace {

struct Recorder : FormObserver {
  std::vector<Rect> dirty;
  void FormChanged(Form&, Rect r) override { dirty.push_back(r); }
};

TEST(Controls, ZOrderAndHitTestFollowTheStack) {
  Form f("F");
  Control& a = f.AddImage("a", {0, 0, 10, 10});
  Control& b = f.AddImage("b", {5, 5, 10, 10});
  EXPECT_EQ(f.HitTest(6, 6), &b);
  a.ZOrder(0);
  EXPECT_EQ(f.HitTest(6, 6), &a);
  a.ZOrder(1);
  EXPECT_EQ(f.Stacking().front(), &a);
  b.SetVisible(false);
  EXPECT_EQ(f.HitTest(6, 6), &a);
  EXPECT_EQ(f.HitTest(50, 50), nullptr);
}

TEST(Controls, ArraysAreCheckedAndChangesReportTheirArea) {
  Form f("F");
  ControlArray tiles = f.AddArray(ControlKind::Image, "MJ_Image", 3);
  EXPECT_EQ(&tiles(2), &f.Get("MJ_Image", 2));
  EXPECT_THROW(tiles(3), std::out_of_range);
  EXPECT_THROW(f.Get("nothing"), std::out_of_range);

  Recorder rec;
  f.SetObserver(&rec);
  tiles(0).Move(0, 0, 10, 10);
  tiles(0).Move(20, 0);
  ASSERT_EQ(rec.dirty.size(), 2u);
  EXPECT_EQ(rec.dirty[1], (Rect{0, 0, 30, 10})) << "old and new place both repaint";
  const auto before = f.Revision();
  tiles(0).Move(20, 0);
  tiles(0).SetPicture(0);
  EXPECT_EQ(f.Revision(), before) << "no change, no repaint";
  tiles(1).SetVisible(false);
  tiles(1).SetPicture(201);
  EXPECT_EQ(rec.dirty.size(), 3u) << "a hidden control's picture costs no painting";
}

}  // namespace
}  // namespace platform
