#include "support/frame_builder.h"

#include <algorithm>
#include <stdexcept>

#include "text/gbk.h"

namespace qtest {

FrameBuilder::FrameBuilder(int cmd) {
  f_[wire::kOffCmdHigh] = static_cast<std::uint8_t>((cmd >> 8) & 0xFF);
  f_[wire::kOffCmd] = static_cast<std::uint8_t>(cmd & 0xFF);
}

FrameBuilder& FrameBuilder::arg1(int v) {
  return byte(wire::kOffArg1, v);
}
FrameBuilder& FrameBuilder::seat(int v) {
  return byte(wire::kOffSeat, v);
}
FrameBuilder& FrameBuilder::arg2(int v) {
  return byte(wire::kOffArg2, v);
}

FrameBuilder& FrameBuilder::v(int i, int value) {
  const auto u = static_cast<std::uint16_t>(value);
  byte(wire::kOffValues + 2 * i, u >> 8);
  return byte(wire::kOffValues + 2 * i + 1, u & 0xFF);
}

FrameBuilder& FrameBuilder::key(int b260, int b261) {
  byte(wire::kOffKey, b260);
  return byte(wire::kOffKey + 1, b261);
}

FrameBuilder& FrameBuilder::byte(int offset, int value) {
  f_.at(static_cast<std::size_t>(offset)) = static_cast<std::uint8_t>(value);
  return *this;
}

FrameBuilder& FrameBuilder::bytes(int offset, std::span<const std::uint8_t> data) {
  for (std::size_t i = 0; i < data.size(); ++i) byte(offset + static_cast<int>(i), data[i]);
  return *this;
}

FrameBuilder& FrameBuilder::text(int offset, const std::string& utf8) {
  auto gbk = text::ToGbk(utf8);
  if (!gbk) throw std::invalid_argument("not GBK: " + utf8);
  return bytes(offset, *gbk);
}

FrameBuilder& FrameBuilder::u32be(int offset, std::uint32_t v) {
  wire::WriteU32BE(f_, static_cast<std::size_t>(offset), v);
  return *this;
}

FrameBuilder& FrameBuilder::u32le(int offset, std::uint32_t v) {
  wire::WriteU32LE(f_, static_cast<std::size_t>(offset), v);
  return *this;
}

FrameBuilder& FrameBuilder::u64le(int offset, std::uint64_t v) {
  wire::WriteU64LE(f_, static_cast<std::size_t>(offset), v);
  return *this;
}

std::vector<wire::Frame> SplitFrames(std::span<const std::uint8_t> bytes) {
  std::vector<wire::Frame> out;
  for (std::size_t at = 0; at + wire::kFrameSize <= bytes.size(); at += wire::kFrameSize) {
    wire::Frame f{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), wire::kFrameSize, f.begin());
    out.push_back(f);
  }
  return out;
}

std::vector<std::uint8_t> Concat(std::initializer_list<wire::Frame> frames) {
  std::vector<std::uint8_t> out;
  for (const auto& f : frames) out.insert(out.end(), f.begin(), f.end());
  return out;
}

}  // namespace qtest
