#pragma once

#include <Adaptor2d_Curve2d.hxx>
#include <Adaptor3d_Curve.hxx>
#include <string>
#include <vector>

namespace sledway::clearance {

// An upper bound on a curve's curvature (1 / length unit) over a stretch of its parameter.
struct CurvatureSpan {
  double first;
  double last;
  double curvature;
};

// Upper bounds on a curve's curvature over stretches that cover its range in order of
// parameter, or why it has none (then `spans` is empty). Lines give 0, circles 1 / r, ellipses
// their closed form over eighths of a turn, and helices (straight traces on a cylinder) theirs.
// B-spline and Bezier curves, rational or not, are bounded span by span from their homogeneous
// control points (derivative polynomials in Bernstein form, whose coefficients bound their
// values), halving a span until the bound is within a hundredth of the curvature at the span's
// ends, or until it is an 256th of the span. A curve whose tangent jumps inside its range (at a
// knot of multiplicity at least the degree) or vanishes (its derivative reaches zero), and
// curves of any other kind, have none.
struct CurvatureBounds {
  std::vector<CurvatureSpan> spans;
  std::string unbounded;
};

CurvatureBounds BoundCurvature(const Adaptor3d_Curve& curve);
CurvatureBounds BoundCurvature(const Adaptor2d_Curve2d& curve);

}  // namespace sledway::clearance
