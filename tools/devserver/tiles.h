#pragma once
// Tile kinds as the server counts them: 34 kinds indexed 0..33, and their one-byte wire codes
// (high nibble suit bit 1 honours, 2 bamboos, 4 characters, 8 dots; low nibble rank).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace devserver {

constexpr int kKinds = 34;
constexpr int kTiles = 136;
constexpr std::uint8_t kRedDragon = 0x15;

using Counts = std::array<int, kKinds>;

// Kind index of a wire code, or -1 for a byte that names no tile.
int KindOf(std::uint8_t code);
std::uint8_t CodeOf(int kind);
inline bool IsTile(std::uint8_t code) {
  return KindOf(code) >= 0;
}
inline int SuitBit(std::uint8_t code) {
  return code >> 4;
}
inline int Rank(std::uint8_t code) {
  return code & 0x0F;
}
inline bool IsHonour(std::uint8_t code) {
  return SuitBit(code) == 1;
}

// The wild tile a turned-up indicator names: the next rank in its suit, winds and dragons
// each cycling among themselves.
std::uint8_t WildFromIndicator(std::uint8_t indicator);

Counts CountsOf(const std::vector<std::uint8_t>& codes);
// Short readable name for logs: "1m" "9p" "5s" "E" "Rd".
std::string ShortName(std::uint8_t code);
std::string ShortNames(const std::vector<std::uint8_t>& codes);

// Hand order used when the server lists tiles: dots, characters, bamboos, honours, rank up.
void SortCodes(std::vector<std::uint8_t>& codes);

}  // namespace devserver
