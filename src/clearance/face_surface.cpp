#include "clearance/face_surface.hpp"

#include <BRepAdaptor_Curve.hxx>
#include <BRepBndLib.hxx>
#include <BRep_Tool.hxx>
#include <Precision.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <algorithm>
#include <cmath>
#include <utility>

namespace sledway::clearance {
namespace {

// Points taken along an edge: only a start for the local solve, which finds the exact point.
constexpr int kEdgeSamples = 16;
// A parameter whose speed is this small beside the face's size stands at a pole; a solve starts
// this share of the other parameter's range away from it.
constexpr double kPoleSpeed = 1e-9;
constexpr double kPoleStep = 1e-3;

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
  for (TopExp_Explorer explorer(face_, TopAbs_EDGE); explorer.More(); explorer.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(explorer.Current());
    if (!BRep_Tool::Degenerated(edge)) continue;
    const gp_Pnt pole = BRep_Tool::Pnt(TopExp::FirstVertex(edge));
    const bool known = std::any_of(poles_.begin(), poles_.end(), [&](const gp_Pnt& other) {
      return other.IsEqual(pole, Precision::Confusion());
    });
    if (!known) poles_.push_back(pole);
  }
}

const std::vector<gp_Pnt>& FaceSurface::Poles() const {
  return poles_;
}

gp_Pnt2d FaceSurface::ParametersNear(const gp_Pnt& point) const {
  if (!projection_) {
    projection_ = std::make_unique<ShapeAnalysis_Surface>(BRep_Tool::Surface(face_));
  }
  gp_Pnt2d uv = projection_->ValueOfUV(point, Precision::Confusion());
  gp_Pnt at;
  gp_Vec du, dv;
  surface_.D1(uv.X(), uv.Y(), at, du, dv);
  const double size = std::sqrt(box_.SquareExtent());
  if (du.Magnitude() > kPoleSpeed * size && dv.Magnitude() > kPoleSpeed * size) return uv;
  // On a pole: a small step into the face along the parameter that still has a speed.
  const bool uStill = du.Magnitude() <= kPoleSpeed * size;
  const double first = uStill ? surface_.FirstVParameter() : surface_.FirstUParameter();
  const double last = uStill ? surface_.LastVParameter() : surface_.LastUParameter();
  const double along = uStill ? uv.Y() : uv.X();
  const double step = kPoleStep * (last - first);
  const double moved = along - first < last - along ? along + step : along - step;
  return uStill ? gp_Pnt2d(uv.X(), moved) : gp_Pnt2d(moved, uv.Y());
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
