// How a window shows a form: the letterboxed fit, window points back to design points, the
// device pixels of a control, the area a change repaints, and what a repaint draws in which order.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/form_view.h"

namespace platform {
namespace {

struct FitCase {
  int windowWidth;
  int windowHeight;
  double scale;
  double offsetX;
  double offsetY;
  Rect covered;
};

TEST(FormView, TheDesignIsScaledEvenlyAndCentredWithWholePixelBars) {
  const std::vector<FitCase> cases = {
      {1024, 768, 1.0, 0, 0, {0, 0, 1024, 768}},
      {2048, 1536, 2.0, 0, 0, {0, 0, 2048, 1536}},
      {800, 600, 0.78125, 0, 0, {0, 0, 800, 600}},
      {1280, 1024, 1.25, 0, 32, {0, 32, 1280, 960}},  // bars above and below
      {1600, 768, 1.0, 288, 0, {288, 0, 1024, 768}},  // bars left and right
      {1025, 768, 1.0, 1, 0, {1, 0, 1024, 768}},      // half a pixel rounds to whole
      {1000, 700, 700.0 / 768, 33, 0, {33, 0, 934, 700}},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.windowWidth) + "x" + std::to_string(c.windowHeight));
    const Letterbox l = FitDesign(1024, 768, c.windowWidth, c.windowHeight);
    EXPECT_DOUBLE_EQ(l.scale, c.scale);
    EXPECT_DOUBLE_EQ(l.offsetX, c.offsetX);
    EXPECT_DOUBLE_EQ(l.offsetY, c.offsetY);
    EXPECT_EQ(l.Covered(1024, 768), c.covered);
  }
  const Letterbox none = FitDesign(0, 0, 640, 480);
  EXPECT_DOUBLE_EQ(none.scale, 1.0);
  EXPECT_DOUBLE_EQ(none.offsetX, 0.0);
}

TEST(FormView, WindowPointsMapBackToTheDesignPixelUnderThem) {
  const Letterbox l = FitDesign(1024, 768, 1280, 1024);  // scale 1.25, 32 px bar on top
  const std::vector<std::pair<std::pair<double, double>, std::pair<int, int>>> cases = {
      {{0, 32}, {0, 0}},          {{1.24, 33.2}, {0, 0}}, {{1.25, 33.25}, {1, 1}},
      {{1279, 991}, {1023, 767}}, {{10, 0}, {8, -26}},  // in the bar: above the design
  };
  for (const auto& [window, design] : cases) {
    EXPECT_EQ(l.DesignX(window.first), design.first) << window.first;
    EXPECT_EQ(l.DesignY(window.second), design.second) << window.second;
  }
}

TEST(FormView, NeighbouringControlsStaySeamlessAtAnyScale) {
  for (const double scale : {0.78125, 1.0, 1.1, 1.25, 1.5, 1.7, 2.0}) {
    const Letterbox l{scale, 3, 7};
    // Tiles 36 pixels wide side by side: each starts where the last one ended.
    for (int i = 0; i < 20; ++i) {
      const Rect a = l.Snap({100 + 36 * i, 50, 36, 56});
      const Rect b = l.Snap({100 + 36 * (i + 1), 50, 36, 56});
      EXPECT_EQ(a.left + a.width, b.left) << scale << " tile " << i;
      EXPECT_EQ(a.top, b.top);
      EXPECT_EQ(a.height, b.height);
    }
  }
  EXPECT_EQ(SnapRect({10, 20, 30, 40}, 1.5, 2.0, 0.4, 1.0), (Rect{15, 41, 45, 80}));
  EXPECT_EQ(SnapRect({1, 1, 1, 1}, 1.25, 1.25, 0, 0), (Rect{1, 1, 2, 2}));
}

TEST(FormView, AChangeRepaintsTheWholePixelsItTouchesAndOneMoreAllRound) {
  const std::vector<std::pair<Letterbox, Rect>> cases = {
      {{1.0, 0, 0}, {9, 19, 32, 42}},
      {{1.25, 0, 32}, {11, 56, 40, 52}},  // 12.5..50 wide, 57..107 high
      {{0.5, 10, 0}, {14, 9, 17, 22}},
  };
  for (const auto& [l, want] : cases) {
    EXPECT_EQ(l.Dirty({10, 20, 30, 40}), want) << l.scale;
  }
}

// A form with controls stacked on purpose: hidden, outside, overlapping, a text box on top.
class Painted : public ::testing::Test {
 protected:
  std::vector<std::string> Order(const Rect& clip) const {
    std::vector<std::string> out;
    ForEachPainted(form, clip, [&](const Control& c, const Rect& r) {
      out.push_back(c.Name());
      EXPECT_EQ(r, form.WindowBounds(c));
    });
    return out;
  }

  Form form{"frmPaint", {0, 0, 400, 300}};
  Control& back = form.AddImage("back", {0, 0, 400, 300});
  Control& hidden = form.AddImage("hidden", {10, 10, 50, 50});
  Control& left = form.AddImage("left", {10, 10, 100, 100});
  Control& right = form.AddLabel("right", {300, 10, 80, 20});
  Control& empty = form.AddImage("empty", {50, 50, 0, 40});
  Control& box = form.Add(ControlKind::TextBox, "box", -1, {60, 60, 100, 20});
};

TEST_F(Painted, ARepaintDrawsTheShownControlsInItsAreaBackToFront) {
  hidden.SetVisible(false);
  right.SetEnabled(false);  // disabled controls are still drawn
  const std::vector<std::pair<Rect, std::vector<std::string>>> cases = {
      {{0, 0, 400, 300}, {"back", "left", "right", "box"}},
      {{0, 0, 20, 20}, {"back", "left"}},
      {{110, 10, 5, 5}, {"back"}},  // just right of "left": edges are exclusive
      {{109, 109, 1, 1}, {"back", "left"}},
      {{150, 70, 200, 5}, {"back", "box"}},
      {{500, 500, 10, 10}, {}},
      {{0, 0, 0, 0}, {}},
  };
  for (const auto& [clip, want] : cases) {
    EXPECT_EQ(Order(clip), want) << clip.left << "," << clip.top;
  }
  box.ZOrder(1);
  left.ZOrder(0);
  EXPECT_EQ(Order({0, 0, 400, 300}), (std::vector<std::string>{"box", "back", "right", "left"}));
}

// A control that hides what lies beneath it and covers the whole repaint starts it: nothing under
// it is drawn, the form's background neither.
TEST_F(Painted, ARepaintStartsAtTheTopmostControlThatHidesTheRestOfItsArea) {
  const auto hides = [](const Control& c) { return c.Kind() == ControlKind::Image; };
  const auto from = [&](const Rect& clip) -> std::vector<std::string> {
    const auto first = FirstShown(form, clip, hides);
    if (!first) return {"background"};
    std::vector<std::string> out;
    ForEachPainted(
        form, clip, [&](const Control& c, const Rect&) { out.push_back(c.Name()); }, *first);
    return out;
  };
  hidden.SetVisible(false);
  const std::vector<std::pair<Rect, std::vector<std::string>>> cases = {
      {{0, 0, 400, 300}, {"back", "left", "right", "box"}},
      {{20, 20, 10, 10}, {"left"}},            // hidden is on top, but not shown
      {{60, 60, 20, 20}, {"left", "box"}},     // the text box does not hide
      {{100, 100, 20, 20}, {"back", "left"}},  // left covers only part of it
      {{300, 10, 10, 10}, {"back", "right"}},  // a label does not hide
      {{0, 0, 500, 300}, {"background"}},      // beyond the form
  };
  for (const auto& [clip, want] : cases) {
    EXPECT_EQ(from(clip), want) << clip.left << "," << clip.top << " " << clip.width;
  }
}

TEST(FormView, AListShowsTheWholeRowsThatFitFromItsFirstShownRow) {
  Form form{"frmList", {0, 0, 200, 200}};
  Control& list = form.Add(ControlKind::ListBox, "list", -1, {5, 10, 100, 50});
  const auto rows = [&](int line) {
    std::vector<std::pair<int, Rect>> out;
    ForEachShownRow(list, list.Bounds(), line, [&](int i, const Rect& r) {
      out.push_back({i, r});
    });
    return out;
  };
  EXPECT_TRUE(rows(16).empty());
  for (int i = 0; i < 6; ++i) list.AddItem("row " + std::to_string(i));
  // Following the last rows: three of 16 fit in 50.
  EXPECT_EQ(rows(16), (std::vector<std::pair<int, Rect>>{
                          {3, {5, 10, 100, 16}}, {4, {5, 26, 100, 16}}, {5, {5, 42, 100, 16}}}));
  list.SetTopIndex(1);
  EXPECT_EQ(rows(25),
            (std::vector<std::pair<int, Rect>>{{1, {5, 10, 100, 25}}, {2, {5, 35, 100, 25}}}));
  EXPECT_TRUE(rows(0).empty());
  EXPECT_EQ(rows(60).size(), 0u);  // no whole row fits
}

}  // namespace
}  // namespace platform
