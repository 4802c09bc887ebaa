#include "modelhost/document/assembly_document.hpp"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "../model_test_helpers.hpp"

namespace sledway::model {
namespace {

using ::testing::HasSubstr;

TEST(AssemblyDocumentTest, RefusedBuilderCallsNameTheThingAndAddNothing) {
  auto assembly = AssemblyDocument::Create("builder");
  auto box = assembly->AddBoxPart("box", "10", "10", "10");
  EXPECT_THAT(Refusal([&] { assembly->AddBoxPart("flat", "10", "0", "10"); }).what(),
              HasSubstr("part 'flat': width must be positive, got 0 mm"));
  // Beyond the model's reach, in words of the model rather than the kernel's.
  EXPECT_EQ(std::string(Refusal([&] { assembly->AddBoxPart("far", "1e300", "10", "10"); }).what()),
            "part 'far': length must be at most 10000000000000 mm");
  const std::string unknown =
      Refusal([&] { assembly->AddSpherePart("ghost", "radius_of_nothing"); }).what();
  EXPECT_THAT(unknown, HasSubstr("ghost"));
  EXPECT_THAT(unknown, HasSubstr("radius_of_nothing"));
  EXPECT_THAT(Refusal([&] { assembly->AddSpherePart("box", "10"); }).what(), HasSubstr("'box'"));
  EXPECT_EQ(assembly->Parts().size(), 1u);
  EXPECT_EQ(assembly->FindPart("box"), box);

  auto other = AssemblyDocument::Create("other");
  auto stranger = other->AddBoxPart("stranger", "10", "10", "10");
  auto first = assembly->AddComponent("box:1", box, gp_Trsf());
  EXPECT_THAT(Refusal([&] { assembly->AddComponent("box:1", box, gp_Trsf()); }).what(),
              HasSubstr("'box:1'"));
  EXPECT_THAT(Refusal([&] { assembly->AddComponent("s:1", stranger, gp_Trsf()); }).what(),
              HasSubstr("'stranger'"));
  EXPECT_THAT(Refusal([&] { assembly->AddComponent("none:1", nullptr, gp_Trsf()); }).what(),
              HasSubstr("'none:1'"));
  gp_Trsf scaled;
  scaled.SetScale(gp::Origin(), 2.0);
  EXPECT_THAT(Refusal([&] { assembly->AddComponent("big:1", box, scaled); }).what(),
              HasSubstr("'big:1'"));
  EXPECT_EQ(assembly->Components().size(), 1u);
  EXPECT_EQ(assembly->FindComponent("box:1"), first);

  assembly->AddSketch("track", gp::XOY());
  EXPECT_THROW(assembly->AddSketch("track", gp::YOZ()), HostError);
  EXPECT_THROW(box->AddWorkPoint("nan", gp_Pnt(NAN, 0.0, 0.0)), HostError);
  EXPECT_TRUE(box->WorkPointNames().empty());
}

}  // namespace
}  // namespace sledway::model
