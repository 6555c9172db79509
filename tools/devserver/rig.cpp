#include "rig.h"

#include <algorithm>
#include <utility>

namespace devserver {

namespace {

constexpr std::uint8_t kB3 = 0x23, kB4 = 0x24, kB5 = 0x25, kB6 = 0x26, kB7 = 0x27;
constexpr std::uint8_t kW2 = 0x42, kT8 = 0x88, kT9 = 0x89;
constexpr std::uint8_t kEast = 0x11;  // indicator: the south wind is wild

// Places of the deal in the order the hand start takes them, with the seat each goes to.
std::vector<std::pair<int, int>> DealPlaces(Wall sim, int dealer, int& indicator) {
  std::vector<std::pair<int, int>> out;
  for (int round = 0; round < 3; ++round) {
    for (int k = 0; k < 4; ++k) {
      for (int n = 0; n < 4; ++n) {
        out.emplace_back((dealer + k) & 3, sim.Head());
        sim.DrawHead();
      }
    }
  }
  for (int k = 0; k < 5; ++k) {
    out.emplace_back((dealer + k) & 3, sim.Head());
    sim.DrawHead();
  }
  sim.TurnIndicator();
  indicator = sim.Indicator();
  return out;
}

}  // namespace

RiggedHand RigDemoHand(const Wall& w, int dealer, const std::array<int, 4>& dice, int person) {
  std::array<std::uint8_t, 136> ring{};
  for (int i = 0; i < 136; ++i) ring.at(static_cast<std::size_t>(i)) = w.At(i);
  int indicator = -1;
  const auto places = DealPlaces(w, dealer, indicator);

  std::array<bool, 136> fixed{};
  // Puts code at place, swapping with a place not fixed yet that holds it.
  auto put = [&](int place, std::uint8_t code) {
    const auto p = static_cast<std::size_t>(place);
    for (std::size_t j = 0; j < ring.size(); ++j) {
      if (!fixed.at(j) && ring.at(j) == code) {
        std::swap(ring.at(j), ring.at(p));
        break;
      }
    }
    fixed.at(p) = true;
  };
  put(indicator, kEast);

  const std::vector<std::uint8_t> own = {kB3, kB4, kB6, kB7, kW2, kW2, kW2,
                                         kW2, kT8, kT8, kT8, kT8, kT9, kT9};
  const int right = (person + 1) & 3;
  const int left = (person + 3) & 3;
  std::size_t next = 0;
  bool rightDone = false, leftDone = false;
  for (const auto& [seat, place] : places) {
    if (seat == person && next < own.size()) {
      put(place, own.at(next++));
    } else if (seat == right && !rightDone) {
      put(place, kT9);
      rightDone = true;
    } else if (seat == left && !leftDone) {
      put(place, kB5);
      leftDone = true;
    }
  }

  RiggedHand r{Wall(ring), {}};
  r.wall.Break(dealer, dice);
  r.firstDiscards.at(static_cast<std::size_t>(right)) = {kT9};
  r.firstDiscards.at(static_cast<std::size_t>(left)) = {kB5};
  return r;
}

}  // namespace devserver
