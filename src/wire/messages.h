#pragma once
// What each command the server sends says, decoded from its frame in one place. Every message
// carries the header fields as the client reads them (see DecodeHeader) and the payload fields
// its handlers use; text fields stay raw bytes in the frame's code page, for the handler to
// decode. Decoding never allocates.
#include <array>
#include <cstdint>

#include "wire/frame.h"

namespace wire {

template <std::size_t N>
using Bytes = std::array<std::uint8_t, N>;

// The ting mark of a discard or a claim: 0 none, 2 open ting, 3 closed ting; an open ting
// shows the seat's concealed tiles.
struct TingMark {
  std::uint8_t Mark = 0;
  Bytes<14> ShownHand{};
};

struct Deal : NetMsg {};        // 1: Value(0..3) the four tiles
struct Draw : NetMsg {};        // 5: Value(3) the drawn tile
struct WildTile : NetMsg {};    // 14: Value(2) the wild tile, Value(3) its indicator
struct HandResume : NetMsg {};  // 41: Seat the dealer, Value(0..1) dice, (2) wild, (3) indicator
struct PropScores : NetMsg {};  // 46

struct Discard : NetMsg {  // 2: Value(3) the tile
  TingMark Ting;
};

struct ClaimResult : NetMsg {  // 7: Value(0) the kind, Value(1..3) the meld's tiles
  TingMark Ting;
};

struct SeatNames : NetMsg {  // 3
  Bytes<16> Account{};       // single-byte text
};

struct HandStart : NetMsg {  // 4: Value(0..1) dice, Value(2..3) the dice multiple's dice
  bool DiceMultiple = false;
};

struct Prompt : NetMsg {  // 6: Value(0) the offered options
  bool TingOffered = false;
  bool TingDialog = false;
  Bytes<14> TingCandidates{};
  std::uint8_t Clock = 0;  // seconds
};

struct HandResult : NetMsg {  // 9
  bool Gained = false;        // the sign: false when the amount is lost
  std::int64_t Amount = 0;    // as sent, before the sign
  std::uint8_t Cap = 0;
};

struct Reveal : NetMsg {  // 15: Value(3..0) up to four revealed tiles
  Bytes<5> BonusTiles{};  // 0 = none
};

struct TableStatus : NetMsg {     // 16: Value(3) which status
  std::uint8_t ShortReady = 0;    // continue: 1 for the short countdown; lacking gold: seat bits
  std::uint32_t NewMultiple = 0;  // continue: the wealth multiple
  std::uint32_t Ticket = 0;       // hand set up: the reconnection ticket
};

struct WinDetail : NetMsg {  // 17: values signed; Value(1) and Value(3) the first two rows
  Bytes<46> Rows{};
  Bytes<21> WinText{};  // double-byte text
};

struct LoginResult : NetMsg {  // 18: Value(3) the result, Value(0) timeouts, Value(1) clock
  Bytes<100> AdPage{};         // single-byte text
};

struct Chat : NetMsg {  // 19
  // 272 or 260: a frame of the prop plug-in, else a chat line.
  std::uint32_t Length = 0;
  Bytes<200> Line{};  // double-byte text
};

struct PlayerInfo : NetMsg {  // 20
  Bytes<32> NickName{};       // double-byte
  Bytes<16> Face{};           // single-byte
  std::uint8_t Sex = 0;
  Bytes<8> Title{};  // double-byte
  double Num1 = 0, Num2 = 0, Gold = 0, Num4 = 0;
  Bytes<16> Group{};  // double-byte
  double Num5 = 0, Num6 = 0, Num7 = 0;
  std::array<std::int32_t, 4> Stat{};
  Bytes<16> Account{};  // single-byte
  Bytes<24> Caption{};  // double-byte
  bool Ready = false;
  Bytes<8> VoiceA{};  // single-byte
  Bytes<8> VoiceB{};  // single-byte
  double UserId = 0;
  std::uint32_t Wealth = 0;  // the wealth multiple
  bool WealthLegend = false;
  bool NoProps = false;
};

struct PlayerLeft : NetMsg {  // 21
  // The account's first byte may come shifted up by one, flagged by this.
  bool Shifted = false;
  Bytes<16> Account{};  // single-byte
  std::uint8_t ShortReady = 0;
};

struct TableClosed : NetMsg {  // 22
  Bytes<200> Notice{};         // double-byte
};

struct PlayerReady : NetMsg {  // 23: Value(3) 1 when ready
  Bytes<16> Account{};         // single-byte
};

struct ReconnectResult : NetMsg {  // 29
  std::uint8_t Result = 0;         // 1 accepted
};

struct Snapshot : NetMsg {  // 40: Arg2 discards, Value(1) head and Value(3) tail taken
  struct Pair {
    std::uint8_t Tag = 0;  // 1 concealed, 2 exposed
    std::uint8_t Code = 0;
  };
  std::array<Pair, 24> Pairs{};
};

struct Gold : NetMsg {  // 91 own gold, 92 another player's
  double Change = 0;    // signed
  Bytes<17> Account{};  // 92 only; double-byte
};

Deal DecodeDeal(const Frame& f);
Discard DecodeDiscard(const Frame& f);
SeatNames DecodeSeatNames(const Frame& f);
HandStart DecodeHandStart(const Frame& f);
Draw DecodeDraw(const Frame& f);
Prompt DecodePrompt(const Frame& f);
ClaimResult DecodeClaimResult(const Frame& f);
HandResult DecodeHandResult(const Frame& f);
WildTile DecodeWildTile(const Frame& f);
Reveal DecodeReveal(const Frame& f);
TableStatus DecodeTableStatus(const Frame& f);
WinDetail DecodeWinDetail(const Frame& f);
LoginResult DecodeLoginResult(const Frame& f);
Chat DecodeChat(const Frame& f);
PlayerInfo DecodePlayerInfo(const Frame& f);
PlayerLeft DecodePlayerLeft(const Frame& f);
TableClosed DecodeTableClosed(const Frame& f);
PlayerReady DecodePlayerReady(const Frame& f);
ReconnectResult DecodeReconnectResult(const Frame& f);
Snapshot DecodeSnapshot(const Frame& f);
HandResume DecodeHandResume(const Frame& f);
PropScores DecodePropScores(const Frame& f);
Gold DecodeGold(const Frame& f);

}  // namespace wire
