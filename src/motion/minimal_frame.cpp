#include "motion/minimal_frame.hpp"

#include <algorithm>
#include <cmath>
#include <gp.hxx>
#include <gp_Ax1.hxx>
#include <gp_Vec.hxx>

#include "host/host_error.hpp"

namespace sledway::motion {
namespace {

// Every entity is first cut into this many pieces of equal length, so that a turn and back
// within one piece is not taken for a straight piece.
constexpr int kFirstPieces = 8;
// Halving stops here (2^-30 of a piece) even where the tangent jumps.
constexpr int kMaxDepth = 30;

// The normal carried from (x0, t0) to (x1, t1): reflected in the plane bisecting x0 x1, then in
// the plane that takes the reflected tangent onto t1.
gp_Vec DoubleReflection(const gp_Pnt& x0, const gp_Dir& t0, const gp_Vec& r0, const gp_Pnt& x1,
                        const gp_Dir& t1) {
  gp_Vec r = r0;
  gp_Vec t(t0);
  const gp_Vec v1(x0, x1);
  const double c1 = v1.SquareMagnitude();
  if (c1 > 0.0) {
    r -= v1 * (2.0 / c1 * v1.Dot(r));
    t -= v1 * (2.0 / c1 * v1.Dot(t));
  }
  const gp_Vec v2 = gp_Vec(t1) - t;
  const double c2 = v2.SquareMagnitude();
  if (c2 > 0.0) r -= v2 * (2.0 / c2 * v2.Dot(r));
  // Perpendicular to t1 up to rounding; made exactly so, the frame stays orthonormal.
  r -= gp_Vec(t1) * gp_Vec(t1).Dot(r);
  return r;
}

gp_Mat Columns(const gp_Dir& t, const gp_Dir& n) {
  const gp_Dir b = t.Crossed(n);
  return gp_Mat(t.XYZ(), n.XYZ(), b.XYZ());
}

}  // namespace

MinimalFrame::MinimalFrame(const PathCurve& curve, const gp_Dir& startNormal) : curve_(curve) {
  const gp_Dir t0 = curve.TangentAt(0.0);
  const gp_Vec n0 = gp_Vec(startNormal) - gp_Vec(t0) * gp_Vec(t0).Dot(gp_Vec(startNormal));
  if (n0.Magnitude() < 1e-9) {
    throw HostError(hresult::kInvalidArg, "the frame's start normal lies along the tangent");
  }
  samples_.push_back({0.0, curve.PointAt(0.0), t0, gp_Dir(n0)});
  const auto tangentAt = [this](double distance) { return curve_.TangentAt(distance); };
  const auto sampleAt = [this](double, double to, const gp_Dir& tangent) {
    return Sample{to, curve_.PointAt(to), tangent, gp::DZ()};
  };
  for (std::size_t index = 0; index < curve.Spans().size(); ++index) {
    if (const std::optional<PathCurve::Parameters> params = curve.ParametersOf(index)) {
      SampleByParameter(index, *params);
      continue;
    }
    const PathCurve::Span& span = curve.Spans()[index];
    const double piece = (span.end - span.start) / kFirstPieces;
    for (int i = 0; i < kFirstPieces; ++i) {
      const double from = span.start + i * piece;
      const double to = i + 1 == kFirstPieces ? span.end : from + piece;
      // The tangent at a piece's start is the one of its own entity, even at a corner.
      const gp_Dir tangentFrom = curve.TangentAt(std::nextafter(from, to));
      if (i == 0) TurnAtCorner(tangentFrom);
      Subdivide(from, to, tangentFrom, curve.TangentAt(to), 0, tangentAt, sampleAt);
    }
  }
}

void MinimalFrame::SampleByParameter(std::size_t index, const PathCurve::Parameters& params) {
  const PathCurve::Span& span = curve_.Spans()[index];
  const auto tangentAt = [&](double param) { return curve_.TangentAtParam(index, param); };
  // Each piece's length measured on its own: the samples' distances add up piece by piece, and
  // the entity's last sample stands where the entity ends along the path.
  const auto sampleAt = [&](double from, double to, const gp_Dir& tangent) {
    const double distance = to == params.end
                                ? span.end
                                : samples_.back().distance + curve_.LengthBetween(index, from, to);
    return Sample{distance, curve_.PointAtParam(index, to), tangent, gp::DZ()};
  };
  const double piece = (params.end - params.start) / kFirstPieces;
  for (int i = 0; i < kFirstPieces; ++i) {
    const double from = params.start + i * piece;
    const double to = i + 1 == kFirstPieces ? params.end : from + piece;
    const gp_Dir tangentFrom = tangentAt(from);
    if (i == 0) TurnAtCorner(tangentFrom);
    Subdivide(from, to, tangentFrom, tangentAt(to), 0, tangentAt, sampleAt);
  }
}

void MinimalFrame::TurnAtCorner(const gp_Dir& tangentAfter) {
  const Sample last = samples_.back();
  const gp_Vec axis = gp_Vec(last.tangent).Crossed(gp_Vec(tangentAfter));
  if (axis.Magnitude() <= 1e-15) return;
  // Where the tangent jumps, the least turn that takes it across carries the normal too.
  gp_Dir normal = last.normal;
  normal.Rotate(gp_Ax1(gp::Origin(), gp_Dir(axis)), last.tangent.Angle(tangentAfter));
  samples_.push_back({last.distance, last.point, tangentAfter, normal});
}

template <class TangentAt, class SampleAt>
void MinimalFrame::Subdivide(double from, double to, const gp_Dir& tangentFrom,
                             const gp_Dir& tangentTo, int depth, const TangentAt& tangentAt,
                             const SampleAt& sampleAt) {
  const double middle = 0.5 * (from + to);
  if (depth < kMaxDepth) {
    const gp_Dir tangentMiddle = tangentAt(middle);
    if (tangentFrom.Angle(tangentMiddle) + tangentMiddle.Angle(tangentTo) > kMaxTurnPerPiece) {
      Subdivide(from, middle, tangentFrom, tangentMiddle, depth + 1, tangentAt, sampleAt);
      Subdivide(middle, to, tangentMiddle, tangentTo, depth + 1, tangentAt, sampleAt);
      return;
    }
  }
  Sample sample = sampleAt(from, to, tangentTo);
  const Sample& last = samples_.back();
  sample.normal = gp_Dir(
      DoubleReflection(last.point, last.tangent, gp_Vec(last.normal), sample.point, tangentTo));
  samples_.push_back(sample);
}

gp_Mat MinimalFrame::FrameAt(double distance) const {
  // The last sample at or before the distance (the first one for a distance before the path).
  const auto after = std::upper_bound(samples_.begin(), samples_.end(), distance,
                                      [](double d, const Sample& s) { return d < s.distance; });
  const Sample& from = after == samples_.begin() ? samples_.front() : *(after - 1);
  const gp_Dir tangent = curve_.TangentAt(distance);
  const gp_Vec normal = DoubleReflection(from.point, from.tangent, gp_Vec(from.normal),
                                         curve_.PointAt(distance), tangent);
  return Columns(tangent, gp_Dir(normal));
}

double MinimalFrame::Holonomy() const {
  const Sample& first = samples_.front();
  const Sample& last = samples_.back();
  // Where the loop closes at an angle, the normal comes back across the corner's least turn.
  gp_Vec normal(last.normal);
  const gp_Vec axis = gp_Vec(last.tangent).Crossed(gp_Vec(first.tangent));
  if (axis.Magnitude() > 1e-15) {
    normal.Rotate(gp_Ax1(gp::Origin(), gp_Dir(axis)), last.tangent.Angle(first.tangent));
  }
  const gp_Vec start(first.normal);
  return std::atan2(start.Crossed(normal).Dot(gp_Vec(first.tangent)), start.Dot(normal));
}

}  // namespace sledway::motion
