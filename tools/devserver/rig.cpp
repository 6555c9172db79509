#include "rig.h"

#include <algorithm>
#include <utility>

namespace devserver {

namespace {

constexpr std::uint8_t kB3 = 0x23, kB4 = 0x24, kB5 = 0x25, kB6 = 0x26, kB7 = 0x27;
constexpr std::uint8_t kW1 = 0x41, kW2 = 0x42, kW3 = 0x43, kW5 = 0x45, kW6 = 0x46;
constexpr std::uint8_t kT2 = 0x82, kT7 = 0x87, kT8 = 0x88, kT9 = 0x89;
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

// Deals own to the person (in dealing order; a person who does not deal gets the first 13) and
// the first tile the right and the left bot are dealt as given; the indicator is the east wind.
RiggedHand Rig(const Wall& w, int dealer, const std::array<int, 4>& dice, int person,
               const std::vector<std::uint8_t>& own, std::uint8_t rightFirst,
               std::uint8_t leftFirst) {
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

  const int right = (person + 1) & 3;
  const int left = (person + 3) & 3;
  std::size_t next = 0;
  bool rightDone = false, leftDone = false;
  for (const auto& [seat, place] : places) {
    if (seat == person && next < own.size()) {
      put(place, own.at(next++));
    } else if (seat == right && !rightDone) {
      put(place, rightFirst);
      rightDone = true;
    } else if (seat == left && !leftDone) {
      put(place, leftFirst);
      leftDone = true;
    }
  }

  RiggedHand r{Wall(ring), {}};
  r.wall.Break(dealer, dice);
  r.firstDiscards.at(static_cast<std::size_t>(right)) = {rightFirst};
  r.firstDiscards.at(static_cast<std::size_t>(left)) = {leftFirst};
  return r;
}

}  // namespace

RiggedHand RigDemoHand(const Wall& w, int dealer, const std::array<int, 4>& dice, int person) {
  const std::vector<std::uint8_t> own = {kB3, kB4, kB6, kB7, kW2, kW2, kW2,
                                         kW2, kT8, kT8, kT8, kT8, kT9, kT9};
  return Rig(w, dealer, dice, person, own, kT9, kB5);
}

RiggedHand RigTingHand(const Wall& w, int dealer, const std::array<int, 4>& dice, int person) {
  // Ready with 1万2万3万 4条5条6条 7筒8筒9筒 2筒2筒 and 5万6万 (waiting on 4万 or 7万); as
  // dealer the fourteenth tile, 6万, makes 5万 a second tile to throw for ting.
  const std::vector<std::uint8_t> own = {kW1, kW2, kW3, kB4, kB5, kB6, kT7,
                                         kT8, kT9, kT2, kT2, kW5, kW6, kW6};
  // The bots' first tiles are ones the hand cannot claim.
  return Rig(w, dealer, dice, person, own, kT9, kB5);
}

}  // namespace devserver
