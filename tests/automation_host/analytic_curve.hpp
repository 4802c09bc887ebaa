#pragma once

// The curves of the test scene in closed form: a line segment, a circular arc, a helix
// segment. Each has constant speed, so arc length is linear in the parameter; beyond either
// end the curve continues straight along its end tangent at the same speed.

#include "affine.hpp"

namespace sledway::automation_host {

struct AnalyticCurve {
  enum class Kind { kLine, kArc, kHelix };

  Kind kind = Kind::kLine;
  // Line: start + t (end - start), t in [0, 1].
  Vec3 start;
  Vec3 end;
  // Arc and helix: centre + r (cos t xAxis + sin t yAxis) + pitch t / (2 pi) (xAxis x yAxis),
  // t in [first, last] (radians); xAxis and yAxis are perpendicular unit vectors.
  Vec3 centre;
  Vec3 xAxis{1, 0, 0};
  Vec3 yAxis{0, 1, 0};
  double radius = 0.0;
  double pitch = 0.0;
  double first = 0.0;
  double last = 1.0;

  static AnalyticCurve Line(const Vec3& start, const Vec3& end);
  static AnalyticCurve Arc(const Vec3& centre, double radius, double from, double to,
                           const Vec3& xAxis = {1, 0, 0}, const Vec3& yAxis = {0, 1, 0});
  static AnalyticCurve Helix(const Vec3& centre, double radius, double pitch, double from,
                             double to, const Vec3& xAxis = {1, 0, 0},
                             const Vec3& yAxis = {0, 1, 0});

  double Speed() const;
  double Length() const { return Speed() * (last - first); }
  Vec3 PointAt(double t) const;
  // The first derivative with respect to the parameter.
  Vec3 TangentAt(double t) const;

 private:
  Vec3 OnCurve(double t) const;
  Vec3 DerivativeOnCurve(double t) const;
};

}  // namespace sledway::automation_host
