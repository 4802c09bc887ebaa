#include "clearance/face_surface.hpp"

#include <BRepAdaptor_Curve.hxx>
#include <BRepBndLib.hxx>
#include <BRep_Tool.hxx>
#include <Precision.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <utility>

namespace sledway::clearance {
namespace {

// Points taken along an edge: only a start for the local solve, which finds the exact point.
constexpr int kEdgeSamples = 16;

bool AllEdgesStraight(const TopoDS_Face& face) {
  for (TopExp_Explorer explorer(face, TopAbs_EDGE); explorer.More(); explorer.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(explorer.Current());
    if (BRep_Tool::Degenerated(edge)) continue;
    if (BRepAdaptor_Curve(edge).GetType() != GeomAbs_Line) return false;
  }
  return true;
}

}  // namespace

FaceSurface::FaceSurface(const TopoDS_Face& face) : face_(face), surface_(face) {
  polygonalPlane_ = surface_.GetType() == GeomAbs_Plane && AllEdgesStraight(face_);
  BRepBndLib::Add(face_, box_, false);
}

bool FaceSurface::Contains(const gp_Pnt2d& uv) const {
  if (!classifier_) {
    classifier_ = std::make_unique<BRepTopAdaptor_FClass2d>(face_, Precision::PConfusion());
  }
  const TopAbs_State state = classifier_->Perform(uv);
  return state == TopAbs_IN || state == TopAbs_ON;
}

const std::vector<BoundaryEdge>& FaceSurface::Boundary() const {
  if (boundary_) return *boundary_;
  boundary_.emplace();
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(face_, TopAbs_EDGE, edges);
  for (int index = 1; index <= edges.Extent(); ++index) {
    const TopoDS_Edge& edge = TopoDS::Edge(edges(index));
    if (BRep_Tool::Degenerated(edge) || BRep_Tool::IsClosed(edge, face_)) continue;
    BoundaryEdge boundary{BRepAdaptor_Curve(edge), {}, {}, false, {}};
    BRepBndLib::Add(edge, boundary.box, false);
    boundary.closed = boundary.curve.IsClosed() && boundary.curve.IsPeriodic();
    const double first = boundary.curve.FirstParameter();
    const double last = boundary.curve.LastParameter();
    for (int sample = 0; sample <= kEdgeSamples; ++sample) {
      const double parameter = first + (last - first) * sample / kEdgeSamples;
      boundary.parameters.push_back(parameter);
      boundary.points.push_back(boundary.curve.Value(parameter));
    }
    boundary_->push_back(std::move(boundary));
  }
  return *boundary_;
}

}  // namespace sledway::clearance
