#include "cli/sledway_cli.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "invocation.hpp"
#include "modelhost/files/sample_assemblies.hpp"

namespace sledway::cli {
namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

using test::Invocation;
using test::Sledway;

// A bead and three sketches in a file of its own, with no suggested run: "ring" holds one circle
// of radius 50 mm, "pair" two separate circles, "mixed" a line beside a circle.
constexpr const char* kBeadAndRings = R"({"units": "mm",
  "parts": [{"name": "bead", "sphere": {"radius": 5},
             "workPoints": [{"name": "centre", "point": [0, 0, 0]}]}],
  "components": [{"name": "bead:1", "part": "bead", "placement": {"origin": [0, 0, 30]}}],
  "sketches": [{"name": "ring", "curves": [{"kind": "circle", "centre": [0, 0], "radius": 50}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}},
               {"name": "pair", "curves": [{"kind": "circle", "centre": [0, 0], "radius": 50},
                                           {"kind": "circle", "centre": [200, 0], "radius": 50}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}},
               {"name": "mixed", "curves": [{"kind": "line", "start": [100, 0], "end": [200, 0]},
                                            {"kind": "circle", "centre": [0, 0], "radius": 50}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}]})";
constexpr const char* kBead = "component:bead:1/workpoint:centre";

class SledwayCli : public test::WithDirectory {
 protected:
  std::string Rings() const { return Assembly(kBeadAndRings, "rings.json"); }
};

TEST_F(SledwayCli, RunsTheDefaultSampleAndDrawsProgressOnlyOnATerminal) {
  Invocation run = Sledway({"run"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("assembly " + model::SampleAssemblies().front().name));
  EXPECT_THAT(run.out, HasSubstr(": pass\n"));
  EXPECT_THAT(run.out, HasSubstr("\nrun: 50 of 50 moves made\ncheck: "));
  // 50 rows of moves between the two header lines and the run and check lines.
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2 + 50 + 2);
  EXPECT_EQ(run.err, "");

  run = Sledway({"run", "--steps", "10", "--format", "csv"}, true);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.err, HasSubstr("100% 10/10"));
  EXPECT_THAT(run.out, Not(HasSubstr("%")));
}

TEST_F(SledwayCli, EverySampleRunsAThousandStepsOnItsPath) {
  for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
    SCOPED_TRACE(sample.name);
    const Invocation run =
        Sledway({"run", "--example", sample.name, "--steps", "1000", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json result = run.Json();
    ASSERT_EQ(result["moves"].size(), 1000u);
    EXPECT_EQ(result["moves"].back()["fraction"].get<double>(), 1.0);
    EXPECT_TRUE(result["check"]["passed"].get<bool>());
    // A sample with a tangent line is checked for alignment too.
    EXPECT_EQ(result["check"]["maxMisalignmentRad"].is_null(), sample.run.tangent.empty());
  }
}

TEST_F(SledwayCli, RunsAndDrivesAsTheOptionsOrder) {
  const Invocation run =
      Sledway({"run", "--example", "lift", "--steps", "4", "--mode", "start-end-start",
               "--flip-path", "--reps", "2", "--from", "20", "--to", "120", "--format", "csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream text(run.out);
  std::string line;
  std::getline(text, line);
  EXPECT_THAT(line, HasSubstr(",fraction,x_mm,y_mm,z_mm,"));
  // Each row's repetition, fraction and driven value: the columns 2, 5 and 13.
  std::vector<std::string> rows;
  while (std::getline(text, line) && !line.starts_with('#')) {
    std::vector<std::string> cells;
    std::istringstream row(line);
    for (std::string cell; std::getline(row, cell, ',');) cells.push_back(cell);
    rows.push_back(cells.at(1) + " " + cells.at(4) + " " + cells.at(12));
  }
  // Out from the far end and back, twice.
  const std::vector<std::string> once{"0.75 45", "0.5 70", "0.25 95", "0 120",
                                      "0.25 95", "0.5 70", "0.75 45", "1 20"};
  ASSERT_EQ(rows.size(), 16u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i], (i < 8 ? "1 " : "2 ") + once[i % 8]);
  }
  EXPECT_EQ(line, "# run: 16 of 16 moves made");
  std::getline(text, line);
  EXPECT_THAT(line, ContainsRegex("^# check: .*: pass$"));

  const Invocation undriven =
      Sledway({"run", "--example", "lift", "--drive", "none", "--steps", "2", "--format", "json"});
  ASSERT_EQ(undriven.status, 0) << undriven.err;
  EXPECT_TRUE(undriven.Json()["driven"].is_null());
}

// as1-oc-214.stp: a plate with four holes, two L-brackets and a rod assembly, in millimetres.
// Each hole of the plate is bounded by two half-round spline edges of radius 5 mm.
TEST_F(SledwayCli, ARodVertexOfAStepAssemblyGoesRoundAHoleOfThePlate) {
  const std::filesystem::path file = SLEDWAY_AS1_STEP;
  const Invocation run =
      Sledway({"run", file.string(), "--path", "component:plate_1/edge:5", "--follow",
               "component:rod-assembly_1/vertex:1", "--tangent", "component:rod-assembly_1/edge:1",
               "--steps", "20", "--format", "json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json result = run.Json();
  EXPECT_EQ(result["lengthUnit"], "mm");
  // One edge brings its tangent chain: both halves of the hole, a circle of radius 5 mm (the
  // splines stand for the arcs to within a few 1e-6 mm).
  EXPECT_NEAR(result["pathLength"].get<double>(), 10.0 * std::numbers::pi, 1e-4);
  EXPECT_TRUE(result["check"]["passed"].get<bool>());
}

TEST_F(SledwayCli, FailsTheCheckWhenTheDrivenParameterChangesThePathsLength) {
  // The path is the rail's 100 mm edge along X, and the rail's length is the parameter.
  const std::string rail = Assembly(R"({"units": "mm",
    "parameters": {"user": [{"name": "rail_length", "expression": "100", "units": "mm"}]},
    "parts": [{"name": "rail", "box": {"length": "rail_length", "width": 10, "height": 5}},
              {"name": "bead", "sphere": {"radius": 2},
               "workPoints": [{"name": "centre", "point": [0, 0, 0]}]}],
    "components": [{"name": "rail:1", "part": "rail"},
                   {"name": "bead:1", "part": "bead", "placement": {"origin": [0, 50, 0]}}]})",
                                    "rail.json");
  const std::vector<std::string> run{"run",      rail,  "--path",  "component:rail:1/edge:9",
                                     "--follow", kBead, "--steps", "4"};
  Invocation steady = Sledway(run);
  EXPECT_EQ(steady.status, 0) << steady.err;
  EXPECT_THAT(steady.out, HasSubstr("max travel error 0.00e+00 of the path length"));

  std::vector<std::string> driven = run;
  for (const char* option : {"--drive", "rail_length", "--from", "100", "--to", "200"}) {
    driven.push_back(option);
  }
  const Invocation growing = Sledway(driven);
  EXPECT_EQ(growing.status, 1);
  EXPECT_THAT(growing.err, HasSubstr("the path changed length during the run"));
  // At the end the follow point stands 100 mm along a path now 200 mm long.
  EXPECT_THAT(growing.out, HasSubstr("max travel error 5.00e-01 of the path length"));
  EXPECT_THAT(growing.out, HasSubstr("the path changed length during the run: FAIL"));
}

TEST_F(SledwayCli, RefusesBadInputWithExitTwoAndSaysWhy) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases{
      {{"run", "--example", "nosuch"}, "nosuch"},
      {{"run", "--example", "cart", "--path", "component:cart:1/vertex:1"},
       "the path must be a 2D or 3D sketch curve or a part edge"},
      {{"run", "--example", "cart", "--follow", "component:cart:1/edge:1"},
       "the follow point must be a vertex or a work point"},
      {{"run", "--example", "slot", "--follow", "component:plate:1/vertex:1"},
       "lies on the path's component 'plate:1'"},
      {{"run", "--example", "cart", "--drive", "nothing"}, "no parameter named 'nothing'"},
      {{"run", "--example", "cart", "--from", "1"}, "--from and --to need --drive"},
      {{"run", "--example", "cart", "--steps", "0"}, "--steps"},
      {{"run", "--example", "cart", "--delay", "-1"}, "--delay"},
      {{"run", "--example", "cart", "--format", "xml"}, "--format"},
      {{"run", "--example", "cart", "--output", "/no/such/dir/out.csv"}, "/no/such/dir"},
      {{"run", "x.json", "--example", "cart"}, "not both"},
      {{"run", Rings()}, "no path: give --path NAME"},
      {{"run", Rings(), "--path", "sketch:ring/curve:1"}, "no follow point: give --follow NAME"},
      {{"run", Rings(), "--path", "sketch:pair/curve:2", "--follow", kBead},
       "cannot pick 'sketch:pair/curve:2' as the path: its sketch does not hold exactly one "
       "profile path"},
      // The line pointed at must not bring the circle beside it.
      {{"run", Rings(), "--path", "sketch:mixed/curve:1", "--follow", kBead},
       "cannot pick 'sketch:mixed/curve:1' as the path: its sketch does not hold exactly one "
       "profile path"},
      {{"run", "--bogus"}, "--bogus"},
      {{}, "subcommand"},
  };
  for (const Case& bad : cases) test::ExpectRefused(bad.args, bad.message);
}

TEST_F(SledwayCli, ExamplesAndInspectListTheNamesTheRunCommandTakes) {
  const Invocation examples = Sledway({"examples"});
  EXPECT_EQ(examples.status, 0);
  EXPECT_THAT(examples.out, StartsWith(model::SampleAssemblies().front().name + " (default): "));
  for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
    EXPECT_THAT(examples.out,
                HasSubstr("--path " + sample.run.path + " --follow " + sample.run.follow));
  }

  const Invocation cart = Sledway({"inspect", "--example", "cart"});
  ASSERT_EQ(cart.status, 0) << cart.err;
  // The track's first line is 200 mm long, its arcs quarter circles of radius 100 mm; the cart
  // is a 60 x 30 x 20 mm box whose work point "contact" sits at (30, 15, 0) in the part, tilted
  // 20 degrees about X: y = 15 cos 20, z = 15 sin 20.
  EXPECT_THAT(cart.out, ContainsRegex("sketch:track/curve:1 +2D line +length 200 mm\n"));
  EXPECT_THAT(cart.out, ContainsRegex("sketch:track/curve:2 +2D arc +length 157.079633 mm\n"));
  EXPECT_THAT(cart.out, ContainsRegex("edge:9 +edge +straight, length 60 mm\n"));
  EXPECT_THAT(
      cart.out,
      ContainsRegex("workpoint:contact +work point +at \\(30, 14.095389, 5.130302\\) mm\n"));

  const Invocation lift = Sledway({"inspect", "--example", "lift"});
  ASSERT_EQ(lift.status, 0) << lift.err;
  EXPECT_THAT(lift.out, HasSubstr("parameters that can be driven"));
  EXPECT_THAT(lift.out, HasSubstr("  lift_height = 20 mm\n"));
}

}  // namespace
}  // namespace sledway::cli
