#include "path/path_entity.hpp"

#include <cmath>
#include <memory>
#include <utility>

#include "path/path_entity_chain.hpp"
#include "path_test_support.hpp"

namespace sledway {
namespace {

using test::ToPnt;
using test::ToVec;

TEST(PathEntityTest, AnArcGivesItsEndsPathPointsAndTangentsInTheDirectionOfTravel) {
  test::ModelAssembly model;
  const gp_Ax2 frame(gp_Pnt(1, 2, 3), gp_Dir(1, 2, 2), gp_Dir(2, -2, 1));
  const double radius = 2.5, a0 = 0.3, a1 = 2.0;
  model.doc->AddSketch3d("arcs")->AddArc(frame, radius, a0, a1);
  const auto curve = model.doc->Sketch3d("arcs")->Curve(1);
  const auto on = [&](double angle) {
    return frame.Location().Translated(radius * (std::cos(angle) * gp_Vec(frame.XDirection()) +
                                                 std::sin(angle) * gp_Vec(frame.YDirection())));
  };
  CPathEnts chain;
  const auto entity = chain.Add(model.app, curve->ObjectType(), curve, 1);
  const double length = entity->Length();
  EXPECT_NEAR(length, radius * (a1 - a0), 1e-12);
  EXPECT_EQ(entity->CurveLengthAtEnd(), length);

  entity->CurveLengthAtStart(10.0);
  const double along = 10.0 + length / 3;
  for (const bool reversed : {false, true}) {
    SCOPED_TRACE(reversed);
    entity->Reversed(reversed);
    EXPECT_LT(ToPnt(entity->PartStartPoint()).Distance(on(a0)), 1e-12);
    EXPECT_LT(ToPnt(entity->PartEndPoint()).Distance(on(a1)), 1e-12);
    EXPECT_LT(ToPnt(entity->PartPathPoint(10.0)).Distance(on(reversed ? a1 : a0)), 1e-11);
    EXPECT_LT(ToPnt(entity->PartPathPoint(10.0 + length)).Distance(on(reversed ? a0 : a1)), 1e-11);
    const double angle = reversed ? a1 - length / 3 / radius : a0 + length / 3 / radius;
    EXPECT_LT(ToPnt(entity->PartPathPoint(along)).Distance(on(angle)), 1e-11);
    const gp_Vec travel = (reversed ? -1 : 1) * (-std::sin(angle) * gp_Vec(frame.XDirection()) +
                                                 std::cos(angle) * gp_Vec(frame.YDirection()));
    EXPECT_LT((ToVec(entity->TangentVectorAtPoint(along)).Normalized() - travel).Magnitude(),
              1e-11);
  }
  // Reversed, the tangent is the curve's own one multiplied by -1 (same arithmetic, same
  // parameter).
  auto evaluator = As<IVSketchArc3D>(curve)->GetGeometry()->GetEvaluator();
  double first = 0, last = 0, param = 0, own[3] = {};
  evaluator->GetParamRange(first, last);
  evaluator->GetParamAtLength(first, (1.0 - (along - 10.0) / length) * length, param);
  evaluator->GetTangent(std::span<const double>(&param, 1), own);
  const gp_Vec tangent = ToVec(entity->TangentVectorAtPoint(along));
  EXPECT_EQ(tangent.X(), -own[0]);
  EXPECT_EQ(tangent.Y(), -own[1]);
  EXPECT_EQ(tangent.Z(), -own[2]);
}

TEST(PathEntityTest, RefusesWhatItCannotMeasureOrDivideBy) {
  test::ModelAssembly model;
  auto sketch = model.doc->AddSketch3d("lines");
  sketch->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(3, 0, 0));
  sketch->AddLine(gp_Pnt(0, 0, 0), gp_Pnt(0, 4, 0));
  const auto line = [&](int i) { return model.doc->Sketch3d("lines")->Curve(i); };
  const auto entity = [&](IVCurveKind kind, Ref<IVObject> curve, std::int16_t type) {
    auto made = std::make_shared<CPathEnt>();
    made->IVCurveType(kind);
    made->IVCurve(std::move(curve));
    made->EntType(type);
    made->IVApp(model.app);
    return made;
  };
  auto fresh = entity(IVCurveKind::kSketchLine3D, line(1), 1);
  test::ExpectHostError([&] { fresh->PartPathPoint(1.0); }, hresult::kDivideByZero,
                        "not been measured");
  test::ExpectHostError([&] { fresh->TangentVectorAtPoint(1.0); }, hresult::kDivideByZero,
                        "not been measured");
  test::ExpectHostError([&] { fresh->PartStartPoint(); }, hresult::kPointer, "no evaluator");
  // The first curve and application written stay.
  fresh->IVCurve(line(2));
  fresh->IVApp(nullptr);
  EXPECT_NEAR(fresh->Length(), 3.0, 1e-12);
  EXPECT_LT(ToPnt(fresh->PartEndPoint()).Distance(gp_Pnt(3, 0, 0)), 1e-12);

  test::ExpectHostError([&] { entity(IVCurveKind::kSketchLine, line(1), 1)->Length(); },
                        hresult::kPointer, "0x05002770 is not a path curve of a 3D sketch");

  const auto real = As<IVSketchLine3D>(line(1))->GetGeometry()->GetEvaluator();
  auto zero = entity(IVCurveKind::kEdge, std::make_shared<test::SpyEdge>(real, 0.0), 2);
  EXPECT_EQ(zero->Length(), 0.0);
  test::ExpectHostError([&] { zero->PartPathPoint(0.0); }, hresult::kDivideByZero, "zero length");
  test::ExpectHostError([&] { zero->TangentVectorAtPoint(0.0); }, hresult::kDivideByZero,
                        "zero length");
}

}  // namespace
}  // namespace sledway
