#pragma once

#include <optional>
#include <vector>

#include "host/object.hpp"

namespace sledway {
class CPath;
}

namespace sledway::cli {

// The goals a run must reach at every move: the follow point within 1e-9 cm of the path, the
// tangent line within 1e-9 rad of the path's tangent.
inline constexpr double kDistanceGoal = 1e-9;
inline constexpr double kMisalignmentGoal = 1e-9;

// Where a follow component stands relative to its path.
struct PathMeasurement {
  double distance = 0.0;               // model units (cm)
  std::optional<double> misalignment;  // radians, when the path aligns a tangent line
};

// Measures a path definition's follow point and tangent line against the picked path curves,
// on the model host's own geometry of each picked entity (its OCCT curve, projected onto with
// Extrema), independently of the path entities that moved the component.
class PathCheck {
 public:
  // `pathEntities`: what the path pick selected (sketch curves or edges of the model host).
  // Fails with a HostError when an entity is not of the model host.
  explicit PathCheck(std::vector<Ref<IVObject>> pathEntities);

  // The distance of the follow point from the nearest curve and, when `path` aligns a tangent
  // line, the angle between that line and the curve's tangent at the nearest point (as lines,
  // 0 to pi/2), where the host reports them now.
  PathMeasurement Measure(const CPath& path) const;

 private:
  std::vector<Ref<IVObject>> pathEntities_;
};

}  // namespace sledway::cli
