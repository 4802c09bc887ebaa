#include <gmock/gmock.h>

#include <set>
#include <string>
#include <vector>

#include "../model_test_helpers.hpp"
#include "modelhost/geometry/point_2d.hpp"

namespace sledway::model {
namespace {

using ::testing::HasSubstr;

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

TEST(AssemblySketchTest, MapPointsOntoTheirPlaneKeepTheirCurvesAndRefuseDegenerateOnes) {
  auto assembly = AssemblyDocument::Create("tilted");
  auto definition = assembly->AddSketch("track", TiltedPlane());
  EXPECT_EQ(definition->AddLine(gp_Pnt2d(0.0, 0.0), gp_Pnt2d(40.0, 0.0)), 1);
  EXPECT_EQ(definition->AddArc(gp_Pnt2d(40.0, 15.0), 15.0, -kPi / 2.0, kPi / 2.0), 2);
  EXPECT_EQ(definition->AddEllipse(gp_Pnt2d(0.0, 0.0), gp_Dir2d(1.0, 1.0), 20.0, 5.0), 3);
  const auto error = Refusal([&] { definition->AddLine(gp_Pnt2d(1.0, 1.0), gp_Pnt2d(1.0, 1.0)); });
  EXPECT_EQ(error.Code(), hresult::kInvalidArg);
  EXPECT_THAT(error.what(), HasSubstr("line 4 of sketch 'track'"));
  EXPECT_THAT(Refusal([&] { definition->AddCircle(gp_Pnt2d(0.0, 0.0), std::nan("")); }).what(),
              HasSubstr("circle 4 of sketch 'track'"));
  gp_Ax3 mirrored = gp::XOY();
  mirrored.YReverse();
  EXPECT_THAT(Refusal([&] { assembly->AddSketch("mirrored", mirrored); }).what(),
              HasSubstr("mirrored"));
  EXPECT_EQ(assembly->SketchNames(), std::vector<std::string>{"track"});
  auto sketch = assembly->Sketch("track");
  ASSERT_NE(sketch, nullptr);
  EXPECT_EQ(sketch->ContainingOccurrence(), nullptr);

  // Points map onto the plane (checked through a component below); the matrix carries (x, y, 0)
  // the same way: its second column is the plane's y axis.
  auto toModel = sketch->SketchToModelTransform();
  const gp_Vec yAxis(OnTiltedPlane(0.0, 0.0), OnTiltedPlane(0.0, 1.0));
  for (int row = 1; row <= 3; ++row) {
    EXPECT_NEAR(toModel->Cell(row, 2), yAxis.Coord(row), 1e-14);
  }

  ASSERT_EQ(sketch->CurveCount(), 3);
  auto line = sketch->Curve(1);
  // The assembly's own sketch: no proxies, so each curve has its kind's own code.
  EXPECT_EQ(line->ObjectType(), IVCurveKind{0x05002700});
  EXPECT_EQ(sketch->Curve(2)->ObjectType(), IVCurveKind{0x05003200});
  EXPECT_EQ(sketch->Curve(3)->ObjectType(), IVCurveKind{0x05003400});
  EXPECT_TRUE(SameObject(line->Parent(), sketch));
  // Each kind reaches its evaluator through its own interfaces; 2D evaluators work in sketch
  // coordinates.
  auto arc = As<IVSketchArc>(sketch->Curve(2))->GetGeometry()->GetEvaluator();
  EXPECT_NEAR(LengthOf(*arc), 15.0 * kPi, 1e-12 * 15.0 * kPi);
  double start[2], end[2];
  As<IVSketchLine>(line)->GetGeometry()->GetEvaluator()->GetEndPoints(start, end);
  EXPECT_EQ(gp_Pnt2d(end[0], end[1]).Distance(gp_Pnt2d(40.0, 0.0)), 0.0);
  EXPECT_EQ(Refusal([&] { sketch->Curve(4); }).Code(), hresult::kBadIndex);

  auto wire = assembly->AddSketch3d("wire");
  gp_Ax2 frame(gp_Pnt(1.0, 1.0, 1.0), gp::DY());
  wire->AddLine(gp_Pnt(0.0, 0.0, 0.0), gp_Pnt(1.0, 2.0, 3.0));
  EXPECT_THAT(Refusal([&] { wire->AddHelix(gp::XOY(), 0.0, 0.0, 2.0); }).what(),
              HasSubstr("helix 2 of 3D sketch 'wire'"));
  wire->AddArc(frame, 3.0, 0.0, kPi / 3.0);
  wire->AddCircle(frame, 1.0);
  wire->AddSpline({gp_Pnt(0.0, 0.0, 0.0), gp_Pnt(1.0, 1.0, 0.0), gp_Pnt(2.0, 0.0, 1.0)});
  wire->AddEllipse(frame, 4.0, 1.0);
  auto sketch3d = assembly->Sketch3d("wire");
  const IVCurveKind kinds[] = {IVCurveKind{0x0500C800}, IVCurveKind{0x0500CC00},
                               IVCurveKind{0x0500D200}, IVCurveKind{0x0500CF00},
                               IVCurveKind{0x0500D000}};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(sketch3d->Curve(i)->ObjectType(), kinds[i - 1]);
  auto arc3d = As<IVSketchArc3D>(sketch3d->Curve(2))->GetGeometry()->GetEvaluator();
  EXPECT_NEAR(LengthOf(*arc3d), kPi, 1e-12 * kPi);
}

TEST(PartSketchTest, CurvesGoThroughTheSketchThenThePlacement) {
  auto assembly = AssemblyDocument::Create("parts");
  auto part = assembly->AddBoxPart("plate", "10", "10", "10");
  auto square = part->AddSketch("outline", TiltedPlane());
  square->AddLine(gp_Pnt2d(0.0, 0.0), gp_Pnt2d(4.0, 0.0));
  square->AddLine(gp_Pnt2d(4.0, 0.0), gp_Pnt2d(4.0, 4.0));
  square->AddArc(gp_Pnt2d(2.0, 4.0), 2.0, 0.0, kPi);
  square->AddLine(gp_Pnt2d(0.0, 4.0), gp_Pnt2d(0.0, 0.0));
  auto coil = part->AddSketch3d("coil");
  coil->AddLine(gp_Pnt(0.0, 0.0, -5.0), gp_Pnt(2.0, 0.0, 0.0));
  coil->AddHelix(gp::XOY(), 2.0, 1.5, 3.0);
  auto component = assembly->AddComponent("plate:1", part, TurnedAndShifted());
  auto sketch = component->Sketch("outline");
  EXPECT_TRUE(SameObject(sketch->ContainingOccurrence(), component));
  const gp_Pnt q = OnTiltedPlane(2.0, -3.0);
  const auto sketchPoint = std::make_shared<Point2d>(gp_Pnt2d(2.0, -3.0));
  ExpectNear(ModelPoint(sketch->SketchToModel(sketchPoint)), TurnedAndShifted(q));

  // The four curves close one loop where the component puts them.
  auto loops = sketch->GetProfiles()->AddClosedProfile();
  ASSERT_EQ(loops->Count(), 1);
  ASSERT_EQ(loops->Item(1)->Count(), 4);
  std::set<IVObject*> picked, curves;
  for (int i = 1; i <= 4; ++i) {
    picked.insert(loops->Item(1)->Item(i)->GetSketchEntity().get());
    curves.insert(sketch->Curve(i).get());
  }
  EXPECT_EQ(picked, curves);
  // Each view of the part's sketch numbers its own curves, and only those.
  auto second = assembly->AddComponent("plate:2", part, Shifted(0.0, 0.0, 20.0));
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(sketch->CurveNumber(sketch->Curve(i)), i);
    EXPECT_EQ(sketch->CurveNumber(second->Sketch("outline")->Curve(i)), 0);
  }
  EXPECT_EQ(sketch->CurveNumber(component->Sketch3d("coil")->Curve(1)), 0);

  auto sketch3d = component->Sketch3d("coil");
  auto helix = sketch3d->Curve(2);
  // Seen through the component: proxies. A helix is picked as its helical curve's spline.
  EXPECT_EQ(sketch->Curve(3)->ObjectType(), IVCurveKind{0x05003270});
  EXPECT_EQ(helix->ObjectType(), IVCurveKind{0x0500CF70});
  EXPECT_EQ(sketch3d->CurveNumber(helix), 2);
  EXPECT_EQ(sketch3d->CurveNumber(second->Sketch3d("coil")->Curve(2)), 0);
  EXPECT_TRUE(SameObject(helix->ContainingOccurrence(), component));
  auto evaluator = As<IVSketchSpline3D>(helix)->GetGeometry()->GetEvaluator();
  const double expected = 3.0 * std::hypot(2.0 * kPi * 2.0, 1.5);
  EXPECT_NEAR(LengthOf(*evaluator), expected, 1e-12 * expected);
  // Local start (2, 0, 0) and end (2, 0, 4.5) seen through (x, y, z) -> (10 - y, x, z).
  ExpectNear(Ends(evaluator).first, gp_Pnt(10.0, 2.0, 0.0));
  ExpectNear(Ends(evaluator).second, gp_Pnt(10.0, 2.0, 4.5), 1e-11);

  // Moved, both sketches follow at once, through the evaluator made before the move too.
  component->SetTransformation(std::make_shared<Matrix>(Shifted(0.0, 0.0, 4.0)));
  ExpectNear(ModelPoint(sketch->SketchToModel(sketchPoint)), gp_Pnt(q.X(), q.Y(), q.Z() + 4.0));
  ExpectNear(Ends(evaluator).first, gp_Pnt(2.0, 0.0, 4.0));
}

}  // namespace
}  // namespace sledway::model
