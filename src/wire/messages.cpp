#include "wire/messages.h"

#include <algorithm>

namespace wire {

namespace {

// Offsets are constants checked against the frame's size when this file compiles.
template <std::size_t At>
std::uint8_t Byte(const Frame& f) {
  static_assert(At < kFrameSize);
  return f[At];
}

template <std::size_t At, std::size_t N>
Bytes<N> Copy(const Frame& f) {
  static_assert(At + N <= kFrameSize);
  Bytes<N> out{};
  std::copy_n(f.begin() + At, N, out.begin());
  return out;
}

template <std::size_t At>
std::uint32_t U32LE(const Frame& f) {
  static_assert(At + 4 <= kFrameSize);
  return ReadU32LE(f, At);
}

template <std::size_t At>
double U64LE(const Frame& f) {
  static_assert(At + 8 <= kFrameSize);
  return ReadU64LEAsDouble(f, At);
}

template <typename M>
M WithHeader(const Frame& f) {
  M m{};
  static_cast<NetMsg&>(m) = DecodeHeader(f);
  return m;
}

// Discards and claims: byte 16 the ting mark, 20..33 the concealed tiles of an open ting.
TingMark DecodeTing(const Frame& f) {
  return {Byte<16>(f), Copy<20, 14>(f)};
}

}  // namespace

Deal DecodeDeal(const Frame& f) {
  return WithHeader<Deal>(f);
}

Draw DecodeDraw(const Frame& f) {
  return WithHeader<Draw>(f);
}

WildTile DecodeWildTile(const Frame& f) {
  return WithHeader<WildTile>(f);
}

HandResume DecodeHandResume(const Frame& f) {
  return WithHeader<HandResume>(f);
}

PropScores DecodePropScores(const Frame& f) {
  return WithHeader<PropScores>(f);
}

Discard DecodeDiscard(const Frame& f) {
  auto m = WithHeader<Discard>(f);
  m.Ting = DecodeTing(f);
  return m;
}

ClaimResult DecodeClaimResult(const Frame& f) {
  auto m = WithHeader<ClaimResult>(f);
  m.Ting = DecodeTing(f);
  return m;
}

// Seat names: the account at 16..31.
SeatNames DecodeSeatNames(const Frame& f) {
  auto m = WithHeader<SeatNames>(f);
  m.Account = Copy<16, 16>(f);
  return m;
}

// Hand start: byte 18 switches the dice multiple on.
HandStart DecodeHandStart(const Frame& f) {
  auto m = WithHeader<HandStart>(f);
  m.DiceMultiple = Byte<18>(f) != 0;
  return m;
}

// Decision prompt: 16 ting offered, 17 ting by the dialog, 20..33 the ting candidates, 100 the
// clock's seconds.
Prompt DecodePrompt(const Frame& f) {
  auto m = WithHeader<Prompt>(f);
  m.TingOffered = Byte<16>(f) == 1;
  m.TingDialog = Byte<17>(f) == 1;
  m.TingCandidates = Copy<20, 14>(f);
  m.Clock = Byte<100>(f);
  return m;
}

// Hand result: 11 the sign (0 lost), 16..23 the amount (little-endian), 25 the cap flag.
HandResult DecodeHandResult(const Frame& f) {
  auto m = WithHeader<HandResult>(f);
  m.Gained = Byte<11>(f) != 0;
  std::uint64_t bits = 0;
  const auto amount = Copy<16, 8>(f);
  for (std::size_t i = 0; i < amount.size(); ++i) bits |= std::uint64_t{amount[i]} << (8 * i);
  m.Amount = static_cast<std::int64_t>(bits);
  m.Cap = Byte<25>(f);
  return m;
}

// Reveal: 16..20 the bonus tiles.
Reveal DecodeReveal(const Frame& f) {
  auto m = WithHeader<Reveal>(f);
  m.BonusTiles = Copy<16, 5>(f);
  return m;
}

// Table status: 11 the short-countdown flag or the seats lacking gold that may change room,
// 16..19 the new wealth multiple, 268..271 the reconnection ticket (both little-endian).
TableStatus DecodeTableStatus(const Frame& f) {
  auto m = WithHeader<TableStatus>(f);
  m.ShortReady = Byte<11>(f);
  m.NewMultiple = U32LE<16>(f);
  m.Ticket = U32LE<268>(f);
  return m;
}

// Win detail: 16..61 the rows after the first two, 235..255 the win's text.
WinDetail DecodeWinDetail(const Frame& f) {
  auto m = WithHeader<WinDetail>(f);
  m.Rows = Copy<16, 46>(f);
  m.WinText = Copy<235, 21>(f);
  return m;
}

// Login result: 16..115 the advertisement page.
LoginResult DecodeLoginResult(const Frame& f) {
  auto m = WithHeader<LoginResult>(f);
  m.AdPage = Copy<16, 100>(f);
  return m;
}

// Chat: 16..215 the line, 236..239 the length (big-endian).
Chat DecodeChat(const Frame& f) {
  auto m = WithHeader<Chat>(f);
  m.Line = Copy<16, 200>(f);
  m.Length = ReadU32BE(f, 236);
  return m;
}

// Player information: the player's record from byte 16 on; 64-bit numbers little-endian.
PlayerInfo DecodePlayerInfo(const Frame& f) {
  auto m = WithHeader<PlayerInfo>(f);
  m.NickName = Copy<16, 32>(f);
  m.Face = Copy<48, 16>(f);
  m.Sex = Byte<64>(f);
  m.Title = Copy<72, 8>(f);
  m.Num1 = U64LE<80>(f);
  m.Num2 = U64LE<88>(f);
  m.Gold = U64LE<96>(f);
  m.Num4 = U64LE<104>(f);
  m.Group = Copy<112, 16>(f);
  m.Num5 = U64LE<128>(f);
  m.Num6 = U64LE<136>(f);
  m.Num7 = U64LE<144>(f);
  for (std::size_t i = 0; i < m.Stat.size(); ++i) m.Stat[i] = ReadI32LE(f, 152 + 4 * i);
  m.Account = Copy<168, 16>(f);
  m.Caption = Copy<184, 24>(f);
  m.Ready = Byte<208>(f) == 1;
  m.VoiceA = Copy<210, 8>(f);
  m.VoiceB = Copy<218, 8>(f);
  m.UserId = U64LE<226>(f);
  m.Wealth = U32LE<234>(f);
  m.WealthLegend = Byte<238>(f) != 0;
  m.NoProps = Byte<255>(f) != 0;
  return m;
}

// Player left: 8 flags a first account byte shifted up by one, 11 the short-countdown flag,
// 16..31 the account.
PlayerLeft DecodePlayerLeft(const Frame& f) {
  auto m = WithHeader<PlayerLeft>(f);
  m.Shifted = Byte<8>(f) == 1;
  m.ShortReady = Byte<11>(f);
  m.Account = Copy<16, 16>(f);
  return m;
}

// Table closed: 16..215 the notice.
TableClosed DecodeTableClosed(const Frame& f) {
  auto m = WithHeader<TableClosed>(f);
  m.Notice = Copy<16, 200>(f);
  return m;
}

// Player ready: 16..31 the account.
PlayerReady DecodePlayerReady(const Frame& f) {
  auto m = WithHeader<PlayerReady>(f);
  m.Account = Copy<16, 16>(f);
  return m;
}

// Reconnection result: byte 15.
ReconnectResult DecodeReconnectResult(const Frame& f) {
  auto m = WithHeader<ReconnectResult>(f);
  m.Result = Byte<15>(f);
  return m;
}

// Snapshot: 24 pairs from byte 16, the tag in the high nibble of the first byte, then the code.
Snapshot DecodeSnapshot(const Frame& f) {
  auto m = WithHeader<Snapshot>(f);
  const auto raw = Copy<16, 48>(f);
  for (std::size_t k = 0; k < m.Pairs.size(); ++k) {
    m.Pairs[k] = {static_cast<std::uint8_t>(raw[2 * k] >> 4), raw[2 * k + 1]};
  }
  return m;
}

// Gold: 16 the sign (non-zero a loss), 17..24 the amount (little-endian), 25..41 the account.
Gold DecodeGold(const Frame& f) {
  auto m = WithHeader<Gold>(f);
  const double amount = U64LE<17>(f);
  m.Change = Byte<16>(f) != 0 ? -amount : amount;
  m.Account = Copy<25, 17>(f);
  return m;
}

}  // namespace wire
