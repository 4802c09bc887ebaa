#pragma once

#include <gp_Trsf.hxx>
#include <optional>

#include "clearance/face_pair_search.hpp"
#include "clearance/local_distance.hpp"
#include "clearance/part_hierarchy.hpp"

namespace sledway::clearance {

// The exact least distance between a face of the fixed part and one of the moving part, placed
// in the fixed part's coordinates by `movingToFixed`, with its nearest points there. `mesh` is
// the pair's mesh distance and nearest triangles, which seed the exact solve: two polygonal
// planes take the triangles' own nearest points; other faces a local solve from the surface
// parameters under the triangles' nearest points, trusted only on both faces and no farther
// than the mesh allows; where it is not, the faces' whole-face distance. None when that fails.
std::optional<LocalNearest> FacePairDistance(const PartHierarchy& fixed, int fixedFace,
                                             const PartHierarchy& moving, int movingFace,
                                             const MeshNearest& mesh, const gp_Trsf& movingToFixed);

}  // namespace sledway::clearance
