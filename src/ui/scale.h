#pragma once
// The table's layout scale: design pixels to pixels on the table.
#include "table/table_state.h"

namespace ui {

// Rounds ties to even; outside 16 bits throws, as no table coordinate may be.
int Round16(double v);
// round(ScaleX * v) and round(ScaleY * v).
int Sx(const table::TableState& t, double v);
int Sy(const table::TableState& t, double v);

}  // namespace ui
