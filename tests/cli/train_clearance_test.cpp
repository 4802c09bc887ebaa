#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
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
  std::ofstream(directory_ / "blocks.json") << kBlocks;
  const auto run = [&](const std::string& follower) {
    return Sledway({"run", (directory_ / "blocks.json").string(), "--steps", "10", "--format",
                    "json", "--clearance", "--train", follower})
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
    EXPECT_NEAR(contacts[0]["last"].get<double>(), distance > 10.0 ? 0.10001 : 1.0, 1e-9);
  }
  const nlohmann::json tall = run("tall:1:20")["clearance"]["contacts"];
  ASSERT_EQ(tall.size(), 2u);
  EXPECT_EQ(tall[1]["moving"], "tall:1");
  EXPECT_EQ(tall[1]["component"], "beam:1");
  EXPECT_NEAR(tall[1]["first"].get<double>(), 0.59999, 1e-9);
  EXPECT_NEAR(tall[1]["last"].get<double>(), 0.72001, 1e-9);
}

}  // namespace
}  // namespace sledway::cli
