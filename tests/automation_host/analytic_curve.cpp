#include "analytic_curve.hpp"

#include <cmath>
#include <numbers>

namespace sledway::automation_host {

AnalyticCurve AnalyticCurve::Line(const Vec3& start, const Vec3& end) {
  AnalyticCurve curve;
  curve.kind = Kind::kLine;
  curve.start = start;
  curve.end = end;
  return curve;
}

AnalyticCurve AnalyticCurve::Arc(const Vec3& centre, double radius, double from, double to,
                                 const Vec3& xAxis, const Vec3& yAxis) {
  AnalyticCurve curve = Helix(centre, radius, 0.0, from, to, xAxis, yAxis);
  curve.kind = Kind::kArc;
  return curve;
}

AnalyticCurve AnalyticCurve::Helix(const Vec3& centre, double radius, double pitch, double from,
                                   double to, const Vec3& xAxis, const Vec3& yAxis) {
  AnalyticCurve curve;
  curve.kind = Kind::kHelix;
  curve.centre = centre;
  curve.radius = radius;
  curve.pitch = pitch;
  curve.first = from;
  curve.last = to;
  curve.xAxis = xAxis;
  curve.yAxis = yAxis;
  return curve;
}

double AnalyticCurve::Speed() const {
  if (kind == Kind::kLine) return Norm(end - start);
  return std::hypot(radius, pitch / (2.0 * std::numbers::pi));
}

Vec3 AnalyticCurve::PointAt(double t) const {
  if (t < first) return OnCurve(first) + (t - first) * DerivativeOnCurve(first);
  if (t > last) return OnCurve(last) + (t - last) * DerivativeOnCurve(last);
  return OnCurve(t);
}

Vec3 AnalyticCurve::TangentAt(double t) const {
  if (t < first) return DerivativeOnCurve(first);
  if (t > last) return DerivativeOnCurve(last);
  return DerivativeOnCurve(t);
}

Vec3 AnalyticCurve::OnCurve(double t) const {
  if (kind == Kind::kLine) return start + t * (end - start);
  const Vec3 axis = Cross(xAxis, yAxis);
  return centre + (radius * std::cos(t)) * xAxis + (radius * std::sin(t)) * yAxis +
         (pitch * t / (2.0 * std::numbers::pi)) * axis;
}

Vec3 AnalyticCurve::DerivativeOnCurve(double t) const {
  if (kind == Kind::kLine) return end - start;
  const Vec3 axis = Cross(xAxis, yAxis);
  return (-radius * std::sin(t)) * xAxis + (radius * std::cos(t)) * yAxis +
         (pitch / (2.0 * std::numbers::pi)) * axis;
}

}  // namespace sledway::automation_host
