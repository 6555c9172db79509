#pragma once
// The wall as a ring of 136 places seen from seat 0. A client at seat o sees place i as its
// wall image (i + 34 * o) mod 136; head, tail and indicator arithmetic is the same on every
// side, so each client's wall pointers follow the server's tile for tile.
#include <array>
#include <cstdint>
#include <optional>
#include <random>

#include "tiles.h"

namespace devserver {

class Wall {
 public:
  // Shuffles the 136 tiles onto the ring.
  explicit Wall(std::mt19937& rng);
  // Fixed ring contents (tests).
  explicit Wall(const std::array<std::uint8_t, 136>& ring) : ring_(ring) {}

  // Breaks the wall for a dealer and four dice (values 1..6), as the hand-start command tells
  // the clients.
  void Break(int dealer, const std::array<int, 4>& dice);

  // Turns up the indicator after the deal: the next head tile on an odd dice total, else the
  // place counted back from the tail. Returns the indicator's code.
  std::uint8_t TurnIndicator();

  // Next tile from the head / the tail, or nothing when that end is exhausted.
  std::optional<std::uint8_t> DrawHead();
  std::optional<std::uint8_t> DrawTail();
  bool CanDrawHead() const;
  bool CanDrawTail() const;

  int Head() const { return head_; }
  int Tail() const { return tail_; }
  int Indicator() const { return indicator_; }
  int HeadUsed() const { return headUsed_; }
  int TailUsed() const { return tailUsed_; }
  int Live() const;  // tiles still to be drawn
  // Kinds of the tiles still in the wall, the indicator included.
  Counts InWall() const;
  int DiceTotal() const { return dice_.at(0) + dice_.at(1); }
  std::uint8_t At(int place) const { return ring_.at(static_cast<std::size_t>(place)); }

 private:
  static int NextTail(int t) { return (t % 2 == 1) ? (t + 133) % 136 : (t + 1) % 136; }

  std::array<std::uint8_t, 136> ring_{};
  std::array<bool, 136> taken_{};
  std::array<int, 4> dice_{1, 1, 1, 1};
  int head_ = 0;
  int tail_ = 134;
  int indicator_ = -1;
  int headUsed_ = 0;
  int tailUsed_ = 0;
};

}  // namespace devserver
