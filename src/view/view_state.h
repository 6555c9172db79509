#pragma once
// Where the table display keeps what it needs between placements.
#include <array>

namespace view {

struct ViewState {
  // MJ_Image index of each set-aside tile: k = 0..3 red dragons, 4..7 wild tiles; by position.
  std::array<std::array<int, 4>, 8> AsideCtl{};
  // Discards of the right position in the order placed, to restore their stacking.
  std::array<int, 24> RightDiscCtl{};
  int RightDiscCount = 0;
  // Where the most recent discard went into its row.
  int LastDiscLeft = 0;
  int LastDiscTop = 0;
  // The tile the last-discard blink showed last; -1 none.
  int BlinkCtl = -1;

  // Rebuilding a hand from four snapshot frames.
  int SnapTaken = 0;     // wall images used so far
  int SnapHeadUsed = 0;  // tiles taken from the wall head, as the frames report them
  int SnapTailUsed = 0;  // tiles taken from the wall tail
  std::array<int, 4> SnapDiscards{};
  bool SnapDone = false;

  // The table's Alt+C: Alt (0) and C (1) pressed since the last other key.
  std::array<bool, 2> ChatKeys{};
};

}  // namespace view
