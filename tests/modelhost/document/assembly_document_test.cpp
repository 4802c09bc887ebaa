#include "modelhost/document/assembly_document.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <BRepGProp.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <TopExp.hxx>
#include <cmath>
#include <gp.hxx>
#include <string>
#include <vector>

#include "document_test_helpers.hpp"
#include "host/host.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {
namespace {

using ::testing::HasSubstr;

double Volume(const TopoDS_Shape& shape) {
  GProp_GProps properties;
  BRepGProp::VolumeProperties(shape, properties);
  return properties.Mass();
}

// The vector from the first to the last vertex of edge `index` of `part`.
gp_Vec EdgeSpan(const Part& part, int index) {
  const TopoDS_Edge edge = part.Edge(index);
  return gp_Vec(BRep_Tool::Pnt(TopExp::FirstVertex(edge)),
                BRep_Tool::Pnt(TopExp::LastVertex(edge)));
}

// The first edge of `part` that runs along `direction`.
int EdgeAlong(const Part& part, const gp_Dir& direction) {
  for (int i = 1; i <= part.EdgeCount(); ++i) {
    if (EdgeSpan(part, i).IsParallel(gp_Vec(direction), 1e-12)) return i;
  }
  return 0;
}

TEST(AssemblyDocumentTest, UpdateRebuildsDrivenPartsOrChangesNothing) {
  auto assembly = AssemblyDocument::Create("lids");
  auto& parameters = assembly->Parameters();
  auto width = parameters.AddUserParameter("lid_width", "30 mm", "mm");
  auto depth = parameters.AddUserParameter("lid_depth", "2 * lid_width", "mm");
  auto lid = assembly->AddBoxPart("lid", "50", "lid_width", "lid_depth / 6");
  ASSERT_NEAR(Volume(lid->Shape()), 5.0 * 3.0 * 1.0, 1e-9);
  const int across = EdgeAlong(*lid, gp::DY());
  ASSERT_GT(across, 0);
  EXPECT_NEAR(EdgeSpan(*lid, across).Magnitude(), 3.0, 1e-12);

  // Driven to zero width: refused naming the part, every value and the body as they were.
  const TopoDS_Shape before = lid->Shape();
  width->Expression("0 mm");
  const std::string refusal = Refusal([&] { assembly->Update(); }).what();
  EXPECT_THAT(refusal, HasSubstr("part 'lid'"));
  EXPECT_THAT(refusal, HasSubstr("width"));
  EXPECT_THAT(refusal, HasSubstr("0 mm"));
  EXPECT_DOUBLE_EQ(width->Value(), 30.0);
  EXPECT_DOUBLE_EQ(depth->Value(), 60.0);
  EXPECT_TRUE(lid->Shape().IsSame(before));

  // A valid change rebuilds the box; the same edge number is the same edge, now longer.
  width->Expression("45 mm");
  assembly->Update();
  EXPECT_DOUBLE_EQ(width->Value(), 45.0);
  EXPECT_DOUBLE_EQ(depth->Value(), 90.0);
  EXPECT_NEAR(Volume(lid->Shape()), 5.0 * 4.5 * 1.5, 1e-9);
  EXPECT_TRUE(EdgeSpan(*lid, across).IsParallel(gp_Vec(gp::DY()), 1e-12));
  EXPECT_NEAR(EdgeSpan(*lid, across).Magnitude(), 4.5, 1e-12);
}

TEST(AssemblyDocumentTest, RefusedBuilderCallsNameTheThingAndAddNothing) {
  auto assembly = AssemblyDocument::Create("builder");
  auto box = assembly->AddBoxPart("box", "10", "10", "10");
  EXPECT_THAT(Refusal([&] { assembly->AddBoxPart("flat", "10", "0", "10"); }).what(),
              HasSubstr("part 'flat': width must be positive, got 0 mm"));
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
