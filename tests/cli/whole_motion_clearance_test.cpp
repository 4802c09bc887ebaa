#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "invocation.hpp"
#include "tests/cli/whole_motion_scenes.hpp"

namespace sledway::cli {
namespace {

using test::Invocation;
using test::kPlateAndPost;
using test::Sledway;
using ::testing::HasSubstr;

constexpr double kTolerance = test::kDefaultTolerance;

using WholeMotionClearance = test::WithDirectory;

TEST_F(WholeMotionClearance, APlatePassingThroughAPostBetweenMovesIsInContactThere) {
  const std::string plate = Assembly(kPlateAndPost);
  for (const std::vector<std::string>& roll :
       {std::vector<std::string>{},
        {"--tangent", "component:plate:1/workaxis:along", "--roll", "minimal"}}) {
    std::vector<std::string> args{"run", plate, "--steps", "10", "--format", "json", "--clearance"};
    args.insert(args.end(), roll.begin(), roll.end());
    const Invocation run = Sledway(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json summary = run.Json()["clearance"];
    EXPECT_TRUE(summary["wholeMotion"].get<bool>());
    ASSERT_EQ(summary["contacts"].size(), 1u);
    const nlohmann::json& contact = summary["contacts"][0];
    // From the plate's front face reaching the post to its back face leaving it.
    EXPECT_NEAR(contact["first"].get<double>(), (54.5 - 1.0 - kTolerance) / 100.0, 1e-9);
    EXPECT_NEAR(contact["last"].get<double>(), (55.5 + kTolerance) / 100.0, 1e-9);
    EXPECT_EQ(contact["betweenMoves"], nlohmann::json::array({5, 6}));
    // Inside the contact the plate cuts through the post.
    EXPECT_NEAR(summary["least"].get<double>(), 0.0, 1e-12);
    EXPECT_GT(summary["fraction"].get<double>(), contact["first"].get<double>());
    EXPECT_LT(summary["fraction"].get<double>(), contact["last"].get<double>());
  }

  const Invocation atMoves = Sledway({"run", plate, "--steps", "10", "--clearance-at-moves"});
  EXPECT_THAT(atMoves.out, HasSubstr("clearance: at the moves only (--clearance-at-moves), 11 "
                                     "measurements\n"));
  EXPECT_THAT(atMoves.out, HasSubstr("contact: none"));

  const Invocation stopped = Sledway({"run", plate, "--steps", "10", "--stop-at-contact"});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_THAT(stopped.err, HasSubstr("contact between moves 5 and 6, from fraction 0.53499"));
}

// The plate passes a fork whose tines, 1 mm thick, stand at x = 54.5 and 58.5: it leaves the
// first and meets the second between the same two moves, both contacts found.
TEST_F(WholeMotionClearance, AContactBeginningAgainAfterOneEndedOnTheWayIsFound) {
  const std::string fork = Assembly(R"({"units": "mm",
  "parts": [{"name": "plate", "box": {"length": 1, "width": 20, "height": 20},
             "workPoints": [{"name": "corner", "point": [0, 0, 0]}]},
            {"name": "fork", "extrude": {"height": 30, "loops": [[
              {"kind": "line", "start": [0, 0], "end": [1, 0]},
              {"kind": "line", "start": [1, 0], "end": [1, 27]},
              {"kind": "line", "start": [1, 27], "end": [4, 27]},
              {"kind": "line", "start": [4, 27], "end": [4, 0]},
              {"kind": "line", "start": [4, 0], "end": [5, 0]},
              {"kind": "line", "start": [5, 0], "end": [5, 29]},
              {"kind": "line", "start": [5, 29], "end": [0, 29]},
              {"kind": "line", "start": [0, 29], "end": [0, 0]}]]}}],
  "components": [{"name": "plate:1", "part": "plate"},
                 {"name": "fork:1", "part": "fork", "placement": {"origin": [54.5, 3, -5]}}],
  "sketches": [{"name": "rail", "curves": [{"kind": "line", "start": [0, 0], "end": [100, 0]}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:rail/curve:1", "follow": "component:plate:1/workpoint:corner"}})");
  const Invocation run = Sledway({"run", fork, "--steps", "10", "--format", "json", "--clearance"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json contacts = run.Json()["clearance"]["contacts"];
  ASSERT_EQ(contacts.size(), 2u);
  for (int tine = 0; tine < 2; ++tine) {
    const nlohmann::json& contact = contacts[static_cast<std::size_t>(tine)];
    EXPECT_NEAR(contact["first"].get<double>(), (53.5 + 4 * tine - kTolerance) / 100.0, 1e-9);
    EXPECT_NEAR(contact["last"].get<double>(), (55.5 + 4 * tine + kTolerance) / 100.0, 1e-9);
    EXPECT_EQ(contact["betweenMoves"], nlohmann::json::array({5, 6}));
  }
}

// A ball of radius 3 mm passes another whose centre stands 6.004 mm off its line, half way
// between moves 5 and 6: within the tolerance of 0.01 mm of it for sqrt(6.01² - 6.004²) mm
// either side, and nearest, 0.004 mm, inside that contact.
TEST_F(WholeMotionClearance, TheLeastInsideAContactBetweenMovesIsFollowedToItsNearest) {
  const std::string balls = Assembly(R"({"units": "mm",
  "parts": [{"name": "ball", "sphere": {"radius": 3},
             "workPoints": [{"name": "centre", "point": [0, 0, 0]}]}],
  "components": [{"name": "ball:1", "part": "ball"},
                 {"name": "ball:2", "part": "ball", "placement": {"origin": [55, 6.004, 0]}}],
  "sketches": [{"name": "rail", "curves": [{"kind": "line", "start": [0, 0], "end": [100, 0]}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:rail/curve:1", "follow": "component:ball:1/workpoint:centre"}})");
  const Invocation run = Sledway({"run", balls, "--steps", "10", "--format", "json", "--clearance",
                                  "--clearance-tolerance", "0.01 mm"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json summary = run.Json()["clearance"];
  EXPECT_NEAR(summary["least"].get<double>(), 0.004, 1e-7);
  EXPECT_NEAR(summary["fraction"].get<double>(), 0.55, 1e-5);
  ASSERT_EQ(summary["contacts"].size(), 1u);
  const double half = std::sqrt(6.01 * 6.01 - 6.004 * 6.004) / 100.0;
  EXPECT_NEAR(summary["contacts"][0]["first"].get<double>(), 0.55 - half, 1e-9);
  EXPECT_NEAR(summary["contacts"][0]["last"].get<double>(), 0.55 + half, 1e-9);
}

// A driven parameter that rebuilds a part between moves leaves the way between them to the
// moves, whether it resizes a part measured or only the part whose edge is the path.
TEST_F(WholeMotionClearance, APartRebuiltBetweenMovesLeavesTheWayToTheMoves) {
  const std::string rail = Assembly(R"({"units": "mm",
  "parameters": {"user": [{"name": "rail_len", "expression": "100", "units": "mm"}]},
  "parts": [{"name": "rail", "box": {"length": "rail_len", "width": 10, "height": 10}},
            {"name": "slider", "box": {"length": 4, "width": 4, "height": 4},
             "workPoints": [{"name": "foot", "point": [2, 2, 0]}]},
            {"name": "post", "cylinder": {"radius": 1, "height": 10}}],
  "components": [{"name": "rail:1", "part": "rail"}, {"name": "slider:1", "part": "slider"},
                 {"name": "post:1", "part": "post", "placement": {"origin": [50, 20, 0]}}],
  "run": {"path": "component:rail:1/edge:10", "follow": "component:slider:1/workpoint:foot",
          "drive": {"parameter": "rail_len", "from": 100, "to": 200}}})");
  for (const char* measured : {"post:1", "rail:1"}) {
    EXPECT_THAT(Sledway({"run", rail, "--steps", "10", "--clearance", measured}).out,
                HasSubstr("clearance: over the whole motion but 10 stretches between moves, "
                          "measured at their moves only (a recompute rebuilt a part between "
                          "moves 0 and 1 (a driven parameter resized it)), 11 measurements"))
        << measured;
  }
}

// A bar 20 x 4 x 4 mm, kept tangent to a circle of radius 50 mm, turns past a ball of radius
// 3 mm whose centre lies 40 mm from the circle's centre, half way between the first two moves:
// the bar's inner face comes nearest there, 50 - 2 - 40 - 3 = 5 mm away, and at the moves
// 48 - 40 cos(7.5 deg) - 3.
TEST_F(WholeMotionClearance, ATurningBarComesNearestToABallBetweenTwoMoves) {
  const double angle = std::numbers::pi / 8.0;
  char origin[96];
  std::snprintf(origin, sizeof origin, "[%.17g, %.17g, 0]", 40.0 * std::cos(angle),
                40.0 * std::sin(angle));
  const std::string ring = Assembly(std::string(R"({"units": "mm",
  "parts": [{"name": "bar", "box": {"length": 20, "width": 4, "height": 4},
             "workPoints": [{"name": "middle", "point": [10, 2, 2]}],
             "workAxes": [{"name": "along", "origin": [0, 2, 2], "direction": [1, 0, 0]}]},
            {"name": "ball", "sphere": {"radius": 3}}],
  "components": [{"name": "bar:1", "part": "bar"},
                 {"name": "ball:1", "part": "ball", "placement": {"origin": )") +
                                    origin + R"(}}],
  "sketches": [{"name": "ring", "curves": [{"kind": "circle", "centre": [0, 0], "radius": 50}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:ring/curve:1", "follow": "component:bar:1/workpoint:middle",
          "tangent": "component:bar:1/workaxis:along"}})");
  const Invocation run = Sledway({"run", ring, "--steps", "24", "--format", "json", "--clearance"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json summary = run.Json()["clearance"];
  EXPECT_NEAR(summary["least"].get<double>(), 5.0, 1e-6);
  EXPECT_NEAR(summary["fraction"].get<double>(), 1.0 / 16.0, 1e-7);
  EXPECT_TRUE(summary["betweenMoves"].get<bool>());
  EXPECT_EQ(summary["move"], 1);
  EXPECT_TRUE(summary["contacts"].empty());

  const Invocation atMoves =
      Sledway({"run", ring, "--steps", "24", "--format", "json", "--clearance-at-moves"});
  const double atMove = 48.0 - 40.0 * std::cos(std::numbers::pi / 24.0) - 3.0;
  EXPECT_NEAR(atMoves.Json()["clearance"]["least"].get<double>(), atMove, 1e-6);
}

// An arm 4 x 40 x 4 mm, kept tangent to a circle by its hub at one end, reaches out to 90 mm;
// its tip sweeps 1.8 times as fast as the hub past a post of radius 0.5 mm at 85 mm, half way
// between the first two moves. The arm's leading and trailing faces, 2 mm either side of its
// middle, meet the post where 85 sin(angle from the post) = 2 + 0.5 + the tolerance. The
// circle is drawn as a circle and as an ellipse of equal radii, whose turn is bounded as an
// ellipse's.
TEST_F(WholeMotionClearance, AnArmTurningOnACircleSweepsThroughAPostBetweenMoves) {
  const double angle = std::numbers::pi / 8.0;
  char origin[96];
  std::snprintf(origin, sizeof origin, "[%.17g, %.17g, -15]", 85.0 * std::cos(angle),
                85.0 * std::sin(angle));
  for (const char* ring : {R"({"kind": "circle", "centre": [0, 0], "radius": 50})",
                           R"({"kind": "ellipse", "centre": [0, 0], "majorAxis": [1, 0],
                               "majorRadius": 50, "minorRadius": 50})"}) {
    SCOPED_TRACE(ring);
    const std::string arm = Assembly(std::string(R"({"units": "mm",
  "parts": [{"name": "arm", "box": {"length": 4, "width": 40, "height": 4},
             "workPoints": [{"name": "hub", "point": [2, 40, 2]}],
             "workAxes": [{"name": "along", "origin": [0, 40, 2], "direction": [1, 0, 0]}]},
            {"name": "post", "cylinder": {"radius": 0.5, "height": 30}}],
  "components": [{"name": "arm:1", "part": "arm"},
                 {"name": "post:1", "part": "post", "placement": {"origin": )") +
                                     origin + R"(}}],
  "sketches": [{"name": "ring", "curves": [)" +
                                     ring + R"(],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:ring/curve:1", "follow": "component:arm:1/workpoint:hub",
          "tangent": "component:arm:1/workaxis:along"}})");
    // In the circle's plane the minimal frame and an up vector across the plane turn the arm
    // as the add-in does; the up frame's bound holds there, the tangent never near the vector.
    for (const std::vector<std::string>& roll :
         {std::vector<std::string>{"add-in"}, {"minimal"}, {"up", "0,0,1"}}) {
      std::vector<std::string> args{"run",      arm,    "--steps",     "24",
                                    "--format", "json", "--clearance", "--roll"};
      args.insert(args.end(), roll.begin(), roll.end());
      const Invocation run = Sledway(args);
      ASSERT_EQ(run.status, 0) << run.err;
      const nlohmann::json summary = run.Json()["clearance"];
      EXPECT_TRUE(summary["wholeMotion"].get<bool>()) << roll[0];
      EXPECT_EQ(summary["stretchesAtMoves"], 0) << roll[0];
      const nlohmann::json contacts = summary["contacts"];
      ASSERT_EQ(contacts.size(), 1u) << roll[0];
      const double half = std::asin((2.5 + kTolerance) / 85.0);
      EXPECT_NEAR(contacts[0]["first"].get<double>(), (angle - half) / (2.0 * std::numbers::pi),
                  1e-9);
      EXPECT_NEAR(contacts[0]["last"].get<double>(), (angle + half) / (2.0 * std::numbers::pi),
                  1e-9);
      EXPECT_EQ(contacts[0]["betweenMoves"], nlohmann::json::array({1, 2}));
    }

    // With the up vector in the plane the tangent lies along it at 90 and 270 degrees, between
    // moves 2 and 3 and 7 and 8 of 10, where the up frame turns over: those stretches are left
    // to their moves, and the summary says so.
    const Invocation parallel =
        Sledway({"run", arm, "--steps", "10", "--clearance", "--roll", "up", "1,0,0"});
    ASSERT_EQ(parallel.status, 0) << parallel.err;
    EXPECT_THAT(parallel.out, HasSubstr("clearance: over the whole motion but 2 stretches between "
                                        "moves, measured at their moves only (the path's tangent "
                                        "came within"));
  }
}

}  // namespace
}  // namespace sledway::cli
