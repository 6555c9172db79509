#pragma once
// The bytes of the local lobby channel, where the platform has no window messages: the socket
// name a window listens on and the 12-byte message with its 4-byte answer.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform {

constexpr std::size_t kWireMessageSize = 12;
constexpr std::size_t kWireAnswerSize = 4;

struct WireMessage {
  std::uint32_t msg = 0;
  std::int32_t wParam = 0;
  std::int32_t lParam = 0;
  friend bool operator==(const WireMessage&, const WireMessage&) = default;
};

// FNV-1a, 64 bits.
std::uint64_t Fnv1a64(std::span<const std::uint8_t> bytes);
// "wnd-<16 lowercase hex digits>.sock": the hash of the title's GBK bytes. A character GBK
// cannot hold counts as '?', as the single-byte code page would show it.
std::string WindowSocketName(std::string_view titleUtf8);

std::array<std::uint8_t, kWireMessageSize> EncodeWireMessage(const WireMessage& m);
WireMessage DecodeWireMessage(std::span<const std::uint8_t, kWireMessageSize> bytes);
std::array<std::uint8_t, kWireAnswerSize> EncodeWireAnswer(std::int32_t result);
std::int32_t DecodeWireAnswer(std::span<const std::uint8_t, kWireAnswerSize> bytes);

}  // namespace platform
