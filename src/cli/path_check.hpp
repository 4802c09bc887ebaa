#pragma once

#include <Standard_Handle.hxx>
#include <Standard_Transient.hxx>
#include <optional>
#include <utility>
#include <vector>

#include "cli/model_curves.hpp"
#include "host/object.hpp"

namespace sledway {
class CPath;
}

namespace sledway::cli {

// The goals a run must reach at every move: the follow point within 1e-9 cm of the path, the
// tangent line within 1e-9 rad of the path's tangent, and the follow point where the move's
// fraction puts it along the path within 1e-9 of the path's length.
inline constexpr double kDistanceGoal = 1e-9;
inline constexpr double kMisalignmentGoal = 1e-9;
inline constexpr double kTravelGoal = 1e-9;

// Where a follow component stands relative to its path.
struct PathMeasurement {
  double distance = 0.0;               // model units (cm)
  std::optional<double> misalignment;  // radians, when the path aligns a tangent line
  // The distance along the path from its start to the follow point, less the fraction of the
  // path's length, relative to that length (its magnitude).
  double travelError = 0.0;
  double pathLength = 0.0;  // model units (cm), measured now
  // The path is longer or shorter now than the path definition measured it when it was picked
  // (beyond kTravelGoal relative): what the fraction means has moved.
  bool pathLengthChanged = false;
};

// Measures a path definition's follow point and tangent line against its path's curves, on the
// model host's own geometry of each entity (its OCCT curve, projected onto with Extrema, its
// lengths from GCPnts), independently of the path entities that moved the component.
class PathCheck {
 public:
  // Takes the curves of `path`'s chain in order with their directions, and the length the path
  // definition measured. Fails with a HostError when a curve is not of the model host.
  explicit PathCheck(CPath& path);

  // The distance of the follow point from the nearest curve; when `path` aligns a tangent line,
  // the angle between that line and the curve's tangent at the nearest point (as lines, 0 to
  // pi/2); and how far the follow point is along the path against `fraction` of its length,
  // where the host reports them now. A point that lies as near to more than one place of the
  // path (the two ends of a closed path) is taken at the place nearest to the fraction.
  PathMeasurement Measure(const CPath& path, double fraction) const;

 private:
  // One curve of the chain, with its arc length measured on the shape it was last seen with.
  struct Piece {
    Piece(ModelCurveSource curveSource, bool isReversed)
        : source(std::move(curveSource)), reversed(isReversed) {}

    ModelCurveSource source;
    bool reversed = false;
    mutable Handle(Standard_Transient) measuredShape;
    mutable double measuredLength = 0.0;
    // Where on the curve the follow point was found last, to search from next time.
    mutable std::optional<double> lastParameter;
  };

  std::vector<Piece> pieces_;
  double definitionLength_ = 0.0;
};

}  // namespace sledway::cli
