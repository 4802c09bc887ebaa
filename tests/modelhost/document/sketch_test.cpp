#include <gtest/gtest.h>

#include <cmath>
#include <gp.hxx>
#include <gp_Ax2.hxx>
#include <gp_Ax3.hxx>
#include <gp_Trsf.hxx>
#include <numbers>
#include <set>

#include "host/host.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "modelhost/geometry/point_2d.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"

namespace sledway::model {
namespace {

constexpr double kPi = std::numbers::pi;

// A plane through (1, 2, 3) whose normal leans away from every coordinate axis.
gp_Ax3 TiltedPlane() {
  return gp_Ax3(gp_Pnt(1.0, 2.0, 3.0), gp_Dir(1.0, 1.0, 1.0), gp_Dir(1.0, -1.0, 0.0));
}

// origin + x X + y Y of the tilted plane, from its directions alone.
gp_Pnt OnTiltedPlane(double x, double y) {
  const gp_Vec xDir = gp_Vec(1.0, -1.0, 0.0).Normalized();
  const gp_Vec yDir = gp_Vec(1.0, 1.0, 1.0).Normalized().Crossed(xDir);
  return gp_Pnt((gp_Vec(1.0, 2.0, 3.0) + x * xDir + y * yDir).XYZ());
}

gp_Pnt ModelPoint(const Ref<IVPoint>& point) {
  return gp_Pnt(point->X(), point->Y(), point->Z());
}

void ExpectNear(const gp_Pnt& actual, const gp_Pnt& expected, double tolerance = 1e-12) {
  EXPECT_LE(actual.Distance(expected), tolerance)
      << "got (" << actual.X() << ", " << actual.Y() << ", " << actual.Z() << "), expected ("
      << expected.X() << ", " << expected.Y() << ", " << expected.Z() << ")";
}

// Runs `call` and returns the HostError it throws.
template <class Call>
HostError Refusal(Call call) {
  try {
    call();
  } catch (const HostError& error) {
    return error;
  }
  ADD_FAILURE() << "the call was not refused";
  return HostError(0, "");
}

// Quarter turn about Z, then 10 cm along X: (x, y, z) -> (10 - y, x, z).
gp_Trsf TurnedAndShifted() {
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), kPi / 2.0);
  gp_Trsf shift;
  shift.SetTranslation(gp_Vec(10.0, 0.0, 0.0));
  return shift * turn;
}

TEST(PlanarSketchTest, MapsSketchPointsOntoATiltedPlane) {
  auto assembly = AssemblyDocument::Create("tilted");
  assembly->AddSketch("track", TiltedPlane());
  auto sketch = assembly->Sketch("track");
  ASSERT_NE(sketch, nullptr);
  EXPECT_EQ(sketch->ContainingOccurrence(), nullptr);

  for (auto [x, y] : {std::pair{0.0, 0.0}, {3.0, 0.0}, {0.0, -2.5}, {7.25, 4.5}}) {
    ExpectNear(ModelPoint(sketch->SketchToModel(std::make_shared<Point2d>(gp_Pnt2d(x, y)))),
               OnTiltedPlane(x, y));
  }
  // The matrix carries (x, y, 0) the same way: its columns are the plane's axes and origin.
  auto toModel = sketch->SketchToModelTransform();
  const gp_Pnt origin = OnTiltedPlane(0.0, 0.0);
  const gp_Vec xAxis(origin, OnTiltedPlane(1.0, 0.0));
  const gp_Vec yAxis(origin, OnTiltedPlane(0.0, 1.0));
  for (int row = 1; row <= 3; ++row) {
    EXPECT_NEAR(toModel->Cell(row, 1), xAxis.Coord(row), 1e-14);
    EXPECT_NEAR(toModel->Cell(row, 2), yAxis.Coord(row), 1e-14);
    EXPECT_NEAR(toModel->Cell(row, 4), origin.Coord(row), 1e-14);
  }
}

TEST(PlanarSketchTest, PartSketchGoesThroughThePlaneThenThePlacement) {
  auto assembly = AssemblyDocument::Create("parts");
  auto part = assembly->AddBoxPart("plate", "10", "10", "10");
  part->AddSketch("outline", TiltedPlane());
  auto component = assembly->AddComponent("plate:1", part, TurnedAndShifted());
  auto sketch = component->Sketch("outline");
  EXPECT_EQ(sketch, component->Sketch("outline"));
  EXPECT_TRUE(SameObject(sketch->ContainingOccurrence(), component));

  const gp_Pnt q = OnTiltedPlane(2.0, -3.0);
  ExpectNear(ModelPoint(sketch->SketchToModel(std::make_shared<Point2d>(gp_Pnt2d(2.0, -3.0)))),
             gp_Pnt(10.0 - q.Y(), q.X(), q.Z()));

  // Moved, the sketch follows at once.
  gp_Trsf lifted;
  lifted.SetTranslation(gp_Vec(0.0, 0.0, 4.0));
  component->SetTransformation(std::make_shared<Matrix>(lifted));
  ExpectNear(ModelPoint(sketch->SketchToModel(std::make_shared<Point2d>(gp_Pnt2d(2.0, -3.0)))),
             gp_Pnt(q.X(), q.Y(), q.Z() + 4.0));
}

TEST(PlanarSketchTest, CurvesKeepTheirIdentityKindAndGeometry) {
  auto assembly = AssemblyDocument::Create("curves");
  auto definition = assembly->AddSketch("track", TiltedPlane());
  EXPECT_EQ(definition->AddLine(gp_Pnt2d(0.0, 0.0), gp_Pnt2d(40.0, 0.0)), 1);
  EXPECT_EQ(definition->AddArc(gp_Pnt2d(40.0, 15.0), 15.0, -kPi / 2.0, kPi / 2.0), 2);
  EXPECT_EQ(definition->AddEllipse(gp_Pnt2d(0.0, 0.0), gp_Dir2d(1.0, 1.0), 20.0, 5.0), 3);
  auto sketch = assembly->Sketch("track");
  ASSERT_EQ(sketch->CurveCount(), 3);

  auto line = sketch->Curve(1);
  auto arc = sketch->Curve(2);
  EXPECT_EQ(line, sketch->Curve(1));
  EXPECT_EQ(line->ObjectType(), IVCurveKind::kSketchLine);
  EXPECT_EQ(arc->ObjectType(), IVCurveKind::kSketchArc);
  EXPECT_EQ(sketch->Curve(3)->ObjectType(), IVCurveKind::kSketchEllipse);
  EXPECT_TRUE(SameObject(line->Parent(), sketch));
  EXPECT_EQ(line->ContainingOccurrence(), nullptr);
  EXPECT_EQ(As<IVSketchLine>(arc), nullptr);

  // Each kind reaches its evaluator through its own pair of interfaces; the 2D evaluator works
  // in sketch coordinates.
  auto arcEvaluator = As<IVSketchArc>(arc)->GetGeometry()->GetEvaluator();
  double u0 = 0.0;
  double u1 = 0.0;
  double length = 0.0;
  arcEvaluator->GetParamRange(u0, u1);
  arcEvaluator->GetLengthBetweenParams(u0, u1, length);
  EXPECT_NEAR(length, 15.0 * kPi, 1e-12 * 15.0 * kPi);
  double start[2];
  double end[2];
  As<IVSketchLine>(line)->GetGeometry()->GetEvaluator()->GetEndPoints(start, end);
  EXPECT_DOUBLE_EQ(end[0], 40.0);
  EXPECT_DOUBLE_EQ(end[1], 0.0);

  EXPECT_EQ(Refusal([&] { sketch->Curve(4); }).Code(), hresult::kBadIndex);
  EXPECT_EQ(Refusal([&] { sketch->Curve(0); }).Code(), hresult::kBadIndex);
}

TEST(PlanarSketchTest, DegenerateCurvesAreRefusedNamingTheCurve) {
  auto assembly = AssemblyDocument::Create("bad");
  auto definition = assembly->AddSketch("track", gp::XOY());
  definition->AddLine(gp_Pnt2d(0.0, 0.0), gp_Pnt2d(1.0, 0.0));

  auto error = Refusal([&] { definition->AddLine(gp_Pnt2d(1.0, 1.0), gp_Pnt2d(1.0, 1.0)); });
  EXPECT_EQ(error.Code(), hresult::kInvalidArg);
  EXPECT_NE(std::string(error.what()).find("line 2 of sketch 'track'"), std::string::npos)
      << error.what();
  error = Refusal([&] { definition->AddCircle(gp_Pnt2d(0.0, 0.0), std::nan("")); });
  EXPECT_NE(std::string(error.what()).find("circle 2 of sketch 'track'"), std::string::npos)
      << error.what();
  error = Refusal([&] { definition->AddSpline({{0.0, 0.0}, {1.0, INFINITY}, {2.0, 0.0}}); });
  EXPECT_NE(std::string(error.what()).find("spline 2 of sketch 'track'"), std::string::npos)
      << error.what();
  EXPECT_EQ(definition->CurveCount(), 1);

  gp_Ax3 mirrored = gp::XOY();
  mirrored.YReverse();
  error = Refusal([&] { assembly->AddSketch("mirrored", mirrored); });
  EXPECT_NE(std::string(error.what()).find("mirrored"), std::string::npos) << error.what();
  EXPECT_EQ(assembly->Sketch("mirrored"), nullptr);
  EXPECT_EQ(assembly->SketchNames(), std::vector<std::string>{"track"});
}

TEST(PlanarSketchTest, ProfilesJoinTheCurvesWhereTheyStandInTheModel) {
  auto assembly = AssemblyDocument::Create("loops");
  auto part = assembly->AddBoxPart("plate", "10", "10", "10");
  auto square = part->AddSketch("square", TiltedPlane());
  square->AddLine(gp_Pnt2d(0.0, 0.0), gp_Pnt2d(4.0, 0.0));
  square->AddLine(gp_Pnt2d(4.0, 0.0), gp_Pnt2d(4.0, 4.0));
  square->AddArc(gp_Pnt2d(2.0, 4.0), 2.0, 0.0, kPi);
  square->AddLine(gp_Pnt2d(0.0, 4.0), gp_Pnt2d(0.0, 0.0));
  auto component = assembly->AddComponent("plate:1", part, TurnedAndShifted());
  auto sketch = component->Sketch("square");

  auto loops = sketch->GetProfiles()->AddClosedProfile();
  ASSERT_EQ(loops->Count(), 1);
  auto path = loops->Item(1);
  ASSERT_EQ(path->Count(), 4);
  std::set<IVObject*> picked;
  for (int i = 1; i <= 4; ++i) picked.insert(path->Item(i)->GetSketchEntity().get());
  for (int i = 1; i <= 4; ++i) {
    EXPECT_TRUE(picked.count(dynamic_cast<IVObject*>(sketch->Curve(i).get()))) << "curve " << i;
  }
  EXPECT_THROW(sketch->GetProfiles()->AddOpenProfile(), HostError);
}

TEST(Sketch3dTest, PartCurvesEvaluateWhereTheComponentStandsNow) {
  auto assembly = AssemblyDocument::Create("spring");
  auto part = assembly->AddCylinderPart("post", "5", "50");
  auto coil = part->AddSketch3d("coil");
  coil->AddLine(gp_Pnt(0.0, 0.0, -5.0), gp_Pnt(2.0, 0.0, 0.0));
  coil->AddHelix(gp::XOY(), 2.0, 1.5, 3.0);
  auto component = assembly->AddComponent("post:1", part, TurnedAndShifted());
  auto sketch = component->Sketch3d("coil");
  auto helix = sketch->Curve(2);
  EXPECT_EQ(helix, sketch->Curve(2));
  EXPECT_EQ(helix->ObjectType(), IVCurveKind::kSketchHelix3D);
  EXPECT_TRUE(SameObject(helix->Parent(), sketch));
  EXPECT_TRUE(SameObject(helix->ContainingOccurrence(), component));
  EXPECT_TRUE(SameObject(sketch->ContainingOccurrence(), component));

  auto evaluator = As<IVSketchHelix3D>(helix)->GetGeometry()->GetEvaluator();
  double u0 = 0.0;
  double u1 = 0.0;
  double length = 0.0;
  evaluator->GetParamRange(u0, u1);
  evaluator->GetLengthBetweenParams(u0, u1, length);
  const double expected = 3.0 * std::hypot(2.0 * kPi * 2.0, 1.5);
  EXPECT_NEAR(length, expected, 1e-12 * expected);

  // Local start (2, 0, 0) and end (2, 0, 4.5) seen through (x, y, z) -> (10 - y, x, z).
  double start[3];
  double end[3];
  evaluator->GetEndPoints(start, end);
  ExpectNear(gp_Pnt(start[0], start[1], start[2]), gp_Pnt(10.0, 2.0, 0.0));
  ExpectNear(gp_Pnt(end[0], end[1], end[2]), gp_Pnt(10.0, 2.0, 4.5), 1e-11);

  // The evaluator made before the move reports the curve where the component went.
  gp_Trsf raised;
  raised.SetTranslation(gp_Vec(0.0, 0.0, 7.0));
  component->SetTransformation(std::make_shared<Matrix>(raised));
  evaluator->GetEndPoints(start, end);
  ExpectNear(gp_Pnt(start[0], start[1], start[2]), gp_Pnt(2.0, 0.0, 7.0));

  // Line then helix meet at (2, 0, 0): one open chain.
  auto chains = sketch->GetProfiles3D()->AddOpenProfile();
  ASSERT_EQ(chains->Count(), 1);
  EXPECT_EQ(chains->Item(1)->Count(), 2);
}

TEST(Sketch3dTest, AssemblySketchKindsAndRefusals) {
  auto assembly = AssemblyDocument::Create("space");
  auto definition = assembly->AddSketch3d("wire");
  gp_Ax2 frame(gp_Pnt(1.0, 1.0, 1.0), gp::DY());
  definition->AddLine(gp_Pnt(0.0, 0.0, 0.0), gp_Pnt(1.0, 2.0, 3.0));
  definition->AddArc(frame, 3.0, 0.0, kPi / 3.0);
  definition->AddCircle(frame, 1.0);
  definition->AddSpline({gp_Pnt(0.0, 0.0, 0.0), gp_Pnt(1.0, 1.0, 0.0), gp_Pnt(2.0, 0.0, 1.0)});
  definition->AddEllipse(frame, 4.0, 1.0);
  auto sketch = assembly->Sketch3d("wire");
  ASSERT_NE(sketch, nullptr);
  EXPECT_EQ(sketch->ContainingOccurrence(), nullptr);
  const IVCurveKind kinds[] = {IVCurveKind::kSketchLine3D, IVCurveKind::kSketchArc3D,
                               IVCurveKind::kSketchCircle3D, IVCurveKind::kSketchSpline3D,
                               IVCurveKind::kSketchEllipse3D};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(sketch->Curve(i)->ObjectType(), kinds[i - 1]);

  auto arcEvaluator = As<IVSketchArc3D>(sketch->Curve(2))->GetGeometry()->GetEvaluator();
  double u0 = 0.0;
  double u1 = 0.0;
  double length = 0.0;
  arcEvaluator->GetParamRange(u0, u1);
  arcEvaluator->GetLengthBetweenParams(u0, u1, length);
  EXPECT_NEAR(length, kPi, 1e-12 * kPi);

  auto error = Refusal([&] { definition->AddHelix(frame, 0.0, 0.0, 2.0); });
  EXPECT_NE(std::string(error.what()).find("helix 6 of 3D sketch 'wire'"), std::string::npos)
      << error.what();
  EXPECT_EQ(sketch->CurveCount(), 5);
  EXPECT_THROW(assembly->AddSketch3d("wire"), HostError);
  EXPECT_EQ(assembly->Sketch3d("none"), nullptr);
}

TEST(SketchLifetimeTest, CurvesDoNotKeepTheirSketchOrComponentAlive) {
  Ref<IVSketchEntity> curve;
  {
    auto assembly = AssemblyDocument::Create("short-lived");
    auto part = assembly->AddBoxPart("plate", "10", "10", "10");
    part->AddSketch("s", gp::XOY())->AddLine(gp_Pnt2d(0.0, 0.0), gp_Pnt2d(1.0, 0.0));
    curve = assembly->AddComponent("plate:1", part, gp_Trsf())->Sketch("s")->Curve(1);
    EXPECT_NE(curve->Parent(), nullptr);
  }
  EXPECT_THROW(curve->Parent(), HostError);
  EXPECT_THROW(curve->ContainingOccurrence(), HostError);
}

}  // namespace
}  // namespace sledway::model
