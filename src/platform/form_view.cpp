#include "platform/form_view.h"

#include <algorithm>

namespace platform {

Rect SnapRect(const Rect& r, double sx, double sy, double dx, double dy) {
  const auto at = [](double v) { return static_cast<int>(std::lround(v)); };
  const int x0 = at(sx * r.left + dx);
  const int y0 = at(sy * r.top + dy);
  return {x0, y0, at(sx * (r.left + r.width) + dx) - x0, at(sy * (r.top + r.height) + dy) - y0};
}

Rect Letterbox::Snap(const Rect& design) const {
  return SnapRect(design, scale, scale, offsetX, offsetY);
}

namespace {

// The whole pixels a rectangle of fractional edges touches.
Rect Aligned(double x0, double y0, double x1, double y1) {
  const int left = static_cast<int>(std::floor(x0));
  const int top = static_cast<int>(std::floor(y0));
  return {left, top, static_cast<int>(std::ceil(x1)) - left, static_cast<int>(std::ceil(y1)) - top};
}

}  // namespace

Rect Letterbox::Dirty(const Rect& design) const {
  const Rect a = Aligned(design.left * scale + offsetX, design.top * scale + offsetY,
                         (design.left + design.width) * scale + offsetX,
                         (design.top + design.height) * scale + offsetY);
  return {a.left - 1, a.top - 1, a.width + 2, a.height + 2};
}

Rect Letterbox::Covered(int designWidth, int designHeight) const {
  return Aligned(offsetX, offsetY, designWidth * scale + offsetX, designHeight * scale + offsetY);
}

Letterbox FitDesign(int designWidth, int designHeight, int windowWidth, int windowHeight) {
  if (designWidth <= 0 || designHeight <= 0) return {};
  Letterbox l;
  l.scale = std::min(static_cast<double>(windowWidth) / designWidth,
                     static_cast<double>(windowHeight) / designHeight);
  l.offsetX = std::round((windowWidth - designWidth * l.scale) / 2);
  l.offsetY = std::round((windowHeight - designHeight * l.scale) / 2);
  return l;
}

}  // namespace platform
