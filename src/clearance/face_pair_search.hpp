#pragma once

#include <gp_Trsf.hxx>
#include <map>
#include <utility>

#include "clearance/part_hierarchy.hpp"

namespace sledway::clearance {

// The mesh distance of each pair of faces (a face of the fixed part, a face of the moving one)
// that may hold the two parts' least distance: every pair whose mesh distance is within
// `margin` of the least mesh distance found. The moving part is placed in the fixed part's
// coordinates by `movingToFixed`; the hierarchies stay as built.
// The mesh distance of a face pair, and the two triangles (of the fixed part, of the moving one)
// that are that near.
struct MeshNearest {
  double distance = 0.0;
  int fixedTriangle = 0;
  int movingTriangle = 0;
};

struct FacePairs {
  double least = 0.0;                                       // the least mesh distance
  std::map<std::pair<int, int>, MeshNearest> withinMargin;  // by face numbers
};

FacePairs NearFacePairs(const PartHierarchy& fixed, const PartHierarchy& moving,
                        const gp_Trsf& movingToFixed, double margin);

}  // namespace sledway::clearance
