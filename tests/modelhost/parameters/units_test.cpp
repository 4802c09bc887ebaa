#include "modelhost/parameters/units.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <locale>
#include <numbers>
#include <string>
#include <vector>

#include "host/codes.hpp"
#include "host/host_error.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "modelhost/parameters/parameter_unit.hpp"
#include "modelhost/parameters/unit_expression.hpp"

namespace sledway::model {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using enum ParameterUnit;
constexpr double kPi = std::numbers::pi;

// The message of the HostError with `code` a call raises, or a test failure when it raises none.
template <class Call>
std::string Refusal(Call call, std::uint32_t code = hresult::kInvalidArg) {
  try {
    call();
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), code);
    return error.what();
  }
  ADD_FAILURE() << "the call succeeded";
  return "";
}

// The model value of a text that reads nothing, evaluated in `target`.
double Constant(const std::string& text, ParameterUnit target) {
  return UnitExpression(text, target, {}, "p").Evaluate({});
}

// Why a text is refused when it is parsed for the parameter 'height' in `target`.
std::string Unparsed(const std::string& text, ParameterUnit target) {
  return Refusal([&] { UnitExpression(text, target, {}, "height"); });
}

TEST(Units, UnknownLabelsAreRefusedAndRatiosConvertExactly) {
  EXPECT_THAT(Refusal([] { ParseLengthUnit("furlong"); }), HasSubstr("'furlong'"));
  EXPECT_THROW(ParseLengthUnit("MM"), HostError);
  EXPECT_THROW(ParseLengthUnit("deg"), HostError);

  const ModelRatio mm = ModelRatioOf(kMillimetre);
  const ModelRatio inch = ModelRatioOf(kInch);
  // A millimetre converts by an exact division: 3 mm is the double nearest 0.3 cm, which a
  // multiplication by the double nearest 0.1 misses.
  EXPECT_EQ(ToModel(3.0, mm), 0.3);
  EXPECT_EQ(FromModel(2.5, mm), 25.0);
  // A unit into itself leaves any value alone.
  const double awkward = 0.1 + 0.2;
  EXPECT_EQ(Rescale(awkward, inch, inch), awkward);
  EXPECT_DOUBLE_EQ(Rescale(25.4, mm, inch), 1.0);
}

TEST(Units, FormatValueWritesTheDisplayUnit) {
  Units mm(LengthUnit::kMillimetre);
  const auto text = [&mm](double cm) { return mm.FormatValue(cm, kDefaultDisplayLengthUnits); };
  EXPECT_EQ(text(123.45), "1234.5 mm");
  EXPECT_EQ(text(0.05), "0.5 mm");
  EXPECT_EQ(text(10.0), "100 mm");
  // Six decimals at most, rounded to the nearest; no grouping, no exponent, no negative zero.
  EXPECT_EQ(text(1.23456789), "12.345679 mm");
  EXPECT_EQ(text(0.1 + 0.2), "3 mm");
  EXPECT_EQ(text(1.0e7), "100000000 mm");
  EXPECT_EQ(text(-0.05), "-0.5 mm");
  EXPECT_EQ(text(-0.00000004), "0 mm");
  EXPECT_EQ(mm.UnitsLabel(kDefaultDisplayLengthUnits), "mm");
  Units inch(LengthUnit::kInch);
  EXPECT_EQ(inch.FormatValue(1.0, kDefaultDisplayLengthUnits), "0.393701 in");
  EXPECT_EQ(Units(LengthUnit::kFoot).FormatValue(45.72, kDefaultDisplayLengthUnits), "1.5 ft");

  // Only the display-length code is known, and only finite values are written.
  for (std::int32_t code : {0, 11265, -11266}) {
    EXPECT_THAT(Refusal([&] { mm.FormatValue(1.0, code); }), HasSubstr(std::to_string(code)));
    EXPECT_THROW(mm.UnitsLabel(code), HostError);
  }
  for (double value :
       {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::max()}) {
    Refusal([&] { text(value); });
  }
}

TEST(UnitExpression, BareNumbersAreInTheTargetUnitAndSuffixesConvert) {
  EXPECT_DOUBLE_EQ(Constant("12.5", kMillimetre), 1.25);
  EXPECT_DOUBLE_EQ(Constant("12.5mm", kInch), 1.25);
  EXPECT_DOUBLE_EQ(Constant("0.5 in", kMillimetre), 1.27);
  EXPECT_DOUBLE_EQ(Constant("1e-05 mm", kMillimetre), 1e-06);
  // A suffix binds to the number before it, and converts a bracket as a whole.
  EXPECT_DOUBLE_EQ(Constant("2 * 3 cm + 4", kMillimetre), 6.4);
  EXPECT_DOUBLE_EQ(Constant("(1 + 2) cm", kMillimetre), 3.0);
  EXPECT_DOUBLE_EQ(Constant("10 + 1 cm + 1 in", kMillimetre), 4.54);
  EXPECT_DOUBLE_EQ(Constant("90", kDegree), kPi / 2);
  EXPECT_DOUBLE_EQ(Constant("90 deg", kRadian), kPi / 2);
  EXPECT_DOUBLE_EQ(Constant("4 ul", kUnitless), 4.0);
}

TEST(UnitExpression, RefusesTextsWithMuParsersReasonAndPosition) {
  EXPECT_THAT(Unparsed("5 mmm", kMillimetre), HasSubstr("at position 4"));
  EXPECT_THAT(Unparsed("mm", kMillimetre), HasSubstr("at position 0"));
  EXPECT_THAT(Unparsed("5 5", kMillimetre), HasSubstr("at position 2"));
  EXPECT_THAT(Unparsed("3, 4", kMillimetre), HasSubstr("2 values"));
  EXPECT_THAT(Unparsed("", kMillimetre), HasSubstr("expression '' of 'height'"));
  // A unit of another dimension is no unit of this expression.
  EXPECT_THAT(Unparsed("90 deg", kMillimetre), HasSubstr("\"deg\""));
  EXPECT_THAT(Unparsed("5 ul", kMillimetre), HasSubstr("\"ul\""));
  EXPECT_THAT(Unparsed("5 mm", kDegree), HasSubstr("\"mm\""));
  EXPECT_THAT(Unparsed("5 mm", kUnitless), HasSubstr("\"mm\""));
  // The position is muParser's; the text is never repeated twice with its own wording.
  const std::string dangling = Unparsed("2 *", kMillimetre);
  EXPECT_THAT(dangling, HasSubstr("Unexpected end of expression at position "));
  EXPECT_EQ(dangling.find("position"), dangling.rfind("position"));
}

TEST(UnitExpression, InputsAreReadAfreshAndValuesMustBeFinite) {
  const ReadableNames readable{{"width", kMillimetre}, {"count", kUnitless}, {"unused", kFoot}};
  // Each input once, in name order.
  UnitExpression repeated("width * count + count", kMillimetre, readable, "p");
  EXPECT_THAT(repeated.Inputs(), ElementsAre("count", "width"));
  EXPECT_DOUBLE_EQ(repeated.Evaluate(std::vector{2.0, 1.0}), 2.2);
  EXPECT_DOUBLE_EQ(repeated.Evaluate(std::vector{3.0, 2.0}), 6.3);
  EXPECT_THROW(repeated.Evaluate(std::vector{1.0}), HostError);

  UnitExpression divided("10 / gap", kMillimetre, {{"gap", kMillimetre}}, "ratio");
  EXPECT_DOUBLE_EQ(divided.Evaluate(std::vector{0.2}), 0.5);
  EXPECT_THAT(Refusal([&] { divided.Evaluate(std::vector{0.0}); }, hresult::kFail),
              HasSubstr("expression '10 / gap' of 'ratio'"));
  EXPECT_THROW(divided.Evaluate(std::vector{-0.0}), HostError);
  EXPECT_THROW(Constant("sqrt(-1)", kMillimetre), HostError);
  EXPECT_THROW(Constant("1e308 * 10", kMillimetre), HostError);
  EXPECT_THROW(Constant("1e308", kInch), HostError);  // finite in inches, not in centimetres
}

// A user locale with a comma as decimal point and a point as group separator.
class CommaDecimal : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(Units, TextsUseAPointWhateverTheLocale) {
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  const std::string text =
      Units(LengthUnit::kMillimetre).FormatValue(123456.75, kDefaultDisplayLengthUnits);
  const double value = Constant("1.5 cm", kMillimetre);
  std::locale::global(previous);
  EXPECT_EQ(text, "1234567.5 mm");
  EXPECT_DOUBLE_EQ(value, 1.5);
}

}  // namespace
}  // namespace sledway::model
