// Hand replays: the file format, and a recorded hand played back to the same table.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/replay.h"
#include "platform/virtual/replay_player.h"
#include "seating_fixture.h"

namespace qtest {
namespace {

// What the table and the result windows show, in a few lines.
std::string Dump(const Client& c) {
  std::ostringstream out;
  for (int p = 0; p < 4; ++p) {
    const auto& h = c.table.Hand.at(static_cast<std::size_t>(p));
    out << "seat " << p << " " << h.Account << " bit " << h.SeatBit << " result " << h.HandResult
        << " | " << c.MainForm.Nid(p).Caption() << " | " << c.MainForm.Cash(p).Caption() << " | "
        << c.MainForm.Level(p).Caption() << " | slots";
    for (const auto& s : h.Slot) out << ' ' << s.State << ':' << s.Code;
    out << '\n';
  }
  out << "wall " << c.table.WallHead << ' ' << c.table.WallTail << " winner " << c.table.WinnerPos
      << " hand " << c.table.HandNumber << '\n';
  for (int j = 0; j < 8; ++j) {
    out << "State(" << j << "):";
    for (const auto& l : c.Score.State(j).Items()) out << " [" << l << ']';
    out << '\n';
  }
  out << "Score " << (c.Score.Visible() ? "shown" : "hidden") << "; Num:";
  for (const auto& l : c.Hero.Num.Items()) out << " [" << l << ']';
  for (int p = 0; p < 4; ++p) out << " sum " << c.Hero.sumScore(p).Caption();
  out << '\n';
  return out.str();
}

class ReplayTest : public SeatingTest {};

TEST_F(ReplayTest, ARecordedHandReplaysToTheSameTable) {
  SeatTable();
  Feed({FrameBuilder(16).seat(1).v(3, 2).u32le(268, 77),
        FrameBuilder(4).seat(1).v(0, 3).v(1, 5).v(2, 3).v(3, 5)});
  Feed({FrameBuilder(9).seat(4).byte(11, 1).u64le(16, 40), FrameBuilder(9).seat(2).u64le(16, 40),
        FrameBuilder(9).seat(1), FrameBuilder(9).seat(8)});
  std::vector<wire::Frame> details;
  for (int s : {4, 2, 1, 8}) {
    FrameBuilder d(17);
    d.seat(s)
        .byte(11, 5)
        .byte(15, 1)
        .byte(18, s == 4 ? 64 : 0)
        .byte(20, s == 2 ? 1 : 0)
        .text(45, "雀士");
    d.u64le(36, s == 4 || s == 2 ? 40 : 0).byte(44, s == 2 ? 2 : 0);
    details.push_back(d);
  }
  Feed(details);
  ASSERT_TRUE(c.Score.Visible());
  const std::string live = Dump(c);

  const std::string folder = app::ReplayFolder(c.host.Disk());
  const auto names = host.files.ListFolder(folder);
  ASSERT_EQ(names, std::vector<std::string>{"hand-000001.qreplay"});
  std::string error;
  auto replay = app::DecodeReplay(host.files.Text(folder + "/" + names[0]), &error);
  ASSERT_TRUE(replay) << error;
  EXPECT_EQ(replay->account, "alice");

  vhost::VirtualHost other;
  Client played(other);
  vhost::ReplayPlayer player(other, played, *replay);
  player.Start();
  while (!player.Done()) player.Advance(50);
  // The client takes its time over the seating, as it did live; the countdown is still running.
  player.Advance(5'000);
  EXPECT_FALSE(other.Ended()) << other.EndReason();
  EXPECT_EQ(Dump(played), live);

  EXPECT_TRUE(other.files.ListFolder(folder).size() == 1) << "the replayed hand is its own";
}

TEST(ReplayFormat, RoundTripsAndRefusesWhatItIsNot) {
  app::Replay r;
  r.account = "alice";
  r.frames.push_back({0, FrameBuilder(18).v(3, 1)});
  r.frames.push_back({1250, FrameBuilder(9).seat(4).u64le(16, 0xFFFFFFFFFFFFFFE2ULL)});
  const std::string text = app::EncodeReplay(r);
  const auto back = app::DecodeReplay(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->account, "alice");
  ASSERT_EQ(back->frames.size(), 2u);
  EXPECT_EQ(back->frames[1].ms, 1250);
  EXPECT_EQ(back->frames[1].frame, r.frames[1].frame);

  const std::string frameHex = text.substr(text.rfind(' ') + 1, 544);
  struct Case {
    const char* what;
    std::string file;
  } bad[] = {
      {"empty", ""},
      {"another file", "[juNum:1]\ncount( 0 )=1\n"},
      {"no account", "qintara-replay 1\n0 " + frameHex + "\n"},
      {"short frame", "qintara-replay 1\naccount a\n0 00ff\n"},
      {"bad digit", "qintara-replay 1\naccount a\n0 " + frameHex.substr(0, 543) + "g\n"},
      {"time backwards", "qintara-replay 1\naccount a\n5 " + frameHex + "\n4 " + frameHex + "\n"},
      {"huge time", "qintara-replay 1\naccount a\n99999999999999999999 " + frameHex + "\n"},
      {"no time", "qintara-replay 1\naccount a\n " + frameHex + "\n"},
  };
  for (const auto& k : bad) {
    std::string error;
    EXPECT_FALSE(app::DecodeReplay(k.file, &error)) << k.what;
    EXPECT_FALSE(error.empty()) << k.what;
  }
  std::string many = "qintara-replay 1\naccount a\n";
  for (std::size_t i = 0; i <= app::kMaxReplayFrames; ++i) many += "0 " + frameHex + "\n";
  EXPECT_FALSE(app::DecodeReplay(many)) << "too many frames";
}

}  // namespace
}  // namespace qtest
