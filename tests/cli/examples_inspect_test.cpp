#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "invoke_sledway.hpp"
#include "modelhost/files/sample_assemblies.hpp"

namespace sledway::cli::testing {
namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(ExamplesCommand, ListsEverySampleWithItsSuggestedSlotsTheDefaultFirst) {
  const Invocation examples = Sledway({"examples"});
  EXPECT_EQ(examples.status, 0);
  const auto samples = model::SampleAssemblies();
  EXPECT_THAT(examples.out, StartsWith(samples.front().name + " (default): "));
  for (const model::SampleAssembly& sample : samples) {
    EXPECT_THAT(examples.out, HasSubstr(sample.name));
    EXPECT_THAT(examples.out,
                HasSubstr("--path " + sample.run.path + " --follow " + sample.run.follow));
  }
}

TEST(InspectCommand, ListsTheNamesTheRunCommandTakesWithTheirGeometry) {
  const Invocation inspect = Sledway({"inspect", "--example", "cart"});
  ASSERT_EQ(inspect.status, 0) << inspect.err;
  const model::SampleAssembly cart = model::FindSampleAssembly("cart");
  for (const std::string& name : {cart.run.path, cart.run.follow, cart.run.tangent}) {
    EXPECT_THAT(inspect.out, HasSubstr("  " + name + " ")) << name;
  }
  // The track's first line is 200 mm long, its arcs quarter circles of radius 100 mm; the cart
  // is a 60 x 30 x 20 mm box whose work point "contact" sits at (30, 15, 0) in the part.
  EXPECT_THAT(inspect.out, ContainsRegex("sketch:track/curve:1 +2D line +length 200 mm\n"));
  EXPECT_THAT(inspect.out, ContainsRegex("sketch:track/curve:2 +2D arc +length 157.079633 mm\n"));
  EXPECT_THAT(inspect.out, ContainsRegex("edge:9 +edge +straight, length 60 mm\n"));
  // The work point (30, 15, 0) of the part, tilted 20 degrees about X: y = 15 cos 20, z = 15
  // sin 20.
  EXPECT_THAT(
      inspect.out,
      ContainsRegex("workpoint:contact +work point +at \\(30, 14.095389, 5.130302\\) mm\n"));
  EXPECT_THAT(inspect.out, HasSubstr("parameters that can be driven"));

  const Invocation lift = Sledway({"inspect", "--example", "lift"});
  ASSERT_EQ(lift.status, 0) << lift.err;
  EXPECT_THAT(lift.out, HasSubstr("  lift_height = 20 mm\n"));
  EXPECT_THAT(lift.out, HasSubstr("  column_width = 30 mm\n"));

  const Invocation missing = Sledway({"inspect", "missing.stp"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_THAT(missing.err, HasSubstr("missing.stp"));
}

}  // namespace
}  // namespace sledway::cli::testing
