#pragma once
// A logged-in client and the frames of a seating sequence, shared by the seating and table tests.
#include <algorithm>
#include <string>
#include <vector>

#include "support/client_fixture.h"

namespace qtest {

struct PlayerFields {
  std::string account{};
  std::string nick{};
  int seat = 0;  // seat bit the frame is sent for
  std::string face = "m1";
  int sex = 1;
  std::uint64_t gold = 1000;
  std::string caption = "新手";
  std::string group = "一组";
  std::uint64_t userId = 0;
  bool ready = false;
};

inline FrameBuilder NameFrame(int seatBit, const std::string& name) {
  return FrameBuilder(3).seat(seatBit).text(16, name);
}

inline FrameBuilder PlayerFrame(const PlayerFields& p) {
  FrameBuilder f(20);
  f.seat(p.seat)
      .text(16, p.nick)
      .text(48, p.face)
      .byte(64, p.sex)
      .u64le(96, p.gold)
      .text(112, p.group)
      .text(168, p.account)
      .text(184, p.caption)
      .u64le(226, p.userId)
      .byte(208, p.ready ? 1 : 0);
  return f;
}

class SeatingTest : public ClientTest {
 protected:
  void SetUp() override { StartLoggedIn(); }

  // Own account alice sits at seat index 2 (bit 4): carol on the left (bit 2), bob opposite
  // (bit 1), dave on the right (bit 8).
  static std::vector<PlayerFields> Table() {
    return {{.account = "alice", .nick = "爱丽丝", .seat = 4, .face = "w2", .sex = 0},
            {.account = "carol", .nick = "Carol", .seat = 2, .face = "w3", .sex = 0, .gold = 500},
            {.account = "bob", .nick = "Bob", .seat = 1, .face = "m10", .sex = 1, .gold = 70},
            {.account = "dave", .nick = "Dave", .seat = 8, .face = "m12", .sex = 1}};
  }

  // Pushes frames and gives the scheduler time to dispatch them all.
  void Feed(const std::vector<wire::Frame>& frames) {
    for (const auto& f : frames) Push(f);
    Advance(100 + 60 * static_cast<std::int64_t>(frames.size()));
  }

  void SeatNames() {
    Feed({NameFrame(1, "bob"), NameFrame(2, "carol"), NameFrame(4, "alice"), NameFrame(8, "dave")});
  }

  void SeatTable(const std::vector<PlayerFields>& players = Table()) {
    SeatNames();
    std::vector<wire::Frame> info;
    for (const auto& p : players) info.push_back(PlayerFrame(p));
    Feed(info);
  }

  // Result sheets written so far: each adds its hand's row to the history window.
  int Sheets() const { return static_cast<int>(c.Hero.Num.Items().size()); }
  // The last sheet written was a draw's: its first column opens with the draw line.
  bool LastSheetIsADraw() const {
    const auto& col = c.Score.State(0).Items();
    return !col.empty() && col.front() == "      黄  庄";
  }
  // A message line in the chat history (each history line starts with a space).
  bool InHistory(const std::string& line) const {
    const auto& rows = c.Talk.Text1.Items();
    return std::find(rows.begin(), rows.end(), " " + line) != rows.end();
  }
  std::vector<std::string> Sysmsg(int list) const { return c.MainForm.Sysmsg(list).Items(); }
};

}  // namespace qtest
