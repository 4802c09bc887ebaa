// Curvature bounds of curves against their closed forms and against the curvature itself.
#include "clearance/curvature_bound.hpp"

#include <gtest/gtest.h>

#include <Geom2dAdaptor_Curve.hxx>
#include <Geom2d_Ellipse.hxx>
#include <GeomAPI_Interpolate.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <GeomConvert.hxx>
#include <GeomLProp_CLProps.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Geom_BezierCurve.hxx>
#include <Geom_Ellipse.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_HArray1OfPnt.hxx>
#include <cmath>
#include <numbers>

#include "modelhost/curves/curve_makers.hpp"

namespace sledway::clearance {
namespace {

// A quarter circle of radius 7 as a rational quadratic B-spline (weights 1, cos 45 deg, 1) with
// two knots put in: three spans, all exactly on the circle.
Handle(Geom_BSplineCurve) QuarterCircle() {
  TColgp_Array1OfPnt poles(1, 3);
  poles(1) = gp_Pnt(7, 0, 0);
  poles(2) = gp_Pnt(7, 7, 0);
  poles(3) = gp_Pnt(0, 7, 0);
  TColStd_Array1OfReal weights(1, 3);
  weights(1) = weights(3) = 1.0;
  weights(2) = std::sqrt(0.5);
  Handle(Geom_BSplineCurve) spline =
      GeomConvert::CurveToBSplineCurve(new Geom_BezierCurve(poles, weights));
  spline->InsertKnot(0.3);
  spline->InsertKnot(0.7);
  return spline;
}

TEST(CurvatureBound, BoundsLieAboveTheCurvatureAndAtItsClosedForm) {
  TColgp_Array1OfPnt points(1, 5);
  const double through[5][3] = {{0, 0, 0}, {20, 15, 3}, {45, 10, -4}, {60, 40, 0}, {90, 35, 8}};
  for (int i = 0; i < 5; ++i) points(i + 1) = gp_Pnt(through[i][0], through[i][1], through[i][2]);
  Handle(TColgp_HArray1OfPnt) held = new TColgp_HArray1OfPnt(points);
  GeomAPI_Interpolate interpolate(held, false, 1e-9);
  interpolate.Perform();
  const Handle(Geom_Curve) cubic(interpolate.Curve().get());
  const Handle(Geom_Curve) quarter(QuarterCircle().get());
  const Handle(Geom_Curve) ellipse = new Geom_Ellipse(gp_Ax2(), 5.0, 2.0);
  struct Case {
    const char* name;
    Handle(Geom_Curve) curve;
    double first;
    double last;
    double largest;    // the curvature's closed form maximum; 0 where there is none
    double tightness;  // how far above it the largest bound may lie, as a part of it
  };
  const Case cases[] = {
      {"rational quarter circle", quarter, 0.0, 1.0, 1.0 / 7.0, 0.01},
      {"whole ellipse", ellipse, 0.0, 2.0 * std::numbers::pi, 5.0 / 4.0, 1e-7},
      // No vertex of the major axis within: largest at the arc's start.
      {"elliptical arc", ellipse, 0.3, 1.2,
       10.0 / std::pow(25.0 * std::pow(std::sin(0.3), 2) + 4.0 * std::pow(std::cos(0.3), 2), 1.5),
       1e-7},
      {"interpolated cubic", cubic, cubic->FirstParameter(), cubic->LastParameter(), 0.0, 0.01},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CurvatureBounds bounds = BoundCurvature(GeomAdaptor_Curve(c.curve, c.first, c.last));
    ASSERT_TRUE(bounds.unbounded.empty()) << bounds.unbounded;
    ASSERT_FALSE(bounds.spans.empty());
    EXPECT_DOUBLE_EQ(bounds.spans.front().first, c.first);
    EXPECT_DOUBLE_EQ(bounds.spans.back().last, c.last);
    double largestBound = 0.0;
    double largestSeen = 0.0;
    for (std::size_t k = 0; k < bounds.spans.size(); ++k) {
      const CurvatureSpan& span = bounds.spans[k];
      EXPECT_EQ(span.first, k > 0 ? bounds.spans[k - 1].last : span.first);  // no gaps
      largestBound = std::max(largestBound, span.curvature);
      for (int i = 0; i <= 8; ++i) {
        GeomLProp_CLProps props(c.curve, span.first + (span.last - span.first) * i / 8.0, 2, 1e-12);
        EXPECT_GE(span.curvature, props.Curvature());
        largestSeen = std::max(largestSeen, props.Curvature());
      }
    }
    // Without a closed form the largest curvature seen stands in for it.
    const double largest = c.largest > 0.0 ? c.largest : largestSeen;
    EXPECT_NEAR(largestSeen, largest, 1e-9 * largest);
    EXPECT_GE(largestBound, largest);
    EXPECT_LE(largestBound, largest * (1.0 + c.tightness));
  }
}

TEST(CurvatureBound, ATangentThatMayVanishOrJumpHasNoBoundAndConstantCurvaturesTheirOwn) {
  TColgp_Array1OfPnt poles(1, 4);
  poles(1) = poles(2) = gp_Pnt(0, 0, 0);  // the derivative is zero at the start
  poles(3) = gp_Pnt(10, 5, 0);
  poles(4) = gp_Pnt(20, 0, 0);
  EXPECT_NE(BoundCurvature(GeomAdaptor_Curve(new Geom_BezierCurve(poles))).unbounded, "");
  // A double knot at 0.3 leaves the curve on the circle, its tangent continuous; moving the
  // pole before it puts a corner there.
  Handle(Geom_BSplineCurve) doubled = QuarterCircle();
  doubled->IncreaseMultiplicity(2, 2);
  const CurvatureBounds onCircle = BoundCurvature(GeomAdaptor_Curve(doubled));
  ASSERT_FALSE(onCircle.spans.empty()) << onCircle.unbounded;
  for (const CurvatureSpan& span : onCircle.spans) EXPECT_LE(span.curvature, 1.01 / 7.0);
  doubled->SetPole(2, doubled->Pole(2).Translated(gp_Vec(0.5, 0, 0)));
  EXPECT_NE(BoundCurvature(GeomAdaptor_Curve(doubled)).unbounded.find("jumps"), std::string::npos);
  // The model's helix, radius 50 and pitch 30: r / (r^2 + (p / 2 pi)^2) all along.
  const CurvatureBounds helix =
      BoundCurvature(*model::MakeHelix(gp_Ax2(gp_Pnt(1, 2, 3), gp_Dir(1, 1, 0)), 50, 30, 3, "h"));
  const double rise = 30.0 / (2.0 * std::numbers::pi);
  ASSERT_EQ(helix.spans.size(), 1u) << helix.unbounded;
  const double exact = 50.0 / (2500.0 + rise * rise);
  EXPECT_GE(helix.spans[0].curvature, exact);
  EXPECT_LE(helix.spans[0].curvature, exact * (1.0 + 2e-8));
  EXPECT_DOUBLE_EQ(helix.spans[0].last, 6.0 * std::numbers::pi);
  const Handle(Geom2d_Curve) flat = new Geom2d_Ellipse(gp_Ax22d(), 3.0, 3.0);
  const CurvatureBounds circle = BoundCurvature(Geom2dAdaptor_Curve(flat));
  ASSERT_FALSE(circle.spans.empty());
  for (const CurvatureSpan& span : circle.spans) EXPECT_NEAR(span.curvature, 1.0 / 3.0, 1e-8);
}

}  // namespace
}  // namespace sledway::clearance
