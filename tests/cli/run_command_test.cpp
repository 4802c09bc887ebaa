#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "cli/path_check.hpp"
#include "invoke_sledway.hpp"
#include "modelhost/files/sample_assemblies.hpp"

namespace sledway::cli::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Every move of a run kept the follow point on the path and, when aligned, the tangent line
// along it; the check line says the same.
void ExpectEveryMoveOnThePath(const nlohmann::json& run, bool aligned) {
  for (const nlohmann::json& move : run["moves"]) {
    EXPECT_LT(move["distanceCm"].get<double>(), kDistanceGoal) << move.dump();
    if (aligned) {
      EXPECT_LT(move["misalignmentRad"].get<double>(), kMisalignmentGoal) << move.dump();
    }
    EXPECT_TRUE(move["recomputed"].get<bool>());
  }
  EXPECT_TRUE(run["check"]["passed"].get<bool>());
}

TEST(RunCommand, WithoutOptionsRunsTheDefaultSampleWithItsSuggestedSlots) {
  const Invocation run = Sledway({"run"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("assembly " + model::SampleAssemblies().front().name));
  EXPECT_THAT(run.out, HasSubstr("check: max distance from path"));
  EXPECT_THAT(run.out, HasSubstr(": pass\n"));
  // 50 rows of moves between the two header lines and the check line.
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2 + 50 + 1);
  EXPECT_EQ(run.err, "");  // no progress bar when standard error is not a terminal
}

TEST(RunCommand, EverySampleRunsAThousandStepsOnItsPath) {
  for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
    SCOPED_TRACE(sample.name);
    const Invocation run =
        Sledway({"run", "--example", sample.name, "--steps", "1000", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json result = RunJson(run);
    ASSERT_EQ(result["moves"].size(), 1000u);
    EXPECT_EQ(result["moves"].back()["fraction"].get<double>(), 1.0);
    ExpectEveryMoveOnThePath(result, !sample.run.tangent.empty());
  }
}

TEST(RunCommand, APickedCurveOrEdgeBringsItsWholePath) {
  // One curve of the cart's track brings the whole track: lines of 200, 100 and 100 mm and
  // three quarter circles of radius 100 mm.
  Invocation run = Sledway({"run", "--example", "cart", "--path", "sketch:track/curve:4", "--steps",
                            "4", "--format", "json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NEAR(RunJson(run)["pathLength"].get<double>(), 400.0 + 150.0 * std::numbers::pi, 1e-9);

  // One edge of the plate's rounded slot brings the slot's tangent chain: two sides of 80 mm
  // and two half circles of radius 15 mm.
  run = Sledway({"run", "--example", "slot", "--steps", "4", "--format", "json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NEAR(RunJson(run)["pathLength"].get<double>(), 160.0 + 30.0 * std::numbers::pi, 1e-9);
}

TEST(RunCommand, PrintsTheRunAsTheOptionsOrderIt) {
  const Invocation run =
      Sledway({"run", "--example", "cart", "--steps", "4", "--mode", "start-end-start",
               "--flip-path", "--reps", "2", "--drive", "none", "--format", "json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json result = RunJson(run);
  std::vector<double> fractions;
  for (const nlohmann::json& move : result["moves"]) fractions.push_back(move["fraction"]);
  const std::vector<double> once{0.75, 0.5, 0.25, 0.0, 0.25, 0.5, 0.75, 1.0};
  std::vector<double> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(fractions, twice);
  EXPECT_EQ(result["moves"][8]["repetition"], 2);
  EXPECT_TRUE(result["driven"].is_null());
  ExpectEveryMoveOnThePath(result, true);
}

TEST(RunCommand, DrivesTheParameterInStepWithTheTravel) {
  const Invocation run = Sledway({"run", "--example", "lift", "--steps", "5", "--from", "20",
                                  "--to", "120", "--mode", "start-end-start", "--format", "csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines;
  std::istringstream text(run.out);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 1u + 10u + 1u);
  EXPECT_THAT(lines.front(), HasSubstr("fraction,x_mm,y_mm,z_mm"));
  const std::vector<std::string> driven{"40",  "60", "80", "100", "120",
                                        "100", "80", "60", "40",  "20"};
  for (std::size_t i = 0; i < driven.size(); ++i) {
    // The driven value is the 13th column.
    std::istringstream row(lines[i + 1]);
    std::string cell;
    for (int column = 0; column < 13; ++column) std::getline(row, cell, ',');
    EXPECT_EQ(cell, driven[i]) << lines[i + 1];
  }
  EXPECT_THAT(lines.back(), HasSubstr("# check: "));
  EXPECT_THAT(lines.back(), HasSubstr(": pass"));
}

TEST(RunCommand, ShowsAProgressBarOnlyOnATerminal) {
  const Invocation run = Sledway({"run", "--steps", "10", "--format", "csv"}, true);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.err, HasSubstr("100% 10/10"));
  EXPECT_THAT(run.out, Not(HasSubstr("%")));
}

TEST(RunCommand, ExitsWithOneWhenTheAssemblyCannotFollow) {
  // The column cannot be built with no height: the last move's recompute fails.
  const Invocation run = Sledway(
      {"run", "--example", "lift", "--steps", "5", "--from", "20", "--to", "0", "--format", "csv"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("could not be recomputed after 1 of 5 moves"));
}

TEST(RunCommand, RefusesBadInputWithExitTwoAndSaysWhy) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases{
      {{"run", "--example", "nosuch"}, "nosuch"},
      {{"run", "--example", "cart", "--path", "sketch:track/curve:99"}, "curve:99"},
      {{"run", "--example", "cart", "--follow", "component:nobody/vertex:1"}, "nobody"},
      {{"run", "--example", "cart", "--path", "component:cart:1/vertex:1"},
       "the path must be a 2D or 3D sketch curve or a part edge"},
      {{"run", "--example", "cart", "--follow", "component:cart:1/edge:1"},
       "the follow point must be a vertex or a work point"},
      {{"run", "--example", "slot", "--follow", "component:plate:1/vertex:1"},
       "lies on the path's component 'plate:1'"},
      {{"run", "--example", "slot", "--tangent", "component:plate:1/edge:1"},
       "lies on the path's component 'plate:1'"},
      {{"run", "--example", "cart", "--drive", "nothing"}, "no parameter named 'nothing'"},
      {{"run", "--example", "cart", "--from", "1"}, "--from and --to need --drive"},
      {{"run", "--example", "cart", "--steps", "0"}, "--steps"},
      {{"run", "--example", "cart", "--delay", "-1"}, "--delay"},
      {{"run", "--example", "cart", "--mode", "sideways"}, "--mode"},
      {{"run", "--example", "cart", "--format", "xml"}, "--format"},
      {{"run", "--example", "cart", "--output", "/no/such/dir/out.csv"}, "/no/such/dir"},
      {{"run", "no-such-file.json"}, "no-such-file.json"},
      {{"run", "x.json", "--example", "cart"}, "not both"},
      {{"run", "--bogus"}, "--bogus"},
      {{}, "subcommand"},
  };
  for (const Case& bad : cases) {
    const Invocation run = Sledway(bad.args);
    EXPECT_EQ(run.status, 2) << ::testing::PrintToString(bad.args) << "\n" << run.err;
    EXPECT_THAT(run.err, HasSubstr(bad.message)) << ::testing::PrintToString(bad.args);
    EXPECT_EQ(run.out, "") << ::testing::PrintToString(bad.args);
  }
}

}  // namespace
}  // namespace sledway::cli::testing
