#include "motion/path_curve.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "host/host_error.hpp"
#include "host/part_entities.hpp"
#include "path/curve_evaluator_table.hpp"

namespace sledway::motion {
namespace {

// Ends this close (model units, 10 nm) make a loop: far below any gap a sketch would keep.
constexpr double kClosingTolerance = 1e-6;

// The entity's own evaluator when it is a curve of a 3D sketch or a part edge, whose points are
// in model space; null for a curve of a 2D sketch, which is read in its sketch's plane.
Ref<IVCurveEvaluator> OwnEvaluator(CPathEnt& entity) {
  if (entity.EntType() == 1) {
    return MakeSketchCurveEvaluator3d(entity.IVCurveType(), entity.IVCurve());
  }
  if (entity.EntType() == 2) {
    if (const auto edge = As<IVEdge>(entity.IVCurve())) return edge->GetEvaluator();
  }
  return nullptr;
}

// `where` names what was read ("distance", "parameter") at `value`; the text is built only when
// it is needed, since tangents are read many thousands of times in a frame's set-up.
gp_Dir Unit(double x, double y, double z, const char* where, double value) {
  const double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0.0) || !std::isfinite(length)) {
    throw HostError(hresult::kInvalidArg, std::string("the path has no tangent at ") + where +
                                              " " + std::to_string(value));
  }
  return {x / length, y / length, z / length};
}

}  // namespace

PathCurve::PathCurve(CPath& path) : length_(path.Length()) {
  for (const Ref<CPathEnt>& entity : *path.PathEnts()) {
    entities_.push_back(entity);
    spans_.push_back({entity->CurveLengthAtStart(), entity->CurveLengthAtEnd()});
    evaluators_.push_back(OwnEvaluator(*entity));
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
  return Unit(tangent->X(), tangent->Y(), tangent->Z(), "distance", distance);
}

std::optional<PathCurve::Parameters> PathCurve::ParametersOf(std::size_t entity) const {
  if (!evaluators_[entity]) return std::nullopt;
  double first = 0.0, last = 0.0;
  evaluators_[entity]->GetParamRange(first, last);
  if (entities_[entity]->Reversed()) return Parameters{last, first};
  return Parameters{first, last};
}

gp_Pnt PathCurve::PointAtParam(std::size_t entity, double param) const {
  const std::array<double, 1> params{param};
  std::array<double, 3> point{};
  evaluators_[entity]->GetPointAtParam(params, point);
  return {point[0], point[1], point[2]};
}

gp_Dir PathCurve::TangentAtParam(std::size_t entity, double param) const {
  const std::array<double, 1> params{param};
  std::array<double, 3> t{};
  evaluators_[entity]->GetTangent(params, t);
  const double sense = entities_[entity]->Reversed() ? -1.0 : 1.0;
  return Unit(sense * t[0], sense * t[1], sense * t[2], "parameter", param);
}

double PathCurve::LengthBetween(std::size_t entity, double from, double to) const {
  double length = 0.0;
  evaluators_[entity]->GetLengthBetweenParams(std::min(from, to), std::max(from, to), length);
  return length;
}

bool PathCurve::IsClosed() const {
  return PointAt(0.0).Distance(PointAt(length_)) <= kClosingTolerance;
}

}  // namespace sledway::motion
