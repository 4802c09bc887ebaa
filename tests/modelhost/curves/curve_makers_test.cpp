#include "modelhost/curves/curve_makers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <gp_Ax2.hxx>
#include <numbers>
#include <string>
#include <vector>

#include "evaluator_probe.hpp"
#include "host/host_error.hpp"
#include "modelhost/curves/curve_evaluator.hpp"
#include "modelhost/curves/curve_evaluator_2d.hpp"

namespace sledway::model {
namespace {

using namespace testing;
using P2 = gp_Pnt2d;
using P3 = gp_Pnt;
constexpr double kPi = std::numbers::pi;

TEST(CurveMakersTest, EveryDegenerateInputIsRefusedNamingTheEntity) {
  const double nan = std::nan("");
  const gp_Ax2 frame;
  const gp_Dir2d x(1, 0);
  const std::vector<P2> repeated = {P2(0, 0), P2(1, 1), P2(1, 1), P2(2, 0)};
  const std::vector<P3> same = {P3(0, 0, 0), P3(0, 0, 0)};
  const std::vector<P3> unfinished = {P3(0, 0, 0), P3(1, 0, nan)};
  const std::vector<std::function<void(std::string_view)>> makers = {
      [](auto e) { MakeLine2d(P2(1, 2), P2(1, 2 + 1e-9), e); },
      [&](auto e) { MakeLine2d(P2(nan, 2), P2(1, 2), e); },
      [](auto e) { MakeLine(P3(1, 2, 3), P3(1, 2, 3), e); },
      [](auto e) { MakeArc2d(P2(0, 0), 0.0, 0.0, 1.0, e); },
      [](auto e) { MakeArc2d(P2(0, 0), 1.0, 0.5, 0.5 + 2 * kPi, e); },
      [&](auto e) { MakeArc(frame, 1.0, 2.0, 2.0 - 4 * kPi, e); },
      [&](auto e) { MakeCircle(frame, -2.0, e); },
      [&](auto e) { MakeEllipse2d(P2(0, 0), x, 2.0, 3.0, e); },
      [&](auto e) { MakeEllipse(frame, 1.0, 0.0, e); },
      [&](auto e) { MakeEllipticalArc2d(P2(0, 0), x, 3.0, 2.0, 1.0, 1.0, e); },
      [](auto e) { MakeSpline2d({P2(0, 0)}, e); },
      [&](auto e) { MakeSpline2d(repeated, e); },
      [&](auto e) { MakeSpline(same, e); },
      [&](auto e) { MakeSpline(unfinished, e); },
      [&](auto e) { MakeHelix(frame, 0.0, 1.0, 2.0, e); },
      [&](auto e) { MakeHelix(frame, 0.0, 0.0, 2.0, e); },
      [&](auto e) { MakeHelix(frame, 1.0, 1.0, 0.0, e); },
      [&](auto e) { MakeHelix(frame, 1.0, INFINITY, 1.0, e); },
  };
  for (std::size_t i = 0; i < makers.size(); ++i) {
    const std::string entity = "curve " + std::to_string(i + 1) + " of sketch 'track'";
    try {
      makers[i](entity);
      ADD_FAILURE() << entity << " was accepted";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kInvalidArg) << entity;
      EXPECT_EQ(std::string(error.what()).rfind(entity + ": ", 0), 0u) << error.what();
      if (i == 0) {
        EXPECT_EQ(error.what(), entity + ": the two end points coincide");
      }
    }
  }
}

TEST(CurveMakersTest, EllipsesLieAlongTheirMajorAxisAndSplinesPassAtChordLengths) {
  CurveEvaluator2d ellipse(MakeEllipse2d({1, 1}, {0, 1}, 3.0, 2.0, "ellipse"));
  EXPECT_LT(PointAt(ellipse, 0.0).Distance(P2(1, 4)), 1e-15);
  EXPECT_LT(PointAt(ellipse, kPi / 2).Distance(P2(-1, 1)), 1e-15);
  // In space, counter-clockwise seen from the frame's Z direction.
  const gp_Ax2 frame(P3(0, 0, 1), gp_Dir(0, 0, -1), gp_Dir(1, 0, 0));
  CurveEvaluator ellipse3d(MakeEllipse(frame, 3.0, 2.0, "ellipse 3D"));
  EXPECT_LT(PointAt(ellipse3d, 0.0).Distance(P3(3, 0, 1)), 1e-15);
  EXPECT_LT(PointAt(ellipse3d, kPi / 2).Distance(P3(0, -2, 1)), 1e-15);

  // Point i is reached at the summed distance up to it.
  const std::vector<P3> points = {{0, 0, 0}, {2, 1, 0}, {3, 3, 1}, {1, 5, 2}};
  CurveEvaluator spline(MakeSpline(points, "spline"));
  double chord = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) chord += points[i].Distance(points[i - 1]);
    EXPECT_LT(PointAt(spline, chord).Distance(points[i]), 1e-12) << i;
  }
  EXPECT_NEAR(Range(spline).second, chord, 1e-12);
}

}  // namespace
}  // namespace sledway::model
