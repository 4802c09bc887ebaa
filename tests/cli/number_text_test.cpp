#include "cli/number_text.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace sledway::cli {
namespace {

TEST(NumberText, EveryMagnitudeIsShortReadableText) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  EXPECT_EQ(FixedText(1234.5, 3), "1234.500");
  EXPECT_EQ(TrimmedText(1234.5, 6), "1234.5");
  EXPECT_EQ(FixedText(-0.0000001, 3), "0.000");
  EXPECT_EQ(FixedText(999999999999999.0, 1), "999999999999999.0");
  // Beyond 1e15 a fixed form only adds digits a double does not hold.
  EXPECT_EQ(FixedText(1e57, 6), "1e+57");
  EXPECT_EQ(TrimmedText(1e57, 6), "1e+57");
  EXPECT_EQ(TrimmedText(-2.5e20, 6), "-2.5e+20");
  EXPECT_EQ(FixedText(-kLargest, 6), "-1.7976931348623157e+308");
  EXPECT_EQ(FixedText(std::numeric_limits<double>::infinity(), 6), "inf");
  EXPECT_EQ(TrimmedText(std::numeric_limits<double>::quiet_NaN(), 6), "nan");
  EXPECT_EQ(ScientificText(kLargest), "1.80e+308");
  EXPECT_EQ(ExactText(-kLargest), "-1.7976931348623157e+308");
}

}  // namespace
}  // namespace sledway::cli
