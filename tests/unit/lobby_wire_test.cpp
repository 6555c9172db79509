// The local lobby channel's bytes: every program that plays a window must agree on them.
#include "platform/lobby_wire.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

std::span<const std::uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(LobbyWire, Fnv1a64KnownVectors) {
  EXPECT_EQ(platform::Fnv1a64(Bytes("")), 0xcbf29ce484222325ULL);
  EXPECT_EQ(platform::Fnv1a64(Bytes("a")), 0xaf63dc4c8601ec8cULL);
  EXPECT_EQ(platform::Fnv1a64(Bytes("foobar")), 0x85944171f73967e8ULL);
}

TEST(LobbyWire, SocketNameHashesTheGbkBytesOfTheTitle) {
  struct Case {
    const char* title;
    const char* name;
  };
  const Case cases[] = {
      {"VorelLodge", "wnd-8682ab6cd9833c2c.sock"},
      {"Qintara", "wnd-78f6e2944685d161.sock"},
      // GBK b4f3 ccfc d2bb bac5, not the UTF-8 bytes (which would give ecaf7e093d7ef6f4).
      {"大厅一号", "wnd-e53e4cb0256a390e.sock"},
      // A character outside GBK is hashed as '?'.
      {"a\xF0\x9F\x98\x80", "wnd-089c0907b5453429.sock"},
      {"", "wnd-cbf29ce484222325.sock"},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(platform::WindowSocketName(k.title), k.name) << k.title;
  }
}

TEST(LobbyWire, MessageIsTwelveLittleEndianBytes) {
  const platform::WireMessage m{0x0112, 0xF120, -2};
  const auto bytes = platform::EncodeWireMessage(m);
  const std::array<std::uint8_t, 12> expected{0x12, 0x01, 0,    0,    0x20, 0xF1,
                                              0,    0,    0xFE, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(platform::DecodeWireMessage(bytes), m);

  const platform::WireMessage big{0xFFFFFFFFU, INT32_MIN, INT32_MAX};
  EXPECT_EQ(platform::DecodeWireMessage(platform::EncodeWireMessage(big)), big);
}

TEST(LobbyWire, AnswerIsFourLittleEndianBytes) {
  const auto bytes = platform::EncodeWireAnswer(1125);
  const std::array<std::uint8_t, 4> expected{0x65, 0x04, 0, 0};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(platform::DecodeWireAnswer(bytes), 1125);
  EXPECT_EQ(platform::DecodeWireAnswer(platform::EncodeWireAnswer(-1)), -1);
}

}  // namespace
