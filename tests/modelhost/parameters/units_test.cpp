#include "modelhost/parameters/units.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <locale>
#include <numbers>

#include "host/codes.hpp"
#include "host/host_error.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "modelhost/parameters/parameter_unit.hpp"

namespace sledway::model {
namespace {

using ::testing::HasSubstr;

TEST(LengthUnit, LabelsParseBackAndFactorsAreExact) {
  for (LengthUnit unit : {LengthUnit::kMillimetre, LengthUnit::kCentimetre, LengthUnit::kMetre,
                          LengthUnit::kInch, LengthUnit::kFoot}) {
    EXPECT_EQ(ParseLengthUnit(LengthUnitLabel(unit)), unit);
  }
  EXPECT_EQ(LengthUnitLabel(LengthUnit::kMillimetre), "mm");
  EXPECT_EQ(LengthUnitLabel(LengthUnit::kFoot), "ft");
  EXPECT_DOUBLE_EQ(CentimetresPerUnit(LengthUnit::kMillimetre), 0.1);
  EXPECT_DOUBLE_EQ(CentimetresPerUnit(LengthUnit::kMetre), 100.0);
  EXPECT_DOUBLE_EQ(CentimetresPerUnit(LengthUnit::kInch), 2.54);
  EXPECT_DOUBLE_EQ(CentimetresPerUnit(LengthUnit::kFoot), 12 * 2.54);

  try {
    ParseLengthUnit("furlong");
    FAIL() << "an unknown label was accepted";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), hresult::kInvalidArg);
    EXPECT_THAT(error.what(), HasSubstr("'furlong'"));
  }
  EXPECT_THROW(ParseLengthUnit("MM"), HostError);
  EXPECT_THROW(ParseLengthUnit("deg"), HostError);
}

TEST(ParameterUnit, DimensionsAndConversions) {
  for (int index = 0; index < kParameterUnitCount; ++index) {
    const auto unit = static_cast<ParameterUnit>(index);
    EXPECT_EQ(ParseParameterUnit(ParameterUnitLabel(unit)), unit);
    EXPECT_TRUE(IsParameterUnitLabel(ParameterUnitLabel(unit)));
  }
  EXPECT_FALSE(IsParameterUnitLabel("width"));
  EXPECT_THROW(ParseParameterUnit("inch"), HostError);
  EXPECT_EQ(DimensionOf(ParameterUnit::kInch), UnitDimension::kLength);
  EXPECT_EQ(DimensionOf(ParameterUnit::kDegree), UnitDimension::kAngle);
  EXPECT_EQ(DimensionOf(ParameterUnit::kUnitless), UnitDimension::kNone);
  EXPECT_EQ(ParameterUnitOf(LengthUnit::kInch), ParameterUnit::kInch);

  const ModelRatio mm = ModelRatioOf(ParameterUnit::kMillimetre);
  const ModelRatio inch = ModelRatioOf(ParameterUnit::kInch);
  // A millimetre converts by an exact division: 3 mm is the double nearest 0.3 cm, which a
  // multiplication by the double nearest 0.1 misses.
  EXPECT_EQ(ToModel(3.0, mm), 0.3);
  EXPECT_EQ(FromModel(2.5, mm), 25.0);
  // A unit into itself leaves any value alone.
  const double awkward = 0.1 + 0.2;
  EXPECT_EQ(Rescale(awkward, inch, inch), awkward);
  EXPECT_DOUBLE_EQ(Rescale(25.4, mm, inch), 1.0);
  EXPECT_DOUBLE_EQ(Rescale(1.0, ModelRatioOf(ParameterUnit::kFoot), inch), 12.0);
  EXPECT_DOUBLE_EQ(ToModel(180.0, ModelRatioOf(ParameterUnit::kDegree)), std::numbers::pi);
  EXPECT_DOUBLE_EQ(FromModel(std::numbers::pi / 2, ModelRatioOf(ParameterUnit::kDegree)), 90.0);
}

TEST(Units, FormatValueWritesTheDisplayUnit) {
  Units mm(LengthUnit::kMillimetre);
  EXPECT_EQ(mm.FormatValue(123.45, kDefaultDisplayLengthUnits), "1234.5 mm");
  EXPECT_EQ(mm.FormatValue(0.05, kDefaultDisplayLengthUnits), "0.5 mm");
  EXPECT_EQ(mm.FormatValue(10.0, kDefaultDisplayLengthUnits), "100 mm");
  EXPECT_EQ(mm.FormatValue(0.0, kDefaultDisplayLengthUnits), "0 mm");
  EXPECT_EQ(mm.FormatValue(12.3456789, kDefaultDisplayLengthUnits), "123.456789 mm");
  // Six decimals at most, rounded to the nearest.
  EXPECT_EQ(mm.FormatValue(1.23456789, kDefaultDisplayLengthUnits), "12.345679 mm");
  EXPECT_EQ(mm.FormatValue(0.00000004, kDefaultDisplayLengthUnits), "0 mm");
  EXPECT_EQ(mm.FormatValue(0.1 + 0.2, kDefaultDisplayLengthUnits), "3 mm");
  // No grouping and no exponent for large values.
  EXPECT_EQ(mm.FormatValue(1.0e7, kDefaultDisplayLengthUnits), "100000000 mm");
  EXPECT_EQ(mm.FormatValue(-0.05, kDefaultDisplayLengthUnits), "-0.5 mm");
  EXPECT_EQ(mm.FormatValue(-0.00000004, kDefaultDisplayLengthUnits), "0 mm");
  EXPECT_EQ(mm.FormatValue(-0.0, kDefaultDisplayLengthUnits), "0 mm");
  EXPECT_EQ(mm.UnitsLabel(kDefaultDisplayLengthUnits), "mm");

  Units inch(LengthUnit::kInch);
  EXPECT_EQ(inch.FormatValue(2.54, kDefaultDisplayLengthUnits), "1 in");
  EXPECT_EQ(inch.FormatValue(1.0, kDefaultDisplayLengthUnits), "0.393701 in");
  EXPECT_EQ(inch.FormatValue(-30.48, kDefaultDisplayLengthUnits), "-12 in");
  EXPECT_EQ(inch.UnitsLabel(kDefaultDisplayLengthUnits), "in");
  EXPECT_EQ(Units(LengthUnit::kFoot).FormatValue(45.72, kDefaultDisplayLengthUnits), "1.5 ft");
  EXPECT_EQ(Units(LengthUnit::kMetre).FormatValue(150.0, kDefaultDisplayLengthUnits), "1.5 m");
  EXPECT_EQ(Units(LengthUnit::kCentimetre).FormatValue(2.5, kDefaultDisplayLengthUnits), "2.5 cm");
}

TEST(Units, RefusesOtherCodesAndValuesThatAreNotFinite) {
  Units mm(LengthUnit::kMillimetre);
  for (std::int32_t code : {0, 11265, 11267, -11266}) {
    try {
      mm.FormatValue(1.0, code);
      FAIL() << "code " << code << " was accepted";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kInvalidArg);
      EXPECT_THAT(error.what(), HasSubstr(std::to_string(code)));
    }
    EXPECT_THROW(mm.UnitsLabel(code), HostError);
  }
  for (double value :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::max()}) {
    try {
      mm.FormatValue(value, kDefaultDisplayLengthUnits);
      FAIL() << value << " was written";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kInvalidArg);
    }
  }
}

// A user locale with a comma as decimal point and a point as group separator.
class CommaDecimal : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(Units, FormatValueIgnoresTheLocale) {
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  Units mm(LengthUnit::kMillimetre);
  const std::string text = mm.FormatValue(123456.75, kDefaultDisplayLengthUnits);
  std::locale::global(previous);
  EXPECT_EQ(text, "1234567.5 mm");
}

}  // namespace
}  // namespace sledway::model
