#include "table/tiles.h"

#include <utility>

namespace table {

std::string TileName(int rank, int suitBit) {
  static constexpr const char* kHonourNames[] = {"东风", "南风", "西风", "北风",
                                                 "红中", "发财", "白板"};
  switch (suitBit) {
    case kHonours:
      return rank >= 1 && rank <= 7 ? kHonourNames[rank - 1] : "";
    case kBamboo:
      return std::to_string(rank) + "条";
    case kCharacters:
      return std::to_string(rank) + "万";
    case kDots:
      return std::to_string(rank) + "筒";
    default:
      return "";
  }
}

bool TileBefore(int a, int b) {
  if (SuitBit(a) != SuitBit(b)) return SuitBit(a) > SuitBit(b);
  return Rank(a) < Rank(b);
}

void SortTiles(std::span<int> codes) {
  const std::size_t n = codes.size();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      const bool swap = SuitBit(codes[i]) < SuitBit(codes[j]) ||
                        (SuitBit(codes[i]) == SuitBit(codes[j]) && Rank(codes[i]) > Rank(codes[j]));
      if (swap) std::swap(codes[i], codes[j]);
    }
  }
}

}  // namespace table
