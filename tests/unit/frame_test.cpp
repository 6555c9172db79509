#include <gtest/gtest.h>

#include "support/frame_builder.h"
#include "wire/frame.h"

namespace wire {
namespace {

TEST(FrameLayout, HeaderAndValuesGoOutBigEndianTwosComplement) {
  NetMsg m;
  m.Cmd = 7;
  m.Arg1 = 1;
  m.Seat = 4;
  m.Arg2 = 2;
  m.Value = {-1, 0x2043, 300, 0};
  const Frame f = EncodeHeader(m);
  EXPECT_EQ(f[2], 0);
  EXPECT_EQ(f[3], 7);
  EXPECT_EQ(f[5], 1);
  EXPECT_EQ(f[6], 4);
  EXPECT_EQ(f[7], 2);
  EXPECT_EQ(f[8], 0xFF);
  EXPECT_EQ(f[9], 0xFF);
  EXPECT_EQ(f[10], 0x20);
  EXPECT_EQ(f[11], 0x43);
  EXPECT_EQ(f[12], 0x01);
  EXPECT_EQ(f[13], 0x2C);
  for (int i = 16; i < kFrameSize; ++i) EXPECT_EQ(f[static_cast<std::size_t>(i)], 0) << i;
}

TEST(FrameLayout, ReceivedValuesAreLowBytesExceptForWinDetails) {
  const Frame detail = qtest::FrameBuilder(17).v(0, -1).v(1, 300).v(2, -300);
  const NetMsg d = DecodeHeader(detail);
  EXPECT_EQ(d.Value[0], -1);
  EXPECT_EQ(d.Value[1], 300);
  EXPECT_EQ(d.Value[2], -300);

  const Frame other = qtest::FrameBuilder(5).v(0, -1).v(1, 300).seat(0xF4);
  const NetMsg o = DecodeHeader(other);
  EXPECT_EQ(o.Value[0], 255);
  EXPECT_EQ(o.Value[1], 44);
  EXPECT_EQ(o.Seat, 4) << "only the low four bits name seats";
}

TEST(FrameLayout, PayloadNumbers) {
  Frame f{};
  WriteU32BE(f, 236, 272);
  EXPECT_EQ(f[236], 0);
  EXPECT_EQ(f[238], 1);
  EXPECT_EQ(f[239], 0x10);
  EXPECT_EQ(ReadU32BE(f, 236), 272u);
  WriteU64LE(f, 96, 0x0102030405060708ULL);
  EXPECT_EQ(f[96], 0x08);
  EXPECT_EQ(f[103], 0x01);
  EXPECT_DOUBLE_EQ(ReadU64LEAsDouble(f, 96), 72623859790382856.0);
  WriteU32LE(f, 152, 0xFFFFFFFE);
  EXPECT_EQ(ReadI32LE(f, 152), -2);
  EXPECT_THROW(ReadU32BE(std::span<const std::uint8_t>(f).subspan(270), 0), std::exception);
}

}  // namespace
}  // namespace wire
