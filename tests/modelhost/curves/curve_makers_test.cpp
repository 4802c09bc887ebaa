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
constexpr double kPi = std::numbers::pi;

TEST(CurveMakersTest, EveryDegenerateInputIsRefusedNamingTheEntity) {
  const double nan = std::nan("");
  const gp_Ax2 frame;
  const std::vector<std::function<void(std::string_view)>> makers = {
      [](std::string_view e) {
        MakeLine2d({1, 2}, {1, 2 + 1e-9}, e);
      },
      [&](std::string_view e) {
        MakeLine2d({nan, 2}, {1, 2}, e);
      },
      [](std::string_view e) {
        MakeArc2d({0, 0}, 0.0, 0.0, 1.0, e);
      },
      [](std::string_view e) {
        MakeArc2d({0, 0}, -1.0, 0.0, 1.0, e);
      },
      [](std::string_view e) {
        MakeArc2d({0, 0}, 1.0, 0.5, 0.5, e);
      },
      [](std::string_view e) {
        MakeArc2d({0, 0}, 1.0, 0.5, 0.5 + 2 * kPi, e);
      },
      [](std::string_view e) {
        MakeCircle2d({0, 0}, 0.0, e);
      },
      [&](std::string_view e) {
        MakeCircle2d({0, 0}, nan, e);
      },
      [](std::string_view e) {
        MakeEllipse2d({0, 0}, {1, 0}, 2.0, 3.0, e);
      },
      [](std::string_view e) {
        MakeEllipse2d({0, 0}, {1, 0}, 2.0, 0.0, e);
      },
      [](std::string_view e) {
        MakeEllipticalArc2d({0, 0}, {1, 0}, 3.0, 2.0, 1.0, 1.0, e);
      },
      [](std::string_view e) {
        MakeEllipticalArc2d({0, 0}, {1, 0}, 1.0, 2.0, 0.0, 1.0, e);
      },
      [](std::string_view e) {
        MakeSpline2d({{0, 0}}, e);
      },
      [](std::string_view e) {
        MakeSpline2d({{0, 0}, {1, 1}, {1, 1}, {2, 0}}, e);
      },
      [](std::string_view e) {
        MakeLine({1, 2, 3}, {1, 2, 3}, e);
      },
      [&](std::string_view e) { MakeArc(frame, 0.0, 0.0, 1.0, e); },
      [&](std::string_view e) { MakeArc(frame, 1.0, 2.0, 2.0 - 4 * kPi, e); },
      [&](std::string_view e) { MakeCircle(frame, -2.0, e); },
      [&](std::string_view e) { MakeEllipse(frame, 1.0, 1.5, e); },
      [&](std::string_view e) { MakeEllipse(frame, 0.0, 0.0, e); },
      [](std::string_view e) { MakeSpline({}, e); },
      [](std::string_view e) {
        MakeSpline({{0, 0, 0}, {0, 0, 0}}, e);
      },
      [&](std::string_view e) {
        MakeSpline({{0, 0, 0}, {1, 0, nan}}, e);
      },
      [&](std::string_view e) { MakeHelix(frame, 0.0, 1.0, 2.0, e); },
      [&](std::string_view e) { MakeHelix(frame, 1.0, 1.0, 0.0, e); },
      [&](std::string_view e) { MakeHelix(frame, 1.0, 1.0, -1.0, e); },
      [&](std::string_view e) { MakeHelix(frame, 1.0, INFINITY, 1.0, e); },
  };
  for (std::size_t i = 0; i < makers.size(); ++i) {
    const std::string entity = "curve " + std::to_string(i + 1) + " of sketch 'track'";
    try {
      makers[i](entity);
      ADD_FAILURE() << entity << " was accepted";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kInvalidArg) << entity;
      EXPECT_EQ(std::string(error.what()).rfind(entity + ": ", 0), 0u) << error.what();
    }
  }
}

TEST(CurveMakersTest, MessageSaysWhatIsWrong) {
  try {
    MakeLine2d({1, 2}, {1, 2}, "line 2 of sketch 'track'");
    ADD_FAILURE();
  } catch (const HostError& error) {
    EXPECT_STREQ(error.what(), "line 2 of sketch 'track': the two end points coincide");
  }
}

TEST(CurveMakersTest, ArcsRunCounterClockwiseFromStartToEnd) {
  // From 3 pi / 2 round to pi / 2: through angle 0, not through pi.
  CurveEvaluator2d arc(MakeArc2d({5, 5}, 2.0, 3 * kPi / 2, kPi / 2, "arc"));
  double start[2];
  double end[2];
  arc.GetEndPoints(start, end);
  EXPECT_LT(gp_Pnt2d(start[0], start[1]).Distance(gp_Pnt2d(5, 3)), 1e-14);
  EXPECT_LT(gp_Pnt2d(end[0], end[1]).Distance(gp_Pnt2d(5, 7)), 1e-14);
  const double middle = (MinParam(arc) + MaxParam(arc)) / 2;
  EXPECT_LT(PointAt(arc, middle).Distance(gp_Pnt2d(7, 5)), 1e-14);

  // In space, counter-clockwise seen from the frame's Z direction.
  const gp_Ax2 frame(gp_Pnt(0, 0, 1), gp_Dir(0, 0, -1), gp_Dir(1, 0, 0));
  CurveEvaluator arc3d(MakeArc(frame, 1.0, 0.0, kPi / 2, "arc 3D"));
  EXPECT_LT(PointAt(arc3d, MaxParam(arc3d)).Distance(gp_Pnt(0, -1, 1)), 1e-15);

  CurveEvaluator2d ellipse(MakeEllipse2d({1, 1}, {0, 1}, 3.0, 2.0, "ellipse"));
  EXPECT_LT(PointAt(ellipse, 0.0).Distance(gp_Pnt2d(1, 4)), 1e-15);
  EXPECT_LT(PointAt(ellipse, kPi / 2).Distance(gp_Pnt2d(-1, 1)), 1e-15);

  CurveEvaluator ellipse3d(MakeEllipse(frame, 3.0, 2.0, "ellipse 3D"));
  EXPECT_LT(PointAt(ellipse3d, 0.0).Distance(gp_Pnt(3, 0, 1)), 1e-15);
  EXPECT_LT(PointAt(ellipse3d, kPi / 2).Distance(gp_Pnt(0, -2, 1)), 1e-15);
}

TEST(CurveMakersTest, LinesAndSplinesPassThroughTheirPoints) {
  CurveEvaluator line(MakeLine({1, 1, 1}, {4, 5, 1}, "line"));
  EXPECT_EQ(MinParam(line), 0.0);
  EXPECT_NEAR(MaxParam(line), 5.0, 1e-15);
  EXPECT_LT(PointAt(line, 2.5).Distance(gp_Pnt(2.5, 3, 1)), 1e-15);

  const std::vector<gp_Pnt> points = {{0, 0, 0}, {2, 1, 0}, {3, 3, 1}, {1, 5, 2}};
  CurveEvaluator spline(MakeSpline(points, "spline"));
  double start[3];
  double end[3];
  spline.GetEndPoints(start, end);
  EXPECT_LT(gp_Pnt(start[0], start[1], start[2]).Distance(points.front()), 1e-12);
  EXPECT_LT(gp_Pnt(end[0], end[1], end[2]).Distance(points.back()), 1e-12);
  // Chord-length parameters: point i is reached at the summed distance up to it.
  double chord = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) chord += points[i].Distance(points[i - 1]);
    EXPECT_LT(PointAt(spline, chord).Distance(points[i]), 1e-12) << i;
  }
  EXPECT_NEAR(MaxParam(spline), chord, 1e-12);

  CurveEvaluator2d spline2d(MakeSpline2d({{0, 0}, {3, 4}, {3, 6}}, "spline 2D"));
  EXPECT_LT(PointAt(spline2d, 5.0).Distance(gp_Pnt2d(3, 4)), 1e-12);
  EXPECT_LT(PointAt(spline2d, 7.0).Distance(gp_Pnt2d(3, 6)), 1e-12);
  CurveEvaluator2d straight(MakeSpline2d({{0, 0}, {3, 4}}, "spline 2D"));
  EXPECT_NEAR(LengthOf(straight), 5.0, 1e-12);
}

}  // namespace
}  // namespace sledway::model
