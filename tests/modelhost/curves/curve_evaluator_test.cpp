#include "modelhost/curves/curve_evaluator.hpp"

#include <gmock/gmock.h>

#include <GeomAdaptor_Curve.hxx>
#include <Geom_Line.hxx>
#include <functional>
#include <gp_Ax1.hxx>
#include <string>
#include <vector>

#include "../model_test_helpers.hpp"
#include "closed_forms.hpp"
#include "host/curve_evaluator.hpp"
#include "host/host_error.hpp"
#include "modelhost/curves/curve_evaluator_2d.hpp"
#include "modelhost/curves/curve_makers.hpp"

namespace sledway::model {
namespace {

using namespace testing;
using P2 = gp_Pnt2d;
using P3 = gp_Pnt;
constexpr double kPi = std::numbers::pi;
// Relative accuracy promised for arc lengths against closed forms.
constexpr double kRelative = 1e-12;

const gp_Ax2 kTilted(gp_Pnt(1, -2, 3), gp_Dir(1, 1, 1), gp_Dir(1, -1, 0));

// One-value calls on an evaluator, for readable checks.
gp_Pnt PointAt(IVCurveEvaluator& e, double u) {
  double p[3] = {};
  e.GetPointAtParam({&u, 1}, p);
  return gp_Pnt(p[0], p[1], p[2]);
}
gp_Vec TangentAt(IVCurveEvaluator& e, double u) {
  double t[3] = {};
  e.GetTangent({&u, 1}, t);
  return gp_Vec(t[0], t[1], t[2]);
}
gp_Pnt2d PointAt(IVCurveEvaluator2d& e, double u) {
  double p[2] = {};
  e.GetPointAtParam({&u, 1}, p);
  return gp_Pnt2d(p[0], p[1]);
}

// The first and last parameter of an evaluator's curve.
template <class Evaluator>
std::pair<double, double> Range(Evaluator& e) {
  std::pair<double, double> range;
  e.GetParamRange(range.first, range.second);
  return range;
}
template <class Evaluator>
double LengthBetween(Evaluator& e, double u1, double u2) {
  double length = 0.0;
  e.GetLengthBetweenParams(u1, u2, length);
  return length;
}
template <class Evaluator>
double ParamAt(Evaluator& e, double from, double length) {
  double param = 0.0;
  e.GetParamAtLength(from, length, param);
  return param;
}

TEST(CurveEvaluatorTest, CirclesAndArcsMeasureRadiusTimesAngle) {
  CurveEvaluator circle(MakeCircle(kTilted, 2.5, "circle"));
  EXPECT_NEAR(LengthOf(circle), 2 * kPi * 2.5, 2 * kPi * 2.5 * kRelative);

  CurveEvaluator arc(MakeArc(kTilted, 4.0, 0.3, 2.0, "arc"));
  EXPECT_NEAR(LengthOf(arc), 4.0 * 1.7, 4.0 * 1.7 * kRelative);
  EXPECT_NEAR(LengthBetween(arc, 0.5, 1.5), 4.0, 4.0 * kRelative);

  // From 5 rad counter-clockwise round to 1 rad: a sweep of 2 pi - 4.
  CurveEvaluator2d wrapping(MakeArc2d(gp_Pnt2d(3, 1), 0.75, 5.0, 1.0, "arc 2D"));
  const auto [first, last] = Range(wrapping);
  const double sweep = 2 * kPi - 4.0;
  EXPECT_NEAR(last - first, sweep, 1e-14);
  EXPECT_NEAR(LengthOf(wrapping), 0.75 * sweep, 0.75 * sweep * kRelative);
  EXPECT_NEAR(ParamAt(wrapping, first, 0.75 * 1.1), first + 1.1, 1e-12);

  // The last solve is remembered, and only for exactly the same question.
  CurveEvaluator cached(MakeCircle(gp_Ax2(), 2.0, "circle"));
  EXPECT_NEAR(ParamAt(cached, 0.0, 1.0), 0.5, 1e-14);
  EXPECT_NEAR(ParamAt(cached, 0.0, 1.0), 0.5, 1e-14);
  EXPECT_NEAR(ParamAt(cached, 0.0, 3.0), 1.5, 1e-14);
  EXPECT_NEAR(ParamAt(cached, 1.0, 3.0), 2.5, 1e-14);
  EXPECT_NEAR(ParamAt(cached, 0.0, 1.0 + 1e-9), 0.5 + 5e-10, 1e-14);
}

TEST(CurveEvaluatorTest, EllipsePerimeterMatchesTheGaussKummerSeries) {
  for (const auto& [major, minor] :
       std::initializer_list<std::pair<double, double>>{{20, 5}, {7, 3}, {10, 1}, {4, 4}}) {
    SCOPED_TRACE(::testing::Message() << major << " x " << minor);
    const double perimeter = EllipsePerimeter(major, minor);
    CurveEvaluator ellipse(MakeEllipse(kTilted, major, minor, "ellipse"));
    EXPECT_NEAR(LengthOf(ellipse), perimeter, perimeter * kRelative);

    CurveEvaluator2d flat(MakeEllipse2d(gp_Pnt2d(-1, 2), gp_Dir2d(0, 1), major, minor, "ellipse"));
    EXPECT_NEAR(LengthOf(flat), perimeter, perimeter * kRelative);
    // The major axis lies along the given direction, and the curve turns counter-clockwise.
    EXPECT_LT(PointAt(flat, 0.0).Distance(gp_Pnt2d(-1, 2 + major)), 1e-14);
    EXPECT_LT(PointAt(flat, kPi / 2).Distance(gp_Pnt2d(-1 - minor, 2)), 1e-14);
    // By symmetry a quarter from the end of an axis is a quarter of the perimeter, and the
    // parameter at a quarter of the perimeter is a quarter turn.
    EXPECT_NEAR(LengthBetween(flat, 0.0, kPi / 2), perimeter / 4, perimeter * kRelative);
    EXPECT_NEAR(ParamAt(flat, 0.0, perimeter / 4), kPi / 2, 1e-12);

    CurveEvaluator2d half(MakeEllipticalArc2d(gp_Pnt2d(0, 0), gp_Dir2d(0, -1), major, minor,
                                              kPi / 2, 3 * kPi / 2, "elliptical arc"));
    EXPECT_NEAR(LengthOf(half), perimeter / 2, perimeter * kRelative);
  }
}

TEST(CurveEvaluatorTest, HelixFollowsItsClosedForm) {
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
  EXPECT_EQ(Range(helix).first, 0.0);
  EXPECT_NEAR(Range(helix).second, 2 * kPi * turns, 1e-14);
  for (double t : {0.0, 0.4, 3.0, 9.9, 2 * kPi * turns}) {
    const gp_Pnt expected = kTilted.Location().Translated(x * (r * std::cos(t)) +
                                                          y * (r * std::sin(t)) + z * (rise * t));
    EXPECT_LT(PointAt(helix, t).Distance(expected), 1e-14) << t;
    const gp_Vec tangent = x * (-r * std::sin(t)) + y * (r * std::cos(t)) + z * rise;
    EXPECT_LT((TangentAt(helix, t) - tangent).Magnitude(), 1e-14) << t;
    EXPECT_NEAR(ParamAt(helix, 0.0, speed * t), t, 1e-12) << t;
  }
}

TEST(CurveEvaluatorTest, ParamAtLengthAndLengthBetweenParamsAreInverse) {
  const std::pair<const char*, Handle(Adaptor3d_Curve)> curves[] = {
      {"line", MakeLine({0, 0, 0}, {3, 4, 12}, "line")},
      {"helix", MakeHelix(kTilted, 1.5, -0.5, 3.2, "helix")},
      {"spline", MakeSpline({{0, 0, 0}, {2, 1, 0}, {3, 3, 1}, {1, 5, 2}, {-2, 4, 2}}, "spline")}};
  for (const auto& [name, adaptor] : curves) {
    SCOPED_TRACE(name);
    CurveEvaluator curve(adaptor);
    const auto [first, last] = Range(curve);
    const double length = LengthOf(curve);
    EXPECT_NEAR(LengthBetween(curve, last, first), -length, 0.0);
    EXPECT_EQ(ParamAt(curve, first, length), last);
    EXPECT_EQ(ParamAt(curve, last, -length), first);
    for (double f : {0.05, 0.37, 0.5, 0.93}) {
      const double u = ParamAt(curve, first, f * length);
      EXPECT_NEAR(LengthBetween(curve, first, u), f * length, length * kRelative) << f;
      EXPECT_NEAR(LengthBetween(curve, u, last), (1 - f) * length, length * kRelative) << f;
      EXPECT_NEAR(ParamAt(curve, u, -f * length), first, 1e-10 * (last - first)) << f;
      EXPECT_NEAR(ParamAt(curve, last, -(1 - f) * length), u, 1e-10 * (last - first)) << f;
    }
  }
}

TEST(CurveEvaluatorTest, ContinuesStraightAlongTheEndTangentsAtTheEndSpeed) {
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
  EXPECT_NEAR(ParamAt(arc, kPi / 2 + 1.5, -(3.0 + 2.0 * 0.25)), kPi / 2 - 0.25, 1e-12);
  EXPECT_NEAR(ParamAt(arc, -0.5, 1.0 + length + 0.5), kPi / 2 + 0.25, 1e-12);

  // A spline passes through its points at the summed chord lengths; its speed changes along it,
  // and the continuation keeps the speed at the end.
  const std::vector<gp_Pnt> points = {{0, 0, 0}, {1, 1, 0}, {3, 0, 1}, {4, 2, 1}};
  CurveEvaluator spline(MakeSpline(points, "spline"));
  double chord = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) chord += points[i].Distance(points[i - 1]);
    EXPECT_LT(PointAt(spline, chord).Distance(points[i]), 1e-12) << i;
  }
  const auto [first, last] = Range(spline);
  EXPECT_NEAR(last, chord, 1e-12);
  const gp_Vec endTangent = TangentAt(spline, last);
  const double u = ParamAt(spline, first, LengthOf(spline) + 0.8);
  EXPECT_NEAR(u, last + 0.8 / endTangent.Magnitude(), 1e-12);
  const gp_Pnt ahead = PointAt(spline, last).Translated(endTangent.Normalized() * 0.8);
  EXPECT_LT(PointAt(spline, u).Distance(ahead), 1e-12);
  EXPECT_TRUE(TangentAt(spline, u).IsEqual(endTangent, 0.0, 0.0));

  // Numbers that are not finite are refused and leave the answer alone; so is an endless curve.
  const double nan = std::nan("");
  double param = 42.0;
  double point[3];
  EXPECT_THROW(arc.GetPointAtParam({&nan, 1}, point), HostError);
  EXPECT_THROW(arc.GetParamAtLength(0.0, nan, param), HostError);
  EXPECT_THROW(arc.GetParamAtLength(INFINITY, 1.0, param), HostError);
  EXPECT_EQ(param, 42.0);
  EXPECT_THROW(CurveEvaluator(new GeomAdaptor_Curve(new Geom_Line(gp_Ax1()))), HostError);
}

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
      [&](auto e) { MakeHelix(frame, 1.0, 1.0, 0.0, e); },
      [&](auto e) { MakeHelix(frame, 1.0, INFINITY, 1.0, e); },
  };
  for (std::size_t i = 0; i < makers.size(); ++i) {
    const std::string entity = "curve " + std::to_string(i + 1) + " of sketch 'track'";
    EXPECT_THAT([&] { makers[i](entity); },
                ::testing::Throws<HostError>(::testing::AllOf(
                    ::testing::Property(&HostError::Code, hresult::kInvalidArg),
                    ::testing::Property(&HostError::what, ::testing::StartsWith(entity + ": ")))));
  }
  EXPECT_THAT([&] { makers[0]("line"); },
              ::testing::ThrowsMessage<HostError>("line: the two end points coincide"));
}

}  // namespace
}  // namespace sledway::model
