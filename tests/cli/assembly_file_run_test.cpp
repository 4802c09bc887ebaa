#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

#include "invoke_sledway.hpp"

namespace sledway::cli::testing {
namespace {

using ::testing::HasSubstr;

// A bead and two sketches in a file of its own, with no suggested run: "ring" holds one circle
// of radius 50 mm, "pair" two separate circles.
constexpr const char* kBeadAndRings = R"({
  "units": "mm",
  "parts": [{ "name": "bead", "sphere": { "radius": 5 },
              "workPoints": [{ "name": "centre", "point": [0, 0, 0] }] }],
  "components": [{ "name": "bead:1", "part": "bead", "placement": { "origin": [0, 0, 30] } }],
  "sketches": [
    { "name": "ring", "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
      "curves": [{ "kind": "circle", "centre": [0, 0], "radius": 50 }] },
    { "name": "pair", "plane": { "origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0] },
      "curves": [{ "kind": "circle", "centre": [0, 0], "radius": 50 },
                 { "kind": "circle", "centre": [200, 0], "radius": 50 }] }
  ]
})";

class AssemblyFileRun : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() /
                 ("sledway-run-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory_);
    std::ofstream(directory_ / "rings.json") << kBeadAndRings;
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string File() const { return (directory_ / "rings.json").string(); }

  std::filesystem::path directory_;
};

TEST_F(AssemblyFileRun, RunsAFileWithTheSlotsTheOptionsName) {
  const Invocation run =
      Sledway({"run", File(), "--path", "sketch:ring/curve:1", "--follow",
               "component:bead:1/workpoint:centre", "--steps", "8", "--format", "json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json result = RunJson(run);
  EXPECT_EQ(result["assembly"], "rings.json");
  EXPECT_NEAR(result["pathLength"].get<double>(), 100.0 * std::numbers::pi, 1e-9);
  ASSERT_EQ(result["moves"].size(), 8u);
  // A quarter of the way round a circle of 50 mm (starting where the circle's own parameter
  // starts, on +X) the bead stands at (0, 50, 0).
  const nlohmann::json& quarter = result["moves"][1];
  EXPECT_EQ(quarter["fraction"].get<double>(), 0.25);
  EXPECT_NEAR(quarter["followPoint"][0].get<double>(), 0.0, 1e-9);
  EXPECT_NEAR(quarter["followPoint"][1].get<double>(), 50.0, 1e-9);
  EXPECT_NEAR(quarter["followPoint"][2].get<double>(), 0.0, 1e-9);
  EXPECT_TRUE(quarter["misalignmentRad"].is_null());
  EXPECT_TRUE(result["check"]["maxMisalignmentRad"].is_null());
  EXPECT_TRUE(result["check"]["passed"].get<bool>());
}

TEST_F(AssemblyFileRun, RefusesMissingSlotsAndASketchOfTwoLoops) {
  Invocation run = Sledway({"run", File()});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("no path: give --path NAME"));

  run = Sledway({"run", File(), "--path", "sketch:ring/curve:1"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("no follow point: give --follow NAME"));

  run = Sledway({"run", File(), "--path", "sketch:pair/curve:2", "--follow",
                 "component:bead:1/workpoint:centre"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("cannot pick 'sketch:pair/curve:2' as the path: its sketch does "
                                 "not hold exactly one profile path"));
}

TEST_F(AssemblyFileRun, WritesTheOutputFileWholeAndNothingToStandardOutput) {
  const std::filesystem::path output = directory_ / "rows.csv";
  const Invocation run = Sledway({"run", File(), "--path", "sketch:ring/curve:1", "--follow",
                                  "component:bead:1/workpoint:centre", "--steps", "4", "--format",
                                  "csv", "--output", output.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  std::ifstream stream(output);
  std::string line;
  int lines = 0;
  std::string last;
  while (std::getline(stream, line)) {
    ++lines;
    last = line;
  }
  EXPECT_EQ(lines, 1 + 4 + 1);
  EXPECT_THAT(last, HasSubstr("# check: "));
}

}  // namespace
}  // namespace sledway::cli::testing
