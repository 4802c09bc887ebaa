// The samples built into Sledway are the files of examples/, they load, their suggested slots
// name entities of the right kinds, and each has the geometry it is meant to show.
#include "modelhost/files/sample_assemblies.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "host/host.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/sketch/planar_sketch.hpp"

namespace sledway::model {
namespace {

constexpr double kPi = std::numbers::pi;

// A sample opened, with the entities its suggested slots name.
struct Opened {
  AssemblyFile file;
  Ref<IVObject> path;
  Ref<IVObject> follow;
  Ref<IVObject> tangent;
};

Opened Open(const std::string& name) {
  const AssemblyFile file = ReadSampleAssembly(FindSampleAssembly(name));
  auto resolve = [&](const std::string& entity) { return ResolveEntity(*file.document, entity); };
  const SuggestedRun& run = file.run.value();
  return {file, resolve(run.path), resolve(run.follow), resolve(run.tangent)};
}

// A curve's start point and the vector from it to its end point.
std::pair<gp_Pnt, gp_Vec> Chord(IVCurveEvaluator& evaluator) {
  double start[3];
  double end[3];
  evaluator.GetEndPoints(start, end);
  const gp_Pnt from(start[0], start[1], start[2]);
  return {from, gp_Vec(from, gp_Pnt(end[0], end[1], end[2]))};
}

gp_Vec EdgeVector(const Ref<IVObject>& edge) {
  return Chord(*As<IVEdge>(edge)->GetEvaluator()).second;
}

TEST(SampleAssemblies, EveryExampleIsBuiltInAsItIsNow) {
  std::vector<std::string> names;
  for (const SampleAssembly& sample : SampleAssemblies()) {
    names.push_back(sample.name);
    std::ifstream stream(SLEDWAY_SOURCE_DIR "/examples/" + sample.name + ".json");
    std::stringstream text;
    text << stream.rdbuf();
    EXPECT_EQ(sample.json, text.str()) << sample.name << " is out of date";
  }
  EXPECT_EQ(names, (std::vector<std::string>{"cart", "helix", "slot", "lift"}));
}

TEST(SampleAssemblies, CartRunsOnAnOpenTrackOnATiltedPlane) {
  const Opened cart = Open("cart");
  const auto line = As<IVSketchLine>(cart.path);
  ASSERT_TRUE(line && Is<IVWorkPoint>(cart.follow) && Is<IVEdgeProxy>(cart.tangent));
  // The plane leans 20 degrees; the cart stands on it with its long bottom edge in it.
  const gp_Dir normal(0.0, -std::sin(kPi / 9), std::cos(kPi / 9));
  const gp_Pnt onPlane = As<PlanarSketch>(line->Parent())->ToModel(gp_Pnt2d(123.0, 45.0));
  EXPECT_NEAR(gp_Vec(onPlane.XYZ()).Dot(normal), 0.0, 1e-12);
  const Ref<IVPoint> contact = As<IVWorkPoint>(cart.follow)->GetPoint();
  EXPECT_NEAR(gp_Vec(contact->X(), contact->Y(), contact->Z()).Dot(normal), 0.0, 1e-12);
  EXPECT_NEAR(EdgeVector(cart.tangent).Dot(normal), 0.0, 1e-12);
}

TEST(SampleAssemblies, HelixCarriesABeadOnAThreeDimensionalSketch) {
  const Opened helix = Open("helix");
  const auto curve = As<IVSketchHelix3D>(helix.path);
  ASSERT_TRUE(curve && Is<IVWorkPoint>(helix.follow) && Is<IVAxis>(helix.tangent));
  // Three turns of radius 5 cm rising 3 cm per turn.
  const Ref<IVCurveEvaluator> evaluator = curve->GetGeometry()->GetEvaluator();
  double minParam = 0.0;
  double maxParam = 0.0;
  double length = 0.0;
  evaluator->GetParamRange(minParam, maxParam);
  evaluator->GetLengthBetweenParams(minParam, maxParam, length);
  EXPECT_NEAR(length, 3.0 * std::hypot(2.0 * kPi * 5.0, 3.0), 1e-9);
  EXPECT_TRUE(Chord(*evaluator).first.IsEqual(gp_Pnt(5.0, 0.0, 0.0), 1e-12));
}

TEST(SampleAssemblies, SlotFollowsTheTangentChainOfARoundedSlot) {
  const Opened slot = Open("slot");
  const auto edge = As<IVEdge>(slot.path);
  ASSERT_TRUE(edge && Is<IVWorkPoint>(slot.follow) && Is<IVEdge>(slot.tangent));
  // The slot's top rim: two straight edges and two half circles on the plate's top face, 1 cm up.
  const Ref<IVEntityCollection> chain = edge->GetTangentChain();
  ASSERT_EQ(chain->Count(), 4);
  for (int i = 1; i <= chain->Count(); ++i) {
    EXPECT_NEAR(Chord(*As<IVEdge>(chain->Item(i))->GetEvaluator()).first.Z(), 1.0, 1e-12);
  }
  EXPECT_NEAR(EdgeVector(slot.tangent).Magnitude(), 2.4, 1e-12);
}

TEST(SampleAssemblies, LiftGrowsItsColumnWithTheDrivenParameter) {
  const Opened lift = Open("lift");
  ASSERT_TRUE(Is<IVSketchLine>(lift.path) && Is<IVWorkPoint>(lift.follow) &&
              Is<IVEdge>(lift.tangent) && lift.file.run->drive);
  AssemblyDocument& document = *lift.file.document;
  // Edge 1 of a box is its height, along Z from the origin.
  const Ref<IVObject> height = document.FindComponent("column:1")->Edge(1);
  EXPECT_NEAR(EdgeVector(height).Magnitude(), 2.0, 1e-12);
  document.Parameters().Item(lift.file.run->drive->parameter)->Expression("120 mm");
  document.Update();
  EXPECT_NEAR(EdgeVector(height).Magnitude(), 12.0, 1e-12);
}

}  // namespace
}  // namespace sledway::model
