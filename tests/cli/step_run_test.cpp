#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <numbers>

#include "cli/path_check.hpp"
#include "invoke_sledway.hpp"

namespace sledway::cli::testing {
namespace {

// as1-oc-214.stp: a plate with four holes, two L-brackets and a rod assembly, in millimetres.
// Each hole of the plate is bounded by two half-round spline edges of radius 5 mm.
TEST(StepRun, ARodVertexGoesRoundAHoleOfThePlate) {
  const std::filesystem::path file = SLEDWAY_AS1_STEP;
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no STEP assembly at " << file;

  const Invocation run =
      Sledway({"run", file.string(), "--path", "component:plate_1/edge:5", "--follow",
               "component:rod-assembly_1/vertex:1", "--tangent", "component:rod-assembly_1/edge:1",
               "--steps", "1000", "--format", "json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json result = RunJson(run);
  EXPECT_EQ(result["lengthUnit"], "mm");
  // One edge brings its tangent chain: both halves of the hole, a circle of radius 5 mm (the
  // splines stand for the arcs to within a few 1e-6 mm).
  EXPECT_NEAR(result["pathLength"].get<double>(), 10.0 * std::numbers::pi, 1e-4);
  ASSERT_EQ(result["moves"].size(), 1000u);
  EXPECT_TRUE(result["check"]["passed"].get<bool>());
  EXPECT_LT(result["check"]["maxDistanceCm"].get<double>(), kDistanceGoal);
  EXPECT_LT(result["check"]["maxMisalignmentRad"].get<double>(), kMisalignmentGoal);
}

}  // namespace
}  // namespace sledway::cli::testing
