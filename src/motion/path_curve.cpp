#include "motion/path_curve.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "host/host_error.hpp"

namespace sledway::motion {
namespace {

// Ends this close (model units, 10 nm) make a loop: far below any gap a sketch would keep.
constexpr double kClosingTolerance = 1e-6;

}  // namespace

PathCurve::PathCurve(CPath& path) : length_(path.Length()) {
  for (const Ref<CPathEnt>& entity : *path.PathEnts()) {
    entities_.push_back(entity);
    spans_.push_back({entity->CurveLengthAtStart(), entity->CurveLengthAtEnd()});
  }
  if (entities_.empty()) throw HostError(hresult::kPointer, "the path has no entities");
}

const Ref<CPathEnt>& PathCurve::EntityAt(double distance) const {
  // The first entity ending at or beyond the distance, as the follow motion picks it.
  const auto found = std::lower_bound(spans_.begin(), spans_.end(), distance,
                                      [](const Span& span, double d) { return span.end < d; });
  if (found == spans_.end()) return entities_.back();
  return entities_[static_cast<std::size_t>(found - spans_.begin())];
}

gp_Pnt PathCurve::PointAt(double distance) const {
  const Ref<IVPoint> point = EntityAt(distance)->PartPathPoint(distance);
  return {point->X(), point->Y(), point->Z()};
}

gp_Dir PathCurve::TangentAt(double distance) const {
  const Ref<IVVector> tangent = EntityAt(distance)->TangentVectorAtPoint(distance);
  const double x = tangent->X(), y = tangent->Y(), z = tangent->Z();
  const double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0.0) || !std::isfinite(length)) {
    throw HostError(hresult::kInvalidArg,
                    "the path has no tangent at distance " + std::to_string(distance));
  }
  return {x / length, y / length, z / length};
}

bool PathCurve::IsClosed() const {
  return PointAt(0.0).Distance(PointAt(length_)) <= kClosingTolerance;
}

}  // namespace sledway::motion
