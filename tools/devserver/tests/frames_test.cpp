// Each kind of frame the server sends, read back the way the client reads it.
#include <gtest/gtest.h>

#include "protocol.h"
#include "rules.h"
#include "text/gbk.h"
#include "wire/frame.h"

namespace devserver::proto {
namespace {

wire::NetMsg Read(const wire::Frame& f) {
  return wire::DecodeHeader(f);
}
std::span<const std::uint8_t> S(const wire::Frame& f) {
  return std::span<const std::uint8_t>(f);
}

TEST(Frames, LoginResult) {
  const auto f = LoginResult(1, 8, 3, "http://x");
  const auto m = Read(f);
  EXPECT_EQ(m.Cmd, 18);
  EXPECT_EQ(m.Value[3], 1);
  EXPECT_EQ(m.Value[1] & 15, 8);
  EXPECT_EQ(m.Value[0], 3);
  EXPECT_EQ(text::DecodeSingleByte(S(f).subspan(16, 100), 100), "http://x");
}

TEST(Frames, SeatNameAndPlayerInfo) {
  const auto n = SeatName(2, "alice");
  EXPECT_EQ(Read(n).Cmd, 3);
  EXPECT_EQ(Read(n).Seat, 4);
  EXPECT_EQ(text::DecodeSingleByte(S(n).subspan(16, 16), 16), "alice");

  PlayerCard p;
  p.account = "bot_ahu";
  p.nick = "阿虎";
  p.face = "w3";
  p.sex = 0;
  p.gold = 12345;
  p.group = "电脑";
  p.caption = "机器人";
  p.ready = true;
  p.userId = 77;
  const auto f = PlayerInfo(0, p);
  const auto m = Read(f);
  EXPECT_EQ(m.Cmd, 20);
  EXPECT_EQ(m.Seat, 0);
  EXPECT_EQ(text::DecodeDoubleByte(S(f).subspan(16, 32), 32), "阿虎");
  EXPECT_EQ(text::DecodeSingleByte(S(f).subspan(48, 16), 16), "w3");
  EXPECT_EQ(f[64], 0);
  EXPECT_EQ(wire::ReadU64LEAsDouble(S(f), 96), 12345.0);
  EXPECT_EQ(text::DecodeDoubleByte(S(f).subspan(112, 16), 16), "电脑");
  EXPECT_EQ(text::DecodeSingleByte(S(f).subspan(168, 16), 16), "bot_ahu");
  EXPECT_EQ(text::DecodeDoubleByte(S(f).subspan(184, 24), 24), "机器人");
  EXPECT_EQ(f[208], 1);
  EXPECT_EQ(wire::ReadU64LEAsDouble(S(f), 226), 77.0);
}

TEST(Frames, TableStatusForms) {
  const auto setup = HandSetup(3, 0x12345678);
  EXPECT_EQ(Read(setup).Cmd, 16);
  EXPECT_EQ(Read(setup).Value[3], 2);
  EXPECT_EQ(Read(setup).Seat, 8);
  EXPECT_EQ(wire::ReadU32LE(S(setup), 268), 0x12345678u);
  EXPECT_LT(wire::ReadU32LE(S(HandSetup(0, 0xFFFFFFFF)), 268), 0x80000000u);
  EXPECT_EQ(Read(Continue()).Value[3], 0);
  EXPECT_EQ(Read(PlayersLeft(7)).Value[3], 1);
  EXPECT_EQ(Read(PlayersLeft(7)).Seat, 7);
  EXPECT_EQ(Read(LackGold(14, 0)).Value[3], 3);
}

TEST(Frames, HandFlow) {
  const auto start = HandStart(1, {6, 5, 3, 4});
  EXPECT_EQ(Read(start).Cmd, 4);
  EXPECT_EQ(Read(start).Seat, 2);
  EXPECT_EQ(Read(start).Value, (std::array<std::int16_t, 4>{6, 5, 3, 4}));
  EXPECT_EQ(Read(Deal(0, {0x11, 0x89, 0x43, 0x21})).Value,
            (std::array<std::int16_t, 4>{0x11, 0x89, 0x43, 0x21}));
  EXPECT_EQ(Read(Draw(3, 0x89)).Value[3], 0x89);
  EXPECT_EQ(Read(Draw(3, 0x89)).Seat, 8);
  const auto w = Read(Wild(0x46, 0x45));
  EXPECT_EQ(w.Cmd, 14);
  EXPECT_EQ(w.Value[2], 0x46);
  EXPECT_EQ(w.Value[3], 0x45);

  PromptInfo p;
  p.options = devserver::kOptPass | devserver::kOptPeng | devserver::kOptHu;
  p.ting = true;
  p.tingDialog = true;
  p.tingCandidates = {0x11, 0x43};
  p.clock = 9;
  const auto pr = Prompt(2, p);
  EXPECT_EQ(Read(pr).Value[0], 137);
  EXPECT_EQ(pr[16], 1);
  EXPECT_EQ(pr[17], 1);
  EXPECT_EQ(pr[20], 0x11);
  EXPECT_EQ(pr[21], 0x43);
  EXPECT_EQ(pr[22], 0);
  EXPECT_EQ(pr[100], 9);

  const auto d = Discard(1, 0x43, 2, {0x21, 0x22});
  EXPECT_EQ(Read(d).Value[3], 0x43);
  EXPECT_EQ(d[16], 2);
  EXPECT_EQ(d[20], 0x21);
  EXPECT_EQ(d[21], 0x22);
  EXPECT_EQ(Discard(1, 0x43, 3, {0x21})[20], 0);  // a closed ting shows nothing

  const auto c = Read(Claim(0, devserver::kOptChi, {0x42, 0x44, 0x43}, 0, {}));
  EXPECT_EQ(c.Cmd, 7);
  EXPECT_EQ(c.Value, (std::array<std::int16_t, 4>{4, 0x42, 0x44, 0x43}));

  // The client fills slots from value 3 down: the first tile sits in value 3.
  const auto r = Read(Reveal(2, {0x11, 0x12, 0x13}));
  EXPECT_EQ(r.Cmd, 15);
  EXPECT_EQ(r.Value, (std::array<std::int16_t, 4>{0, 0x13, 0x12, 0x11}));
}

TEST(Frames, ResultsAndDetails) {
  const auto loss = SeatResult(1, -30);
  EXPECT_EQ(Read(loss).Cmd, 9);
  EXPECT_EQ(loss[11], 1);
  EXPECT_EQ(static_cast<std::int32_t>(wire::ReadU32LE(S(loss), 16)), -30);
  EXPECT_EQ(loss[23], 0xFF);

  DetailRow row;
  row.base = 10;
  row.bytes.at(18 - 16) = 64;
  row.bytes.at(61 - 16) = 2;
  row.text = "胡了";
  const auto f = WinDetail(3, row);
  const auto m = Read(f);  // command 17 values are read as signed 16-bit numbers
  EXPECT_EQ(m.Value[1], 10);
  EXPECT_EQ(m.Value[3], 1);
  EXPECT_EQ(f[18], 64);
  EXPECT_EQ(f[61], 2);
  EXPECT_EQ(text::DecodeDoubleByte(S(f).subspan(235, 21), 21), "胡了");
}

TEST(Frames, GoldReadyLeftAndChatForms) {
  const auto own = OwnGold(-16);
  EXPECT_EQ(Read(own).Cmd, 91);
  EXPECT_NE(own[16], 0);
  EXPECT_EQ(wire::ReadU64LEAsDouble(S(own), 17), 16.0);
  const auto other = OtherGold(40, "bot_ahu");
  EXPECT_EQ(other[16], 0);
  EXPECT_EQ(wire::ReadU64LEAsDouble(S(other), 17), 40.0);
  EXPECT_EQ(text::DecodeDoubleByte(S(other).subspan(25, 17), 17), "bot_ahu");

  const auto ready = ReadyMark(1, "alice");
  EXPECT_EQ(Read(ready).Value[3], 1);
  EXPECT_EQ(text::DecodeSingleByte(S(ready).subspan(16, 16), 16), "alice");
  const auto left = PlayerLeft("alice");
  EXPECT_EQ(left[8], 0);
  EXPECT_EQ(text::DecodeSingleByte(S(left).subspan(16, 16), 16), "alice");
  EXPECT_EQ(text::DecodeDoubleByte(S(TableClosed("桌子关闭")).subspan(16, 200), 200), "桌子关闭");
}

TEST(Frames, ReconnectResumeAndSnapshot) {
  EXPECT_EQ(Read(ReconnectResult(1)).Value[3], 1);
  const auto r = Read(Resume(2, {3, 4, 5, 6}, 0x46, 0x45));
  EXPECT_EQ(r.Cmd, 41);
  EXPECT_EQ(r.Seat, 4);
  EXPECT_EQ(r.Value, (std::array<std::int16_t, 4>{3, 4, 0x46, 0x45}));

  SnapshotSeat s;
  s.exposed = {0x15, 0x43, 0x43, 0x43};
  s.concealed = {0x21, 0x22};
  s.discards = 7;
  const auto f = Snapshot(1, s, 60, 3);
  const auto m = Read(f);
  EXPECT_EQ(m.Cmd, 40);
  EXPECT_EQ(m.Arg2, 7);
  EXPECT_EQ(m.Value[1], 60);
  EXPECT_EQ(m.Value[3], 3);
  EXPECT_EQ(f[16] >> 4, 2);
  EXPECT_EQ(f[17], 0x15);
  EXPECT_EQ(f[24] >> 4, 1);
  EXPECT_EQ(f[25], 0x21);
  EXPECT_EQ(f[28], 0);  // the rest are empty pairs
}

TEST(Frames, ClientMovesAreReadWithTheirFlags) {
  auto f = Header(2, 4, {0, 0, 0, 0x4043});
  f[16] = 3;
  const auto m = ReadClient(f);
  EXPECT_EQ(m.cmd, 2);
  EXPECT_EQ(m.seatBit, 4);
  EXPECT_EQ(m.v[3], 0x4043);
  EXPECT_EQ(TileOf(m.v[3]), 0x43);
  EXPECT_EQ(m.byte16, 3);
}

}  // namespace
}  // namespace devserver::proto
