// The samples built into Sledway load, their suggested slots name entities of the right kinds,
// and each sample has the geometry it is meant to show.
#include "modelhost/files/sample_assemblies.hpp"

#include <gtest/gtest.h>

#include <Geom2d_Curve.hxx>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "host/host.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"

namespace sledway::model {
namespace {

constexpr double kPi = std::numbers::pi;

struct Loaded {
  AssemblyFile file;
  Ref<IVObject> path;
  Ref<IVObject> follow;
  Ref<IVObject> tangent;
};

Loaded Load(const std::string& name) {
  const SampleAssembly sample = FindSampleAssembly(name);
  Loaded loaded{ReadSampleAssembly(sample), nullptr, nullptr, nullptr};
  const AssemblyDocument& document = *loaded.file.document;
  loaded.path = ResolveEntity(document, sample.run.path);
  loaded.follow = ResolveEntity(document, sample.run.follow);
  loaded.tangent = ResolveEntity(document, sample.run.tangent);
  return loaded;
}

double Length(IVCurveEvaluator& evaluator) {
  double minParam = 0.0;
  double maxParam = 0.0;
  double length = 0.0;
  evaluator.GetParamRange(minParam, maxParam);
  evaluator.GetLengthBetweenParams(minParam, maxParam, length);
  return length;
}

gp_Pnt Start(IVCurveEvaluator& evaluator) {
  double start[3];
  double end[3];
  evaluator.GetEndPoints(start, end);
  return gp_Pnt(start[0], start[1], start[2]);
}

gp_Vec EdgeVector(IVEdge& edge) {
  double start[3];
  double end[3];
  edge.GetEvaluator()->GetEndPoints(start, end);
  return gp_Vec(gp_Pnt(start[0], start[1], start[2]), gp_Pnt(end[0], end[1], end[2]));
}

std::string SourceFile(const std::string& name) {
  std::ifstream stream(std::string(SLEDWAY_SOURCE_DIR "/examples/") + name + ".json",
                       std::ios::binary);
  std::stringstream text;
  text << stream.rdbuf();
  return text.str();
}

TEST(SampleAssemblies, EveryExampleIsBuiltInAndLoadsWithItsRun) {
  const std::vector<SampleAssembly> samples = SampleAssemblies();
  std::vector<std::string> names;
  for (const SampleAssembly& sample : samples) {
    names.push_back(sample.name);
    EXPECT_FALSE(sample.description.empty()) << sample.name;
    EXPECT_EQ(sample.json, SourceFile(sample.name)) << sample.name << " is out of date";
    const AssemblyFile file = ReadSampleAssembly(sample);
    EXPECT_EQ(file.document->DisplayName(), sample.name);
    EXPECT_EQ(file.description, sample.description);
    ASSERT_TRUE(file.run) << sample.name;
    EXPECT_EQ(file.run->path, sample.run.path);
    EXPECT_EQ(file.run->follow, sample.run.follow);
    EXPECT_EQ(file.run->tangent, sample.run.tangent);
    EXPECT_FALSE(sample.run.tangent.empty()) << sample.name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"cart", "helix", "slot", "lift"}));
  try {
    FindSampleAssembly("carts");
    ADD_FAILURE() << "an unknown sample was found";
  } catch (const AssemblyFileError& error) {
    EXPECT_STREQ(error.what(),
                 "no sample assembly named 'carts' (samples: cart, helix, slot, lift)");
  }
}

TEST(SampleAssemblies, CartRunsOnAnOpenTangentTrackOnATiltedPlane) {
  const Loaded cart = Load("cart");
  const auto line = As<IVSketchLine>(cart.path);
  ASSERT_TRUE(line);
  EXPECT_TRUE(Is<IVWorkPoint>(cart.follow));
  ASSERT_TRUE(Is<IVEdgeProxy>(cart.tangent));

  // One open profile through all six curves.
  const auto sketch = As<PlanarSketch>(line->Parent());
  const Ref<IVProfile> profile = sketch->GetProfiles()->AddOpenProfile();
  ASSERT_EQ(profile->Count(), 1);
  EXPECT_EQ(profile->Item(1)->Count(), 6);
  // Curves meet end to end five times, each time with one tangent direction.
  const PlanarSketchDefinition& track = *sketch->Definition();
  int joints = 0;
  for (int i = 1; i <= track.CurveCount(); ++i) {
    for (int j = i + 1; j <= track.CurveCount(); ++j) {
      const Handle(Geom2d_Curve) a = track.Curve(i);
      const Handle(Geom2d_Curve) b = track.Curve(j);
      for (const double u : {a->FirstParameter(), a->LastParameter()}) {
        for (const double v : {b->FirstParameter(), b->LastParameter()}) {
          gp_Pnt2d p;
          gp_Pnt2d q;
          gp_Vec2d dp;
          gp_Vec2d dq;
          a->D1(u, p, dp);
          b->D1(v, q, dq);
          if (p.Distance(q) > 1e-9) continue;
          ++joints;
          EXPECT_LT(std::abs(dp.Normalized().Crossed(dq.Normalized())), 1e-12)
              << "curves " << i << " and " << j << " meet at an angle";
        }
      }
    }
  }
  EXPECT_EQ(joints, 5);

  // The plane leans 20 degrees; the cart stands on it with its long bottom edge along its X.
  const gp_Dir normal(0.0, -std::sin(kPi / 9), std::cos(kPi / 9));
  const gp_Pnt onPlane = sketch->ToModel(gp_Pnt2d(123.0, 45.0));
  EXPECT_NEAR(gp_Vec(onPlane.XYZ()).Dot(normal), 0.0, 1e-12);
  const Ref<IVPoint> contact = As<IVWorkPoint>(cart.follow)->GetPoint();
  EXPECT_NEAR(gp_Vec(contact->X(), contact->Y(), contact->Z()).Dot(normal), 0.0, 1e-12);
  const gp_Vec edge = EdgeVector(*As<IVEdge>(cart.tangent));
  EXPECT_NEAR(edge.Magnitude(), 6.0, 1e-12);
  EXPECT_NEAR(edge.Dot(normal), 0.0, 1e-12);
  EXPECT_TRUE(Is<IVComponent>(As<IVEdge>(cart.tangent)->ContainingOccurrence()));
}

TEST(SampleAssemblies, HelixCarriesABeadOnAThreeDimensionalSketch) {
  const Loaded helix = Load("helix");
  const auto curve = As<IVSketchHelix3D>(helix.path);
  ASSERT_TRUE(curve);
  EXPECT_TRUE(Is<IVWorkPoint>(helix.follow));
  EXPECT_TRUE(Is<IVAxis>(helix.tangent));
  // Three turns of radius 5 cm rising 3 cm per turn.
  const Ref<IVCurveEvaluator> evaluator = curve->GetGeometry()->GetEvaluator();
  EXPECT_NEAR(Length(*evaluator), 3.0 * std::hypot(2.0 * kPi * 5.0, 3.0), 1e-9);
  EXPECT_TRUE(Start(*evaluator).IsEqual(gp_Pnt(5.0, 0.0, 0.0), 1e-12));
}

TEST(SampleAssemblies, SlotFollowsTheTangentChainOfARoundedSlot) {
  const Loaded slot = Load("slot");
  const auto edge = As<IVEdge>(slot.path);
  ASSERT_TRUE(edge);
  EXPECT_TRUE(Is<IVWorkPoint>(slot.follow));
  EXPECT_TRUE(Is<IVEdge>(slot.tangent));
  // The slot's top rim: two straight edges of 8 cm and two half circles of radius 1.5 cm, all
  // on the plate's top face, 1 cm up.
  const Ref<IVEntityCollection> chain = edge->GetTangentChain();
  ASSERT_EQ(chain->Count(), 4);
  double total = 0.0;
  for (int i = 1; i <= chain->Count(); ++i) {
    const Ref<IVCurveEvaluator> evaluator = As<IVEdge>(chain->Item(i))->GetEvaluator();
    total += Length(*evaluator);
    EXPECT_NEAR(Start(*evaluator).Z(), 1.0, 1e-12);
  }
  EXPECT_NEAR(total, 2 * 8.0 + 2 * kPi * 1.5, 1e-9);
  EXPECT_NEAR(EdgeVector(*As<IVEdge>(slot.tangent)).Magnitude(), 2.4, 1e-12);
}

TEST(SampleAssemblies, LiftGrowsItsColumnWithTheDrivenParameter) {
  const Loaded lift = Load("lift");
  EXPECT_TRUE(Is<IVSketchLine>(lift.path));
  EXPECT_TRUE(Is<IVWorkPoint>(lift.follow));
  EXPECT_TRUE(Is<IVEdge>(lift.tangent));
  const SampleAssembly sample = FindSampleAssembly("lift");
  ASSERT_TRUE(sample.run.drive);
  EXPECT_EQ(sample.run.drive->parameter, "lift_height");
  EXPECT_LT(sample.run.drive->from, sample.run.drive->to);

  AssemblyDocument& document = *lift.file.document;
  const Ref<Component> column = document.FindComponent("column:1");
  // Edge 1 of a box is its height, along Z from the origin.
  EXPECT_NEAR(EdgeVector(*column->Edge(1)).Magnitude(), 2.0, 1e-12);
  const Ref<IVParameter> height = document.Parameters().Item("lift_height");
  height->Expression("120 mm");
  document.Update();
  EXPECT_NEAR(EdgeVector(*column->Edge(1)).Magnitude(), 12.0, 1e-12);
  // The tangent edge is still the bottom edge along X.
  const gp_Vec bottom = EdgeVector(*As<IVEdge>(lift.tangent));
  EXPECT_NEAR(bottom.X(), 3.0, 1e-12);
  EXPECT_NEAR(bottom.Z(), 0.0, 1e-12);
}

}  // namespace
}  // namespace sledway::model
