#pragma once

#include <BRepExtrema_TriangleSet.hxx>
#include <Bnd_Box.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "clearance/face_surface.hpp"
#include "clearance/triangle_distance.hpp"

namespace sledway::clearance {

// A part's surface as triangles in a bounding volume hierarchy, in the part's own coordinates.
// Built once per body: a component's placement is applied to queries, never to the triangles.
class PartHierarchy {
 public:
  // Meshes `body` where it has no triangulation as fine as the part's size asks (the mesh is
  // kept on the body, as a view's would be) and builds the hierarchy over every face.
  explicit PartHierarchy(const TopoDS_Shape& body);

  const TopoDS_Shape& Body() const { return body_; }
  // Null when the body has no face to mesh.
  const Handle(BRepExtrema_TriangleSet) & Triangles() const { return triangles_; }
  // The face of a triangle's face number.
  const TopoDS_Face& Face(int faceId) const { return faces_.Value(faceId); }
  // The exact surface of a face number, made on first use and kept.
  const FaceSurface& Surface(int faceId) const;
  // The surface parameters of a triangle's three corners, in the order of its vertices; none
  // when the face's mesh carries no parameters.
  std::optional<std::array<gp_Pnt2d, 3>> CornerParameters(int triangle) const;
  // Each triangle's corners, box and plane, numbered as the triangle set numbers them.
  const Facet& TriangleFacet(int triangle) const {
    return facets_[static_cast<std::size_t>(triangle)];
  }
  // The face number every triangle under a node of the hierarchy lies on, or -1 when they lie
  // on more than one face.
  int NodeFace(int node) const { return nodeFaces_[static_cast<std::size_t>(node)]; }
  // How far the triangles may stray from the exact surface: anywhere, and on one face.
  double Deflection() const { return deflection_; }
  double FaceDeflection(int faceId) const { return faceDeflections_[faceId]; }
  // The part's bounding box and its diagonal.
  const Bnd_Box& Box() const { return box_; }
  double Size() const { return size_; }
  // Whether the body encloses a volume, so that a point can be inside it.
  bool IsSolid() const { return solid_; }
  std::size_t TriangleCount() const;

 private:
  TopoDS_Shape body_;
  BRepExtrema_ShapeList faces_;
  std::vector<double> faceDeflections_;
  Handle(BRepExtrema_TriangleSet) triangles_;
  // Each mesh node's surface parameters, numbered as the triangle set numbers its vertices;
  // empty when a face's mesh has none.
  std::vector<gp_Pnt2d> nodeParameters_;
  std::vector<Facet> facets_;
  std::vector<int> nodeFaces_;
  mutable std::vector<std::unique_ptr<FaceSurface>> surfaces_;
  Bnd_Box box_;
  double deflection_ = 0.0;
  double size_ = 0.0;
  bool solid_ = false;
};

}  // namespace sledway::clearance
