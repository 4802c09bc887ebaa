#pragma once

#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <vector>

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
  // In the direction of the path; fails with HostError kInvalidArg where the path has none.
  gp_Dir TangentAt(double distance) const;
  // The path ends where it begins.
  bool IsClosed() const;

 private:
  const Ref<CPathEnt>& EntityAt(double distance) const;

  std::vector<Ref<CPathEnt>> entities_;
  std::vector<Span> spans_;
  double length_;
};

}  // namespace sledway::motion
