#include "ui/drive_value.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

namespace sledway {
namespace {

TEST(DriveValue, RunsLinearlyToExactlyDriveTo) {
  // The ends are exact whatever the step count, so a run ends on the value the user typed.
  EXPECT_EQ(DriveValue(7, 7, 0.3, 12.7), 12.7);
  EXPECT_EQ(DriveValue(0, 7, 0.3, 12.7), 0.3);
  // A falling drive and a negative start.
  EXPECT_DOUBLE_EQ(DriveValue(1, 4, 10.0, -10.0), 5.0);
  EXPECT_DOUBLE_EQ(DriveValue(3, 4, -8.0, 0.0), -2.0);
}

// A user's locale that writes a decimal comma and groups thousands.
class CommaDecimals : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(DriveExpression, WritesFifteenSignificantDigitsWithAPointWhateverTheLocale) {
  EXPECT_EQ(DriveExpression(1.0 / 3.0, "ul"), "0.333333333333333 ul");
  EXPECT_EQ(DriveExpression(123456789.123456789, "mm"), "123456789.123457 mm");
  // 0.1 + 0.2 differs from 0.3 only in the 17th digit: fifteen digits hide it.
  EXPECT_EQ(DriveExpression(0.1 + 0.2, "cm"), "0.3 cm");
  EXPECT_EQ(DriveExpression(1e20, "mm"), "1e+20 mm");
  EXPECT_EQ(DriveExpression(-0.0, "mm"), "0 mm");

  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
  // Where a system locale with a decimal comma is installed, the C library gets one too.
  const bool germanC = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  const std::string text = DriveExpression(12345.5, "mm");
  if (germanC) std::setlocale(LC_NUMERIC, "C");
  std::locale::global(previous);
  EXPECT_EQ(text, "12345.5 mm");
}

}  // namespace
}  // namespace sledway
