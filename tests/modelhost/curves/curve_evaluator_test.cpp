#include "modelhost/curves/curve_evaluator.hpp"

#include <gtest/gtest.h>

#include <GeomAdaptor_Curve.hxx>
#include <Geom_Line.hxx>
#include <cmath>
#include <gp_Ax1.hxx>
#include <gp_Ax2.hxx>
#include <numbers>
#include <vector>

#include "evaluator_probe.hpp"
#include "host/host_error.hpp"
#include "modelhost/curves/curve_evaluator_2d.hpp"
#include "modelhost/curves/curve_makers.hpp"

namespace sledway::model {
namespace {

using namespace testing;
constexpr double kPi = std::numbers::pi;

TEST(CurveEvaluatorTest, PlacementIsAppliedLiveToPointsAndTangents) {
  gp_Trsf placement;  // changed between queries, as a component moves
  CurveEvaluator line(MakeLine({0, 0, 0}, {4, 0, 0}, "edge"), [&placement] { return placement; });

  EXPECT_LT(PointAt(line, 1.0).Distance(gp_Pnt(1, 0, 0)), 1e-15);
  placement.SetRotation(gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), kPi / 2);
  placement.SetTranslationPart(gp_Vec(10, 20, 30));

  EXPECT_LT(PointAt(line, 1.0).Distance(gp_Pnt(10, 21, 30)), 1e-14);
  EXPECT_LT((TangentAt(line, 1.0) - gp_Vec(0, 1, 0)).Magnitude(), 1e-15);  // turned, not shifted
  double start[3];
  double end[3];
  line.GetEndPoints(start, end);
  EXPECT_LT(gp_Pnt(start[0], start[1], start[2]).Distance(gp_Pnt(10, 20, 30)), 1e-14);
  EXPECT_LT(gp_Pnt(end[0], end[1], end[2]).Distance(gp_Pnt(10, 24, 30)), 1e-14);
  // Beyond the end, the continuation moves with the placement too.
  EXPECT_LT(PointAt(line, 6.0).Distance(gp_Pnt(10, 26, 30)), 1e-14);
  EXPECT_NEAR(LengthOf(line), 4.0, 1e-15);
}

TEST(CurveEvaluatorTest, FillsArraysPerParameterAndRefusesBadInput) {
  CurveEvaluator circle(MakeCircle(gp_Ax2(), 1.0, "circle"));
  const std::vector<double> params = {0.0, kPi / 2, kPi};
  std::vector<double> points(9);
  circle.GetPointAtParam(params, points);
  const std::vector<double> expected = {1, 0, 0, 0, 1, 0, -1, 0, 0};
  for (std::size_t i = 0; i < 9; ++i) EXPECT_NEAR(points[i], expected[i], 1e-15) << i;

  auto refused = [](auto&& call) {
    try {
      call();
      return false;
    } catch (const HostError& error) {
      return error.Code() == hresult::kInvalidArg;
    }
  };
  std::vector<double> shortArray(8);
  EXPECT_TRUE(refused([&] { circle.GetPointAtParam(params, shortArray); }));
  EXPECT_TRUE(refused([&] { circle.GetTangent(params, shortArray); }));
  const double nan = std::nan("");
  double out[3];
  EXPECT_TRUE(refused([&] { circle.GetPointAtParam({&nan, 1}, out); }));
  double param = 42.0;
  EXPECT_TRUE(refused([&] { circle.GetParamAtLength(0.0, nan, param); }));
  EXPECT_TRUE(refused([&] { circle.GetParamAtLength(INFINITY, 1.0, param); }));
  EXPECT_EQ(param, 42.0);
  double length = 0.0;
  EXPECT_TRUE(refused([&] { circle.GetLengthBetweenParams(nan, 1.0, length); }));

  // A 2D evaluator needs two numbers per parameter, and leaves the rest of a longer array.
  CurveEvaluator2d arc(MakeArc2d({0, 0}, 2.0, 0.0, kPi, "arc"));
  double tangent[3] = {7, 7, 7};
  const double u = kPi / 2;
  arc.GetTangent({&u, 1}, tangent);
  EXPECT_NEAR(tangent[0], -2.0, 1e-15);
  EXPECT_NEAR(tangent[1], 0.0, 1e-15);
  EXPECT_EQ(tangent[2], 7.0);
  double one[1];
  EXPECT_TRUE(refused([&] { arc.GetPointAtParam({&u, 1}, one); }));
}

TEST(CurveEvaluatorTest, RemembersOnlyTheExactLastSolve) {
  CurveEvaluator circle(MakeCircle(gp_Ax2(), 2.0, "circle"));
  EXPECT_NEAR(ParamAt(circle, 0.0, 1.0), 0.5, 1e-14);
  EXPECT_NEAR(ParamAt(circle, 0.0, 1.0), 0.5, 1e-14);
  EXPECT_NEAR(ParamAt(circle, 0.0, 3.0), 1.5, 1e-14);
  EXPECT_NEAR(ParamAt(circle, 1.0, 3.0), 2.5, 1e-14);
  EXPECT_NEAR(ParamAt(circle, 0.0, 1.0), 0.5, 1e-14);
  EXPECT_NEAR(ParamAt(circle, 0.0, 1.0 + 1e-9), 0.5 + 5e-10, 1e-14);
}

TEST(CurveEvaluatorTest, RefusesCurvesWithoutABoundedRange) {
  EXPECT_THROW(CurveEvaluator(Handle(Adaptor3d_Curve)()), HostError);
  EXPECT_THROW(CurveEvaluator2d(Handle(Geom2d_Curve)()), HostError);
  const Handle(Adaptor3d_Curve) unbounded = new GeomAdaptor_Curve(new Geom_Line(gp_Ax1()));
  try {
    CurveEvaluator evaluator(unbounded);
    ADD_FAILURE() << "took an unbounded line";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), hresult::kInvalidArg);
  }
}

}  // namespace
}  // namespace sledway::model
