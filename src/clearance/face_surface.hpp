#pragma once

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepTopAdaptor_FClass2d.hxx>
#include <ShapeAnalysis_Surface.hxx>
#include <Bnd_Box.hxx>
#include <TopoDS_Face.hxx>
#include <gp_Pnt2d.hxx>
#include <memory>
#include <optional>
#include <vector>

namespace sledway::clearance {

// An edge bounding a face, with points along it to start a local solve from.
struct BoundaryEdge {
  BRepAdaptor_Curve curve;
  std::vector<double> parameters;
  std::vector<gp_Pnt> points;
  // Whether the edge closes on itself, so that it has no ends.
  bool closed = false;
  Bnd_Box box;
};

// A face's exact surface, for the local distance solves that refine the mesh's nearest points,
// and the test of whether a point of its surface lies on the face.
class FaceSurface {
 public:
  explicit FaceSurface(const TopoDS_Face& face);

  // The surface in the coordinates of the part the face belongs to, bounded by the face's
  // parameter box.
  const BRepAdaptor_Surface& Surface() const { return surface_; }
  // A box holding the face, from its exact geometry.
  const Bnd_Box& Box() const { return box_; }
  // A plane bounded by straight edges only: its triangles cover it exactly, so their nearest
  // points are its own.
  bool IsPolygonalPlane() const { return polygonalPlane_; }
  // Whether the surface's point at `uv` lies on the face, inside or on its boundary.
  bool Contains(const gp_Pnt2d& uv) const;
  // The edges bounding the face, each once, without the seams along which a closed surface
  // joins itself (no boundary: the face goes on across them).
  const std::vector<BoundaryEdge>& Boundary() const;
  // The points where the face's surface closes to a point (a sphere's or a cone's poles): there
  // the surface parameters have no speed, so a solve over the face cannot settle on them, and
  // they are measured as corners instead.
  const std::vector<gp_Pnt>& Poles() const;
  // Surface parameters of the face's point nearest `point` (a point on or near the face), kept
  // off the poles so that a solve started there can move along both parameters.
  gp_Pnt2d ParametersNear(const gp_Pnt& point) const;

 private:
  TopoDS_Face face_;
  BRepAdaptor_Surface surface_;
  Bnd_Box box_;
  bool polygonalPlane_ = false;
  // Made on the first test: most faces are never refined.
  mutable std::unique_ptr<BRepTopAdaptor_FClass2d> classifier_;
  mutable std::optional<std::vector<BoundaryEdge>> boundary_;
  std::vector<gp_Pnt> poles_;
  mutable std::unique_ptr<ShapeAnalysis_Surface> projection_;
};

}  // namespace sledway::clearance
