#pragma once
// The 272-byte frame both sides of the game connection speak, and its pure byte layout.
// Shared by the client and the development server.
#include <array>
#include <cstdint>
#include <span>

#include "wire/commands.h"

namespace wire {

constexpr int kFrameSize = 272;
using Frame = std::array<std::uint8_t, kFrameSize>;

// Byte offsets.
constexpr int kOffCmdHigh = 2;
constexpr int kOffCmd = 3;
constexpr int kOffArg1 = 5;
constexpr int kOffSeat = 6;
constexpr int kOffArg2 = 7;
constexpr int kOffValues = 8;
constexpr int kOffPayload = 16;
constexpr int kOffChatLen = 236;
constexpr int kOffKey = 260;

// The message record: what a frame's header says.
struct NetMsg {
  std::int16_t Cmd = 0;
  std::uint8_t Arg1 = 0;
  std::uint8_t Seat = 0;
  std::uint8_t Arg2 = 0;
  std::array<std::int16_t, 4> Value{};
};

// Writes the header and the four values (16-bit two's complement, high byte first) into a
// frame of zeros. The key bytes and payload are left for the caller.
Frame EncodeHeader(const NetMsg& msg);

// Reads a header as the client reads what the server sends: Seat keeps its low four bits, and
// every value but those of command 17 is its low byte only.
NetMsg DecodeHeader(std::span<const std::uint8_t, kFrameSize> frame);

// Full signed 16-bit value i, high byte first (how the server reads client values).
std::int16_t ReadValue16(std::span<const std::uint8_t, kFrameSize> frame, int i);

// Little- and big-endian numbers inside payloads.
std::uint32_t ReadU32BE(std::span<const std::uint8_t> bytes, std::size_t at);
std::int32_t ReadI32LE(std::span<const std::uint8_t> bytes, std::size_t at);
std::uint32_t ReadU32LE(std::span<const std::uint8_t> bytes, std::size_t at);
// An unsigned 64-bit little-endian number, accumulated from its highest byte down as a double.
double ReadU64LEAsDouble(std::span<const std::uint8_t> bytes, std::size_t at);
void WriteU32BE(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t v);
void WriteU32LE(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t v);
void WriteU64LE(std::span<std::uint8_t> bytes, std::size_t at, std::uint64_t v);

}  // namespace wire
