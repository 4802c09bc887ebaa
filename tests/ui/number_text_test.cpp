#include "ui/format_length.hpp"

#include <gtest/gtest.h>

#include "ui/number_text.hpp"
#include "window_test_support.hpp"

namespace sledway::test {
namespace {

TEST(FormatLength, ShowsTheHostsLengthRoundedToEvenInTheUsersGroupedPattern) {
  TestApplication();
  const auto document = model::ReadSampleAssembly(model::FindSampleAssembly("cart")).document;
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  // Model lengths are centimetres; the cart's document shows millimetres.
  EXPECT_EQ(FormatLength(*document, 123.45, 2, english), "1,234.5 mm");
  EXPECT_EQ(FormatLength(*document, 1.23456, 2, english), "12.35 mm");
  EXPECT_EQ(FormatLength(*document, 1.2125, 2, english), "12.12 mm");  // the half goes to even
  EXPECT_EQ(FormatLength(*document, 1.2135, 2, english), "12.14 mm");
  EXPECT_EQ(FormatLength(*document, 0.05, 2, english), ".5 mm");
  EXPECT_EQ(FormatLength(*document, 10.0, 2, english), "100. mm");
  EXPECT_EQ(FormatLength(*document, 123456.7, 2, english), "1,234,567. mm");
  EXPECT_EQ(FormatLength(*document, -0.25, 2, english), "-2.5 mm");
  const QLocale german(QLocale::German, QLocale::Germany);
  EXPECT_EQ(FormatLength(*document, 123.45, 2, german), "1.234,5 mm");
  EXPECT_EQ(FormatLength(*document, 0.05, 2, german), ",5 mm");
  EXPECT_EQ(LengthPattern(0.123456, english), ".12346");
}

TEST(FormatLength, ReadsTheLeadingNumberAsAPlainScanDoes) {
  EXPECT_EQ(LeadingNumber("1234.5 mm"), 1234.5);
  EXPECT_EQ(LeadingNumber(" 1 2\t3.5\n mm"), 123.5);
  EXPECT_EQ(LeadingNumber("-.5in"), -0.5);
  EXPECT_EQ(LeadingNumber("+2.5e2 mm"), 250.0);
  EXPECT_EQ(LeadingNumber("1.5e mm"), 1.5);  // an exponent letter without digits ends it
  EXPECT_EQ(LeadingNumber("1,5 mm"), 1.0);
  EXPECT_EQ(LeadingNumber("12.3.4"), 12.3);
  EXPECT_EQ(LeadingNumber("mm"), 0.0);
  EXPECT_EQ(LeadingNumber("-"), 0.0);
  EXPECT_EQ(LeadingNumber("1e999"), 0.0);
}

TEST(NumberText, WritesAndReadsNumbersInTheUsersFormAndReadsTheRestAsZero) {
  const QLocale german(QLocale::German, QLocale::Germany);
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(DoubleText(1234567.25, english), "1234567.25");
  EXPECT_EQ(DoubleText(0.1 + 0.2, english), "0.3");  // 15 significant digits
  EXPECT_EQ(DoubleText(-0.0, english), "0");
  EXPECT_EQ(TextToDouble("2,5", german), 2.5);
  EXPECT_EQ(TextToDouble("1.500", german), 1.5);
  EXPECT_EQ(TextToDouble("", english), 0.0);
  EXPECT_EQ(TextToDouble("1.2.3", english), 0.0);
  EXPECT_EQ(TextToLong("25", english), 25);
  EXPECT_EQ(TextToLong("99999999999", english), 0);
}

}  // namespace
}  // namespace sledway::test
