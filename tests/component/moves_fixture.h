#pragma once
// A logged-in client whose own hand and decision prompt a test sets directly.
#include <initializer_list>
#include <vector>

#include "play/claims.h"
#include "support/client_fixture.h"

namespace qtest {

namespace tiles {
constexpr int B(int r) {
  return 0x20 + r;  // 条
}
constexpr int W(int r) {
  return 0x40 + r;  // 万
}
constexpr int T(int r) {
  return 0x80 + r;  // 筒
}
constexpr int kEast = 0x11, kSouth = 0x12, kWest = 0x13;
constexpr int kRed = 0x15, kGreen = 0x16, kWhite = 0x17;

}  // namespace tiles

// The own concealed tiles, in the order given, from slot 4 on; images 100 + k.
inline void SetOwnHand(table::TableState& t, const std::vector<int>& codes) {
  auto& h = t.Hand[0];
  h.MeldEnd = 3;
  h.HiddenFirst = 4;
  h.HiddenCount = static_cast<int>(codes.size());
  for (std::size_t k = 0; k < codes.size(); ++k) {
    h.Slot.at(4 + k) = {table::kSlotDrawn, codes[k], static_cast<int>(100 + k)};
  }
}

class Moves : public ClientTest {
 protected:
  void SetUp() override {
    StartLoggedIn();
    c.table.Hand[0].SeatBit = 4;
    c.table.WildTile = tiles::W(2);
    sentBefore = Sent().size();
  }
  // The own prompt as the decision prompt leaves it: buttons offered, clock running.
  void Offer(std::initializer_list<int> buttons, int clock = 10) {
    auto& t = c.table;
    t.DecisionState = 0;
    t.ActionSent = false;
    t.OptionState.fill(0);
    for (int b : buttons) {
      t.OptionState.at(static_cast<std::size_t>(b)) = 2;
      c.MainForm.Operation(b).SetVisible(true);
      c.MainForm.Operation(b).SetEnabled(true);
    }
    t.CanDiscard = play::OwnTurn(t);
    t.Countdown = clock;
    t.ClockIsOwn = true;
    c.net.TaskOn[net::kTaskTurnClock] = true;
    c.net.TurnSecond = host.SecondsSinceMidnight();  // the first second starts now
  }
  // The frames sent since sentBefore, keep-alives left out.
  std::vector<wire::Frame> NewFrames() {
    Advance(200);  // one frame leaves the send ring per tick
    std::vector<wire::Frame> out;
    const auto all = Sent();
    for (std::size_t i = sentBefore; i < all.size(); ++i) {
      if (all[i][wire::kOffCmd] != 24) out.push_back(all[i]);
    }
    return out;
  }
  static std::vector<int> Values(const wire::Frame& f) {
    std::vector<int> v;
    for (int i = 0; i < 4; ++i) v.push_back(f.at(8 + 2 * i) * 256 + f.at(9 + 2 * i));
    return v;
  }
  std::size_t sentBefore = 0;
};

}  // namespace qtest
