#include "cli/model_curves.hpp"

#include <BRepAdaptor_Curve.hxx>
#include <GeomAPI.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <gp.hxx>
#include <gp_Pln.hxx>

#include "host/host_error.hpp"
#include "host/part_entities.hpp"
#include "host/sketch.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/component/edge_proxy.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"

namespace sledway::cli {
namespace {

[[noreturn]] void NotOfTheModelHost() {
  throw HostError(hresult::kNoInterface,
                  "only sketch curves and edges of the model host have a curve to measure");
}

// The placement of an owner: identity for the assembly itself.
gp_Trsf PlacementOf(const Ref<IVComponent>& owner) {
  if (!owner) return gp_Trsf();
  const auto component = As<model::Component>(owner);
  if (!component) NotOfTheModelHost();
  return component->Placement();
}

// The 1-based number of `entity` among the curves of `sketch` (its curves are the same objects
// every time they are asked for).
template <class Sketch>
int CurveNumber(Sketch& sketch, const Ref<IVObject>& entity) {
  for (int number = 1; number <= sketch.CurveCount(); ++number) {
    if (SameObject(sketch.Curve(number), entity)) return number;
  }
  NotOfTheModelHost();
}

}  // namespace

FramedCurve ModelCurveOf(const Ref<IVObject>& entity) {
  if (const auto curve = As<IVSketchEntity>(entity)) {
    const auto sketch = As<model::PlanarSketch>(curve->Parent());
    if (!sketch) NotOfTheModelHost();
    const Handle(Geom2d_Curve) planar = sketch->Definition()->Curve(CurveNumber(*sketch, entity));
    return {new GeomAdaptor_Curve(GeomAPI::To3d(planar, gp_Pln(gp::XOY()))),
            sketch->ToModelTransform().Inverted(), Handle(Standard_Transient)(planar)};
  }
  if (const auto curve = As<IVSketchEntity3D>(entity)) {
    const auto sketch = As<model::Sketch3d>(curve->Parent());
    if (!sketch) NotOfTheModelHost();
    const Handle(Adaptor3d_Curve) adaptor =
        sketch->Definition()->Curve(CurveNumber(*sketch, entity));
    return {adaptor, PlacementOf(sketch->ContainingOccurrence()).Inverted(),
            Handle(Standard_Transient)(adaptor)};
  }
  if (const auto edge = As<model::EdgeProxy>(entity)) {
    const auto component = As<model::Component>(edge->ContainingOccurrence());
    if (!component) NotOfTheModelHost();
    const TopoDS_Edge shape = component->Part()->Edge(edge->Index());
    return {new BRepAdaptor_Curve(shape), component->Placement().Inverted(),
            Handle(Standard_Transient)(shape.TShape())};
  }
  NotOfTheModelHost();
}

}  // namespace sledway::cli
