#pragma once

#include <gp_Pnt.hxx>
#include <gp_Trsf.hxx>
#include <optional>

#include "clearance/part_hierarchy.hpp"

namespace sledway::clearance {

// How close two placed parts come, on their exact surfaces, in assembly coordinates.
struct PairClearance {
  double distance = 0.0;  // 0 when the solids overlap
  gp_Pnt onMoving;
  gp_Pnt onOther;
  // One solid lies inside the other with no surface touching: the distance between the
  // surfaces is no clearance, so `distance` is 0 and the two points are one point of the
  // enclosed part.
  bool enclosed = false;
  // A lower bound of the true distance that holds whatever the solves did: the least mesh
  // distance less both parts' deflections (never above `distance`).
  double bound = 0.0;
  // Whether the refined value could not be shown to lie within both deflections of the bound
  // (or to fall on the same side of the contact tolerance as it), so that the face pairs that
  // could hold the minimum were measured exactly instead.
  bool measuredExactly = false;
};

// The least distance between the moving part and the other, or none when their boxes are
// farther apart than `beyond` (nothing nearer than that can be found there). The mesh picks the
// face pairs; every pair whose mesh distance is within the meshes' deflections of the least
// is measured exactly, so a nearer pair the mesh ranked lower is never missed. The value is
// certified against the mesh's bound: one that lies above the bound by more than both
// deflections, or above `tolerance` while the bound is not, is not reported; the pairs are then
// measured by BRepExtrema_DistShapeShape.
std::optional<PairClearance> MeasurePair(const PartHierarchy& moving, const gp_Trsf& movingPlace,
                                         const PartHierarchy& other, const gp_Trsf& otherPlace,
                                         double beyond, double tolerance);

}  // namespace sledway::clearance
