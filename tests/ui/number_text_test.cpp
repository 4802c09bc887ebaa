#include "ui/number_text.hpp"

#include <gtest/gtest.h>

#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "ui/format_length.hpp"

namespace sledway::test {
namespace {

const form::NumberLocale kEnglish{".", ","};
const form::NumberLocale kGerman{",", "."};
// A grouping separator of more than one byte: a narrow no-break space.
const form::NumberLocale kFrench{",", "\xe2\x80\xaf"};

TEST(FormatLength, ShowsTheHostsLengthRoundedToEvenInTheUsersGroupedPattern) {
  const auto document = model::ReadSampleAssembly(model::FindSampleAssembly("cart")).document;
  // Model lengths are centimetres; the cart's document shows millimetres.
  EXPECT_EQ(FormatLength(*document, 123.45, 2, kEnglish), "1,234.5 mm");
  EXPECT_EQ(FormatLength(*document, 1.23456, 2, kEnglish), "12.35 mm");
  EXPECT_EQ(FormatLength(*document, 1.2125, 2, kEnglish), "12.12 mm");  // the half goes to even
  EXPECT_EQ(FormatLength(*document, 1.2135, 2, kEnglish), "12.14 mm");
  EXPECT_EQ(FormatLength(*document, 0.05, 2, kEnglish), ".5 mm");
  EXPECT_EQ(FormatLength(*document, 10.0, 2, kEnglish), "100. mm");
  EXPECT_EQ(FormatLength(*document, 123456.7, 2, kEnglish), "1,234,567. mm");
  EXPECT_EQ(FormatLength(*document, -0.25, 2, kEnglish), "-2.5 mm");
  EXPECT_EQ(FormatLength(*document, 123.45, 2, kGerman), "1.234,5 mm");
  EXPECT_EQ(FormatLength(*document, 0.05, 2, kGerman), ",5 mm");
  EXPECT_EQ(FormatLength(*document, 123456.7, 2, kFrench),
            "1\xe2\x80\xaf"
            "234\xe2\x80\xaf"
            "567, mm");
  EXPECT_EQ(LengthPattern(0.123456, kEnglish), ".12346");
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
  EXPECT_EQ(DoubleText(1234567.25, kEnglish), "1234567.25");
  EXPECT_EQ(DoubleText(0.1 + 0.2, kEnglish), "0.3");  // 15 significant digits
  EXPECT_EQ(DoubleText(-0.0, kEnglish), "0");
  EXPECT_EQ(DoubleText(-2.5, kGerman), "-2,5");
  EXPECT_EQ(DoubleText(1e20, kGerman), "1e+20");
  EXPECT_EQ(TextToDouble("2,5", kGerman), 2.5);
  EXPECT_EQ(TextToDouble(" -2,5 ", kGerman), -2.5);
  EXPECT_EQ(TextToDouble("1.500", kGerman), 1.5);  // grouping is not read
  EXPECT_EQ(TextToDouble("1,500", kEnglish), 0.0);
  EXPECT_EQ(TextToDouble("+3", kEnglish), 3.0);
  EXPECT_EQ(TextToDouble("", kEnglish), 0.0);
  EXPECT_EQ(TextToDouble(".", kEnglish), 0.0);
  EXPECT_EQ(TextToDouble("1.2.3", kEnglish), 0.0);
  EXPECT_EQ(TextToDouble("1e999", kEnglish), 0.0);
  EXPECT_EQ(TextToDouble("inf", kEnglish), 0.0);
  EXPECT_EQ(TextToLong("25", kEnglish), 25);
  EXPECT_EQ(TextToLong("2,5", kGerman), 2);  // halves go to even
  EXPECT_EQ(TextToLong("99999999999", kEnglish), 0);
}

}  // namespace
}  // namespace sledway::test
