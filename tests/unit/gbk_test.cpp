#include <gtest/gtest.h>

#include <vector>

#include "text/gbk.h"

namespace text {
namespace {

Bytes B(std::initializer_list<int> v) {
  Bytes out;
  for (int x : v) out.push_back(static_cast<std::uint8_t>(x));
  return out;
}

TEST(Gbk, RoundTripsChineseText) {
  const auto gbk = ToGbk("红中abc");
  ASSERT_TRUE(gbk);
  EXPECT_EQ(*gbk, B({0xBA, 0xEC, 0xD6, 0xD0, 'a', 'b', 'c'}));
  EXPECT_EQ(FromGbk(*gbk), "红中abc");
  EXPECT_FALSE(ToGbk("🀄"));
}

TEST(Gbk, DoubleByteTextJoinsLeadBytesAndStopsAtZero) {
  const Bytes b = B({0xBA, 0xEC, 'x', 0, 'y'});
  EXPECT_EQ(DecodeDoubleByte(b, 5), "红x");
  EXPECT_EQ(DecodeDoubleByte(b, 5, false), "红xy");
  EXPECT_EQ(DecodeDoubleByte(b, 1), "?") << "a lead byte cut off at the field end";
  EXPECT_EQ(DecodeDoubleByte(B({0xFF, 0xFF, 'a'}), 3), "?a");
}

TEST(Gbk, SingleByteTextEndsAtZeroOrLength) {
  EXPECT_EQ(DecodeSingleByte(B({'a', 'b', 0, 'c'}), 16), "ab");
  EXPECT_EQ(DecodeSingleByte(B({'a', 'b', 'c'}), 2), "ab");
  const auto enc = EncodeSingleByte("alice_01");
  ASSERT_TRUE(enc);
  EXPECT_EQ(enc->size(), 8u);
  EXPECT_FALSE(EncodeSingleByte("张三")) << "no single-byte code";
}

TEST(Gbk, CharactersCountNotBytes) {
  EXPECT_EQ(CharCount("一号桌abc"), 6u);
  EXPECT_EQ(FirstChars("一号桌abc", 4), "一号桌a");
  EXPECT_EQ(EncodeDoubleByte("a🀄b"), B({'a', '?', 'b'}));
}

}  // namespace
}  // namespace text
