#pragma once
// Builds server frames by field name: FrameBuilder(5).seat(2).v(3, 0x43).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "wire/frame.h"

namespace qtest {

class FrameBuilder {
 public:
  explicit FrameBuilder(int cmd);
  FrameBuilder& arg1(int v);
  FrameBuilder& seat(int v);
  FrameBuilder& arg2(int v);
  // Value i as a full 16-bit big-endian number.
  FrameBuilder& v(int i, int value);
  FrameBuilder& key(int b260, int b261);
  FrameBuilder& byte(int offset, int value);
  FrameBuilder& bytes(int offset, std::span<const std::uint8_t> data);
  // UTF-8 text written as GBK bytes.
  FrameBuilder& text(int offset, const std::string& utf8);
  FrameBuilder& u32be(int offset, std::uint32_t v);
  FrameBuilder& u32le(int offset, std::uint32_t v);
  FrameBuilder& u64le(int offset, std::uint64_t v);

  const wire::Frame& frame() const { return f_; }
  operator const wire::Frame&() const { return f_; }  // NOLINT: reads naturally in tests

 private:
  wire::Frame f_{};
};

// Cuts a byte stream into whole frames (a trailing partial frame is dropped).
std::vector<wire::Frame> SplitFrames(std::span<const std::uint8_t> bytes);
// All frames as one byte stream.
std::vector<std::uint8_t> Concat(std::initializer_list<wire::Frame> frames);

}  // namespace qtest
