#pragma once
// One fuzz input against a fresh client on the virtual host.
//
// Input layout: byte 0 picks how far the client gets before the input arrives (0 logged in,
// 1 seated, 2 watching a seated player). The rest is a sequence of pieces, each a control
// byte c followed by (c & 0x1f) * 17 bytes of server data (272 = 16 * 17, so 0x10 carries one
// whole frame); after the piece the virtual clock advances by (c >> 5) ticks of 50 ms. A
// short last piece takes what is left. Seeds made from server transcripts use 0x50: one
// frame, then two ticks, as a steady server would.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qfuzz {

constexpr std::uint8_t kModeLoggedIn = 0;
constexpr std::uint8_t kModeSeated = 1;
constexpr std::uint8_t kModeWatching = 2;
constexpr std::uint8_t kWholeFrameTwoTicks = 0x50;

struct Outcome {
  bool ended = false;  // the program ended (a fault path, or a command that ends it)
  std::string endReason;
  std::size_t received = 0;  // frames the client dispatched after it was seated
};

Outcome RunInput(std::span<const std::uint8_t> data);

}  // namespace qfuzz
