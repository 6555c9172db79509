#include <gtest/gtest.h>

#include <numeric>

#include "game.h"
#include "selfplay.h"

namespace devserver {
namespace {

struct RecordingSink : GameSink {
  void Send(int seat, const wire::Frame& f) override {
    sent.at(static_cast<std::size_t>(seat)).push_back(f);
  }
  void Note(const std::string& line) override { notes.push_back(line); }
  std::array<std::vector<wire::Frame>, 4> sent;
  std::vector<std::string> notes;
};

// A table with a person at seat 0 and bots that answer at once, run up to the first prompt.
struct TableFixture : ::testing::Test {
  TableFixture() : game(Options(), sink, 42) {
    game.Ready(0);
    game.Advance(0);
  }
  static GameOptions Options() {
    GameOptions o;
    o.botDelayMs = 0;
    o.human = {true, false, false, false};
    return o;
  }
  // Let bots move until the person has to decide.
  void RunBots() {
    for (int i = 0; i < 100 && game.NextDue() && *game.NextDue() <= game.Now(); ++i) {
      game.Advance(game.Now());
    }
  }
  RecordingSink sink;
  Game game;
};

// The client tells a seated player "游戏将在15秒内开始": a person who never presses start is
// dealt in by then, not later.
TEST(ReadyWait, APersonWhoNeverGetsReadyIsDealtInWithinFifteenSeconds) {
  RecordingSink sink;
  GameOptions o;
  o.botDelayMs = 0;
  o.human = {true, false, false, false};
  Game game(o, sink, 1);
  const auto dealt = [&sink] {
    for (const auto& f : sink.sent.at(0)) {
      if (f[3] == proto::kDeal) return true;
    }
    return false;
  };
  game.Advance(0);
  game.Advance(14'999);
  EXPECT_FALSE(dealt());
  game.Advance(15'000);
  EXPECT_TRUE(dealt());
}

TEST(SelfPlay, TwoHundredHandsKeepEveryCheck) {
  const auto r = RunSelfPlay(200, 1234, nullptr);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.stats.hands, 200);
  EXPECT_EQ(r.stats.checkFailures, 0) << r.stats.firstFailure;
  EXPECT_EQ(r.stats.rejected, 0);
  EXPECT_EQ(r.stats.wins + r.stats.drawGames, 200);
  EXPECT_GT(r.stats.peng + r.stats.chi, 0);
}

TEST_F(TableFixture, OnlyTheDrawingSeatSeesItsTiles) {
  int dealsSeen = 0;
  for (int to = 0; to < 4; ++to) {
    for (const auto& f : sink.sent.at(static_cast<std::size_t>(to))) {
      if (f[3] != proto::kDeal && f[3] != proto::kDraw) continue;
      const int seat = f[6] == 1 ? 0 : f[6] == 2 ? 1 : f[6] == 4 ? 2 : 3;
      const bool any = f[9] | f[11] | f[13] | f[15];
      EXPECT_EQ(any, seat == to) << "frame for seat " << seat << " sent to " << to;
      ++dealsSeen;
    }
  }
  EXPECT_EQ(dealsSeen, 4 * (12 + 5));
}

TEST_F(TableFixture, IllegalMovesAreRefused) {
  RunBots();
  // Wherever the hand stands, find the person's hand and try moves the rules forbid.
  const auto before = game.Stats().rejected;
  Action notHeld;
  notHeld.kind = ActKind::Discard;
  notHeld.tiles[0] = 0x99;  // no tile at all
  EXPECT_FALSE(game.Act(0, notHeld));
  Action hu;
  hu.kind = ActKind::Hu;
  if ((game.Options(0) & kOptHu) == 0) {
    EXPECT_FALSE(game.Act(0, hu));
  }
  Action peng;
  peng.kind = ActKind::Peng;
  peng.tiles = {0x11, 0x11, 0x11};
  if ((game.Options(0) & kOptPeng) == 0) {
    EXPECT_FALSE(game.Act(0, peng));
  }
  Action chi;
  chi.kind = ActKind::Chi;
  chi.tiles = {0x41, 0x42, 0x43};
  if ((game.Options(0) & kOptChi) == 0) {
    EXPECT_FALSE(game.Act(0, chi));
  }
  // Another seat cannot move for the seat whose turn it is.
  Action other;
  other.kind = ActKind::Discard;
  other.tiles[0] = game.Hand(1).front();
  if (game.TurnSeat() != 1 || game.WaitingClaims()) {
    EXPECT_FALSE(game.Act(1, other));
  }
  EXPECT_GT(game.Stats().rejected, before);
  EXPECT_EQ(game.Stats().checkFailures, 0) << game.Stats().firstFailure;
}

TEST_F(TableFixture, APersonWhoNeverAnswersIsPlayedFor) {
  // Time runs on; the server moves for the silent person and hands keep finishing.
  std::int64_t t = 0;
  for (int i = 0; i < 5000 && game.HandsPlayed() < 3; ++i) {
    const auto due = game.NextDue();
    ASSERT_TRUE(due.has_value());
    t = std::max(t, *due);
    game.Advance(t);
  }
  EXPECT_GE(game.HandsPlayed(), 3);
  EXPECT_EQ(game.Stats().checkFailures, 0) << game.Stats().firstFailure;
  EXPECT_EQ(game.Stats().rejected, 0);
}

TEST_F(TableFixture, ResumeRebuildsTheHandForTheSeat) {
  RunBots();
  ASSERT_TRUE(game.InHand());
  const auto frames = game.ResumeFrames(0);
  ASSERT_GE(frames.size(), 5u);
  EXPECT_EQ(frames[0][3], proto::kResume);
  EXPECT_EQ(frames[0][13], game.WildTile());
  int concealedOwn = 0;
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(frames.at(static_cast<std::size_t>(k))[3], proto::kSnapshot);
    for (int pair = 0; pair < 24; ++pair) {
      const auto tag =
          frames.at(static_cast<std::size_t>(k))[static_cast<std::size_t>(16 + 2 * pair)];
      const auto code =
          frames.at(static_cast<std::size_t>(k))[static_cast<std::size_t>(17 + 2 * pair)];
      if ((tag >> 4) == 1 && frames.at(static_cast<std::size_t>(k))[6] == 1) {
        EXPECT_NE(code, 0);
        ++concealedOwn;
      }
      if ((tag >> 4) == 1 && frames.at(static_cast<std::size_t>(k))[6] != 1) {
        EXPECT_EQ(code, 0);
      }
    }
  }
  EXPECT_EQ(concealedOwn, static_cast<int>(game.Hand(0).size()));
}

// A hand's payments reach the person only in its results (9) and details (17), which the client's
// score sheet adds to the table's gold; gold changes (91 own, 92 others) carry only gold that
// moves outside a hand, here the house topping a bot up.
TEST(Payments, RideOnTheResultsAndGoldChangesCarryOnlyTopUps) {
  struct Case {
    const char* what;
    double startGold;
    bool topUps;
  } cases[] = {
      {"rich table: no gold changes at all", 100000, false},
      {"bots at the top-up mark: every loss is topped up", 20480, true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    RecordingSink sink;
    GameOptions o;
    o.botDelayMs = 0;
    o.human = {true, false, false, false};
    o.startGold = k.startGold;
    Game game(o, sink, 7);
    std::int64_t t = 0;
    for (int i = 0; i < 20000 && (game.HandsPlayed() < 4 || game.Stats().wins == 0); ++i) {
      const auto due = game.NextDue();
      ASSERT_TRUE(due.has_value());
      t = std::max(t, *due);
      game.Advance(t);
    }
    ASSERT_GT(game.Stats().wins, 0);
    int results = 0;
    int lossesOfBots = 0;
    int changes = 0;
    for (const auto& f : sink.sent.at(0)) {
      if (f[3] == 9) {
        ++results;
        // Seat bits 2, 4, 8 are the bots; a loss is a negative amount at 16-23 (byte 11 = 1).
        const std::int32_t amount = wire::ReadI32LE(std::span<const std::uint8_t>(f), 16);
        if (f[6] != 1 && (f[11] == 0 ? -amount : amount) < 0) ++lossesOfBots;
      }
      if (f[3] == 91 || f[3] == 92) {
        ++changes;
        EXPECT_EQ(f[3], 92) << "the person is never topped up";
        EXPECT_EQ(f[16], 0) << "a top-up only adds";
      }
    }
    EXPECT_GT(results, 0);
    if (k.topUps) {
      EXPECT_GT(changes, 0);
      EXPECT_LE(changes, lossesOfBots) << "at most one change per bot that lost a hand";
    } else {
      EXPECT_EQ(changes, 0);
    }
  }
}

}  // namespace
}  // namespace devserver
