#include "app/view/entity_shapes.hpp"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <Bnd_Box.hxx>
#include <GCPnts_TangentialDeflection.hxx>
#include <Geom2dAdaptor_Curve.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <algorithm>

#include "modelhost/component/component.hpp"
#include "modelhost/component/edge_proxy.hpp"
#include "modelhost/component/vertex_proxy.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"

namespace sledway::app {
namespace {

// Chord deviation as a share of the curve's extent, and the largest turn between two segments.
constexpr double kRelativeDeflection = 1e-3;
constexpr double kAngularDeflection = 0.05;

template <class Point>
TopoDS_Shape Polyline(const std::vector<Point>& points) {
  BRepBuilderAPI_MakePolygon polygon;
  for (const Point& point : points) polygon.Add(point);
  return polygon.IsDone() ? polygon.Shape() : TopoDS_Shape();
}

template <class Adaptor>
double Extent(const Adaptor& curve) {
  const double first = curve.FirstParameter();
  const double last = curve.LastParameter();
  double extent = 0.0;
  const auto start = curve.Value(first);
  for (int i = 1; i <= 8; ++i) {
    extent = std::max(extent, start.Distance(curve.Value(first + (last - first) * i / 8.0)));
  }
  return std::max(extent, 1e-6);
}

}  // namespace

TopoDS_Shape SketchCurveShape(const model::PlanarSketchDefinition& sketch, int index) {
  const Geom2dAdaptor_Curve curve(sketch.Curve(index));
  const GCPnts_TangentialDeflection sampling(curve, kAngularDeflection,
                                             kRelativeDeflection * Extent(curve));
  std::vector<gp_Pnt> points;
  for (int i = 1; i <= sampling.NbPoints(); ++i) {
    // Points of a 2D curve come back in the plane z = 0 of the sketch.
    points.push_back(sampling.Value(i).Transformed(sketch.PlaneTransform()));
  }
  return Polyline(points);
}

TopoDS_Shape CurveShape(const Adaptor3d_Curve& curve) {
  const GCPnts_TangentialDeflection sampling(curve, kAngularDeflection,
                                             kRelativeDeflection * Extent(curve));
  std::vector<gp_Pnt> points;
  for (int i = 1; i <= sampling.NbPoints(); ++i) points.push_back(sampling.Value(i));
  return Polyline(points);
}

TopoDS_Shape WorkAxisShape(const gp_Ax1& axis, const model::Part& part) {
  Bnd_Box box;
  BRepBndLib::Add(part.Shape(), box);
  double half = 1.0;
  gp_Pnt middle = axis.Location();
  if (!box.IsVoid()) {
    half = std::max(half, 0.6 * std::sqrt(box.SquareExtent()));
    const gp_Pnt centre = (box.CornerMin().XYZ() + box.CornerMax().XYZ()) / 2.0;
    const double along = gp_Vec(axis.Location(), centre).Dot(gp_Vec(axis.Direction()));
    middle = axis.Location().Translated(gp_Vec(axis.Direction()) * along);
  }
  const gp_Vec reach = gp_Vec(axis.Direction()) * half;
  return BRepBuilderAPI_MakeEdge(middle.Translated(-reach), middle.Translated(reach)).Shape();
}

TopoDS_Shape ComponentTopologyShape(const Ref<IVObject>& entity) {
  if (const auto edge = As<model::EdgeProxy>(entity)) {
    const auto component = As<model::Component>(edge->ContainingOccurrence());
    return component->Part()->Edge(edge->Index()).Moved(TopLoc_Location(component->Placement()));
  }
  if (const auto vertex = As<model::VertexProxy>(entity)) {
    const auto component = As<model::Component>(vertex->ContainingOccurrence());
    return component->Part()
        ->Vertex(vertex->Index())
        .Moved(TopLoc_Location(component->Placement()));
  }
  return {};
}

}  // namespace sledway::app
