// The demo's first hand reaches each move of the person in its first round.
#include <gtest/gtest.h>

#include <algorithm>

#include "game.h"

namespace devserver {
namespace {

struct Sink : GameSink {
  void Send(int seat, const net::Frame& f) override {
    if (seat == 0) toPerson.push_back(f);
  }
  void Note(const std::string& /*line*/) override {}
  std::vector<net::Frame> toPerson;
};

// Option bits of the prompts the person at seat 0 was sent.
std::vector<int> PersonPrompts(const Sink& s) {
  std::vector<int> out;
  for (const auto& f : s.toPerson) {
    if (f[3] == proto::kPrompt && f[6] == 1 && f[9] != 0) out.push_back(f[9]);
  }
  return out;
}

TEST(DemoDeal, GangChoicePengAndChiOfThreeInTheFirstRound) {
  for (std::uint32_t seed : {1U, 7U, 99U}) {
    Sink sink;
    GameOptions o;
    o.botDelayMs = 0;
    o.human = {true, false, false, false};
    o.demoDeal = true;
    Game g(o, sink, seed);
    g.Ready(0);
    g.Advance(0);
    std::vector<std::uint8_t> hand = g.Hand(0);
    std::sort(hand.begin(), hand.end());
    EXPECT_EQ(hand, (std::vector<std::uint8_t>{0x23, 0x24, 0x26, 0x27, 0x42, 0x42, 0x42, 0x42, 0x88,
                                               0x88, 0x88, 0x88, 0x89, 0x89}))
        << seed;
    EXPECT_EQ(g.WildTile(), 0x12) << seed;
    EXPECT_NE(g.Options(0) & 32, 0) << seed;
    // Throw a lone tile; the right-hand bot throws 9筒, the left-hand one 5条.
    Action discard;
    discard.kind = ActKind::Discard;
    discard.tiles[0] = 0x23;
    ASSERT_TRUE(g.Act(0, discard));
    for (int i = 0; i < 20 && g.NextDue(); ++i) g.Advance(g.Now());
    const auto prompts = PersonPrompts(sink);
    ASSERT_FALSE(prompts.empty()) << seed;
    EXPECT_NE(prompts.back() & 8, 0) << "peng of 9筒, seed " << seed;
    Action pass;
    ASSERT_TRUE(g.Act(0, pass));
    for (int i = 0; i < 20 && g.NextDue(); ++i) g.Advance(g.Now());
    EXPECT_NE(PersonPrompts(sink).back() & 4, 0) << "chi of 5条, seed " << seed;
  }
}

}  // namespace
}  // namespace devserver
