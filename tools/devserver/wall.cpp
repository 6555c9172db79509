#include "wall.h"

#include <algorithm>

#include "tiles.h"

namespace devserver {

Wall::Wall(std::mt19937& rng) {
  std::size_t i = 0;
  for (int k = 0; k < kKinds; ++k) {
    for (int n = 0; n < 4; ++n) ring_.at(i++) = CodeOf(k);
  }
  std::shuffle(ring_.begin(), ring_.end(), rng);
}

void Wall::Break(int dealer, const std::array<int, 4>& dice) {
  dice_ = dice;
  // The dealer's place as seat 0 sees it, then the side and stack the dice count to.
  const int c = (4 - dealer) & 3;
  const int side = (c - dice[0] + 13 - dice[1]) & 3;
  head_ = ((side * 17 + dice[2] + dice[3]) * 2) % 136;
  tail_ = (head_ + 134) % 136;
  taken_.fill(false);
  indicator_ = -1;
  headUsed_ = tailUsed_ = 0;
}

std::uint8_t Wall::TurnIndicator() {
  const int total = DiceTotal();
  if (total % 2 == 1) {
    indicator_ = head_;
    head_ = (head_ + 1) % 136;
    ++headUsed_;
  } else {
    indicator_ = (tail_ - (2 * total - 2) + 136) % 136;
  }
  if (indicator_ == tail_) tail_ = (tail_ + 1) % 136;
  taken_.at(static_cast<std::size_t>(indicator_)) = true;
  return ring_.at(static_cast<std::size_t>(indicator_));
}

bool Wall::CanDrawHead() const {
  return !taken_.at(static_cast<std::size_t>(head_));
}
bool Wall::CanDrawTail() const {
  return !taken_.at(static_cast<std::size_t>(tail_));
}

std::optional<std::uint8_t> Wall::DrawHead() {
  if (!CanDrawHead()) return std::nullopt;
  taken_.at(static_cast<std::size_t>(head_)) = true;
  const auto code = ring_.at(static_cast<std::size_t>(head_));
  head_ = (head_ + 1) % 136;
  ++headUsed_;
  return code;
}

std::optional<std::uint8_t> Wall::DrawTail() {
  if (!CanDrawTail()) return std::nullopt;
  taken_.at(static_cast<std::size_t>(tail_)) = true;
  const auto code = ring_.at(static_cast<std::size_t>(tail_));
  tail_ = NextTail(tail_);
  // The clients step over the indicator on an even total; an odd total leaves it at the head.
  if (DiceTotal() % 2 == 0 && tail_ == indicator_) tail_ = NextTail(tail_);
  ++tailUsed_;
  return code;
}

Counts Wall::InWall() const {
  Counts c{};
  for (std::size_t i = 0; i < ring_.size(); ++i) {
    if (!taken_.at(i) || static_cast<int>(i) == indicator_) {
      ++c.at(static_cast<std::size_t>(KindOf(ring_.at(i))));
    }
  }
  return c;
}

int Wall::Live() const {
  return static_cast<int>(std::count(taken_.begin(), taken_.end(), false));
}

}  // namespace devserver
