#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using test::ExpectRefused;
using test::Invocation;
using test::Sledway;
using ::testing::HasSubstr;

// Distances are exact to 1e-7 of the model's size; these models are about 10 cm across.
constexpr double kDistanceTolerance = 1e-6;  // mm
constexpr double kContactTolerance = 0.001;  // mm, the default

// A 10 mm cube slides 100 mm along X; a fixed box spans x 40 to 60 and overlaps the cube's
// width in Y, so the cube runs into it at travel 30 and out of it at travel 60.
constexpr const char* kSlide = R"({"units": "mm",
  "parts": [{"name": "cube", "box": {"length": 10, "width": 10, "height": 10},
             "workPoints": [{"name": "corner", "point": [0, 0, 0]}]},
            {"name": "block", "box": {"length": 20, "width": 10, "height": 10}}],
  "components": [{"name": "cube:1", "part": "cube"},
                 {"name": "block:1", "part": "block", "placement": {"origin": [40, 5, 0]}}],
  "sketches": [{"name": "rail", "curves": [{"kind": "line", "start": [0, 0], "end": [100, 0]}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:rail/curve:1", "follow": "component:cube:1/workpoint:corner"}})";

// A sphere of radius 3 mm goes round a cylinder of radius 10 mm on a circle of radius 20 mm
// about its axis, at mid height: 7 mm clear all the way.
constexpr const char* kOrbit = R"({"units": "mm",
  "parts": [{"name": "ball", "sphere": {"radius": 3}, "workPoints": [{"name": "centre", "point": [0, 0, 0]}]},
            {"name": "pillar", "cylinder": {"radius": 10, "height": 40}}],
  "components": [{"name": "ball:1", "part": "ball"}, {"name": "pillar:1", "part": "pillar"}],
  "sketches": [{"name": "orbit", "curves": [{"kind": "circle", "centre": [0, 0], "radius": 20}],
                "plane": {"origin": [0, 0, 20], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:orbit/curve:1", "follow": "component:ball:1/workpoint:centre"}})";

using ClearanceRun = test::WithDirectory;

TEST_F(ClearanceRun, ACubeSlidingPastABlockHasTheGapAndTouchesExactlyWhileTheyOverlap) {
  const Invocation run =
      Sledway({"run", Assembly(kSlide), "--steps", "50", "--format", "json", "--clearance"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json result = run.Json();
  ASSERT_EQ(result["moves"].size(), 50u);
  for (const nlohmann::json& move : result["moves"]) {
    const double travel = 100.0 * move["fraction"].get<double>();
    const double gap = std::max({30.0 - travel, travel - 60.0, 0.0});
    EXPECT_NEAR(move["clearance"]["distance"].get<double>(), gap, kDistanceTolerance) << travel;
    EXPECT_EQ(move["clearance"]["nearest"], "block:1");
    EXPECT_EQ(move["clearance"]["contact"].get<bool>(), gap <= kContactTolerance) << travel;
    EXPECT_LE(move["clearance"]["bound"].get<double>(), gap + kDistanceTolerance) << travel;
  }
  const nlohmann::json& summary = result["clearance"];
  EXPECT_EQ(summary["least"].get<double>(), 0.0);
  EXPECT_EQ(summary["move"], 15);  // travel 30: the faces meet
  ASSERT_EQ(summary["contacts"].size(), 1u);
  EXPECT_EQ(summary["contacts"][0]["component"], "block:1");
  // Contact begins and ends where the gap is the tolerance, between the moves around them.
  EXPECT_NEAR(summary["contacts"][0]["first"].get<double>(), (30.0 - kContactTolerance) / 100.0,
              1e-9);
  EXPECT_NEAR(summary["contacts"][0]["last"].get<double>(), (60.0 + kContactTolerance) / 100.0,
              1e-9);

  // Early on, the cube's front face is 20 mm from the block's: both closest points on them.
  const Invocation early = Sledway(
      {"run", Assembly(kSlide), "--steps", "10", "--format", "json", "--clearance", "block:1"});
  ASSERT_EQ(early.status, 0) << early.err;
  const nlohmann::json first = early.Json()["moves"][0];
  EXPECT_NEAR(first["clearance"]["distance"].get<double>(), 20.0, kDistanceTolerance);
}

TEST_F(ClearanceRun, TheSummaryNamesTheLeastClearanceItsPointsAndEveryContactInEachFormat) {
  const Invocation table =
      Sledway({"run", Assembly(kSlide), "--steps", "10", "--clearance-tolerance", "0.5 mm"});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_THAT(table.out, HasSubstr("clearance mm  nearest"));
  EXPECT_THAT(table.out, HasSubstr("block:1 (contact)"));
  EXPECT_THAT(table.out, HasSubstr("clearance: least 0 mm at move 3 (fraction 0.3) between "
                                   "'cube:1' and 'block:1', closest points"));
  EXPECT_THAT(table.out,
              HasSubstr("contact: 'cube:1' with 'block:1' from fraction 0.295 to 0.605"));

  const Invocation csv =
      Sledway({"run", Assembly(kSlide), "--steps", "10", "--format", "csv", "--clearance"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_THAT(csv.out, HasSubstr(",clearance_mm,clearance_bound_mm,nearest,contact\n"));
  EXPECT_THAT(csv.out, HasSubstr(",10,10,block:1,false\n"));  // travel 20: 10 mm clear, flat faces
  EXPECT_THAT(csv.out, HasSubstr("# contact: 'cube:1' with 'block:1' from fraction"));

  // A run without the check has none of its columns.
  const Invocation plain = Sledway({"run", Assembly(kSlide), "--steps", "2", "--format", "csv"});
  EXPECT_THAT(plain.out, ::testing::Not(HasSubstr("clearance")));
}

TEST_F(ClearanceRun, ASphereCirclingACylinderStaysTheSameDistanceAway) {
  const Invocation run =
      Sledway({"run", Assembly(kOrbit), "--steps", "36", "--format", "json", "--clearance"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json summary = run.Json()["clearance"];
  EXPECT_NEAR(summary["least"].get<double>(), 20.0 - 10.0 - 3.0, kDistanceTolerance);
  // The closest points lie on the line from the axis through the sphere's centre.
  const auto onPillar = summary["onNearest"].get<std::vector<double>>();
  const auto onBall = summary["onMoving"].get<std::vector<double>>();
  EXPECT_NEAR(std::hypot(onPillar[0], onPillar[1]), 10.0, kDistanceTolerance);
  EXPECT_NEAR(std::hypot(onBall[0], onBall[1]), 17.0, kDistanceTolerance);
  EXPECT_NEAR(onPillar[2], 20.0, kDistanceTolerance);
  EXPECT_TRUE(summary["contacts"].empty());
}

TEST_F(ClearanceRun, StopAtContactEndsTheRunAtTheFirstMoveInContact) {
  const Invocation run =
      Sledway({"run", Assembly(kSlide), "--steps", "50", "--format", "csv", "--stop-at-contact"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("contact at move 15, fraction 0.3: 'cube:1' touches 'block:1'"));
  EXPECT_THAT(run.out, HasSubstr("\n15,1,1,15,0.3,"));
  EXPECT_THAT(run.out, ::testing::Not(HasSubstr("\n16,1,1,16,")));

  // Clear of everything, the same option lets the run finish.
  EXPECT_EQ(Sledway({"run", Assembly(kOrbit), "--steps", "8", "--stop-at-contact"}).status, 0);
}

TEST_F(ClearanceRun, RefusesUnknownComponentsAndToleranceThatIsNoLength) {
  const std::string slide = Assembly(kSlide);
  ExpectRefused({"run", slide, "--clearance", "wall:9"},
                "--clearance: there is no component 'wall:9'");
  ExpectRefused({"run", slide, "--clearance", "cube:1"}, "'cube:1' is the component that moves");
  ExpectRefused({"run", slide, "--clearance-tolerance", "-0.1"},
                "--clearance-tolerance: '-0.1' is negative");
  ExpectRefused({"run", slide, "--clearance-tolerance", "close"}, "is not a length");
  ExpectRefused({"run", slide, "--clearance-tolerance", "1 furlong"}, "is no length unit");
}

}  // namespace
}  // namespace sledway::cli
