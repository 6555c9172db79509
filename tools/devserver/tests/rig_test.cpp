// The rigged first hands: the demo's reaches each move of the person in its first round, the
// ting deal offers ting at once.
#include <gtest/gtest.h>

#include <algorithm>

#include "game.h"

namespace devserver {
namespace {

struct Sink : GameSink {
  void Send(int seat, const wire::Frame& f) override {
    if (seat == 0) toPerson.push_back(f);
  }
  void Note(const std::string& /*line*/) override {}
  std::vector<wire::Frame> toPerson;
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

// A ting declared with the own-turn pass, the clock then left to run out: the server throws for
// the person a tile that keeps the hand ready and marks the discard with that ting.
TEST(TingDeal, APassDeclaringTingLeavesTheDiscardToTheServer) {
  for (std::uint32_t seed : {1U, 7U, 99U}) {
    Sink sink;
    GameOptions o;
    o.botDelayMs = 0;
    o.graceMs = 3000;
    o.human = {true, false, false, false};
    o.tingDeal = true;
    Game g(o, sink, seed);
    g.Ready(0);
    g.Advance(0);
    // Bots play until the person is prompted with ting on offer (frame byte 16).
    const auto tingPrompt = [&] {
      for (const auto& f : sink.toPerson) {
        if (f[3] == proto::kPrompt && f[6] == 1 && f[16] == 1) return true;
      }
      return false;
    };
    for (int i = 0; i < 20 && !tingPrompt() && g.NextDue(); ++i) g.Advance(g.Now());
    ASSERT_TRUE(tingPrompt()) << seed;
    ASSERT_EQ(g.TurnSeat(), 0) << seed;
    // The client starts its clock again for the ting button and for the ting window.
    ASSERT_TRUE(g.NextDue().has_value());
    EXPECT_EQ(*g.NextDue() - g.Now(), 3 * 10 * 1000 + 3000) << seed;
    Action pass;
    pass.ting = 3;
    ASSERT_TRUE(g.Act(0, pass));
    const auto before = sink.toPerson.size();
    ASSERT_TRUE(g.NextDue().has_value());
    EXPECT_EQ(*g.NextDue() - g.Now(), 3000) << "the grace from the pass on, seed " << seed;
    g.Advance(*g.NextDue());
    const wire::Frame* discard = nullptr;
    for (std::size_t i = before; i < sink.toPerson.size(); ++i) {
      const auto& f = sink.toPerson[i];
      if (f[3] == 2 && f[6] == 1 && discard == nullptr) discard = &f;
    }
    ASSERT_NE(discard, nullptr) << seed;
    EXPECT_EQ((*discard)[16], 3) << "closed ting, seed " << seed;
    EXPECT_EQ(g.Stats().ting, 1) << seed;
  }
}

}  // namespace
}  // namespace devserver
