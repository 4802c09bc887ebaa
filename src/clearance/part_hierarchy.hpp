#pragma once

#include <BRepExtrema_TriangleSet.hxx>
#include <Bnd_Box.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <cstddef>
#include <vector>

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
  Bnd_Box box_;
  double deflection_ = 0.0;
  double size_ = 0.0;
  bool solid_ = false;
};

}  // namespace sledway::clearance
