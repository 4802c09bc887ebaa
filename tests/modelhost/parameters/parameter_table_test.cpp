#include "modelhost/parameters/parameter_table.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

using ::testing::HasSubstr;

// The message of the HostError a call raises, or a test failure when it raises none.
template <class Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const HostError& error) {
    return error.what();
  }
  ADD_FAILURE() << "the call succeeded";
  return "";
}

std::vector<std::string> NamesOf(const Ref<IVParameterList>& list) {
  std::vector<std::string> names;
  for (int index = 1; index <= list->Count(); ++index) names.push_back(list->Item(index)->Name());
  return names;
}

TEST(ParameterTable, ParametersReportValuesInTheirOwnUnits) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "25 mm", "mm");
  EXPECT_EQ(width->Name(), "width");
  EXPECT_EQ(width->Value(), 25.0);
  EXPECT_EQ(width->ModelValue(), 2.5);
  EXPECT_EQ(width->Units(), "mm");
  EXPECT_EQ(width->Expression(), "25 mm");

  const Ref<Parameter> angle = table->AddModelParameter("angle", "90 deg", "deg");
  EXPECT_DOUBLE_EQ(angle->Value(), 90.0);
  EXPECT_DOUBLE_EQ(angle->ModelValue(), std::numbers::pi / 2);

  const Ref<Parameter> bare = table->AddUserParameter("bare", "12.5", "in");
  EXPECT_DOUBLE_EQ(bare->Value(), 12.5);
  EXPECT_DOUBLE_EQ(bare->ModelValue(), 12.5 * 2.54);

  // The run driver writes a double's default text and the unit.
  EXPECT_DOUBLE_EQ(table->AddUserParameter("tiny", "1e-05 mm", "mm")->Value(), 1e-05);
  EXPECT_DOUBLE_EQ(table->AddUserParameter("count", "3 ul", "ul")->Value(), 3.0);

  EXPECT_EQ(NamesOf(table->GetFirstList()), (std::vector<std::string>{"width", "angle"}));
  EXPECT_EQ(NamesOf(table->GetSecondList()), (std::vector<std::string>{"bare", "tiny", "count"}));
  EXPECT_TRUE(SameObject(table->Item("width"), table->GetFirstList()->Item(1)));
  EXPECT_TRUE(SameObject(table->Item("count"), table->GetSecondList()->Item(3)));
  EXPECT_TRUE(SameObject(table->GetFirstList(), table->GetFirstList()));
  EXPECT_EQ(table->Find("nothing"), nullptr);
  EXPECT_THAT(ErrorOf([&] { table->Item("widht"); }), HasSubstr("no parameter named 'widht'"));
  EXPECT_THROW(table->GetFirstList()->Item(0), HostError);
  EXPECT_THROW(table->GetSecondList()->Item(4), HostError);
}

TEST(ParameterTable, RefusesBadParametersAndAddsNothing) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  table->AddModelParameter("width", "25 mm", "mm");
  table->AddUserParameter("count", "2", "ul");

  const std::vector<std::pair<std::string, std::string>> refusals = {
      {"", "'' is not a parameter name"},
      {"2x", "'2x' is not a parameter name"},
      {"_x", "'_x' is not a parameter name"},
      {"a-b", "'a-b' is not a parameter name"},
      {"in", "'in' cannot name a parameter: it is a unit label"},
      {"sin", "'sin' cannot name a parameter"},
      {"width", "a parameter named 'width' already exists"},
      {"count", "a parameter named 'count' already exists"},
  };
  for (const auto& [name, message] : refusals) {
    EXPECT_THAT(ErrorOf([&] { table->AddModelParameter(name, "1", "mm"); }), HasSubstr(message));
  }
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "1", "furlong"); }),
              HasSubstr("'furlong'"));
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "2 * (width", "mm"); }),
              HasSubstr("expression '2 * (width' of 'depth'"));
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "widht", "mm"); }),
              HasSubstr("\"widht\""));
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "depth + 1", "mm"); }),
              HasSubstr("makes a cycle: depth -> depth"));
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "width / (count - 2)", "mm"); }),
              HasSubstr("no finite value"));
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "90 deg", "mm"); }),
              HasSubstr("\"deg\""));

  EXPECT_EQ(table->GetFirstList()->Count(), 1);
  EXPECT_EQ(table->GetSecondList()->Count(), 1);
  EXPECT_EQ(table->Find("depth"), nullptr);
  // The refused name stays free.
  EXPECT_EQ(table->AddUserParameter("depth", "width", "mm")->Value(), 25.0);
}

TEST(ParameterTable, ReferencesConvertAcrossUnitsAndAreTheInputs) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "25.4 mm", "mm");
  const Ref<Parameter> count = table->AddUserParameter("count", "3", "ul");
  const Ref<Parameter> depth = table->AddModelParameter("depth", "width * 2", "cm");
  const Ref<Parameter> inches = table->AddModelParameter("inches", "width", "in");
  const Ref<Parameter> spaced = table->AddUserParameter("spaced", "count * 10 mm + width", "mm");
  const Ref<Parameter> ratio = table->AddUserParameter("ratio", "width / count", "ul");

  EXPECT_DOUBLE_EQ(depth->Value(), 5.08);
  EXPECT_DOUBLE_EQ(inches->Value(), 1.0);
  EXPECT_DOUBLE_EQ(inches->ModelValue(), 2.54);
  EXPECT_DOUBLE_EQ(spaced->Value(), 55.4);
  EXPECT_DOUBLE_EQ(ratio->Value(), 25.4 / 3);

  // Drivable parameters read nothing.
  EXPECT_EQ(width->Inputs()->Count(), 0);
  EXPECT_EQ(count->Inputs()->Count(), 0);
  const Ref<IVObjectCollection> inputs = spaced->Inputs();
  ASSERT_EQ(inputs->Count(), 2);
  EXPECT_TRUE(SameObject(inputs->Item(1), count));
  EXPECT_TRUE(SameObject(inputs->Item(2), width));
  EXPECT_THROW(inputs->Item(3), HostError);
  EXPECT_THROW(inputs->Add(nullptr), HostError);
  // What a caller adds to the collection it was given stays its own.
  inputs->Add(depth);
  EXPECT_EQ(inputs->Count(), 3);
  EXPECT_EQ(spaced->Inputs()->Count(), 2);
}

TEST(ParameterTable, RefusedExpressionsChangeNothing) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "20 mm", "mm");
  const Ref<Parameter> height = table->AddModelParameter("height", "width + 1 mm", "mm");
  const Ref<Parameter> top = table->AddUserParameter("top", "height * 2", "mm");

  const std::string unclosed = ErrorOf([&] { height->Expression("2 * (width"); });
  EXPECT_THAT(unclosed, HasSubstr("expression '2 * (width' of 'height': "));
  EXPECT_THAT(unclosed, HasSubstr("parenthesis at position "));
  EXPECT_THAT(ErrorOf([&] { height->Expression("widht"); }),
              HasSubstr("Unexpected token \"widht\" found at position 0"));
  EXPECT_THAT(ErrorOf([&] { height->Expression("height + 1"); }),
              HasSubstr("expression 'height + 1' of 'height' makes a cycle: height -> height"));
  EXPECT_THAT(ErrorOf([&] { width->Expression("top / 4"); }),
              HasSubstr("makes a cycle: width -> top -> height -> width"));
  EXPECT_THAT(ErrorOf([&] { width->Expression("5 deg"); }), HasSubstr("\"deg\""));

  EXPECT_EQ(width->Expression(), "20 mm");
  EXPECT_EQ(height->Expression(), "width + 1 mm");
  ASSERT_EQ(height->Inputs()->Count(), 1);
  EXPECT_TRUE(SameObject(height->Inputs()->Item(1), width));
  EXPECT_EQ(width->Inputs()->Count(), 0);
  EXPECT_DOUBLE_EQ(top->Value(), 42.0);

  // A refused cycle leaves the table able to update as before.
  table->Commit(table->Stage());
  EXPECT_DOUBLE_EQ(top->Value(), 42.0);
}

TEST(ParameterTable, AcceptedExpressionsTakeEffectAtCommit) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "20 mm", "mm");
  const Ref<Parameter> depth = table->AddUserParameter("depth", "width * 2", "mm");

  width->Expression("30 mm");
  EXPECT_EQ(width->Expression(), "30 mm");
  EXPECT_EQ(width->Value(), 20.0);

  const ParameterValues staged = table->Stage();
  EXPECT_EQ(staged.Size(), 2u);
  EXPECT_DOUBLE_EQ(staged.Find("width").value(), 3.0);
  EXPECT_DOUBLE_EQ(staged.Find("depth").value(), 6.0);
  EXPECT_EQ(width->Value(), 20.0);
  EXPECT_DOUBLE_EQ(depth->Value(), 40.0);

  table->Commit(staged);
  EXPECT_DOUBLE_EQ(width->Value(), 30.0);
  EXPECT_DOUBLE_EQ(depth->Value(), 60.0);
}

TEST(ParameterTable, StageEvaluatesInputsFirstAcrossLists) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> a = table->AddModelParameter("a", "1 mm", "mm");
  const Ref<Parameter> b = table->AddModelParameter("b", "a * 2", "mm");
  const Ref<Parameter> c = table->AddUserParameter("c", "3 mm", "mm");
  // Now the first model parameter reads a user parameter added after it.
  a->Expression("c + 1 mm");
  c->Expression("10 mm");
  table->Commit(table->Stage());
  EXPECT_DOUBLE_EQ(c->Value(), 10.0);
  EXPECT_DOUBLE_EQ(a->Value(), 11.0);
  EXPECT_DOUBLE_EQ(b->Value(), 22.0);
  EXPECT_EQ(a->Inputs()->Count(), 1);
  EXPECT_TRUE(SameObject(a->Inputs()->Item(1), c));
}

TEST(ParameterTable, FailingStageLeavesEveryValue) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "40 mm", "mm");
  const Ref<Parameter> gap = table->AddModelParameter("gap", "2 mm", "mm");
  const Ref<Parameter> ratio = table->AddUserParameter("ratio", "width / gap", "ul");

  width->Expression("60 mm");
  gap->Expression("0 mm");  // parses; fails only when evaluated
  const std::string failure = ErrorOf([&] { table->Stage(); });
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

TEST(ParameterTable, EvaluateLengthReadsStagedValues) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "20 mm", "mm");
  const Ref<Parameter> depth = table->AddModelParameter("depth", "1 in", "in");
  width->Expression("50 mm");
  const ParameterValues staged = table->Stage();

  EXPECT_DOUBLE_EQ(table->EvaluateLength("width", staged, LengthUnit::kMillimetre), 5.0);
  EXPECT_DOUBLE_EQ(table->EvaluateLength("width", {}, LengthUnit::kMillimetre), 2.0);
  EXPECT_DOUBLE_EQ(table->EvaluateLength("10", staged, LengthUnit::kMillimetre), 1.0);
  EXPECT_DOUBLE_EQ(table->EvaluateLength("10", staged, LengthUnit::kInch), 25.4);
  EXPECT_DOUBLE_EQ(table->EvaluateLength("2 * depth + 1 cm", staged, LengthUnit::kMillimetre),
                   2 * 2.54 + 1.0);
  EXPECT_THAT(ErrorOf([&] { table->EvaluateLength("widht", staged, LengthUnit::kMillimetre); }),
              HasSubstr("expression 'widht': "));
  EXPECT_THAT(ErrorOf([&] {
                table->EvaluateLength("width / (depth - 1 in)", staged, LengthUnit::kMillimetre);
              }),
              HasSubstr("expression 'width / (depth - 1 in)' has no finite value"));
  EXPECT_THROW(table->EvaluateLength("30 deg", staged, LengthUnit::kMillimetre), HostError);
  EXPECT_EQ(width->Value(), 20.0);
}

TEST(ParameterValues, HoldsOnlyFiniteValues) {
  ParameterValues values;
  values.Set("width", 2.5);
  values.Set("width", 3.5);
  EXPECT_EQ(values.Size(), 1u);
  EXPECT_EQ(values.Find("width"), 3.5);
  EXPECT_EQ(values.Find("depth"), std::nullopt);
  EXPECT_THAT(ErrorOf([&] { values.Set("depth", std::numeric_limits<double>::quiet_NaN()); }),
              HasSubstr("'depth'"));
  EXPECT_EQ(values.Size(), 1u);
}

TEST(Parameter, OutlivesItsTableWithoutTakingExpressions) {
  Ref<Parameter> depth;
  {
    const Ref<ParameterTable> table = ParameterTable::Create();
    table->AddModelParameter("width", "20 mm", "mm");
    depth = table->AddModelParameter("depth", "width + 5 mm", "mm");
  }
  EXPECT_EQ(depth->Value(), 25.0);
  EXPECT_EQ(depth->Inputs()->Count(), 1);
  try {
    depth->Expression("3 mm");
    FAIL() << "a parameter without a table took an expression";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), hresult::kUnexpected);
    EXPECT_THAT(error.what(), HasSubstr("'depth'"));
  }
  EXPECT_EQ(depth->Expression(), "width + 5 mm");
}

}  // namespace
}  // namespace sledway::model
