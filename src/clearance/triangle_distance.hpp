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
// The same for two triangles known not to cross (one lies wholly off the other's plane).
double SeparatedTriangleSquareDistance(const Triangle& first, const Triangle& second);

// The nearest points of two triangles, one on each: where they touch or cross, one point of the
// crossing on both.
struct NearestPoints {
  double squared = 0.0;
  BVH_Vec3d onFirst, onSecond;
};
NearestPoints TriangleNearestPoints(const Triangle& first, const Triangle& second);

// The weights of a point of a triangle's plane on its three corners (summing to 1): the corners'
// surface parameters, so weighted, give the point's own. Equal weights for a triangle of no area.
BVH_Vec3d BarycentricWeights(const Triangle& triangle, const BVH_Vec3d& point);

// A triangle with what the mesh walk asks of it again and again: its box and its plane.
struct Facet {
  Triangle corners;
  BVH_Vec3d min, max;
  BVH_Vec3d centre;
  BVH_Vec3d normal;     // of unit length, or zero for a triangle of no area
  double offset = 0.0;  // the plane's: normal · corner
};
Facet MakeFacet(const Triangle& triangle);

// A lower bound of the squared distance between two facets, cheap beside the distance itself:
// how far each lies beyond the other's plane (tight for the far flat triangles that boxes of
// slanted slivers cannot set apart), and how far apart they lie along the line through their
// centres.
double FacetSquareDistanceBound(const Facet& first, const Facet& second);

}  // namespace sledway::clearance
