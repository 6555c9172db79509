#include <gtest/gtest.h>

#include <stdexcept>

#include "app/cmdline.h"
#include "session/program.h"
#include "text/number.h"

namespace app {
namespace {

TEST(CommandLine, FifteenFieldsEachEndedByDollar) {
  const auto cl = SplitCommandLine("  a$b$host$7000$loc$0$ph$1080$u$p$0$Lobby$Cap$1$7$  ");
  EXPECT_FALSE(cl.watchMode);
  ASSERT_EQ(cl.fields.size(), 15u);
  EXPECT_EQ(cl.fields[0], "a");
  EXPECT_EQ(cl.fields[14], "7");
}

TEST(CommandLine, TextAfterTheLastDollarIsNoFieldAndStartsWatchMode) {
  const auto cl = SplitCommandLine("a$b$host$7000$loc$1234");
  EXPECT_TRUE(cl.watchMode);
  EXPECT_EQ(cl.fields.size(), 5u);
  EXPECT_DOUBLE_EQ(cl.watchedUserId, 1234);
  EXPECT_DOUBLE_EQ(SplitCommandLine("a$b$h$1$l$x9").watchedUserId, 0);
  EXPECT_DOUBLE_EQ(SplitCommandLine("a$b$h$1$l$42abc").watchedUserId, 42);
}

TEST(CommandLine, AtMostFifteenFields) {
  std::string line;
  for (int i = 0; i < 20; ++i) line += std::to_string(i) + "$";
  EXPECT_EQ(SplitCommandLine(line).fields.size(), 15u);
}

TEST(CommandLine, NumericFields) {
  EXPECT_EQ(ParseIntField("7000", 0, 65535), 7000);
  EXPECT_EQ(ParseIntField(" 12 ", 0, 100), 12);
  EXPECT_EQ(ParseIntField("40000", 0, 65535), 40000) << "ports above 32767 are real ports";
  EXPECT_THROW(ParseIntField("", 0, 65535), std::invalid_argument);
  EXPECT_THROW(ParseIntField("abc", 0, 65535), std::invalid_argument);
  EXPECT_THROW(ParseIntField("12x", 0, 65535), std::invalid_argument);
  EXPECT_THROW(ParseIntField("70000", 0, 65535), std::out_of_range);
  EXPECT_THROW(ParseIntField("inf", 0, 65535), std::out_of_range);
  EXPECT_THROW(ParseIntField("nan", 0, 65535), std::out_of_range);
  EXPECT_THROW(ParseIntField("-nan", -32768, 32767), std::out_of_range);
  EXPECT_DOUBLE_EQ(text::LeadingNumber("1"), 1);
  EXPECT_DOUBLE_EQ(text::LeadingNumber(""), 0);
}

TEST(LoginFrame, AccountAndKeyAsSingleByteText) {
  const wire::Frame f = session::BuildLoginFrame("alice", "k1");
  EXPECT_EQ(f[3], 18);
  EXPECT_EQ(f[14], 1);
  EXPECT_EQ(f[16], 'a');
  EXPECT_EQ(f[20], 'e');
  EXPECT_EQ(f[21], 0);
  EXPECT_EQ(f[32], 'k');
  EXPECT_EQ(f[260], 0);
  // A long account runs on into the key's bytes, which the key then overwrites.
  const wire::Frame longName = session::BuildLoginFrame("abcdefghijklmnopqrs", "K");
  EXPECT_EQ(longName[31], 'p');
  EXPECT_EQ(longName[32], 'K');
  EXPECT_EQ(longName[33], 'r');
  EXPECT_THROW(session::BuildLoginFrame("张三", "k"), std::invalid_argument);
  EXPECT_THROW(session::BuildLoginFrame("a", std::string(241, 'k')), std::invalid_argument);
  EXPECT_NO_THROW(session::BuildLoginFrame("a", std::string(240, 'k')));
}

}  // namespace
}  // namespace app
