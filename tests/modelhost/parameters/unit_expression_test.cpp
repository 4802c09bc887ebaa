#include "modelhost/parameters/unit_expression.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <locale>
#include <numbers>
#include <string>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The model value of a text that reads nothing, evaluated in `target`.
double Constant(const std::string& text, ParameterUnit target) {
  return UnitExpression(text, target, {}, "p").Evaluate({});
}

// The message of the HostError(kInvalidArg) a text gets when it is parsed for `target`.
std::string Refusal(const std::string& text, ParameterUnit target,
                    const ReadableNames& readable = {}) {
  try {
    UnitExpression(text, target, readable, "height");
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), hresult::kInvalidArg) << text;
    return error.what();
  }
  ADD_FAILURE() << "'" << text << "' was accepted";
  return "";
}

TEST(UnitExpression, BareNumbersAreInTheTargetUnitAndSuffixesConvert) {
  EXPECT_DOUBLE_EQ(Constant("12.5", ParameterUnit::kMillimetre), 1.25);
  EXPECT_DOUBLE_EQ(Constant("12.5", ParameterUnit::kCentimetre), 12.5);
  EXPECT_DOUBLE_EQ(Constant("12.5 mm", ParameterUnit::kCentimetre), 1.25);
  EXPECT_DOUBLE_EQ(Constant("12.5mm", ParameterUnit::kInch), 1.25);
  EXPECT_DOUBLE_EQ(Constant("0.5 in", ParameterUnit::kMillimetre), 1.27);
  EXPECT_DOUBLE_EQ(Constant("2 ft", ParameterUnit::kMetre), 60.96);
  EXPECT_DOUBLE_EQ(Constant("1e-05 mm", ParameterUnit::kMillimetre), 1e-06);
  EXPECT_DOUBLE_EQ(Constant("2.5E+02 mm", ParameterUnit::kMillimetre), 25.0);
  // A suffix binds to the number before it, and converts a bracket as a whole.
  EXPECT_DOUBLE_EQ(Constant("2 * 3 cm + 4", ParameterUnit::kMillimetre), 6.4);
  EXPECT_DOUBLE_EQ(Constant("(1 + 2) cm", ParameterUnit::kMillimetre), 3.0);
  // Mixed units in one millimetre expression: 10 mm + 1 cm + 1 in = 45.4 mm.
  EXPECT_DOUBLE_EQ(Constant("10 + 1 cm + 1 in", ParameterUnit::kMillimetre), 4.54);

  EXPECT_DOUBLE_EQ(Constant("90", ParameterUnit::kDegree), std::numbers::pi / 2);
  EXPECT_DOUBLE_EQ(Constant("90 deg", ParameterUnit::kRadian), std::numbers::pi / 2);
  EXPECT_DOUBLE_EQ(Constant("1 rad", ParameterUnit::kDegree), 1.0);
  EXPECT_DOUBLE_EQ(Constant("4 ul", ParameterUnit::kUnitless), 4.0);
  EXPECT_DOUBLE_EQ(Constant("2 * _pi", ParameterUnit::kRadian), 2 * std::numbers::pi);
}

TEST(UnitExpression, RefusesTextsWithReasonAndPosition) {
  const ReadableNames width{{"width", ParameterUnit::kMillimetre}};
  const std::string unclosed = Refusal("2 * (width", ParameterUnit::kMillimetre, width);
  EXPECT_THAT(unclosed, HasSubstr("expression '2 * (width' of 'height': "));
  EXPECT_THAT(unclosed, HasSubstr("parenthesis"));
  EXPECT_THAT(unclosed, HasSubstr(" at position "));

  EXPECT_THAT(Refusal("5 mmm", ParameterUnit::kMillimetre), HasSubstr("at position 4"));
  EXPECT_THAT(Refusal("widht * 2", ParameterUnit::kMillimetre, width),
              HasSubstr("\"widht\" found at position 0"));
  EXPECT_THAT(Refusal("mm", ParameterUnit::kMillimetre), HasSubstr("at position 0"));
  EXPECT_THAT(Refusal("3, 4", ParameterUnit::kMillimetre), HasSubstr("2 values"));
  // A unit of another dimension is no unit of this expression.
  EXPECT_THAT(Refusal("90 deg", ParameterUnit::kMillimetre), HasSubstr("\"deg\""));
  EXPECT_THAT(Refusal("5 ul", ParameterUnit::kMillimetre), HasSubstr("\"ul\""));
  EXPECT_THAT(Refusal("5 mm", ParameterUnit::kDegree), HasSubstr("\"mm\""));
  EXPECT_THAT(Refusal("5 mm", ParameterUnit::kUnitless), HasSubstr("\"mm\""));
  // The position is muParser's; the text is never repeated twice with its own wording.
  const std::string dangling = Refusal("2 *", ParameterUnit::kMillimetre);
  EXPECT_THAT(dangling, HasSubstr("Unexpected end of expression at position "));
  EXPECT_EQ(dangling.find("position"), dangling.rfind("position"));
  EXPECT_THAT(Refusal("", ParameterUnit::kMillimetre), HasSubstr("expression '' of 'height'"));
  EXPECT_THAT(Refusal("5 5", ParameterUnit::kMillimetre), HasSubstr("at position 2"));
}

TEST(UnitExpression, ReferencesConvertWithinADimension) {
  const ReadableNames readable{{"width", ParameterUnit::kMillimetre},
                               {"count", ParameterUnit::kUnitless},
                               {"turn", ParameterUnit::kDegree},
                               {"unused", ParameterUnit::kFoot}};
  const double width = 2.5;  // 25 mm
  const double count = 4.0;
  const double turn = std::numbers::pi;  // 180 deg

  UnitExpression sum("2 * width + 3 mm", ParameterUnit::kMillimetre, readable, "p");
  EXPECT_THAT(sum.Inputs(), ElementsAre("width"));
  EXPECT_DOUBLE_EQ(sum.Evaluate(std::vector{width}), 5.3);

  UnitExpression inInches("width", ParameterUnit::kInch, readable, "p");
  EXPECT_DOUBLE_EQ(inInches.Evaluate(std::vector{2.54}), 2.54);

  // A plain number read in a length expression is a plain number.
  UnitExpression spaced("count * 10 mm", ParameterUnit::kCentimetre, readable, "p");
  EXPECT_DOUBLE_EQ(spaced.Evaluate(std::vector{count}), 4.0);

  // A unitless expression reads a length and an angle in their own units: 25 mm and 180 deg.
  UnitExpression ratio("turn / width + width * 0", ParameterUnit::kUnitless, readable, "p");
  EXPECT_THAT(ratio.Inputs(), ElementsAre("turn", "width"));
  EXPECT_DOUBLE_EQ(ratio.Evaluate(std::vector{turn, width}), 180.0 / 25.0);

  UnitExpression half("turn / 2", ParameterUnit::kRadian, readable, "p");
  EXPECT_DOUBLE_EQ(half.Evaluate(std::vector{turn}), std::numbers::pi / 2);

  // Each input once, in name order; values that change between evaluations are read afresh.
  UnitExpression repeated("width * count + count", ParameterUnit::kMillimetre, readable, "p");
  EXPECT_THAT(repeated.Inputs(), ElementsAre("count", "width"));
  EXPECT_DOUBLE_EQ(repeated.Evaluate(std::vector{2.0, 1.0}), 2.2);
  EXPECT_DOUBLE_EQ(repeated.Evaluate(std::vector{3.0, 2.0}), 6.3);
  EXPECT_THROW(repeated.Evaluate(std::vector{1.0}), HostError);
}

TEST(UnitExpression, ValuesThatAreNotFiniteFail) {
  const ReadableNames readable{{"gap", ParameterUnit::kMillimetre}};
  UnitExpression divided("10 / gap", ParameterUnit::kMillimetre, readable, "ratio");
  EXPECT_DOUBLE_EQ(divided.Evaluate(std::vector{0.2}), 0.5);
  for (const std::vector<double>& gap : {std::vector{0.0}, std::vector{-0.0}}) {
    try {
      divided.Evaluate(gap);
      FAIL() << "a division by zero gave a value";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kFail);
      EXPECT_THAT(error.what(), HasSubstr("expression '10 / gap' of 'ratio'"));
    }
  }
  EXPECT_THROW(Constant("sqrt(-1)", ParameterUnit::kMillimetre), HostError);
  EXPECT_THROW(Constant("1e308 * 10", ParameterUnit::kMillimetre), HostError);
  // Finite in inches but not once in centimetres.
  EXPECT_THROW(Constant("1e308", ParameterUnit::kInch), HostError);
}

// A user locale with a comma as decimal point.
class CommaDecimal : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
};

TEST(UnitExpression, NumbersUseAPointWhateverTheLocale) {
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  const double value = Constant("1.5 cm", ParameterUnit::kMillimetre);
  std::locale::global(previous);
  EXPECT_DOUBLE_EQ(value, 1.5);
}

TEST(UnitExpression, ReservedWords) {
  EXPECT_TRUE(UnitExpression::IsReservedWord("sin"));
  EXPECT_TRUE(UnitExpression::IsReservedWord("sqrt"));
  EXPECT_TRUE(UnitExpression::IsReservedWord("_pi"));
  EXPECT_FALSE(UnitExpression::IsReservedWord("width"));
}

}  // namespace
}  // namespace sledway::model
