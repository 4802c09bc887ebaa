#include "clearance/part_hierarchy.hpp"

#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cmath>

namespace sledway::clearance {
namespace {

// The mesh is a filter for the exact distance, so it need not be fine: a coarser one only
// sends more face pairs to the exact refinement.
constexpr double kRelativeDeflection = 2e-3;
constexpr double kAngularDeflection = 0.35;  // radians

}  // namespace

PartHierarchy::PartHierarchy(const TopoDS_Shape& body) : body_(body) {
  BRepBndLib::Add(body_, box_);
  if (box_.IsVoid()) return;
  size_ = std::sqrt(box_.SquareExtent());
  solid_ = TopExp_Explorer(body_, TopAbs_SOLID).More();
  BRepMesh_IncrementalMesh mesh(body_, kRelativeDeflection * size_, false, kAngularDeflection);
  for (TopExp_Explorer explorer(body_, TopAbs_FACE); explorer.More(); explorer.Next()) {
    const TopoDS_Face& face = TopoDS::Face(explorer.Current());
    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(face, location);
    if (triangulation.IsNull()) continue;
    deflection_ = std::max(deflection_, triangulation->Deflection());
    faceDeflections_.push_back(triangulation->Deflection());
    faces_.Append(face);
  }
  if (faces_.IsEmpty()) return;
  triangles_ = new BRepExtrema_TriangleSet(faces_);
  triangles_->BVH();  // built now, so that no query pays for it
}

std::size_t PartHierarchy::TriangleCount() const {
  return triangles_.IsNull() ? 0 : static_cast<std::size_t>(triangles_->Size());
}

}  // namespace sledway::clearance
