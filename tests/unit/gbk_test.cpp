#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
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

// The same bytes on every system: each row is checked as it stands on POSIX and on Windows.
struct DecodeRow {
  const char* what;
  Bytes gbk;
  const char* utf8;
};

TEST(GbkEverywhere, ReadsEachAreaOfTheTableAlike) {
  const DecodeRow rows[] = {
      {"level 3 first", B({0x81, 0x40}), "\xE4\xB8\x82"},
      {"level 3 last", B({0xA0, 0xFE}), "\xE7\x8B\x9B"},
      {"level 1 first", B({0xA1, 0xA1}), "\xE3\x80\x80"},
      {"level 1 middle dot", B({0xA1, 0xA4}), "\xC2\xB7"},
      {"level 5 first", B({0xA8, 0x40}), "\xCB\x8A"},
      {"level 5 ling", B({0xA9, 0x96}), "\xE3\x80\x87"},
      {"level 2 first", B({0xB0, 0xA1}), "\xE5\x95\x8A"},
      {"level 2 last", B({0xF7, 0xFE}), "\xE9\xBD\x84"},
      {"level 4 first", B({0xAA, 0x40}), "\xE7\x8B\x9C"},
      {"level 4 last", B({0xFE, 0x4F}), "\xEF\xA8\xA9"},
      {"client text", B({0xD2, 0xD1, 0xC1, 0xAC, 0xBD, 0xD3}), "已连接"},
      {"client text", B({0xD6, 0xD8, 0xC1, 0xAC, 0xD6, 0xD0, 0x20, 0x33, 0x2F, 0x32, 0x31}),
       "重连中 3/21"},
      {"client text", B({0xCE, 0xB4, 0xC1, 0xAC, 0xBD, 0xD3}), "未连接"},
      {"client text", B({0xC1, 0xA2, 0xBC, 0xB4, 0xD6, 0xD8, 0xC1, 0xAC}), "立即重连"},
      {"client text", B({0xC8, 0xA1, 0xCF, 0xFB}), "取消"},
      {"client text",
       B({0xB6, 0xAB, 0xC4, 0xCF, 0xCE, 0xF7, 0xB1, 0xB1, 0xD6, 0xD0, 0xB7, 0xA2, 0xB0, 0xD7}),
       "东南西北中发白"},
      {"client text", B({0xCD, 0xF2, 0xCC, 0xF5, 0xCD, 0xB2}), "万条筒"},
      {"client text", B({0xB3, 0xD4, 0xC5, 0xF6, 0xB8, 0xDC, 0xCC, 0xFD, 0xBA, 0xFA}),
       "吃碰杠听胡"},
      {"client text", B({0xD2, 0xBB, 0xBA, 0xC5, 0xD7, 0xC0}), "一号桌"},
      // The user-defined areas, and codes one system leaves out and another maps privately.
      {"user area AAA1", B({0xAA, 0xA1}), "?"},
      {"user area AFFE", B({0xAF, 0xFE}), "?"},
      {"user area F8A1", B({0xF8, 0xA1}), "?"},
      {"user area FEFE", B({0xFE, 0xFE}), "?"},
      {"user area A140", B({0xA1, 0x40}), "?"},
      {"user area A7A0", B({0xA7, 0xA0}), "?"},
      {"unassigned A2E3", B({0xA2, 0xE3}), "?"},
      {"unassigned FE50", B({0xFE, 0x50}), "?"},
      {"unassigned A8BF", B({0xA8, 0xBF}), "?"},
      // Bytes that are no trail, and leads that are no lead: one '?' per pair.
      {"trail 7F", B({0x81, 0x7F, 'a'}), "?a"},
      {"trail FF", B({0x81, 0xFF, 'a'}), "?a"},
      {"trail below 40", B({0x81, 0x30, 'a'}), "?a"},
      {"euro as a lead", B({0x80, 0x41}), "?"},
      {"FF as a lead", B({0xFF, 0x41}), "?"},
      {"cut lead byte", B({'a', 0xB0}), "a?"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DecodeDoubleByte(row.gbk, row.gbk.size(), false), row.utf8) << row.what;
  }
  EXPECT_EQ(DecodeDoubleByte(B({'a', 0xB0, 0x00, 'b'}), 4), "a?") << "a lead cut by the end";
  EXPECT_EQ(DecodeSingleByte(B({0x80, 'a', 0xFF, 0xB0}), 4),
            "\xE2\x82\xAC"
            "a??");
}

TEST(GbkEverywhere, WritesAlikeAndRefusesTheSame) {
  EXPECT_EQ(ToGbk("\xE2\x82\xAC"), B({0x80})) << "the euro sign is one byte";
  EXPECT_EQ(ToGbk("\xC2\xB7\xE3\x80\x87\xEF\xA8\xA9"), B({0xA1, 0xA4, 0xA9, 0x96, 0xFE, 0x4F}));
  const char* refused[] = {
      "\xEE\x80\x80",      // private use: the first user-defined code on one system
      "\xEF\xA3\xB5",      // private use: the single byte FF on another
      "\xF0\x9F\x80\x84",  // beyond GBK
      "\xC2\x80",          // a control character GBK lacks
      "\xC3",              // UTF-8 cut short
      "\xC0\xAF",          // overlong
      "\xED\xA0\x80",      // a lone surrogate
      "\x80",              // a stray continuation byte
  };
  for (const char* s : refused) {
    EXPECT_FALSE(ToGbk(s)) << ::testing::PrintToString(std::string(s));
    EXPECT_EQ(EncodeDoubleByte(std::string("a") + s), B({'a', '?'}))
        << ::testing::PrintToString(std::string(s));
  }
  EXPECT_EQ(FirstUnsendable("a\xE2\x82\xAC"), "\xE2\x82\xAC") << "a single byte over 127";
}

// FNV-1a: one number stands for a whole conversion table.
std::uint64_t Fnv(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

TEST(GbkEverywhere, EveryDoubleByteCodeReadsTheSame) {
  Bytes all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      all.push_back(static_cast<std::uint8_t>(lead));
      all.push_back(static_cast<std::uint8_t>(trail));
    }
  }
  const std::string text = FromGbk(all);
  EXPECT_EQ(CharCount(text), all.size() / 2) << "one character per pair";
  std::size_t unreadable = 0;
  for (const char c : text) unreadable += c == '?';
  EXPECT_EQ(unreadable, 2149u) << "the user-defined areas and unassigned codes";
  EXPECT_EQ(Fnv(text), 13712855002399288743u);
}

TEST(GbkEverywhere, EveryCharacterOfTheBasicPlaneWritesTheSame) {
  std::string all;
  for (char32_t cp = 0x80; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    if (cp < 0x800) {
      all += static_cast<char>(0xC0 | (cp >> 6));
    } else {
      all += static_cast<char>(0xE0 | (cp >> 12));
      all += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    all += static_cast<char>(0x80 | (cp & 0x3F));
  }
  const Bytes gbk = EncodeDoubleByte(all);
  EXPECT_EQ(gbk.size(), 2u * 21791 + 1 + (63360 - 21792))
      << "pairs, the euro sign, and a ? for the rest";
  EXPECT_EQ(Fnv({reinterpret_cast<const char*>(gbk.data()), gbk.size()}), 13074815816195512047u);
}

TEST(GbkEverywhere, TheClientsOwnTextFilesGoThereAndBack) {
  for (const char* name : {"chat.ini", "rule.ini"}) {
    std::ifstream in(std::string(QINTARA_DATA_DIR) + "/" + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto gbk = ToGbk(utf8);
    ASSERT_TRUE(gbk) << name << ": " << FirstUnsendable(utf8).value_or("");
    EXPECT_EQ(FromGbk(*gbk), utf8) << name;
  }
}

}  // namespace
}  // namespace text
