#include "modelhost/parameters/parameter_table.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

TEST(ParameterTable, ParametersReportValuesInTheirOwnUnitsAndReadTheirInputs) {
  const Ref<ParameterTable> table = ParameterTable::Create();
  const Ref<Parameter> width = table->AddModelParameter("width", "25 mm", "mm");
  EXPECT_EQ(width->Value(), 25.0);
  EXPECT_EQ(width->ModelValue(), 2.5);
  EXPECT_EQ(width->Units(), "mm");
  const Ref<Parameter> count = table->AddUserParameter("count", "3", "ul");
  EXPECT_DOUBLE_EQ(table->AddModelParameter("angle", "90 deg", "deg")->ModelValue(),
                   std::numbers::pi / 2);
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

  EXPECT_EQ(NamesOf(table->GetFirstList()),
            (std::vector<std::string>{"width", "angle", "depth", "inches"}));
  EXPECT_EQ(NamesOf(table->GetSecondList()),
            (std::vector<std::string>{"count", "bare", "spaced", "ratio"}));
  EXPECT_TRUE(SameObject(table->Item("count"), table->GetSecondList()->Item(1)));
  EXPECT_EQ(table->Find("nothing"), nullptr);
  EXPECT_THAT(ErrorOf([&] { table->Item("widht"); }), HasSubstr("no parameter named 'widht'"));
  EXPECT_THROW(table->GetSecondList()->Item(5), HostError);

  EXPECT_EQ(width->Inputs()->Count(), 0);
  const Ref<IVObjectCollection> inputs = spaced->Inputs();
  ASSERT_EQ(inputs->Count(), 2);
  EXPECT_TRUE(SameObject(inputs->Item(1), count));
  EXPECT_TRUE(SameObject(inputs->Item(2), width));
  EXPECT_THROW(inputs->Item(3), HostError);
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
      {"_x", "'_x' is not a parameter name"},
      {"in", "'in' cannot name a parameter: it is a unit label"},
      {"sin", "'sin' cannot name a parameter"},
      {"count", "a parameter named 'count' already exists"},
  };
  for (const auto& [name, message] : refusals) {
    EXPECT_THAT(ErrorOf([&] { table->AddModelParameter(name, "1", "mm"); }), HasSubstr(message));
  }
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "1", "furlong"); }),
              HasSubstr("'furlong'"));
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "2 * (width", "mm"); }),
              HasSubstr("expression '2 * (width' of 'depth'"));
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "depth + 1", "mm"); }),
              HasSubstr("makes a cycle: depth -> depth"));
  EXPECT_THAT(ErrorOf([&] { table->AddUserParameter("depth", "width / (count - 2)", "mm"); }),
              HasSubstr("no finite value"));

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
  EXPECT_EQ(width->Expression(), "base + 25 mm");
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
  EXPECT_THAT(ErrorOf([&] { table->EvaluateLength("widht", staged, LengthUnit::kMillimetre); }),
              HasSubstr("expression 'widht': "));
  EXPECT_THAT(ErrorOf([&] {
                table->EvaluateLength("width / (base - 1 cm)", staged, LengthUnit::kMillimetre);
              }),
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

TEST(Parameter, OutlivesItsTableWithoutTakingExpressions) {
  Ref<Parameter> depth;
  {
    const Ref<ParameterTable> table = ParameterTable::Create();
    table->AddModelParameter("width", "20 mm", "mm");
    depth = table->AddModelParameter("depth", "width + 5 mm", "mm");
  }
  EXPECT_EQ(depth->Value(), 25.0);
  EXPECT_EQ(depth->Inputs()->Count(), 1);
  EXPECT_THAT(ErrorOf([&] { depth->Expression("3 mm"); }), HasSubstr("'depth'"));
  EXPECT_EQ(depth->Expression(), "width + 5 mm");
}

}  // namespace
}  // namespace sledway::model
