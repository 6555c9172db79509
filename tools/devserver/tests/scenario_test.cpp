#include <gtest/gtest.h>

#include <stdexcept>

#include "scenario.h"

namespace devserver {
namespace {

TEST(ScenarioParser, ReadsEveryStepKind) {
  const auto sc = ParseScenario(
      "# login\n"
      "accept\n"
      "expect 18 within 1000\n"
      "send 18 v3=1 v1=8 key=12,34 byte16=\"http://x\"\n"
      "expect 24 seat=1 within 6000 key=12,34\n"
      "  wait 500\n"
      "expect-no 2 within 300\n"
      "close\n"
      "accept within 2000\n"
      "expect-close within 100\n");
  ASSERT_EQ(sc.steps.size(), 9u);
  EXPECT_EQ(sc.steps[0].kind, Step::Kind::Accept);
  EXPECT_EQ(sc.steps[0].ms, 10000);
  EXPECT_EQ(sc.steps[1].kind, Step::Kind::Expect);
  EXPECT_EQ(sc.steps[1].cmd, 18);
  EXPECT_EQ(sc.steps[1].ms, 1000);
  EXPECT_EQ(sc.steps[2].kind, Step::Kind::Send);
  EXPECT_EQ(sc.steps[2].line, 4);
  EXPECT_EQ(sc.steps[3].ms, 6000);
  EXPECT_EQ(sc.steps[3].fields.size(), 2u);
  EXPECT_EQ(sc.steps[4].kind, Step::Kind::Wait);
  EXPECT_EQ(sc.steps[4].ms, 500);
  EXPECT_EQ(sc.steps[5].kind, Step::Kind::ExpectNo);
  EXPECT_EQ(sc.steps[6].kind, Step::Kind::Close);
  EXPECT_EQ(sc.steps[7].ms, 2000);
  EXPECT_EQ(sc.steps[8].kind, Step::Kind::ExpectClose);
}

TEST(ScenarioParser, BuildsTheFrameOfASend) {
  const auto sc = ParseScenario(
      "send 18 v3=1 v1=8 v0=-1 key=12,34 byte16=\"http://x\" seat=15 arg2=2 byte100=1,2 "
      "text120=\"你好\" u32le268=7\n");
  const auto f = BuildFrame(sc.steps.at(0));
  EXPECT_EQ(f[3], 18);
  EXPECT_EQ(f[6], 15);
  EXPECT_EQ(f[7], 2);
  EXPECT_EQ(f[8], 0xFF);
  EXPECT_EQ(f[9], 0xFF);
  EXPECT_EQ(f[11], 8);
  EXPECT_EQ(f[15], 1);
  EXPECT_EQ(f[16], 'h');
  EXPECT_EQ(f[23], 'x');
  EXPECT_EQ(f[24], 0);
  EXPECT_EQ(f[100], 1);
  EXPECT_EQ(f[101], 2);
  EXPECT_EQ(f[120], 0xC4);  // 你 in GBK
  EXPECT_EQ(f[121], 0xE3);
  EXPECT_EQ(f[260], 12);
  EXPECT_EQ(f[261], 34);
  EXPECT_EQ(f[268], 7);
}

TEST(ScenarioParser, MatchesFieldsOfAnExpect) {
  const auto sc = ParseScenario(
      "expect 2 v3=0x4043 tile3=0x43 key=last\n"
      "expect 24 key=5,6\n");
  wire::Frame f{};
  f[3] = 2;
  f[14] = 0x40;
  f[15] = 0x43;
  f[260] = 9;
  f[261] = 8;
  std::string why;
  EXPECT_TRUE(Matches(sc.steps[0], f, {9, 8}, &why)) << why;
  EXPECT_FALSE(Matches(sc.steps[0], f, {9, 7}, &why));
  EXPECT_NE(why.find("key"), std::string::npos);
  f[14] = 0;
  EXPECT_FALSE(Matches(sc.steps[0], f, {9, 8}, &why));
  EXPECT_NE(why.find("value 3"), std::string::npos);
  EXPECT_FALSE(Matches(sc.steps[1], f, {5, 6}, &why));  // another command
}

TEST(ScenarioParser, RejectsBadLinesNamingThem) {
  const char* bad[] = {
      "frobnicate 3\n",
      "send\n",
      "send 18 v7=1\n",
      "send 18 byte300=1\n",
      "send 18 byte16=256\n",
      "send 18 key=1\n",
      "send 18 key=last\n",
      "expect 18 within\n",
      "send 18 byte16=\"open\n",
      "send 18 nonsense\n",
      "wait\n",
      "accept now\n",
      "send 18 byte270=1,2,3\n",
      "send 18 text16=abc\n",
  };
  for (const char* text : bad) {
    const std::string withLine = std::string("accept\n") + text;
    try {
      ParseScenario(withLine);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace devserver
