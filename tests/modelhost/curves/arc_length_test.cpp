#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <gp_Ax2.hxx>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "closed_forms.hpp"
#include "evaluator_probe.hpp"
#include "modelhost/curves/curve_evaluator.hpp"
#include "modelhost/curves/curve_evaluator_2d.hpp"
#include "modelhost/curves/curve_makers.hpp"

namespace sledway::model {
namespace {

using namespace testing;
constexpr double kPi = std::numbers::pi;
// Relative accuracy promised for arc lengths against closed forms.
constexpr double kRelative = 1e-12;

const gp_Ax2 kTilted(gp_Pnt(1, -2, 3), gp_Dir(1, 1, 1), gp_Dir(1, -1, 0));

TEST(ArcLengthTest, CirclesAndArcsMeasureRadiusTimesAngle) {
  CurveEvaluator circle(MakeCircle(kTilted, 2.5, "circle"));
  EXPECT_NEAR(LengthOf(circle), 2 * kPi * 2.5, 2 * kPi * 2.5 * kRelative);
  EXPECT_NEAR(ParamAt(circle, MinParam(circle), 2.5 * 1.2), MinParam(circle) + 1.2, 1e-12);

  CurveEvaluator arc(MakeArc(kTilted, 4.0, 0.3, 2.0, "arc"));
  EXPECT_NEAR(LengthOf(arc), 4.0 * 1.7, 4.0 * 1.7 * kRelative);
  EXPECT_NEAR(LengthBetween(arc, 0.5, 1.5), 4.0, 4.0 * kRelative);

  // From 5 rad counter-clockwise round to 1 rad: a sweep of 2 pi - 4.
  CurveEvaluator2d wrapping(MakeArc2d(gp_Pnt2d(3, 1), 0.75, 5.0, 1.0, "arc 2D"));
  const double sweep = 2 * kPi - 4.0;
  EXPECT_NEAR(MaxParam(wrapping) - MinParam(wrapping), sweep, 1e-14);
  EXPECT_NEAR(LengthOf(wrapping), 0.75 * sweep, 0.75 * sweep * kRelative);
  EXPECT_NEAR(ParamAt(wrapping, MinParam(wrapping), 0.75 * 1.1), MinParam(wrapping) + 1.1, 1e-12);
}

TEST(ArcLengthTest, EllipsePerimeterMatchesTheGaussKummerSeries) {
  struct Radii {
    double major;
    double minor;
  };
  for (const Radii r : {Radii{20, 5}, Radii{7, 3}, Radii{10, 1}, Radii{4, 4}}) {
    const double perimeter = EllipsePerimeter(r.major, r.minor);
    CurveEvaluator ellipse(MakeEllipse(kTilted, r.major, r.minor, "ellipse"));
    EXPECT_NEAR(LengthOf(ellipse), perimeter, perimeter * kRelative) << r.major << " x " << r.minor;

    CurveEvaluator2d flat(
        MakeEllipse2d(gp_Pnt2d(-1, 2), gp_Dir2d(1, 2), r.major, r.minor, "ellipse 2D"));
    EXPECT_NEAR(LengthOf(flat), perimeter, perimeter * kRelative);
    // By symmetry a quarter from the end of an axis is a quarter of the perimeter, and the
    // parameter at a quarter of the perimeter is a quarter turn.
    EXPECT_NEAR(LengthBetween(flat, 0.0, kPi / 2), perimeter / 4, perimeter * kRelative);
    EXPECT_NEAR(ParamAt(flat, 0.0, perimeter / 4), kPi / 2, 1e-12);
    EXPECT_NEAR(ParamAt(flat, kPi, perimeter / 2), 2 * kPi, 1e-12);

    CurveEvaluator2d half(MakeEllipticalArc2d(gp_Pnt2d(0, 0), gp_Dir2d(0, -1), r.major, r.minor,
                                              kPi / 2, 3 * kPi / 2, "elliptical arc"));
    EXPECT_NEAR(LengthOf(half), perimeter / 2, perimeter * kRelative);
  }
}

TEST(ArcLengthTest, HelixFollowsItsClosedForm) {
  const double r = 3.0;
  const double pitch = 2.0;
  const double turns = 2.5;
  CurveEvaluator helix(MakeHelix(kTilted, r, pitch, turns, "helix"));
  const double length = HelixLength(r, pitch, turns);
  EXPECT_NEAR(LengthOf(helix), length, length * kRelative);

  const gp_Vec x(kTilted.XDirection());
  const gp_Vec y(kTilted.YDirection());
  const gp_Vec z(kTilted.Direction());
  const double rise = pitch / (2 * kPi);
  const double speed = std::hypot(r, rise);
  EXPECT_NEAR(MinParam(helix), 0.0, 0.0);
  EXPECT_NEAR(MaxParam(helix), 2 * kPi * turns, 1e-14);
  for (double t : {0.0, 0.4, 3.0, 9.9, 2 * kPi * turns}) {
    const gp_Pnt expected = kTilted.Location().Translated(x * (r * std::cos(t)) +
                                                          y * (r * std::sin(t)) + z * (rise * t));
    EXPECT_LT(PointAt(helix, t).Distance(expected), 1e-14) << t;
    const gp_Vec tangent = x * (-r * std::sin(t)) + y * (r * std::cos(t)) + z * rise;
    EXPECT_LT((TangentAt(helix, t) - tangent).Magnitude(), 1e-14) << t;
    EXPECT_NEAR(ParamAt(helix, 0.0, speed * t), t, 1e-12) << t;
  }
}

TEST(ArcLengthTest, ParamAtLengthAndLengthBetweenParamsAreInverse) {
  std::vector<std::pair<std::string, std::shared_ptr<IVCurveEvaluator>>> curves3d = {
      {"line", std::make_shared<CurveEvaluator>(MakeLine({0, 0, 0}, {3, 4, 12}, "line"))},
      {"ellipse", std::make_shared<CurveEvaluator>(MakeEllipse(kTilted, 20, 5, "ellipse"))},
      {"helix", std::make_shared<CurveEvaluator>(MakeHelix(kTilted, 1.5, -0.5, 3.2, "helix"))},
      {"spline", std::make_shared<CurveEvaluator>(MakeSpline(
                     {{0, 0, 0}, {2, 1, 0}, {3, 3, 1}, {1, 5, 2}, {-2, 4, 2}}, "spline"))}};
  std::vector<std::pair<std::string, std::shared_ptr<IVCurveEvaluator2d>>> curves2d = {
      {"elliptical arc", std::make_shared<CurveEvaluator2d>(MakeEllipticalArc2d(
                             {1, 1}, {1, 0}, 9, 2, 0.2, 4.0, "elliptical arc"))},
      {"spline", std::make_shared<CurveEvaluator2d>(
                     MakeSpline2d({{0, 0}, {1, 2}, {3, 2}, {4, 0}, {6, -1}}, "spline 2D"))}};

  auto check = [](auto& curve, const std::string& name) {
    const double first = MinParam(curve);
    const double last = MaxParam(curve);
    const double length = LengthOf(curve);
    EXPECT_NEAR(LengthBetween(curve, last, first), -length, 0.0) << name;
    EXPECT_EQ(ParamAt(curve, first, length), last) << name;
    EXPECT_EQ(ParamAt(curve, last, -length), first) << name;
    for (double f : {0.05, 0.37, 0.5, 0.93}) {
      const double u = ParamAt(curve, first, f * length);
      EXPECT_NEAR(LengthBetween(curve, first, u), f * length, length * kRelative) << name << f;
      EXPECT_NEAR(LengthBetween(curve, u, last), (1 - f) * length, length * kRelative) << name;
      EXPECT_NEAR(ParamAt(curve, u, -f * length), first, 1e-10 * (last - first)) << name << f;
      EXPECT_NEAR(ParamAt(curve, last, -(1 - f) * length), u, 1e-10 * (last - first)) << name;
    }
  };
  for (auto& [name, curve] : curves3d) check(*curve, name);
  for (auto& [name, curve] : curves2d) check(*curve, name);
}

}  // namespace
}  // namespace sledway::model
