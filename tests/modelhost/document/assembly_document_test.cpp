#include "modelhost/document/assembly_document.hpp"

#include <gtest/gtest.h>

#include <BRepGProp.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <TopExp.hxx>
#include <cmath>
#include <gp.hxx>
#include <numbers>
#include <string>

#include "host/host.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/part_document.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {
namespace {

constexpr double kPi = std::numbers::pi;

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

template <class Call>
std::string RefusalText(Call call) {
  try {
    call();
  } catch (const HostError& error) {
    return error.what();
  }
  ADD_FAILURE() << "the call was not refused";
  return {};
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
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
  const std::string refusal = RefusalText([&] { assembly->Update(); });
  EXPECT_TRUE(Contains(refusal, "part 'lid'")) << refusal;
  EXPECT_TRUE(Contains(refusal, "width")) << refusal;
  EXPECT_TRUE(Contains(refusal, "0 mm")) << refusal;
  EXPECT_DOUBLE_EQ(width->Value(), 30.0);
  EXPECT_DOUBLE_EQ(depth->Value(), 60.0);
  EXPECT_TRUE(lid->Shape().IsSame(before));
  EXPECT_NEAR(Volume(lid->Shape()), 15.0, 1e-9);

  // A valid change rebuilds the box; the same edge number is the same edge, now longer.
  width->Expression("45 mm");
  assembly->Update();
  EXPECT_DOUBLE_EQ(width->Value(), 45.0);
  EXPECT_DOUBLE_EQ(depth->Value(), 90.0);
  EXPECT_NEAR(Volume(lid->Shape()), 5.0 * 4.5 * 1.5, 1e-9);
  EXPECT_TRUE(EdgeSpan(*lid, across).IsParallel(gp_Vec(gp::DY()), 1e-12));
  EXPECT_NEAR(EdgeSpan(*lid, across).Magnitude(), 4.5, 1e-12);
}

TEST(AssemblyDocumentTest, PrimitivesReadBareNumbersInTheDisplayUnit) {
  auto metric = AssemblyDocument::Create("metric");
  EXPECT_EQ(metric->DocumentType(), IVDocumentType::kAssembly);
  EXPECT_EQ(metric->DisplayName(), "metric");
  EXPECT_EQ(metric->GetUnits()->FormatValue(123.45, kDefaultDisplayLengthUnits), "1234.5 mm");
  auto roller = metric->AddCylinderPart("roller", "10", "2 * 10 mm");
  EXPECT_NEAR(Volume(roller->Shape()), kPi * 1.0 * 1.0 * 2.0, 1e-9);
  EXPECT_EQ(roller->EdgeCount(), 3);

  auto imperial = AssemblyDocument::Create("imperial", LengthUnit::kInch);
  EXPECT_EQ(imperial->DisplayUnit(), LengthUnit::kInch);
  auto ball = imperial->AddSpherePart("ball", "1");
  EXPECT_NEAR(Volume(ball->Shape()), 4.0 / 3.0 * kPi * std::pow(2.54, 3), 1e-6);
  EXPECT_EQ(imperial->GetUnits()->UnitsLabel(kDefaultDisplayLengthUnits), "in");
  EXPECT_TRUE(SameObject(imperial->GetDefinition()->GetParameters(),
                         imperial->GetDefinition()->GetParameters()));
}

TEST(AssemblyDocumentTest, RefusedBuilderCallsNameTheThingAndAddNothing) {
  auto assembly = AssemblyDocument::Create("builder");
  auto box = assembly->AddBoxPart("box", "10", "10", "10");

  std::string refusal = RefusalText([&] { assembly->AddBoxPart("flat", "10", "0", "10"); });
  EXPECT_TRUE(Contains(refusal, "part 'flat': width must be positive, got 0 mm")) << refusal;
  refusal = RefusalText([&] { assembly->AddSpherePart("ghost", "radius_of_nothing"); });
  EXPECT_TRUE(Contains(refusal, "ghost")) << refusal;
  EXPECT_TRUE(Contains(refusal, "radius_of_nothing")) << refusal;
  refusal = RefusalText([&] { assembly->AddSpherePart("box", "10"); });
  EXPECT_TRUE(Contains(refusal, "'box'")) << refusal;
  EXPECT_EQ(assembly->Parts().size(), 1u);
  EXPECT_EQ(assembly->FindPart("flat"), nullptr);
  EXPECT_EQ(assembly->FindPart("box"), box);

  auto other = AssemblyDocument::Create("other");
  auto stranger = other->AddBoxPart("stranger", "10", "10", "10");
  auto first = assembly->AddComponent("box:1", box, gp_Trsf());
  refusal = RefusalText([&] { assembly->AddComponent("box:1", box, gp_Trsf()); });
  EXPECT_TRUE(Contains(refusal, "'box:1'")) << refusal;
  refusal = RefusalText([&] { assembly->AddComponent("s:1", stranger, gp_Trsf()); });
  EXPECT_TRUE(Contains(refusal, "'stranger'")) << refusal;
  refusal = RefusalText([&] { assembly->AddComponent("none:1", nullptr, gp_Trsf()); });
  EXPECT_TRUE(Contains(refusal, "'none:1'")) << refusal;
  EXPECT_EQ(assembly->Components().size(), 1u);
  EXPECT_EQ(assembly->FindComponent("box:1"), first);
  EXPECT_EQ(assembly->FindComponent("s:1"), nullptr);

  assembly->AddSketch("track", gp::XOY());
  EXPECT_THROW(assembly->AddSketch("track", gp::YOZ()), HostError);
  box->AddWorkPoint("tip", gp_Pnt(1.0, 1.0, 1.0));
  EXPECT_THROW(box->AddWorkPoint("tip", gp_Pnt(0.0, 0.0, 0.0)), HostError);
  EXPECT_THROW(box->AddWorkPoint("nan", gp_Pnt(NAN, 0.0, 0.0)), HostError);
  EXPECT_EQ(box->WorkPointNames(), std::vector<std::string>{"tip"});
}

TEST(AssemblyDocumentTest, UpdateWithAnUnreadableExpressionChangesNothing) {
  auto assembly = AssemblyDocument::Create("division");
  auto size = assembly->Parameters().AddModelParameter("size", "20 mm", "mm");
  auto cube = assembly->AddBoxPart("cube", "size", "size", "size");
  assembly->Parameters().AddModelParameter("zero", "0", "ul");
  size->Expression("20 mm / zero");
  EXPECT_THROW(assembly->Update(), HostError);
  EXPECT_DOUBLE_EQ(size->Value(), 20.0);
  EXPECT_NEAR(Volume(cube->Shape()), 8.0, 1e-9);
}

TEST(PartDocumentTest, IsADocumentButNotAnAssembly) {
  Ref<IVDocument> document = PartDocument::Create("bracket");
  EXPECT_EQ(document->DocumentType(), IVDocumentType::kPart);
  EXPECT_EQ(document->DisplayName(), "bracket");
  EXPECT_EQ(As<IVAssemblyDocument>(document), nullptr);
  EXPECT_NE(As<IVPartDocument>(document), nullptr);
  document->Update();
}

}  // namespace
}  // namespace sledway::model
