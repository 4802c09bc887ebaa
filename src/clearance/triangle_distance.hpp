#pragma once

#include <BVH_Types.hxx>

namespace sledway::clearance {

// The three corners of a triangle.
struct Triangle {
  BVH_Vec3d a, b, c;
};

// The squared distance between two triangles: 0 when they touch or cross. Apart, the nearest
// points lie on a corner of one and the face of the other, or on an edge of each, so those are
// the only pairs measured.
double TriangleSquareDistance(const Triangle& first, const Triangle& second);

}  // namespace sledway::clearance
