// Which own tiles make an offered chi, peng or gang, and the frames the moves send.
#include <string>
#include <vector>

#include "assets/sound_cues.h"
#include "component/moves_fixture.h"
#include "play/claims.h"
#include "play/play.h"
#include "table/tiles.h"
#include "ui/sound.h"
#include "view/view.h"

namespace {

using namespace qtest::tiles;  // NOLINT(google-build-using-namespace): tile names read as tiles
using play::ChiPair;
using play::GangCandidate;
using qtest::SetOwnHand;

// Codes of the slots of each candidate, which read more plainly than slot numbers.
std::vector<std::vector<int>> ChiCodes(const table::TableState& t, int d) {
  std::vector<std::vector<int>> out;
  for (const ChiPair& p : play::ChiCandidates(t, d)) {
    out.push_back({t.Hand[0].Slot.at(static_cast<std::size_t>(p.first)).Code,
                   t.Hand[0].Slot.at(static_cast<std::size_t>(p.second)).Code});
  }
  return out;
}

struct ChiCase {
  const char* name;
  std::vector<int> hand;  // sorted as the client sorts it
  int wild;
  bool open;
  int discard;
  std::vector<std::vector<int>> expected;
};

TEST(ChiCandidates, FindTheSequencesInOrder) {
  const std::vector<ChiCase> cases = {
      {"three around the middle",
       {T(2), B(3), B(4), B(6), B(7), kEast},
       -1,
       false,
       B(5),
       {{B(3), B(4)}, {B(4), B(6)}, {B(6), B(7)}}},
      {"rank 1 has only the run above", {W(2), W(3), W(9)}, -1, false, W(1), {{W(2), W(3)}}},
      {"rank 9 has only the run below", {T(7), T(8), B(9)}, -1, false, T(9), {{T(7), T(8)}}},
      {"pairs give their last tile", {B(3), B(3), B(4), B(4)}, -1, false, B(5), {{B(3), B(4)}}},
      {"another suit never joins", {W(3), W(4), B(6)}, -1, false, B(5), {}},
      {"green dragon between red and white",
       {kEast, kRed, kWhite},
       -1,
       false,
       kGreen,
       {{kRed, kWhite}}},
      {"winds make no sequence", {B(1), kSouth, kWest}, -1, false, kEast, {}},
      {"red dragon with green and white",
       {kSouth, kGreen, kWhite},
       -1,
       false,
       kRed,
       {{kGreen, kWhite}}},
      // The wild 6条 leads the closed hand and stands for 6条 only.
      {"wild tile at its face above", {B(6), T(1), B(4)}, B(6), false, B(5), {{B(6), B(4)}}},
      {"wild tile at its face below",
       {W(3), W(5), W(6)},
       W(3),
       false,
       W(4),
       {{W(5), W(6)}, {W(3), W(5)}}},
      {"wild tile two below", {B(3), B(4), B(9)}, B(3), false, B(5), {{B(3), B(4)}}},
      // In an open hand the wild tile lies among its suit and counts at its face.
      {"open hand: wild counts plainly",
       {B(3), B(4), B(6)},
       B(6),
       true,
       B(5),
       {{B(3), B(4)}, {B(4), B(6)}}},
      {"wild of another suit adds nothing", {W(7), B(4), B(6)}, W(7), false, B(5), {{B(4), B(6)}}},
  };
  for (const auto& k : cases) {
    table::TableState t;
    SetOwnHand(t, k.hand);
    t.WildTile = k.wild;
    t.HandOpen = k.open;
    EXPECT_EQ(ChiCodes(t, k.discard), k.expected) << k.name;
  }
}

TEST(ChiCandidates, WildFirstSlotIsTheFirstConcealedSlot) {
  table::TableState t;
  SetOwnHand(t, {B(6), B(6), T(1), B(4)});
  t.WildTile = B(6);
  EXPECT_EQ(play::LeadingWilds(t), 2);
  EXPECT_EQ(play::ChiCandidates(t, B(5)), (std::vector<ChiPair>{{4, 7}}));
  t.HandOpen = true;
  EXPECT_EQ(play::LeadingWilds(t), 0);
}

TEST(PengAndExposedGang, FindTheFirstEqualRun) {
  table::TableState t;
  SetOwnHand(t, {T(2), W(5), W(5), W(5), B(1), B(1)});
  EXPECT_EQ(play::FindPengPair(t, W(5)), 5);
  EXPECT_EQ(play::FindPengPair(t, B(1)), 8);
  EXPECT_EQ(play::FindPengPair(t, T(2)), -1);
  EXPECT_EQ(play::FindExposedGang(t, W(5)), 5);
  EXPECT_EQ(play::FindExposedGang(t, B(1)), -1);
  // A pair cut by the end of the concealed tiles is no pair.
  t.Hand[0].HiddenCount = 5;
  EXPECT_EQ(play::FindPengPair(t, B(1)), -1);
}

struct GangCase {
  const char* name;
  std::vector<int> hand;
  int options;
  int lastDiscard;
  std::vector<GangCandidate> expected;
};

TEST(GangCandidates, OneSearchPerOptionBit) {
  const std::vector<GangCase> cases = {
      {"four 3条 and four 8筒",
       {T(8), T(8), T(8), T(8), B(3), B(3), B(3), B(3), B(5), B(5)},
       32,
       0,
       {{4, 4}, {8, 4}}},
      {"four wild tiles are no gang", {W(2), W(2), W(2), W(2), B(5)}, 32, 0, {}},
      {"three on the discard", {W(1), W(7), W(7), W(7)}, 16, W(7), {{5, 3}}},
      {"discard and four of another tile",
       {T(4), T(4), T(4), T(4), W(7), W(7), W(7)},
       16 | 32,
       W(7),
       {{8, 3}, {4, 4}}},
      {"bits not offered find nothing", {T(4), T(4), T(4), T(4)}, 16 | 64, W(9), {}},
  };
  for (const auto& k : cases) {
    table::TableState t;
    SetOwnHand(t, k.hand);
    t.WildTile = W(2);
    t.GangOptions = k.options;
    t.LastDiscard = k.lastDiscard;
    EXPECT_EQ(play::GangCandidates(t), k.expected) << k.name;
  }
}

TEST(GangCandidates, TheFourthTileOfEachOwnPeng) {
  table::TableState t;
  // A chi, then a peng of 7万, then a peng of 红中: three melds.
  auto& h = t.Hand[0];
  for (int s = 1; s <= 3; ++s) h.Slot.at(static_cast<std::size_t>(s)) = {1, B(s), s};
  for (int s = 4; s <= 6; ++s) h.Slot.at(static_cast<std::size_t>(s)) = {3, W(7), s};
  for (int s = 7; s <= 9; ++s) h.Slot.at(static_cast<std::size_t>(s)) = {3, kRed, s};
  h.MeldEnd = 12;
  h.HiddenFirst = 13;
  h.HiddenCount = 5;
  const std::vector<int> rest = {T(1), W(7), B(8), B(9), kRed};
  for (std::size_t k = 0; k < rest.size(); ++k) h.Slot.at(13 + k) = {1, rest[k], 50};
  t.GangOptions = 64;
  EXPECT_EQ(play::GangCandidates(t), (std::vector<GangCandidate>{{14, 2}, {17, 2}}));
  // The meld still being made (slots MeldEnd - 2 ..) is not searched.
  h.MeldEnd = 9;
  EXPECT_EQ(play::GangCandidates(t), (std::vector<GangCandidate>{{14, 2}}));
}

// ---- The moves on a whole client ----

using qtest::Moves;

// Every move frame, byte for byte where it matters: command, own seat, the four values.
TEST_F(Moves, EveryMoveFrame) {
  struct Case {
    const char* name;
    std::vector<int> hand;
    int button;
    int option;   // option bits of the prompt
    int discard;  // the tile on offer
    int cmd;
    std::vector<int> values;
  };
  const std::vector<Case> cases = {
      {"chi sent at once",
       {W(2), W(3), T(5)},
       table::kOpChi,
       4,
       W(1),
       7,
       {4, 0x2042, 0x2043, 0x2041}},
      {"peng", {T(5), T(5), B(1)}, table::kOpPeng, 8, T(5), 7, {8, 0x2085, 0x2085, 0x2085}},
      {"exposed gang",
       {T(1), T(5), T(5), T(5)},
       table::kOpGang,
       16,
       T(5),
       7,
       {16, 0x2085, 0x2085, 0x2085}},
      {"concealed gang",
       {B(4), B(4), B(4), B(4), B(5)},
       table::kOpGang,
       32,
       0,
       7,
       {32, 0x2024, 0x2024, 0x2024}},
      {"hu sends no tiles", {T(5)}, table::kOpHu, 128, T(5), 7, {128, 0, 0, 0}},
      {"pass on a claim", {T(5)}, table::kOpPass, 1, T(5), 7, {1, 0, 0, 0}},
  };
  for (const auto& k : cases) {
    SetOwnHand(c.table, k.hand);
    c.table.HandOpen = true;  // keep the given order
    c.table.LastDiscard = k.discard;
    c.table.LastDiscardCtl = 77;
    c.table.GangOptions = k.option;
    Offer({k.button});
    sentBefore = Sent().size();
    play::Operation_Click(c, k.button);
    const auto frames = NewFrames();
    ASSERT_EQ(frames.size(), 1U) << k.name;
    const auto& f = frames[0];
    EXPECT_EQ(f[3], k.cmd) << k.name;
    EXPECT_EQ(f[6], 4) << k.name;
    EXPECT_EQ(Values(f), k.values) << k.name;
    EXPECT_EQ(f[260], 0x12) << k.name;  // the session key
  }
}

TEST_F(Moves, SlotsCopiedOntoTheNextMeldBeforeTheServerConfirms) {
  SetOwnHand(c.table, {T(5), T(5), B(1)});
  c.table.HandOpen = true;
  c.table.LastDiscard = T(5);
  c.table.LastDiscardCtl = 77;
  Offer({table::kOpPeng});
  play::Operation_Click(c, table::kOpPeng);
  const auto& s = c.table.Hand[0].Slot;
  EXPECT_EQ(s[1].Ctl, 100);
  EXPECT_EQ(s[2].Ctl, 101);
  EXPECT_EQ(s[3].Ctl, 77);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(s.at(static_cast<std::size_t>(i)).State, 3);
  // The concealed tiles stay as they were until command 7.
  EXPECT_EQ(c.table.Hand[0].HiddenCount, 3);
  EXPECT_TRUE(c.table.ActionSent);
  EXPECT_EQ(c.table.DecisionState, 1);
}

TEST_F(Moves, ChiChoiceOfThreeThenAPick) {
  SetOwnHand(c.table, {T(1), B(3), B(4), B(6), B(7)});
  c.table.LastDiscard = B(5);
  c.table.LastDiscardCtl = 90;
  Offer({table::kOpChi, table::kOpPass});
  play::Operation_Click(c, table::kOpChi);
  EXPECT_TRUE(NewFrames().empty());
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(c.MainForm.Chi(k).Visible()) << k;
  EXPECT_EQ(c.MainForm.Chi(2).Picture(), 201 + view::TilePic(B(4), 4));
  EXPECT_EQ(c.MainForm.Chi(3).Picture(), 201 + view::TilePic(B(6), 4));
  EXPECT_FALSE(c.MainForm.Operation(table::kOpPass).Visible());
  // The clock keeps running while the choice is open.
  EXPECT_TRUE(c.net.TaskOn[net::kTaskTurnClock]);

  play::Chi_Click(c, 3);  // the second sequence: 4条 6条
  const auto frames = NewFrames();
  ASSERT_EQ(frames.size(), 1U);
  EXPECT_EQ(Values(frames[0]), (std::vector<int>{4, 0x2024, 0x2026, 0x2025}));
  EXPECT_EQ(c.table.ChiPick[0], 6);
  EXPECT_EQ(c.table.ChiPick[1], 7);
  for (int k = 0; k < 6; ++k) EXPECT_FALSE(c.MainForm.Chi(k).Visible()) << k;
  EXPECT_FALSE(c.net.TaskOn[net::kTaskTurnClock]);
}

TEST_F(Moves, GangChoiceOfTwoSendsThePickedKind) {
  // A peng of 红中 on the table, four 红中 would be a concealed gang: the kind of the pick
  // decides, not the tile.
  auto& h = c.table.Hand[0];
  for (int s = 1; s <= 3; ++s) h.Slot.at(static_cast<std::size_t>(s)) = {3, T(9), 60 + s};
  SetOwnHand(c.table, {});
  h.MeldEnd = 6;
  h.HiddenFirst = 7;
  const std::vector<int> rest = {T(9), B(2), kRed, kRed, kRed, kRed, kWhite, kWhite};
  h.HiddenCount = static_cast<int>(rest.size());
  for (std::size_t k = 0; k < rest.size(); ++k)
    h.Slot.at(7 + k) = {1, rest[k], static_cast<int>(110 + k)};
  c.table.HandOpen = true;
  c.table.GangOptions = 64 | 32;
  Offer({table::kOpGang, table::kOpPass});
  play::Operation_Click(c, table::kOpGang);
  EXPECT_TRUE(NewFrames().empty());
  EXPECT_TRUE(c.MainForm.Gang(0).Visible());
  EXPECT_TRUE(c.MainForm.Gang(1).Visible());
  EXPECT_FALSE(c.MainForm.Gang(2).Visible());
  play::Gang_Click(c, 1);
  const auto frames = NewFrames();
  ASSERT_EQ(frames.size(), 1U);
  EXPECT_EQ(Values(frames[0]), (std::vector<int>{32, 0x2015, 0x2015, 0x2015}));
  EXPECT_EQ(c.table.GangPick[0], 9);
  EXPECT_EQ(h.Slot[4].State, 5);
  ASSERT_NE(host.sound.Current(), nullptr);
  EXPECT_EQ(host.sound.Current()->path,
            ui::VoicePath(c.soundPlayer, 0, assets::kVoiceConcealedGang));
}

TEST_F(Moves, RedDragonOntoItsPengIsASingleTile) {
  auto& h = c.table.Hand[0];
  for (int s = 1; s <= 3; ++s) h.Slot.at(static_cast<std::size_t>(s)) = {3, kRed, 60 + s};
  h.MeldEnd = 6;
  h.HiddenFirst = 7;
  h.HiddenCount = 2;
  h.Slot[7] = {1, T(3), 110};
  h.Slot[8] = {1, kRed, 111};
  c.table.GangOptions = 64;
  Offer({table::kOpGang, table::kOpPass});
  play::Operation_Click(c, table::kOpGang);
  const auto frames = NewFrames();
  ASSERT_EQ(frames.size(), 1U);  // one candidate: sent at once
  EXPECT_EQ(Values(frames[0]), (std::vector<int>{64, 0, 0, 0x2015}));
  EXPECT_EQ(h.Slot[4].State, 6);
  EXPECT_EQ(h.Slot[4].Ctl, 111);
  ASSERT_NE(host.sound.Current(), nullptr);
  EXPECT_EQ(host.sound.Current()->path, ui::VoicePath(c.soundPlayer, 0, assets::kVoiceTing));
}

TEST_F(Moves, PassOnTheOwnTurnSendsNothingAndKeepsTheDiscardDue) {
  SetOwnHand(c.table,
             {T(1), T(2), T(3), T(4), T(5), T(6), T(7), T(8), T(9), W(1), W(1), W(3), W(4), W(5)});
  Offer({table::kOpHu, table::kOpPass});
  ASSERT_TRUE(c.table.CanDiscard);
  play::Operation_Click(c, table::kOpPass);
  EXPECT_TRUE(NewFrames().empty());
  EXPECT_TRUE(c.table.CanDiscard);
  EXPECT_FALSE(c.table.ActionSent);
  EXPECT_TRUE(c.net.TaskOn[net::kTaskTurnClock]);
}

TEST_F(Moves, ButtonsActOnlyWhenOfferedAndOpen) {
  SetOwnHand(c.table, {T(5), T(5)});
  c.table.LastDiscard = T(5);
  Offer({table::kOpPass});
  play::Operation_Click(c, table::kOpPeng);  // not offered
  EXPECT_TRUE(NewFrames().empty());
  EXPECT_EQ(c.table.DecisionState, 0);
  Offer({table::kOpPeng});
  c.table.DecisionState = 1;  // already answered
  play::Operation_Click(c, table::kOpPeng);
  play::Operation_Click(c, 9);  // no such button
  EXPECT_TRUE(NewFrames().empty());
}

TEST_F(Moves, ChiWithoutTilesAnswersWithAPass) {
  // The hand does not match what the server offered: the table is not left waiting.
  SetOwnHand(c.table, {T(1), T(9), W(9), W(9)});
  c.table.LastDiscard = B(5);
  Offer({table::kOpChi, table::kOpPass});
  play::Operation_Click(c, table::kOpChi);
  const auto frames = NewFrames();
  ASSERT_EQ(frames.size(), 1U);
  EXPECT_EQ(Values(frames[0]), (std::vector<int>{1, 0, 0, 0}));
  EXPECT_FALSE(c.net.TaskOn[net::kTaskTurnClock]);
}

TEST_F(Moves, TingChoiceGoesOutWithTheDiscard) {
  c.table.TingChoice = 3;
  play::SendDiscardFrame(c, T(7));
  play::SendPass(c);
  const auto frames = NewFrames();
  ASSERT_EQ(frames.size(), 2U);
  EXPECT_EQ(frames[0][3], 2);
  EXPECT_EQ(Values(frames[0]), (std::vector<int>{0, 0, 0, 0x4087}));
  EXPECT_EQ(frames[0][16], 3);
  EXPECT_EQ(frames[1][16], 0);
  EXPECT_EQ(c.table.TingChoice, 0);
}

}  // namespace
