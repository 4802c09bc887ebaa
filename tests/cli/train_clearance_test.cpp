#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using test::Sledway;

// Blocks 10 mm long go 100 mm along X in steps of 10 mm. The plates are 20 mm high and pass
// 15 mm under a beam across the rail at x = 50..52; the tall block, 40 mm high, runs into it.
constexpr const char* kBlocks = R"({"units": "mm",
  "parts": [{"name": "plate", "box": {"length": 10, "width": 20, "height": 20},
             "workPoints": [{"name": "corner", "point": [0, 0, 0]}]},
            {"name": "tall", "box": {"length": 10, "width": 20, "height": 40},
             "workPoints": [{"name": "corner", "point": [0, 0, 0]}]},
            {"name": "beam", "box": {"length": 2, "width": 60, "height": 5}}],
  "components": [{"name": "plate:1", "part": "plate"},
                 {"name": "plate:2", "part": "plate", "placement": {"origin": [0, -300, 0]}},
                 {"name": "tall:1", "part": "tall", "placement": {"origin": [0, 300, 0]}},
                 {"name": "beam:1", "part": "beam", "placement": {"origin": [50, -20, 35]}}],
  "sketches": [{"name": "rail", "curves": [{"kind": "line", "start": [0, 0], "end": [100, 0]}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:rail/curve:1", "follow": "component:plate:1/workpoint:corner"}})";

// A follower D behind waits at the start until the leader is D along, so with the leader at s
// the plates are min(s, D) - 10 mm apart, in contact up to s = 10 mm + the tolerance when D is
// more. The tall follower, 20 mm behind, spans s - 20 .. s - 10, so it meets the beam from
// s = 60 mm less the tolerance to 72 mm more, between moves at both ends.
using TrainClearance = test::WithDirectory;

TEST_F(TrainClearance, TrainMembersAreMeasuredAgainstEachOtherAndWhatStandsStill) {
  const std::string blocks = Assembly(kBlocks);
  const auto run = [&](const std::string& follower) {
    return Sledway({"run", blocks, "--steps", "10", "--format", "json", "--clearance", "--train",
                    follower})
        .Json();
  };
  for (const double distance : {20.0, 8.0}) {
    const nlohmann::json moves = run("plate:2:" + std::to_string(distance));
    for (const nlohmann::json& move : moves["moves"]) {
      const double gap = std::min(move["fraction"].get<double>() * 100.0, distance) - 10.0;
      const nlohmann::json& clearance = move["clearance"];
      EXPECT_EQ(clearance["contact"].get<bool>(), gap <= 0.001) << distance;
      if (gap > 0.001) {
        EXPECT_NEAR(clearance["distance"].get<double>(), gap, 1e-6);
      }
    }
    const nlohmann::json& contacts = moves["clearance"]["contacts"];
    ASSERT_EQ(contacts.size(), 1u) << distance;
    EXPECT_EQ(contacts[0]["moving"], "plate:1");
    EXPECT_EQ(contacts[0]["component"], "plate:2");
    EXPECT_EQ(contacts[0]["first"].get<double>(), 0.0);  // in contact already at "Position"
    EXPECT_NEAR(contacts[0]["last"].get<double>(), distance > 10.0 ? 0.10001 : 1.0, 1e-9);
  }
  const nlohmann::json tall = run("tall:1:20")["clearance"]["contacts"];
  ASSERT_EQ(tall.size(), 2u);
  EXPECT_EQ(tall[1]["moving"], "tall:1");
  EXPECT_EQ(tall[1]["component"], "beam:1");
  EXPECT_NEAR(tall[1]["first"].get<double>(), 0.59999, 1e-9);
  EXPECT_NEAR(tall[1]["last"].get<double>(), 0.72001, 1e-9);
}

// Two arms kept tangent to a circle of radius 50 mm by their hubs, the leader reaching out to
// 90 mm and a follower a quarter of a half turn behind to 95 mm; a post of radius 0.5 mm stands
// at 92.5 mm, where only the follower reaches, an eighth of a half turn along. The follower's
// faces, 2 mm either side of its middle, meet the post where 92.5 sin(angle from the post) =
// 2.5 + the tolerance, with the leader 3/8 of a half turn along: between moves 4 and 5 of 24.
TEST_F(TrainClearance, AFollowerSweepsThroughAPostBetweenMoves) {
  const double post = std::numbers::pi / 8.0;
  char origin[96];
  std::snprintf(origin, sizeof origin, "[%.17g, %.17g, -15]", 92.5 * std::cos(post),
                92.5 * std::sin(post));
  const std::string arms = Assembly(std::string(R"({"units": "mm",
  "parts": [{"name": "arm", "box": {"length": 4, "width": 40, "height": 4},
             "workPoints": [{"name": "hub", "point": [2, 40, 2]}],
             "workAxes": [{"name": "along", "origin": [0, 40, 2], "direction": [1, 0, 0]}]},
            {"name": "long", "box": {"length": 4, "width": 45, "height": 4},
             "workPoints": [{"name": "hub", "point": [2, 45, 2]}]},
            {"name": "post", "cylinder": {"radius": 0.5, "height": 30}}],
  "components": [{"name": "arm:1", "part": "arm"},
                 {"name": "long:1", "part": "long", "placement": {"origin": [0, 300, 0]}},
                 {"name": "post:1", "part": "post", "placement": {"origin": )") +
                                    origin + R"(}}],
  "sketches": [{"name": "ring", "curves": [{"kind": "circle", "centre": [0, 0], "radius": 50}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:ring/curve:1", "follow": "component:arm:1/workpoint:hub",
          "tangent": "component:arm:1/workaxis:along"}})");
  char behind[64];
  std::snprintf(behind, sizeof behind, "long:1:%.17g", 50.0 * std::numbers::pi / 4.0);
  for (const char* roll : {"add-in", "minimal"}) {
    const nlohmann::json summary = Sledway({"run", arms, "--steps", "24", "--format", "json",
                                            "--clearance", "--train", behind, "--roll", roll})
                                       .Json()["clearance"];
    ASSERT_EQ(summary["contacts"].size(), 1u) << roll;
    const nlohmann::json& contact = summary["contacts"][0];
    EXPECT_EQ(contact["moving"], "long:1");
    EXPECT_EQ(contact["component"], "post:1");
    const double half = std::asin((2.5 + 0.001) / 92.5);
    const double leader = post + std::numbers::pi / 4.0;
    EXPECT_NEAR(contact["first"].get<double>(), (leader - half) / (2.0 * std::numbers::pi), 1e-9);
    EXPECT_NEAR(contact["last"].get<double>(), (leader + half) / (2.0 * std::numbers::pi), 1e-9);
    EXPECT_EQ(contact["betweenMoves"], nlohmann::json::array({4, 5}));
  }
}

}  // namespace
}  // namespace sledway::cli
