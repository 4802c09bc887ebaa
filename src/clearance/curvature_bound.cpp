#include "clearance/curvature_bound.hpp"

#include <Adaptor3d_CurveOnSurface.hxx>
#include <Geom2dConvert_BSplineCurveToBezierCurve.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_BezierCurve.hxx>
#include <GeomConvert_BSplineCurveToBezierCurve.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Geom_BezierCurve.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <gp_Vec.hxx>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace sledway::clearance {
namespace {

// Every bound is raised by this part of itself to cover rounding: the bounds are products and
// quotients of a few hundred sums of terms of like size (the control points are taken relative
// to the span's first), and a lower bound on the derivative's length is used only where it is
// at least a millionth of the derivative's control points, so rounding stays far below it.
constexpr double kRoundingMargin = 1e-8;
// A span is halved until its bound lies within this part of the curvature at its ends...
constexpr double kTightness = 0.01;
// ...or it has been halved this often.
constexpr int kMostHalvings = 8;
// An ellipse is bounded over pieces this long in its parameter (the angle of its construction).
constexpr double kEllipsePiece = std::numbers::pi / 8.0;

// A polynomial on [0, 1] by its coefficients in the Bernstein basis of its degree: its values
// lie between the least and the largest coefficient, and at 0 and 1 it equals the first and
// the last.
using Bernstein = std::vector<double>;
using Bernstein3 = std::array<Bernstein, 3>;
// Control points in homogeneous form: weight times point, then the weight.
using Net = std::vector<std::array<double, 4>>;

double Binomial(int n, int k) {
  double value = 1.0;
  for (int i = 1; i <= k; ++i) value = value * (n - k + i) / i;
  return value;
}

Bernstein Derivative(const Bernstein& p) {
  const int n = static_cast<int>(p.size()) - 1;
  if (n == 0) return {0.0};
  Bernstein d(n);
  for (int i = 0; i < n; ++i) d[i] = n * (p[i + 1] - p[i]);
  return d;
}

Bernstein Product(const Bernstein& a, const Bernstein& b) {
  const int m = static_cast<int>(a.size()) - 1;
  const int n = static_cast<int>(b.size()) - 1;
  Bernstein c(m + n + 1, 0.0);
  for (int i = 0; i <= m; ++i) {
    for (int j = 0; j <= n; ++j) c[i + j] += Binomial(m, i) * Binomial(n, j) * a[i] * b[j];
  }
  for (int k = 0; k <= m + n; ++k) c[k] /= Binomial(m + n, k);
  return c;
}

// a - factor b, both of one degree.
Bernstein Less(Bernstein a, const Bernstein& b, double factor = 1.0) {
  for (std::size_t i = 0; i < a.size(); ++i) a[i] -= factor * b[i];
  return a;
}

double Norm(const Bernstein3& v, std::size_t k) {
  return std::sqrt(v[0][k] * v[0][k] + v[1][k] * v[1][k] + v[2][k] * v[2][k]);
}

struct SpanBound {
  double curvature;  // over the whole span
  double atEnds;     // the curvature itself at its two ends, the larger
};

// With the curve C = X / W, C' = N1 / W^2 and C'' = N2 / W^3 for N1 = X'W - XW' and
// N2 = N1'W - 2 N1 W', so its curvature |C' x C''| / |C'|^3 is W |N1 x N2| / |N1|^3. Over the
// span W is at most its largest control weight, |N1 x N2| at most its largest coefficient's
// length, and |N1| at least its least coefficient along a direction they all point to. None
// when there is no such direction that shows N1 well away from zero.
std::optional<SpanBound> BoundSpan(const Net& net) {
  const std::size_t count = net.size();
  Bernstein3 x;
  Bernstein w(count);
  for (int c = 0; c < 3; ++c) x[c].resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    w[i] = net[i][3];
    for (int c = 0; c < 3; ++c) x[c][i] = net[i][c] - net[i][3] * net[0][c] / net[0][3];
  }
  const Bernstein wd = Derivative(w);
  Bernstein3 n1, n2, cross;
  for (int c = 0; c < 3; ++c) n1[c] = Less(Product(Derivative(x[c]), w), Product(x[c], wd));
  for (int c = 0; c < 3; ++c) n2[c] = Less(Product(Derivative(n1[c]), w), Product(n1[c], wd), 2);
  for (int c = 0; c < 3; ++c) {
    cross[c] =
        Less(Product(n1[(c + 1) % 3], n2[(c + 2) % 3]), Product(n1[(c + 2) % 3], n2[(c + 1) % 3]));
  }
  std::array<double, 3> direction{};
  double largest = 0.0;
  for (std::size_t k = 0; k < n1[0].size(); ++k) {
    for (int c = 0; c < 3; ++c) direction[c] += n1[c][k];
    largest = std::max(largest, Norm(n1, k));
  }
  const double length = std::hypot(direction[0], direction[1], direction[2]);
  if (!(length > 0.0)) return std::nullopt;
  double least = std::numeric_limits<double>::infinity();
  for (std::size_t k = 0; k < n1[0].size(); ++k) {
    double along = 0.0;
    for (int c = 0; c < 3; ++c) along += n1[c][k] * direction[c] / length;
    least = std::min(least, along);
  }
  if (!(least > 1e-6 * largest)) return std::nullopt;
  double mostCross = 0.0;
  for (std::size_t k = 0; k < cross[0].size(); ++k) mostCross = std::max(mostCross, Norm(cross, k));
  const double mostWeight = *std::max_element(w.begin(), w.end());
  const std::size_t last = n1[0].size() - 1;
  const std::size_t lastCross = cross[0].size() - 1;
  const double atStart = w.front() * Norm(cross, 0) / std::pow(Norm(n1, 0), 3);
  const double atEnd = w.back() * Norm(cross, lastCross) / std::pow(Norm(n1, last), 3);
  return SpanBound{mostWeight * mostCross / std::pow(least, 3) * (1.0 + kRoundingMargin),
                   std::max(atStart, atEnd)};
}

// The two halves of a span, by de Casteljau's construction in homogeneous form.
std::pair<Net, Net> Halves(Net net) {
  const std::size_t count = net.size();
  Net left(count), right(count);
  for (std::size_t level = 0; level < count; ++level) {
    left[level] = net.front();
    right[count - 1 - level] = net[count - 1 - level];
    for (std::size_t i = 0; i + 1 + level < count; ++i) {
      for (int c = 0; c < 4; ++c) net[i][c] = 0.5 * (net[i][c] + net[i + 1][c]);
    }
  }
  return {left, right};
}

bool BoundHalving(const Net& net, double first, double last, int halvings,
                  std::vector<CurvatureSpan>& spans) {
  const std::optional<SpanBound> bound = BoundSpan(net);
  if (bound &&
      (bound->curvature <= (1.0 + kTightness) * bound->atEnds || halvings == kMostHalvings)) {
    spans.push_back({first, last, bound->curvature});
    return true;
  }
  if (halvings == kMostHalvings) return false;
  const auto [left, right] = Halves(net);
  const double middle = 0.5 * (first + last);
  return BoundHalving(left, first, middle, halvings + 1, spans) &&
         BoundHalving(right, middle, last, halvings + 1, spans);
}

// A Bezier arc in its own parameter [0, 1], placed on [first, last] of the curve's.
struct Arc {
  Net net;
  double first;
  double last;
};

template <class Bezier>
Net NetOf(const Bezier& bezier) {
  Net net;
  for (int i = 1; i <= bezier.NbPoles(); ++i) {
    const double weight = bezier.Weight(i);
    const auto pole = bezier.Pole(i);
    std::array<double, 3> xyz{pole.X(), pole.Y(), 0.0};
    if constexpr (requires { pole.Z(); }) xyz[2] = pole.Z();
    net.push_back({weight * xyz[0], weight * xyz[1], weight * xyz[2], weight});
  }
  return net;
}

gp_Vec Cartesian(const std::array<double, 4>& pole) {
  return {pole[0] / pole[3], pole[1] / pole[3], pole[2] / pole[3]};
}

// Whether the tangent at the end of `before` is the one at the start of `after`, which begins
// where it ends: the end tangents of a Bezier arc lie along its first and last pole pairs. A
// derivative that vanishes there is left to the span bounds, which refuse it.
bool TangentContinues(const Net& before, const Net& after) {
  const gp_Vec in = Cartesian(before.back()) - Cartesian(before[before.size() - 2]);
  const gp_Vec out = Cartesian(after[1]) - Cartesian(after.front());
  const double lengths = in.Magnitude() * out.Magnitude();
  return lengths == 0.0 || (in.Dot(out) > 0.0 && in.Crossed(out).Magnitude() <= 1e-12 * lengths);
}

const char* const kNoDerivative =
    "its tangent is not defined everywhere (its derivative comes to zero)";

CurvatureBounds FromArcs(const std::vector<Arc>& arcs, double first, double last) {
  CurvatureBounds bounds;
  for (const Arc& arc : arcs) {
    if (arc.last <= first || arc.first >= last) continue;
    if (!BoundHalving(arc.net, arc.first, arc.last, 0, bounds.spans)) {
      return {{}, kNoDerivative};
    }
  }
  for (CurvatureSpan& span : bounds.spans) {
    span.first = std::max(span.first, first);
    span.last = std::min(span.last, last);
  }
  return bounds;
}

template <class Converter, class BSpline>
CurvatureBounds FromBSpline(opencascade::handle<BSpline> spline, double first, double last) {
  spline = opencascade::handle<BSpline>::DownCast(spline->Copy());
  if (spline->IsPeriodic()) spline->SetNotPeriodic();
  if (first < spline->FirstParameter() || last > spline->LastParameter()) {
    return {{}, "it is taken across the seam of a closed spline"};
  }
  Converter converter(spline);
  TColStd_Array1OfReal knots(1, converter.NbArcs() + 1);
  converter.Knots(knots);
  std::vector<Arc> arcs;
  for (int i = 1; i <= converter.NbArcs(); ++i) {
    arcs.push_back({NetOf(*converter.Arc(i)), knots(i), knots(i + 1)});
  }
  // Only where a knot's multiplicity reaches the degree may the tangent jump: the arcs on its
  // two sides must leave it along one direction (a circle of quarter arcs does).
  for (int i = 2; i < spline->NbKnots(); ++i) {
    const double knot = spline->Knot(i);
    if (knot <= first || knot >= last || spline->Multiplicity(i) < spline->Degree()) continue;
    const auto after = std::find_if(arcs.begin() + 1, arcs.end(),
                                    [&](const Arc& arc) { return arc.first >= knot; });
    if (after == arcs.end() || !TangentContinues(std::prev(after)->net, after->net)) {
      return {{}, "its tangent jumps at a knot inside it"};
    }
  }
  return FromArcs(arcs, first, last);
}

CurvatureBounds Constant(double first, double last, double curvature) {
  return {{{first, last, curvature * (1.0 + kRoundingMargin)}}, {}};
}

// Curvature a b / (a^2 sin^2 t + b^2 cos^2 t)^(3/2) at parameter t, largest where sin^2 t is
// least: at a multiple of pi within the piece, else at one of its ends.
CurvatureBounds Ellipse(double major, double minor, double first, double last) {
  CurvatureBounds bounds;
  double from = first;
  for (double piece = std::floor(first / kEllipsePiece) + 1.0; from < last; piece += 1.0) {
    const double to = std::min(last, piece * kEllipsePiece);
    if (!(to > from)) continue;
    const bool holdsVertex = std::floor(to / std::numbers::pi) * std::numbers::pi >= from;
    const double sine =
        holdsVertex ? 0.0 : std::min(std::abs(std::sin(from)), std::abs(std::sin(to)));
    const double squared = minor * minor + (major * major - minor * minor) * sine * sine;
    bounds.spans.push_back(
        {from, to, major * minor / std::pow(squared, 1.5) * (1.0 + kRoundingMargin)});
    from = to;
  }
  return bounds;
}

std::string NoBound(const char* kind) {
  return std::string("it is ") + kind + ", for which there is no bound on the turn of its tangent";
}

template <class Converter, class Adaptor>
CurvatureBounds Bound(const Adaptor& curve) {
  const double first = curve.FirstParameter();
  const double last = curve.LastParameter();
  switch (curve.GetType()) {
    case GeomAbs_Line:
      return {{{first, last, 0.0}}, {}};
    case GeomAbs_Circle:
      return Constant(first, last, 1.0 / curve.Circle().Radius());
    case GeomAbs_Ellipse:
      return Ellipse(curve.Ellipse().MajorRadius(), curve.Ellipse().MinorRadius(), first, last);
    case GeomAbs_BezierCurve:
      return FromArcs({{NetOf(*curve.Bezier()), 0.0, 1.0}}, first, last);
    case GeomAbs_BSplineCurve:
      return FromBSpline<Converter>(curve.BSpline(), first, last);
    case GeomAbs_Hyperbola:
      return {{}, NoBound("a hyperbola")};
    case GeomAbs_Parabola:
      return {{}, NoBound("a parabola")};
    case GeomAbs_OffsetCurve:
      return {{}, NoBound("an offset curve")};
    default:
      return {{}, NoBound("a curve of another kind")};
  }
}

// A straight trace on a cylinder of radius r, turning at a and rising at b, is a helix of
// curvature r a^2 / (r^2 a^2 + b^2) all along (a circle where b is 0, a line where a is 0).
std::optional<double> HelixCurvature(const Adaptor3d_CurveOnSurface& curve) {
  const Handle(Adaptor2d_Curve2d)& trace = curve.GetCurve();
  if (curve.GetSurface()->GetType() != GeomAbs_Cylinder) return std::nullopt;
  gp_Vec2d rate;
  if (trace->GetType() == GeomAbs_Line) {
    rate = gp_Vec2d(trace->Line().Direction());
  } else if (trace->GetType() == GeomAbs_BSplineCurve && trace->Degree() == 1 &&
             trace->NbPoles() == 2) {
    const Handle(Geom2d_BSplineCurve) spline = trace->BSpline();
    rate = gp_Vec2d(spline->Pole(1), spline->Pole(2));
  } else {
    return std::nullopt;
  }
  const double r = curve.GetSurface()->Cylinder().Radius();
  const double turning = r * rate.X() * rate.X();
  const double squared = r * turning + rate.Y() * rate.Y();
  if (!(squared > 0.0)) return std::nullopt;
  return turning / squared;
}

}  // namespace

CurvatureBounds BoundCurvature(const Adaptor3d_Curve& curve) {
  if (const auto* onSurface = dynamic_cast<const Adaptor3d_CurveOnSurface*>(&curve)) {
    if (const std::optional<double> helix = HelixCurvature(*onSurface)) {
      return Constant(curve.FirstParameter(), curve.LastParameter(), *helix);
    }
  }
  return Bound<GeomConvert_BSplineCurveToBezierCurve>(curve);
}

CurvatureBounds BoundCurvature(const Adaptor2d_Curve2d& curve) {
  return Bound<Geom2dConvert_BSplineCurveToBezierCurve>(curve);
}

}  // namespace sledway::clearance
