#pragma once

#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <optional>
#include <vector>

#include "host/curve_evaluator.hpp"
#include "host/object.hpp"
#include "path/path_definition.hpp"

namespace sledway::motion {

// A picked path as one curve in arc length: its points and unit tangents at distances along
// it (model units), read through the path's entities as the follow motion reads them.
class PathCurve {
 public:
  // The path must have been measured (CPath::Length) with at least one entity.
  explicit PathCurve(CPath& path);

  double Length() const { return length_; }
  // Where each entity begins and ends along the path, in chain order.
  struct Span {
    double start;
    double end;
  };
  const std::vector<Span>& Spans() const { return spans_; }

  gp_Pnt PointAt(double distance) const;

  // A curve of a 3D sketch or a part edge can also be read by its own parameter, from `start`
  // to `end` in the direction of travel (`end` is below `start` where the path runs against the
  // curve): far quicker to sample than by distance, which measures the curve from its start.
  struct Parameters {
    double start;
    double end;
  };
  std::optional<Parameters> ParametersOf(std::size_t entity) const;
  gp_Pnt PointAtParam(std::size_t entity, double param) const;
  // In the direction of travel.
  gp_Dir TangentAtParam(std::size_t entity, double param) const;
  // The arc length between two parameters of the entity, 0 or more.
  double LengthBetween(std::size_t entity, double from, double to) const;
  // In the direction of the path; fails with HostError kInvalidArg where the path has none.
  gp_Dir TangentAt(double distance) const;
  // The path ends where it begins.
  bool IsClosed() const;

 private:
  const Ref<CPathEnt>& EntityAt(double distance) const;

  std::vector<Ref<CPathEnt>> entities_;
  std::vector<Ref<IVCurveEvaluator>> evaluators_;  // null for a curve of a 2D sketch
  std::vector<Span> spans_;
  double length_;
};

}  // namespace sledway::motion
