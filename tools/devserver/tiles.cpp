#include "tiles.h"

#include <algorithm>

namespace devserver {

int KindOf(std::uint8_t code) {
  const int suit = SuitBit(code);
  const int rank = Rank(code);
  switch (suit) {
    case 1:
      return rank >= 1 && rank <= 7 ? rank - 1 : -1;
    case 2:
      return rank >= 1 && rank <= 9 ? 7 + rank - 1 : -1;
    case 4:
      return rank >= 1 && rank <= 9 ? 16 + rank - 1 : -1;
    case 8:
      return rank >= 1 && rank <= 9 ? 25 + rank - 1 : -1;
    default:
      return -1;
  }
}

std::uint8_t CodeOf(int kind) {
  if (kind < 7) return static_cast<std::uint8_t>(0x10 + kind + 1);
  if (kind < 16) return static_cast<std::uint8_t>(0x20 + kind - 7 + 1);
  if (kind < 25) return static_cast<std::uint8_t>(0x40 + kind - 16 + 1);
  return static_cast<std::uint8_t>(0x80 + kind - 25 + 1);
}

std::uint8_t WildFromIndicator(std::uint8_t indicator) {
  const int suit = SuitBit(indicator);
  const int rank = Rank(indicator);
  int next = rank + 1;
  if (suit == 1) {
    if (rank <= 4) {
      next = rank == 4 ? 1 : rank + 1;
    } else {
      next = rank == 7 ? 5 : rank + 1;
    }
  } else if (next > 9) {
    next = 1;
  }
  return static_cast<std::uint8_t>((suit << 4) | next);
}

Counts CountsOf(const std::vector<std::uint8_t>& codes) {
  Counts c{};
  for (auto code : codes) {
    const int k = KindOf(code);
    if (k >= 0) ++c.at(static_cast<std::size_t>(k));
  }
  return c;
}

std::string ShortName(std::uint8_t code) {
  static constexpr std::array<const char*, 7> kHonours{"E", "S", "W", "N", "Rd", "Gd", "Wd"};
  const int k = KindOf(code);
  if (k < 0) return "?" + std::to_string(code);
  if (k < 7) return kHonours.at(static_cast<std::size_t>(k));
  const char suit = SuitBit(code) == 2 ? 's' : SuitBit(code) == 4 ? 'm' : 'p';
  return std::to_string(Rank(code)) + suit;
}

std::string ShortNames(const std::vector<std::uint8_t>& codes) {
  std::string out;
  for (auto c : codes) {
    if (!out.empty()) out += ' ';
    out += ShortName(c);
  }
  return out;
}

void SortCodes(std::vector<std::uint8_t>& codes) {
  std::sort(codes.begin(), codes.end(), [](std::uint8_t a, std::uint8_t b) {
    if (SuitBit(a) != SuitBit(b)) return SuitBit(a) > SuitBit(b);
    return Rank(a) < Rank(b);
  });
}

}  // namespace devserver
