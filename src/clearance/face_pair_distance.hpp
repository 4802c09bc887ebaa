#pragma once

#include <gp_Trsf.hxx>
#include <optional>

#include "clearance/face_pair_search.hpp"
#include "clearance/local_distance.hpp"
#include "clearance/part_hierarchy.hpp"

namespace sledway::clearance {

// The exact least distance between a face of the fixed part and one of the moving part, placed
// in the fixed part's coordinates by `movingToFixed`, with its nearest points there. `mesh` is
// the pair's mesh distance and nearest triangles, which seed the exact step: two polygonal
// planes take the triangles' own nearest points; other faces local solves started from the
// surface parameters under the triangles' nearest points, over both faces and over the edges
// and corners that come near the other face, the least of them trusted only when no farther
// than the mesh allows. Where none is, the two whole faces' distance by BRepExtrema; none when
// that fails too.
std::optional<LocalNearest> FacePairDistance(const PartHierarchy& fixed, int fixedFace,
                                             const PartHierarchy& moving, int movingFace,
                                             const MeshNearest& mesh, const gp_Trsf& movingToFixed);

}  // namespace sledway::clearance
