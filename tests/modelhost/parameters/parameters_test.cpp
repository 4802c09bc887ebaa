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
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/parameters/parameter_unit.hpp"
#include "modelhost/parameters/unit_expression.hpp"
#include "modelhost/parameters/units.hpp"

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

// A user locale with a comma as decimal point and a point as group separator, in force while
// the object lives: texts are written and read with a point whatever the locale.
struct CommaDecimalLocale {
  struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
  };
  std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  ~CommaDecimalLocale() { std::locale::global(previous); }
};

TEST(Units, FormatValueWritesTheDisplayUnitWithAPointWhateverTheLocale) {
  const CommaDecimalLocale locale;
  EXPECT_DOUBLE_EQ(Constant("1.5 cm", kMillimetre), 1.5);
  Units mm(LengthUnit::kMillimetre);
  const auto text = [&mm](double cm) { return mm.FormatValue(cm, kDefaultDisplayLengthUnits); };
  EXPECT_EQ(text(123.45), "1234.5 mm");
  // Six decimals at most, rounded to the nearest; no grouping, no exponent, no negative zero.
  EXPECT_EQ(text(1.23456789), "12.345679 mm");
  EXPECT_EQ(text(0.1 + 0.2), "3 mm");
  EXPECT_EQ(text(123456.75), "1234567.5 mm");
  EXPECT_EQ(text(-0.05), "-0.5 mm");
  EXPECT_EQ(text(-0.00000004), "0 mm");
  EXPECT_EQ(mm.UnitsLabel(kDefaultDisplayLengthUnits), "mm");
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
  EXPECT_DOUBLE_EQ(Constant("12.5mm", kInch), 1.25);
  EXPECT_DOUBLE_EQ(Constant("0.5 in", kMillimetre), 1.27);
  EXPECT_DOUBLE_EQ(Constant("1e-05 mm", kMillimetre), 1e-06);
  // A suffix binds to the number before it, and converts a bracket as a whole.
  EXPECT_DOUBLE_EQ(Constant("2 * 3 cm + 4", kMillimetre), 6.4);
  EXPECT_DOUBLE_EQ(Constant("(1 + 2) cm", kMillimetre), 3.0);
  EXPECT_DOUBLE_EQ(Constant("10 + 1 cm + 1 in", kMillimetre), 4.54);
  EXPECT_DOUBLE_EQ(Constant("90", kDegree), kPi / 2);
  EXPECT_DOUBLE_EQ(Constant("90 deg", kRadian), kPi / 2);
}

TEST(UnitExpression, RefusesTextsWithMuParsersReasonAndPosition) {
  EXPECT_THAT(Unparsed("5 mmm", kMillimetre), HasSubstr("at position 4"));
  EXPECT_THAT(Unparsed("3, 4", kMillimetre), HasSubstr("2 values"));
  EXPECT_THAT(Unparsed("", kMillimetre), HasSubstr("expression '' of 'height'"));
  // A unit of another dimension is no unit of this expression.
  EXPECT_THAT(Unparsed("90 deg", kMillimetre), HasSubstr("\"deg\""));
  EXPECT_THAT(Unparsed("5 ul", kMillimetre), HasSubstr("\"ul\""));
  EXPECT_THAT(Unparsed("5 mm", kDegree), HasSubstr("\"mm\""));
  // A name that is not there yet and a control character are said in the runner's own words.
  for (const auto& [text, reason] : std::vector<std::pair<std::string, std::string>>{
           {"b + 1",
            "expression 'b + 1' of 'height': reads \"b\" at position 0, which is neither "
            "a unit of this value nor a parameter defined before it"},
           {"1\x01", "of 'height': holds a control character at position 1"},
           {std::string("1 +\x7f") + "2",
            "of 'height': holds a control character at position 3"}}) {
    const std::string refusal = Unparsed(text, kMillimetre);
    EXPECT_THAT(refusal, HasSubstr(reason));
    EXPECT_EQ(refusal.find("nexpected"), std::string::npos) << refusal;
    EXPECT_EQ(refusal.find("non printable"), std::string::npos) << refusal;
  }
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
  EXPECT_THROW(Constant("sqrt(-1)", kMillimetre), HostError);
  EXPECT_THROW(Constant("1e308 * 10", kMillimetre), HostError);
  EXPECT_THROW(Constant("1e308", kInch), HostError);  // finite in inches, not in centimetres
}

std::vector<std::string> NamesOf(const Ref<IVParameterList>& list) {
  std::vector<std::string> names;
  for (int index = 1; index <= list->Count(); ++index) names.push_back(list->Item(index)->Name());
  return names;
}

TEST(ParameterTable, ParametersReportValuesInTheirOwnUnitsAndReadTheirInputs) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "25 mm", "mm");
  EXPECT_EQ(width->Value(), 25.0);
  EXPECT_EQ(width->ModelValue(), 2.5);
  const Ref<Parameter> count = table->AddUserParameter("count", "3", "ul");
  const Ref<Parameter> bare = table->AddUserParameter("bare", "12.5", "in");
  EXPECT_DOUBLE_EQ(bare->Value(), 12.5);
  EXPECT_DOUBLE_EQ(bare->ModelValue(), 12.5 * 2.54);
  // A name reads a parameter converted into this one's units when both are lengths, and in
  // its own units otherwise.
  const Ref<Parameter> depth = table->AddModelParameter("depth", "width * 2", "cm");
  const Ref<Parameter> spaced = table->AddUserParameter("spaced", "count * 10 mm + width", "mm");
  EXPECT_DOUBLE_EQ(depth->Value(), 5.0);
  EXPECT_DOUBLE_EQ(spaced->Value(), 55.0);
  EXPECT_DOUBLE_EQ(table->AddModelParameter("inches", "width", "in")->Value(), 25 / 25.4);
  EXPECT_DOUBLE_EQ(table->AddUserParameter("ratio", "width / count", "ul")->Value(), 25.0 / 3);

  EXPECT_EQ(NamesOf(table->GetFirstList()), (std::vector<std::string>{"width", "depth", "inches"}));
  EXPECT_EQ(NamesOf(table->GetSecondList()),
            (std::vector<std::string>{"count", "bare", "spaced", "ratio"}));
  EXPECT_EQ(table->Find("nothing"), nullptr);
  EXPECT_THAT(Refusal([&] { table->Item("widht"); }), HasSubstr("no parameter named 'widht'"));

  EXPECT_EQ(width->Inputs()->Count(), 0);
  const Ref<IVObjectCollection> inputs = spaced->Inputs();
  ASSERT_EQ(inputs->Count(), 2);
  EXPECT_TRUE(SameObject(inputs->Item(1), count));
  EXPECT_TRUE(SameObject(inputs->Item(2), width));
  for (int bad : {0, 3}) Refusal([&] { inputs->Item(bad); }, hresult::kBadIndex);
  // What a caller adds to the collection it was given stays its own.
  inputs->Add(depth);
  EXPECT_EQ(spaced->Inputs()->Count(), 2);
}

TEST(ParameterTable, RefusedParametersAndExpressionsChangeNothing) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "20 mm", "mm");
  const Ref<Parameter> height = table->AddModelParameter("height", "width + 1 mm", "mm");
  const Ref<Parameter> top = table->AddUserParameter("top", "height * 2", "mm");
  table->AddUserParameter("count", "2", "ul");
  const std::vector<std::pair<std::string, std::string>> refusals = {
      {"2x", "'2x' is not a parameter name"},
      {"in", "'in' cannot name a parameter: it is a unit label"},
      {"sin", "'sin' cannot name a parameter"},
      {"count", "a parameter named 'count' already exists"},
  };
  for (const auto& refusal : refusals) {
    EXPECT_THAT(Refusal([&] { table->AddModelParameter(refusal.first, "1", "mm"); }),
                HasSubstr(refusal.second));
  }
  EXPECT_THAT(Refusal([&] { table->AddUserParameter("depth", "1", "furlong"); }),
              HasSubstr("'furlong'"));
  EXPECT_THAT(Refusal([&] { table->AddUserParameter("depth", "width / (count - 2)", "mm"); },
                      hresult::kFail),
              HasSubstr("no finite value"));

  const std::string unclosed = Refusal([&] { height->Expression("2 * (width"); });
  EXPECT_THAT(unclosed, HasSubstr("expression '2 * (width' of 'height': "));
  EXPECT_THAT(unclosed, HasSubstr("parenthesis at position "));
  EXPECT_THAT(Refusal([&] { height->Expression("widht"); }),
              HasSubstr("reads \"widht\" at position 0, which is neither"));
  EXPECT_THAT(Refusal([&] { height->Expression("height + 1"); }),
              HasSubstr("expression 'height + 1' of 'height' makes a cycle: height -> height"));
  EXPECT_THAT(Refusal([&] { width->Expression("top / 4"); }),
              HasSubstr("makes a cycle: width -> top -> height -> width"));

  EXPECT_EQ(table->GetFirstList()->Count(), 2);
  EXPECT_EQ(table->GetSecondList()->Count(), 2);
  EXPECT_EQ(table->Find("depth"), nullptr);
  EXPECT_EQ(width->Expression(), "20 mm");
  EXPECT_EQ(height->Expression(), "width + 1 mm");
  ASSERT_EQ(height->Inputs()->Count(), 1);
  EXPECT_TRUE(SameObject(height->Inputs()->Item(1), width));
  EXPECT_EQ(width->Inputs()->Count(), 0);
  EXPECT_DOUBLE_EQ(top->Value(), 42.0);
  // The table updates as before, and a refused name stays free.
  table->Commit(table->Stage());
  EXPECT_DOUBLE_EQ(top->Value(), 42.0);
  EXPECT_EQ(table->AddUserParameter("depth", "width", "mm")->Value(), 20.0);
}

TEST(ParameterTable, AcceptedExpressionsAreStagedInputsFirstAndTakeEffectAtCommit) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "20 mm", "mm");
  const Ref<Parameter> depth = table->AddUserParameter("depth", "width * 2", "mm");
  const Ref<Parameter> base = table->AddUserParameter("base", "5 mm", "mm");
  // The first model parameter now reads a user parameter added after it.
  width->Expression("base + 25 mm");
  base->Expression("10 mm");
  EXPECT_EQ(width->Value(), 20.0);
  EXPECT_TRUE(SameObject(width->Inputs()->Item(1), base));

  const ParameterValues staged = table->Stage();
  EXPECT_EQ(staged.Size(), 3u);
  EXPECT_DOUBLE_EQ(staged.Find("width").value(), 3.5);
  EXPECT_DOUBLE_EQ(staged.Find("depth").value(), 7.0);
  EXPECT_EQ(width->Value(), 20.0);
  EXPECT_DOUBLE_EQ(depth->Value(), 40.0);
  // Part dimensions are evaluated against the staged values; bare numbers in the unit given.
  EXPECT_DOUBLE_EQ(table->EvaluateLength("width", staged, LengthUnit::kMillimetre), 3.5);
  EXPECT_DOUBLE_EQ(table->EvaluateLength("width", {}, LengthUnit::kMillimetre), 2.0);
  EXPECT_DOUBLE_EQ(table->EvaluateLength("2 * base + 10", staged, LengthUnit::kInch), 27.4);
  EXPECT_THAT(Refusal([&] { table->EvaluateLength("widht", staged, LengthUnit::kMillimetre); }),
              HasSubstr("expression 'widht': "));
  // A text refused for an unknown name is taken once the name exists; the same text with bare
  // numbers in another unit is another length.
  table->AddUserParameter("widht", "1 cm", "mm");
  EXPECT_DOUBLE_EQ(table->EvaluateLength("widht", staged, LengthUnit::kMillimetre), 1.0);
  EXPECT_DOUBLE_EQ(table->EvaluateLength("2 * base + 10", staged, LengthUnit::kMillimetre), 3.0);
  EXPECT_THAT(
      Refusal(
          [&] { table->EvaluateLength("width / (base - 1 cm)", staged, LengthUnit::kMillimetre); },
          hresult::kFail),
      HasSubstr("expression 'width / (base - 1 cm)' has no finite value"));

  table->Commit(staged);
  EXPECT_DOUBLE_EQ(base->Value(), 10.0);
  EXPECT_DOUBLE_EQ(width->Value(), 35.0);
  EXPECT_DOUBLE_EQ(depth->Value(), 70.0);
}

TEST(ParameterTable, FailingStageLeavesEveryValue) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "40 mm", "mm");
  const Ref<Parameter> gap = table->AddModelParameter("gap", "2 mm", "mm");
  const Ref<Parameter> ratio = table->AddUserParameter("ratio", "width / gap", "ul");
  width->Expression("60 mm");
  gap->Expression("0 mm");  // parses; fails only when evaluated
  const std::string failure = Refusal([&] { table->Stage(); }, hresult::kFail);
  EXPECT_THAT(failure, HasSubstr("'ratio'"));
  EXPECT_THAT(failure, HasSubstr("width / gap"));
  EXPECT_EQ(width->Value(), 40.0);
  EXPECT_EQ(gap->Value(), 2.0);
  EXPECT_EQ(ratio->Value(), 20.0);

  gap->Expression("3 mm");
  table->Commit(table->Stage());
  EXPECT_EQ(width->Value(), 60.0);
  EXPECT_DOUBLE_EQ(ratio->Value(), 20.0);
}

}  // namespace
}  // namespace sledway::model
