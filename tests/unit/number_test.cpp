#include <gtest/gtest.h>

#include "text/number.h"

namespace text {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
  struct Case {
    const char* text;
    double value;
  };
  // Command-line fields, INI values and the colour at the end of a prop line alike.
  for (const Case& k : {Case{"1", 1}, Case{"", 0}, Case{"  42 ", 42}, Case{"\t7", 7},
                        Case{"-3", -3}, Case{"+5", 5}, Case{"12.5x", 12.5}, Case{"65280|", 65280},
                        Case{"abc", 0}, Case{"-", 0}, Case{"9 9", 9}, Case{"16777215", 16777215}}) {
    EXPECT_DOUBLE_EQ(LeadingNumber(k.text), k.value) << '"' << k.text << '"';
  }
}

}  // namespace
}  // namespace text
