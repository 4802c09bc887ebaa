#include <gtest/gtest.h>

#include <cmath>
#include <gp_Ax2.hxx>
#include <numbers>

#include "evaluator_probe.hpp"
#include "modelhost/curves/curve_evaluator.hpp"
#include "modelhost/curves/curve_evaluator_2d.hpp"
#include "modelhost/curves/curve_makers.hpp"

namespace sledway::model {
namespace {

using namespace testing;
constexpr double kPi = std::numbers::pi;

TEST(ExtrapolationTest, ArcContinuesStraightAlongItsEndTangents) {
  // A quarter circle of radius 2 in the XY plane from (2, 0, 0) to (0, 2, 0): speed 2 per rad.
  CurveEvaluator arc(MakeArc(gp_Ax2(), 2.0, 0.0, kPi / 2, "arc"));
  const double length = kPi;

  const double afterEnd = ParamAt(arc, 0.0, length + 3.0);
  EXPECT_NEAR(afterEnd, kPi / 2 + 1.5, 1e-12);
  EXPECT_LT(PointAt(arc, afterEnd).Distance(gp_Pnt(-3, 2, 0)), 1e-12);
  EXPECT_LT((TangentAt(arc, afterEnd) - gp_Vec(-2, 0, 0)).Magnitude(), 1e-15);

  const double beforeStart = ParamAt(arc, 0.0, -1.0);
  EXPECT_NEAR(beforeStart, -0.5, 1e-15);
  EXPECT_LT(PointAt(arc, beforeStart).Distance(gp_Pnt(2, -1, 0)), 1e-15);
  EXPECT_LT((TangentAt(arc, beforeStart) - gp_Vec(0, 2, 0)).Magnitude(), 1e-15);

  // Lengths count the straight pieces too, and walking back from beyond the end re-enters the
  // curve itself.
  EXPECT_NEAR(LengthBetween(arc, -0.5, kPi / 2 + 1.5), 1.0 + length + 3.0, 1e-12);
  EXPECT_NEAR(LengthBetween(arc, -2.0, -0.5), 3.0, 1e-15);
  EXPECT_NEAR(ParamAt(arc, kPi / 2 + 1.5, -(3.0 + 2.0 * 0.25)), kPi / 2 - 0.25, 1e-12);
  EXPECT_NEAR(ParamAt(arc, -0.5, 1.0 + length + 0.5), kPi / 2 + 0.25, 1e-12);
  EXPECT_NEAR(ParamAt(arc, -0.5, 0.4), -0.3, 1e-15);
  EXPECT_NEAR(ParamAt(arc, kPi, -0.2), kPi - 0.1, 1e-15);
}

TEST(ExtrapolationTest, SplineContinuationKeepsTheEndParameterSpeed) {
  CurveEvaluator2d spline(MakeSpline2d({{0, 0}, {1, 1}, {3, 0}, {4, 2}}, "spline"));
  const double first = MinParam(spline);
  const double last = MaxParam(spline);
  const gp_Vec2d endTangent = TangentAt(spline, last);
  const gp_Pnt2d endPoint = PointAt(spline, last);
  const double length = LengthOf(spline);

  const double u = ParamAt(spline, first, length + 0.8);
  EXPECT_NEAR(u, last + 0.8 / endTangent.Magnitude(), 1e-12);
  EXPECT_LT(PointAt(spline, u).Distance(endPoint.Translated(endTangent.Normalized() * 0.8)), 1e-12);
  EXPECT_TRUE(TangentAt(spline, u).IsEqual(endTangent, 0.0, 0.0));

  const gp_Vec2d startTangent = TangentAt(spline, first);
  const double v = ParamAt(spline, first, -0.6);
  EXPECT_NEAR(v, first - 0.6 / startTangent.Magnitude(), 1e-12);
  EXPECT_LT(
      PointAt(spline, v).Distance(gp_Pnt2d(0, 0).Translated(startTangent.Normalized() * -0.6)),
      1e-12);
}

TEST(ExtrapolationTest, InfiniteLineIsParametrisedBySignedDistance) {
  CurveEvaluator line(MakeInfiniteLine(gp_Ax1(gp_Pnt(1, 2, 3), gp_Dir(0, 3, 4))));
  EXPECT_EQ(MinParam(line), -kInfiniteLineReach);
  EXPECT_EQ(MaxParam(line), kInfiniteLineReach);
  EXPECT_LT(PointAt(line, 5.0).Distance(gp_Pnt(1, 5, 7)), 1e-14);
  EXPECT_LT((TangentAt(line, 0.0) - gp_Vec(0, 0.6, 0.8)).Magnitude(), 1e-15);
  EXPECT_NEAR(ParamAt(line, -2.0, 7.5), 5.5, 1e-12);
  EXPECT_NEAR(LengthBetween(line, 4.0, -6.0), -10.0, 1e-12);
}

}  // namespace
}  // namespace sledway::model
