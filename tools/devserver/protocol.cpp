#include "protocol.h"

#include <cstdio>
#include <span>

#include "text/gbk.h"

namespace devserver::proto {
namespace {

std::size_t Off(int at) {
  return static_cast<std::size_t>(at);
}

void PutSign64(wire::Frame& f, int signAt, int at, std::int64_t delta, bool signMeansNegative) {
  const bool negative = delta < 0;
  const auto magnitude = static_cast<std::uint64_t>(negative ? -delta : delta);
  f.at(Off(signAt)) = static_cast<std::uint8_t>(negative == signMeansNegative ? 1 : 0);
  PutU64(f, at, magnitude);
}

}  // namespace

wire::Frame Header(int cmd, int seatBit, std::array<int, 4> values) {
  wire::NetMsg m;
  m.Cmd = static_cast<std::int16_t>(cmd);
  m.Seat = static_cast<std::uint8_t>(seatBit);
  for (std::size_t i = 0; i < 4; ++i) m.Value.at(i) = static_cast<std::int16_t>(values.at(i));
  return wire::EncodeHeader(m);
}

void PutSingle(wire::Frame& f, int at, const std::string& utf8, int maxLen) {
  auto bytes = text::EncodeSingleByte(utf8);
  std::vector<std::uint8_t> b = bytes ? *bytes : std::vector<std::uint8_t>(utf8.size(), '?');
  for (int i = 0; i < maxLen && i < static_cast<int>(b.size()); ++i) {
    f.at(Off(at + i)) = b.at(static_cast<std::size_t>(i));
  }
}

void PutDouble(wire::Frame& f, int at, const std::string& utf8, int maxLen) {
  const auto b = text::EncodeDoubleByte(utf8);
  int i = 0;
  while (i < static_cast<int>(b.size())) {
    const int width = b.at(static_cast<std::size_t>(i)) >= 0x80 ? 2 : 1;
    if (i + width > maxLen || i + width > static_cast<int>(b.size())) break;
    for (int k = 0; k < width; ++k) f.at(Off(at + i + k)) = b.at(static_cast<std::size_t>(i + k));
    i += width;
  }
}

void PutU64(wire::Frame& f, int at, std::uint64_t v) {
  wire::WriteU64LE(std::span<std::uint8_t>(f), Off(at), v);
}

void PutKey(wire::Frame& f, std::array<std::uint8_t, 2> key) {
  f.at(wire::kOffKey) = key[0];
  f.at(wire::kOffKey + 1) = key[1];
}

wire::Frame LoginResult(int result, int countdown, int timeoutLimit, const std::string& adPage) {
  auto f = Header(kLogin, 0, {timeoutLimit, countdown & 0x0F, 0, result});
  PutSingle(f, 16, adPage, 100);
  return f;
}

wire::Frame SeatName(int seat, const std::string& account) {
  auto f = Header(kSeatName, SeatBit(seat));
  PutSingle(f, 16, account, 16);
  return f;
}

wire::Frame PlayerInfo(int seatField, const PlayerCard& p) {
  auto f = Header(kPlayerInfo, seatField);
  PutDouble(f, 16, p.nick, 32);
  PutSingle(f, 48, p.face, 16);
  f.at(64) = static_cast<std::uint8_t>(p.sex);
  PutU64(f, 96, static_cast<std::uint64_t>(p.gold < 0 ? 0 : p.gold));
  PutDouble(f, 112, p.group, 16);
  PutSingle(f, 168, p.account, 16);
  PutDouble(f, 184, p.caption, 24);
  f.at(208) = p.ready ? 1 : 0;
  PutU64(f, 226, p.userId);
  wire::WriteU32LE(std::span<std::uint8_t>(f), 234, p.wealth);
  f.at(238) = p.wealth != 0 ? 1 : 0;
  return f;
}

wire::Frame HandSetup(int dealer, std::uint32_t ticket) {
  auto f = Header(kTableStatus, SeatBit(dealer), {0, 0, 0, 2});
  wire::WriteU32LE(std::span<std::uint8_t>(f), 268, ticket & 0x7FFFFFFFu);
  return f;
}

wire::Frame Continue(std::uint32_t wealthMultiple) {
  auto f = Header(kTableStatus, 15, {0, 0, 0, 0});
  wire::WriteU32LE(std::span<std::uint8_t>(f), 16, wealthMultiple);
  return f;
}

wire::Frame PlayersLeft(int remainingMask) {
  return Header(kTableStatus, remainingMask, {0, 0, 0, 1});
}

wire::Frame LackGold(int mayContinueMask, int mustChangeRoomMask) {
  return Header(kTableStatus, mayContinueMask, {0, mustChangeRoomMask, 0, 3});
}

wire::Frame HandStart(int dealer, const std::array<int, 4>& dice, bool diceMultiple) {
  auto f = Header(kHandStart, SeatBit(dealer), dice);
  f.at(18) = diceMultiple ? 1 : 0;
  return f;
}

wire::Frame Deal(int seat, const std::array<std::uint8_t, 4>& tiles) {
  return Header(kDeal, SeatBit(seat), {tiles[0], tiles[1], tiles[2], tiles[3]});
}

wire::Frame Draw(int seat, std::uint8_t tile) {
  return Header(kDraw, SeatBit(seat), {0, 0, 0, tile});
}

wire::Frame Wild(std::uint8_t wild, std::uint8_t indicator) {
  return Header(kWild, 0, {0, 0, wild, indicator});
}

wire::Frame Prompt(int seat, const PromptInfo& p) {
  auto f = Header(kPrompt, SeatBit(seat), {p.options & 0xFF, 0, 0, 0});
  if (p.ting) {
    f.at(16) = 1;
    f.at(17) = p.tingDialog ? 1 : 0;
    for (std::size_t i = 0; i < p.tingCandidates.size() && i < 14; ++i) {
      f.at(20 + i) = p.tingCandidates.at(i);
    }
  }
  f.at(100) = static_cast<std::uint8_t>(p.clock);
  return f;
}

namespace {
void PutTing(wire::Frame& f, int tingMark, const std::vector<std::uint8_t>& shown) {
  f.at(16) = static_cast<std::uint8_t>(tingMark);
  if (tingMark == 2) {
    for (std::size_t i = 0; i < shown.size() && i < 14; ++i) f.at(20 + i) = shown.at(i);
  }
}
}  // namespace

wire::Frame Discard(int seat, std::uint8_t tile, int tingMark,
                    const std::vector<std::uint8_t>& shown) {
  auto f = Header(kDiscard, SeatBit(seat), {0, 0, 0, tile});
  PutTing(f, tingMark, shown);
  return f;
}

wire::Frame Claim(int seat, int kind, const std::array<std::uint8_t, 3>& tiles, int tingMark,
                  const std::vector<std::uint8_t>& shown) {
  auto f = Header(kClaim, SeatBit(seat), {kind, tiles[0], tiles[1], tiles[2]});
  PutTing(f, tingMark, shown);
  return f;
}

wire::Frame Reveal(int seat, const std::vector<std::uint8_t>& fourTiles) {
  std::array<int, 4> v{};
  for (std::size_t k = 0; k < 4 && k < fourTiles.size(); ++k) v.at(3 - k) = fourTiles.at(k);
  return Header(kReveal, SeatBit(seat), v);
}

wire::Frame SeatResult(int seat, std::int64_t amount) {
  auto f = Header(kResult, SeatBit(seat));
  // Byte 11 = 1: the amount stands as written (two's complement for a loss).
  f.at(11) = 1;
  PutU64(f, 16, static_cast<std::uint64_t>(amount));
  return f;
}

wire::Frame WinDetail(int seat, const DetailRow& row) {
  auto f = Header(kWinDetail, SeatBit(seat), {0, row.base, 0, row.currency});
  for (std::size_t k = 0; k < row.bytes.size(); ++k) f.at(16 + k) = row.bytes.at(k);
  PutDouble(f, 235, row.text, 21);
  return f;
}

wire::Frame OwnGold(std::int64_t delta) {
  auto f = Header(kOwnGold, 0);
  PutSign64(f, 16, 17, delta, true);
  return f;
}

wire::Frame OtherGold(std::int64_t delta, const std::string& account) {
  auto f = Header(kOtherGold, 0);
  PutSign64(f, 16, 17, delta, true);
  PutDouble(f, 25, account, 16);
  return f;
}

wire::Frame ReadyMark(int seat, const std::string& account) {
  auto f = Header(kReady, SeatBit(seat), {0, 0, 0, 1});
  PutSingle(f, 16, account, 16);
  return f;
}

wire::Frame PlayerLeft(const std::string& account) {
  auto f = Header(kPlayerLeft, 0);
  PutSingle(f, 16, account, 16);
  return f;
}

wire::Frame TableClosed(const std::string& text) {
  auto f = Header(kTableClosed, 0);
  PutDouble(f, 16, text, 200);
  return f;
}

wire::Frame ReconnectResult(int result) {
  return Header(kReconnectResult, 0, {0, 0, 0, result});
}

wire::Frame Resume(int dealer, const std::array<int, 4>& dice, std::uint8_t wild,
                   std::uint8_t indicator) {
  return Header(kResume, SeatBit(dealer), {dice[0], dice[1], wild, indicator});
}

wire::Frame Snapshot(int seat, const SnapshotSeat& s, int headUsed, int tailUsed) {
  auto f = Header(kSnapshot, SeatBit(seat), {0, headUsed & 0xFF, 0, tailUsed & 0xFF});
  f.at(wire::kOffArg2) = static_cast<std::uint8_t>(s.discards);
  std::size_t pair = 0;
  auto put = [&](std::uint8_t tag, std::uint8_t code) {
    if (pair >= 24) return;
    f.at(16 + 2 * pair) = tag;
    f.at(17 + 2 * pair) = code;
    ++pair;
  };
  for (auto c : s.exposed) put(0x20, c);
  for (auto c : s.concealed) put(0x10, c);
  return f;
}

ClientMsg ReadClient(const wire::Frame& f) {
  ClientMsg m;
  m.cmd = f.at(wire::kOffCmd);
  m.seatBit = f.at(wire::kOffSeat) & 0x0F;
  for (int i = 0; i < 4; ++i) m.v.at(static_cast<std::size_t>(i)) = wire::ReadValue16(f, i);
  m.byte16 = f.at(16);
  m.key = {f.at(wire::kOffKey), f.at(wire::kOffKey + 1)};
  return m;
}

std::string Describe(const wire::Frame& f) {
  std::string out;
  char buf[96];
  std::snprintf(buf, sizeof buf, "cmd %d arg1 %d seat %d arg2 %d v[%d %d %d %d] key %d,%d",
                f.at(2) * 256 + f.at(3), f.at(5), f.at(6), f.at(7), wire::ReadValue16(f, 0),
                wire::ReadValue16(f, 1), wire::ReadValue16(f, 2), wire::ReadValue16(f, 3),
                f.at(260), f.at(261));
  out = buf;
  std::string payload;
  int shown = 0;
  for (std::size_t i = 16; i < f.size(); ++i) {
    if (i == 260 || i == 261 || f.at(i) == 0) continue;
    if (shown == 24) {
      payload += " ...";
      break;
    }
    std::snprintf(buf, sizeof buf, " %zu=%02x", i, f.at(i));
    payload += buf;
    ++shown;
  }
  if (!payload.empty()) out += " |" + payload;
  return out;
}

}  // namespace devserver::proto
