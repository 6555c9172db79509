#pragma once
// A seated client at the start of a hand, and the frames that play it.
#include <array>
#include <vector>

#include "seating_fixture.h"
#include "support/table_dump.h"

namespace qtest {

// Seat bits of the table of SeatingTest: alice (own, bit 4) at position 0, carol (bit 2) on the
// left at 1, bob (bit 1) opposite at 2, dave (bit 8) on the right at 3.
constexpr int kOwn = 4, kLeft = 2, kOpposite = 1, kRight = 8;

inline FrameBuilder DealFrame(int seat, std::array<int, 4> t) {
  return FrameBuilder(1).seat(seat).v(0, t[0]).v(1, t[1]).v(2, t[2]).v(3, t[3]);
}
inline FrameBuilder DrawFrame(int seat, int tile = 0) {
  return FrameBuilder(5).seat(seat).v(3, tile);
}
inline FrameBuilder DiscardFrame(int seat, int tile) {
  return FrameBuilder(2).seat(seat).v(3, tile);
}
inline FrameBuilder ClaimFrame(int seat, int kind, std::array<int, 3> t) {
  return FrameBuilder(7).seat(seat).v(0, kind).v(1, t[0]).v(2, t[1]).v(3, t[2]);
}
inline FrameBuilder WildFrame(int wild, int indicator) {
  return FrameBuilder(14).v(2, wild).v(3, indicator);
}
inline FrameBuilder PromptFrame(int seat, int options, int clock = 10) {
  return FrameBuilder(6).seat(seat).v(0, options).byte(100, clock);
}

class HandTest : public SeatingTest {
 protected:
  void SetUp() override {
    SeatingTest::SetUp();
    SeatTable();
    c.ui.SoundOn = false;
  }

  // Pushes frames and runs the clock until every one of them has been handled.
  void Run(const std::vector<wire::Frame>& frames) {
    for (const auto& f : frames) Push(f);
    for (int i = 0; i < 400 && c.net.RecvRing.Waiting() > 0; ++i) Advance(100);
    Advance(300);
  }

  // Hand start: dealer seat bit and the four dice of command 4.
  void StartHand(int dealer = kOwn, std::array<int, 4> dice = {3, 4, 2, 5}) {
    Run({FrameBuilder(4).seat(dealer).v(0, dice[0]).v(1, dice[1]).v(2, dice[2]).v(3, dice[3])});
  }

  // The deal: three rounds of four tiles from the dealer on, one tile each, and the dealer's
  // fourteenth. own holds the own tiles in dealing order (13, or 14 when dealing).
  void Deal(int dealer, const std::vector<int>& own) { Run(DealFrames(dealer, own)); }
  std::vector<wire::Frame> DealFrames(int dealer, const std::vector<int>& own) {
    std::vector<wire::Frame> frames;
    std::size_t next = 0;
    const auto take = [&](int seat, int n) {
      std::array<int, 4> t{};
      for (int i = 0; i < n; ++i)
        t.at(static_cast<std::size_t>(i)) = seat == kOwn ? own.at(next++) : 0;
      return t;
    };
    std::array<int, 4> order{};
    for (int i = 0; i < 4; ++i) {
      const int idx = (table::BitIndex(dealer) + i) & 3;
      order.at(static_cast<std::size_t>(i)) = table::BitOf(idx);
    }
    for (int r = 0; r < 3; ++r) {
      for (int s : order) frames.push_back(DealFrame(s, take(s, 4)));
    }
    for (int s : order) frames.push_back(DrawFrame(s, take(s, 1)[0]));
    frames.push_back(DrawFrame(dealer, take(dealer, 1)[0]));
    return frames;
  }

  const table::HandRec& H(int pos) const { return c.table.Hand.at(static_cast<std::size_t>(pos)); }
  platform::Control& Img(int ctl) { return c.MainForm.MJ_Image(ctl); }
  int SlotCtl(int pos, int k) const { return H(pos).Slot.at(static_cast<std::size_t>(k)).Ctl; }
  int LastConcealedCtl(int pos) const {
    return SlotCtl(pos, H(pos).HiddenFirst + H(pos).HiddenCount - 1);
  }
  std::string Line(const std::string& key) const { return DumpLine(c, key); }
  std::vector<wire::Frame> SentOf(int cmd) const {
    std::vector<wire::Frame> out;
    for (const auto& f : Sent()) {
      if (f[3] == cmd) out.push_back(f);
    }
    return out;
  }
};

// Thirteen own tiles (with 5c as the wild tile announced later): 1c 2c 3c 4b 4b 4b 7d 8d 9d 1h 1h
// 5h 9c, dealt in this order.
inline std::vector<int> OwnThirteen() {
  return {0x41, 0x42, 0x43, 0x24, 0x24, 0x24, 0x87, 0x88, 0x89, 0x11, 0x11, 0x15, 0x49};
}

}  // namespace qtest
