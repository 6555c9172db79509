#pragma once
// Tile codes, names and seat arithmetic: pure functions over one-byte tile codes and one-hot
// seat bits.
#include <cstdint>
#include <span>
#include <string>

namespace table {

// High nibble: one-hot suit. Low nibble: rank.
constexpr int kHonours = 1;
constexpr int kBamboo = 2;      // 条
constexpr int kCharacters = 4;  // 万
constexpr int kDots = 8;        // 筒

constexpr int kRedDragon = 0x15;  // 红中: may be set aside alone, like the wild tile
constexpr int kTileCount = 136;

// Flags or-ed onto tile values the client sends.
constexpr int kClaimTileFlag = 0x2000;
constexpr int kDiscardTileFlag = 0x4000;

constexpr int SuitBit(int code) {
  return (code >> 4) & 0x0F;
}
constexpr int Rank(int code) {
  return code & 0x0F;
}

// The number of times mask can be halved while it is 2 or more.
constexpr int BitIndex(int mask) {
  int n = 0;
  while (mask >= 2) {
    mask /= 2;
    ++n;
  }
  return n;
}
constexpr int BitOf(int n) {
  return 1 << n;
}

constexpr int SuitIndex(int code) {
  return BitIndex(SuitBit(code));
}
constexpr int KindIndex(int code) {
  return 9 * SuitIndex(code) + Rank(code) - 1;
}
// Suit number used in tile voice file names: 万 and 筒 swap places.
constexpr int VoiceSuitNo(int code) {
  const int s = SuitBit(code);
  return s == kCharacters ? kDots : s == kDots ? kCharacters : s;
}

// The value a tile goes out with in a sent frame's value field.
constexpr int WireTile(int code, int flag) {
  return (code & 0xFFF) | flag;
}

// Screen position of a seat relative to the own seat: 0 own, 1 left, 2 opposite, 3 right.
constexpr int SeatPosOf(int ownSeatBit, int seatBit) {
  return (BitIndex(ownSeatBit) + 4 - BitIndex(seatBit)) & 3;
}
// Seat bit shown at a position, for own seat index ownIndex.
constexpr int SeatBitAt(int ownIndex, int pos) {
  return BitOf((ownIndex - pos) & 3);
}

std::string TileName(int rank, int suitBit);

// Hand order: suits descending (筒, 万, 条, honours), ranks ascending.
bool TileBefore(int a, int b);
// The exchange sort used for every hand.
void SortTiles(std::span<int> codes);

}  // namespace table
