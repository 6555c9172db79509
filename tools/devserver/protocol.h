#pragma once
// Frames the server sends, built field by field, and the client frames it reads.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "wire/frame.h"

namespace devserver::proto {

// Command numbers.
enum Cmd : int {
  kDeal = 1,
  kDiscard = 2,
  kSeatName = 3,
  kHandStart = 4,
  kDraw = 5,
  kPrompt = 6,
  kClaim = 7,
  kResult = 9,
  kWild = 14,
  kReveal = 15,
  kTableStatus = 16,
  kWinDetail = 17,
  kLogin = 18,
  kChat = 19,
  kPlayerInfo = 20,
  kPlayerLeft = 21,
  kTableClosed = 22,
  kReady = 23,
  kKeepAlive = 24,
  kReconnect = 28,
  kReconnectResult = 29,
  kSnapshot = 40,
  kResume = 41,
  kOwnGold = 91,
  kOtherGold = 92,
};

inline int SeatBit(int seat) {
  return 1 << seat;
}

wire::Frame Header(int cmd, int seatBit, std::array<int, 4> values = {0, 0, 0, 0});
// Single-byte text, at most maxLen bytes (characters without a one-byte code become '?').
void PutSingle(wire::Frame& f, int at, const std::string& utf8, int maxLen);
// GBK text, at most maxLen bytes, never splitting a two-byte character.
void PutDouble(wire::Frame& f, int at, const std::string& utf8, int maxLen);
void PutU64(wire::Frame& f, int at, std::uint64_t v);
void PutKey(wire::Frame& f, std::array<std::uint8_t, 2> key);

struct PlayerCard {
  std::string account;
  std::string nick;
  std::string face = "m1";
  int sex = 1;
  double gold = 0;
  std::string group;
  std::string caption;
  bool ready = false;
  std::uint64_t userId = 0;
  std::uint32_t wealth = 0;  // the seat's wealth multiple, 0 for none
};

wire::Frame LoginResult(int result, int countdown, int timeoutLimit, const std::string& adPage);
wire::Frame SeatName(int seat, const std::string& account);
// seatField: the seat bit, 15 for "this is you", or 0 for "the next free place".
wire::Frame PlayerInfo(int seatField, const PlayerCard& p);
wire::Frame HandSetup(int dealer, std::uint32_t ticket);
// The game continues; the table's wealth multiple (0 for none) rides at 16-19.
wire::Frame Continue(std::uint32_t wealthMultiple = 0);
wire::Frame PlayersLeft(int remainingMask);
wire::Frame LackGold(int mayContinueMask, int mustChangeRoomMask);
// With diceMultiple the last two dice also multiply the hand's stakes.
wire::Frame HandStart(int dealer, const std::array<int, 4>& dice, bool diceMultiple = false);
wire::Frame Deal(int seat, const std::array<std::uint8_t, 4>& tiles);
wire::Frame Draw(int seat, std::uint8_t tile);
wire::Frame Wild(std::uint8_t wild, std::uint8_t indicator);
struct PromptInfo {
  int options = 0;
  bool ting = false;
  bool tingDialog = false;
  std::vector<std::uint8_t> tingCandidates;
  int clock = 10;
};
wire::Frame Prompt(int seat, const PromptInfo& p);
// tingMark 0, 2 (open: the concealed tiles follow at 20) or 3 (closed).
wire::Frame Discard(int seat, std::uint8_t tile, int tingMark,
                    const std::vector<std::uint8_t>& shown);
wire::Frame Claim(int seat, int kind, const std::array<std::uint8_t, 3>& tiles, int tingMark,
                  const std::vector<std::uint8_t>& shown);
// Up to four tiles of a hand, first tile in value 3.
wire::Frame Reveal(int seat, const std::vector<std::uint8_t>& fourTiles);
wire::Frame SeatResult(int seat, std::int64_t amount);
struct DetailRow {
  int base = 10;
  int currency = 1;
  std::array<std::uint8_t, 46> bytes{};  // frame bytes 16..61
  std::string text;                      // 235..255
};
wire::Frame WinDetail(int seat, const DetailRow& row);
wire::Frame OwnGold(std::int64_t delta);
wire::Frame OtherGold(std::int64_t delta, const std::string& account);
wire::Frame ReadyMark(int seat, const std::string& account);
wire::Frame PlayerLeft(const std::string& account);
wire::Frame TableClosed(const std::string& text);
wire::Frame ReconnectResult(int result);
wire::Frame Resume(int dealer, const std::array<int, 4>& dice, std::uint8_t wild,
                   std::uint8_t indicator);
struct SnapshotSeat {
  std::vector<std::uint8_t> exposed;
  std::vector<std::uint8_t> concealed;
  int discards = 0;
};
wire::Frame Snapshot(int seat, const SnapshotSeat& s, int headUsed, int tailUsed);

// What a client frame says, read as the server reads it (full 16-bit values).
struct ClientMsg {
  int cmd = 0;
  int seatBit = 0;
  std::array<int, 4> v{};
  int byte16 = 0;
  std::array<std::uint8_t, 2> key{};
};
ClientMsg ReadClient(const wire::Frame& f);
// Tile code carried in a move value (flag bits above the code dropped).
inline std::uint8_t TileOf(int value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

// One line for the log: command, header fields, key and the non-zero payload bytes.
std::string Describe(const wire::Frame& f);

}  // namespace devserver::proto
