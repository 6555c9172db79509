#include "platform/lobby_wire.h"

#include <cstdio>

#include "text/gbk.h"

namespace platform {

namespace {

constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

void PutLe32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetLe32(const std::uint8_t* at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return v;
}

}  // namespace

std::uint64_t Fnv1a64(std::span<const std::uint8_t> bytes) {
  std::uint64_t h = kFnvOffset;
  for (std::uint8_t b : bytes) {
    h ^= b;
    h *= kFnvPrime;
  }
  return h;
}

std::string WindowSocketName(std::string_view titleUtf8) {
  const text::Bytes gbk = text::EncodeDoubleByte(titleUtf8);
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a64(gbk)));
  return std::string("wnd-") + hex + ".sock";
}

std::array<std::uint8_t, kWireMessageSize> EncodeWireMessage(const WireMessage& m) {
  std::array<std::uint8_t, kWireMessageSize> out{};
  PutLe32(out.data(), m.msg);
  PutLe32(out.data() + 4, static_cast<std::uint32_t>(m.wParam));
  PutLe32(out.data() + 8, static_cast<std::uint32_t>(m.lParam));
  return out;
}

WireMessage DecodeWireMessage(std::span<const std::uint8_t, kWireMessageSize> bytes) {
  return {GetLe32(bytes.data()), static_cast<std::int32_t>(GetLe32(bytes.data() + 4)),
          static_cast<std::int32_t>(GetLe32(bytes.data() + 8))};
}

std::array<std::uint8_t, kWireAnswerSize> EncodeWireAnswer(std::int32_t result) {
  std::array<std::uint8_t, kWireAnswerSize> out{};
  PutLe32(out.data(), static_cast<std::uint32_t>(result));
  return out;
}

std::int32_t DecodeWireAnswer(std::span<const std::uint8_t, kWireAnswerSize> bytes) {
  return static_cast<std::int32_t>(GetLe32(bytes.data()));
}

}  // namespace platform
