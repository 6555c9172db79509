#pragma once
// How a window shows a form: its design scaled evenly to the window and centred in it (bars
// beside a window of another aspect), where each control lands in device pixels, and which
// controls a repaint of an area draws, back to front. Every host turns this into pixels the
// same way.
#include <cmath>
#include <cstddef>
#include <optional>

#include "platform/controls.h"

namespace platform {

inline bool Intersects(const Rect& a, const Rect& b) {
  return !a.Empty() && !b.Empty() && a.left < b.left + b.width && b.left < a.left + a.width &&
         a.top < b.top + b.height && b.top < a.top + a.height;
}

// The letterboxed transform: window = design * scale + offset.
struct Letterbox {
  double scale = 1.0;
  double offsetX = 0.0;
  double offsetY = 0.0;

  // The design point under a window point (whole design pixels, rounded down).
  int DesignX(double windowX) const {
    return static_cast<int>(std::floor((windowX - offsetX) / scale));
  }
  int DesignY(double windowY) const {
    return static_cast<int>(std::floor((windowY - offsetY) / scale));
  }
  // Where a design rectangle lands, each edge rounded on its own so that neighbouring tiles
  // stay seamless.
  Rect Snap(const Rect& design) const;
  // The whole window pixels a design rectangle touches, and one more all round: what a change
  // there must repaint, smoothing included.
  Rect Dirty(const Rect& design) const;
  // The window pixels the design covers (partly covered pixels included); the rest are bars.
  Rect Covered(int designWidth, int designHeight) const;
};

// The design of designWidth x designHeight fitted into a window of windowWidth x windowHeight.
// Whole-pixel margins keep the unscaled design sharp.
Letterbox FitDesign(int designWidth, int designHeight, int windowWidth, int windowHeight);

// Edges of a rectangle under x' = sx * x + dx, y' = sy * y + dy, each rounded on its own.
Rect SnapRect(const Rect& r, double sx, double sy, double dx, double dy);

inline bool Contains(const Rect& outer, const Rect& inner) {
  return !inner.Empty() && outer.left <= inner.left && outer.top <= inner.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

// Where a repaint of clip can start: the place in the stacking order of the topmost visible
// control that covers clip and hides what lies beneath it (hides(control) says whether it
// does, a picture without transparency, say); nothing when the form's own background shows.
template <class Hides>
std::optional<std::size_t> FirstShown(const Form& form, const Rect& clip, Hides&& hides) {
  const auto& stack = form.Stacking();
  for (std::size_t i = stack.size(); i-- > 0;) {
    const Control& c = *stack[i];
    if (c.Visible() && Contains(form.WindowBounds(c), clip) && hides(c)) return i;
  }
  return std::nullopt;
}

// The controls a repaint of clip (design pixels) draws, back to front, from place from of the
// stacking order on: the visible ones that reach into it. fn(control, its window bounds in
// design pixels).
template <class Fn>
void ForEachPainted(const Form& form, const Rect& clip, Fn&& fn, std::size_t from = 0) {
  const auto& stack = form.Stacking();
  for (std::size_t i = from; i < stack.size(); ++i) {
    const Control* c = stack[i];
    if (!c->Visible()) continue;
    const Rect r = form.WindowBounds(*c);
    if (Intersects(r, clip)) fn(*c, r);
  }
}

// The rows a list box shows inside r when rows are line pixels high: fn(item index, row rect),
// top to bottom, only whole rows.
template <class Fn>
void ForEachShownRow(const Control& list, const Rect& r, int line, Fn&& fn) {
  if (line <= 0) return;
  const auto& items = list.Items();
  int y = r.top;
  for (int i = FirstShownRow(list, line); i >= 0 && i < static_cast<int>(items.size());
       ++i, y += line) {
    if (y + line > r.top + r.height) break;
    fn(i, Rect{r.left, y, r.width, line});
  }
}

}  // namespace platform
