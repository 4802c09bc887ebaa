#pragma once

#include <Adaptor2d_Curve2d.hxx>
#include <Adaptor3d_Curve.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Vec.hxx>
#include <gp_Vec2d.hxx>
#include <optional>

namespace sledway::model {

// Arc length requests to OCCT (GCPnts_AbscissaPoint) carry this tolerance. For a length it is
// the relative accuracy the Gauss integration is driven to; for a parameter at a length it is
// also the parameter resolution of the root search, which ends on Newton steps, so the
// parameter comes out far closer than that: both land within about 1e-15 relative of closed
// forms on circles, ellipses and helices. Without a tolerance OCCT stops near 1e-2 on an
// ellipse, and at 1e-14 a solve takes a hundred times longer for no gain.
inline constexpr double kArcLengthTolerance = 1e-10;

template <class Adaptor>
struct CurveSpace;
template <>
struct CurveSpace<Adaptor3d_Curve> {
  using Pnt = gp_Pnt;
  using Vec = gp_Vec;
};
template <>
struct CurveSpace<Adaptor2d_Curve2d> {
  using Pnt = gp_Pnt2d;
  using Vec = gp_Vec2d;
};

// A bounded curve continued beyond both ends along its end tangents, with arc length measured
// along it. Below the first parameter the curve is P(first) + (u - first) C'(first), above the
// last P(last) + (u - last) C'(last): the continuation keeps the parameter speed of the end, so
// point and first derivative run on without a jump.
//
// Lengths come from OCCT with kArcLengthTolerance. The length of the whole curve is measured
// once, and the last parameter-at-length answer and the last point and derivative are
// remembered, because callers ask for the point and then the tangent at the same distance.
// Not for use from two threads at once.
template <class Adaptor>
class ExtendedCurve {
 public:
  using Pnt = typename CurveSpace<Adaptor>::Pnt;
  using Vec = typename CurveSpace<Adaptor>::Vec;

  // Fails with HostError kPointer for no curve and kInvalidArg for an unbounded or empty range.
  explicit ExtendedCurve(opencascade::handle<Adaptor> curve);

  double First() const { return first_; }
  double Last() const { return last_; }
  // The curve within its range, for what reads its shape (such as bounds on its curvature).
  const opencascade::handle<Adaptor>& Within() const { return curve_; }
  Pnt Value(double u) { return EvaluateAt(u).point; }
  // First derivative with respect to the parameter.
  Vec Derivative(double u) { return EvaluateAt(u).derivative; }

  // Arc length from u1 to u2, negative when u2 < u1.
  double Length(double u1, double u2);
  // The parameter at signed arc length `length` from `from`; it lies beyond the range when the
  // length runs past an end. Fails with HostError kFail when the continuation is needed but the
  // curve stands still at that end, or when OCCT finds no solution.
  double ParamAtLength(double from, double length);

 private:
  struct Solved {
    double from;
    double length;
    double param;
  };
  struct Evaluated {
    double param;
    Pnt point;
    Vec derivative;
  };

  // Point and derivative together: one D1 costs little more than the D0 it includes.
  const Evaluated& EvaluateAt(double u);

  double TotalLength();
  // Arc length over a <= b, both within the range.
  double LengthWithin(double a, double b);
  // Parameter at signed length from `from`, both ends of the answer known to lie in the range.
  double SolveWithin(double from, double length) const;
  double Forward(double from, double length);
  double Backward(double from, double length);
  double Speed(bool atLast) const;

  opencascade::handle<Adaptor> curve_;
  double first_;
  double last_;
  Pnt startPoint_;
  Vec startTangent_;
  Pnt endPoint_;
  Vec endTangent_;
  std::optional<double> totalLength_;
  std::optional<Solved> lastSolved_;
  std::optional<Evaluated> lastEvaluated_;
};

extern template class ExtendedCurve<Adaptor3d_Curve>;
extern template class ExtendedCurve<Adaptor2d_Curve2d>;

}  // namespace sledway::model
