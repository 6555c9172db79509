#include "wire/frame.h"

#include <stdexcept>
#include <string>

namespace wire {

namespace {

// Payload offsets come from handlers reading server frames: check them, never trust them.
template <typename T>
std::span<T> Field(std::span<T> bytes, std::size_t at, std::size_t n) {
  if (at > bytes.size() || bytes.size() - at < n) {
    throw std::out_of_range("payload field " + std::to_string(at) + "+" + std::to_string(n) +
                            " outside " + std::to_string(bytes.size()) + " bytes");
  }
  return bytes.subspan(at, n);
}

}  // namespace

Frame EncodeHeader(const NetMsg& msg) {
  Frame f{};
  const auto cmd = static_cast<std::uint16_t>(msg.Cmd);
  f[kOffCmdHigh] = static_cast<std::uint8_t>(cmd >> 8);
  f[kOffCmd] = static_cast<std::uint8_t>(cmd & 0xFF);
  f[kOffArg1] = msg.Arg1;
  f[kOffSeat] = msg.Seat;
  f[kOffArg2] = msg.Arg2;
  for (int i = 0; i < 4; ++i) {
    const auto v = static_cast<std::uint16_t>(msg.Value[static_cast<std::size_t>(i)]);
    f[static_cast<std::size_t>(kOffValues + 2 * i)] = static_cast<std::uint8_t>(v >> 8);
    f[static_cast<std::size_t>(kOffValues + 2 * i + 1)] = static_cast<std::uint8_t>(v & 0xFF);
  }
  return f;
}

NetMsg DecodeHeader(std::span<const std::uint8_t, kFrameSize> frame) {
  NetMsg m;
  m.Cmd = frame[kOffCmd];
  m.Arg1 = frame[kOffArg1];
  m.Seat = static_cast<std::uint8_t>(frame[kOffSeat] & 0x0F);
  m.Arg2 = frame[kOffArg2];
  for (int i = 0; i < 4; ++i) {
    m.Value[static_cast<std::size_t>(i)] =
        m.Cmd == 17
            ? ReadValue16(frame, i)
            : static_cast<std::int16_t>(frame[static_cast<std::size_t>(kOffValues + 2 * i + 1)]);
  }
  return m;
}

std::int16_t ReadValue16(std::span<const std::uint8_t, kFrameSize> frame, int i) {
  const auto at = static_cast<std::size_t>(kOffValues + 2 * i);
  const auto raw = static_cast<std::uint16_t>((frame[at] << 8) | frame[at + 1]);
  return static_cast<std::int16_t>(raw);
}

std::uint32_t ReadU32BE(std::span<const std::uint8_t> bytes, std::size_t at) {
  auto b = Field(bytes, at, 4);
  return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
         std::uint32_t{b[3]};
}

std::uint32_t ReadU32LE(std::span<const std::uint8_t> bytes, std::size_t at) {
  auto b = Field(bytes, at, 4);
  return (std::uint32_t{b[3]} << 24) | (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[1]} << 8) |
         std::uint32_t{b[0]};
}

std::int32_t ReadI32LE(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::int32_t>(ReadU32LE(bytes, at));
}

double ReadU64LEAsDouble(std::span<const std::uint8_t> bytes, std::size_t at) {
  auto b = Field(bytes, at, 8);
  double v = 0;
  for (int i = 7; i >= 0; --i) v = v * 256 + b[static_cast<std::size_t>(i)];
  return v;
}

void WriteU32BE(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t v) {
  auto b = Field(bytes, at, 4);
  for (int i = 3; i >= 0; --i) {
    b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v & 0xFF);
    v >>= 8;
  }
}

void WriteU32LE(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t v) {
  auto b = Field(bytes, at, 4);
  for (std::size_t i = 0; i < 4; ++i) {
    b[i] = static_cast<std::uint8_t>(v & 0xFF);
    v >>= 8;
  }
}

void WriteU64LE(std::span<std::uint8_t> bytes, std::size_t at, std::uint64_t v) {
  auto b = Field(bytes, at, 8);
  for (std::size_t i = 0; i < 8; ++i) {
    b[i] = static_cast<std::uint8_t>(v & 0xFF);
    v >>= 8;
  }
}

}  // namespace wire
