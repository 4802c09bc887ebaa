#pragma once

#include <BRepAdaptor_Curve.hxx>
#include <gp_Pnt.hxx>
#include <gp_Trsf.hxx>
#include <optional>

#include "clearance/face_surface.hpp"

namespace sledway::clearance {

// A piece of a face over which a point may move: the face itself (two surface parameters), one
// of its boundary edges (the edge's curve parameter) or a corner (none).
struct Cell {
  const FaceSurface* face = nullptr;
  const BRepAdaptor_Curve* edge = nullptr;
  gp_Pnt corner;
  // Where the solve starts: surface parameters, or the curve's in `x`.
  double x = 0.0;
  double y = 0.0;

  static Cell Face(const FaceSurface& face, double u, double v) {
    return {&face, nullptr, {}, u, v};
  }
  static Cell Edge(const BRepAdaptor_Curve& edge, double t) { return {nullptr, &edge, {}, t, 0.0}; }
  static Cell Corner(const gp_Pnt& corner) { return {nullptr, nullptr, corner, 0.0, 0.0}; }
};

// The nearest points of two cells found by a local solve, in the first cell's coordinates.
struct LocalNearest {
  double distance = 0.0;
  gp_Pnt onFirst;
  gp_Pnt onSecond;
};

// The nearest points of two cells near their starting points, by Newton's method on the squared
// distance over both cells' parameters; the second cell is placed in the first one's coordinates
// by `secondToFirst`. Only a local minimum within both cells is returned: none when the solve
// leaves a face or reaches an edge's end (the nearest points then lie on a smaller cell), does
// not settle, or ends on a saddle. `scale` is the parts' size, the measure of a negligible step.
std::optional<LocalNearest> LocalDistance(const Cell& first, const Cell& second,
                                          const gp_Trsf& secondToFirst, double scale);

}  // namespace sledway::clearance
