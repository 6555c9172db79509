#include "ui/scale.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace ui {

int Round16(double v) {
  const double r = std::nearbyint(v);  // the default rounding mode: ties to even
  if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
    throw std::out_of_range("table coordinate outside 16 bits");
  return static_cast<int>(r);
}

int Sx(const table::TableState& t, double v) {
  return Round16(static_cast<double>(t.ScaleX) * v);
}

int Sy(const table::TableState& t, double v) {
  return Round16(static_cast<double>(t.ScaleY) * v);
}

}  // namespace ui
