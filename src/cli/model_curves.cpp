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

// The 1-based number of `entity` among the curves of `sketch`.
template <class Sketch>
int CurveNumber(const Sketch& sketch, const Ref<IVObject>& entity) {
  const int number = sketch.CurveNumber(entity);
  if (number == 0) NotOfTheModelHost();
  return number;
}

}  // namespace

ModelCurveSource::ModelCurveSource(const Ref<IVObject>& entity) {
  if (const auto curve = As<IVSketchEntity>(entity)) {
    planar_ = As<model::PlanarSketch>(curve->Parent());
    if (!planar_) NotOfTheModelHost();
    number_ = CurveNumber(*planar_, entity);
  } else if (const auto curve3d = As<IVSketchEntity3D>(entity)) {
    spatial_ = As<model::Sketch3d>(curve3d->Parent());
    if (!spatial_) NotOfTheModelHost();
    number_ = CurveNumber(*spatial_, entity);
  } else if (const auto edge = As<model::EdgeProxy>(entity)) {
    component_ = As<model::Component>(edge->ContainingOccurrence());
    if (!component_) NotOfTheModelHost();
    number_ = edge->Index();
  } else {
    NotOfTheModelHost();
  }
}

const Standard_Transient* ModelCurveSource::Shape() const {
  if (planar_) return planar_->Definition()->Curve(number_).get();
  if (spatial_) return spatial_->Definition()->Curve(number_).get();
  return component_->Part()->Edge(number_).TShape().get();
}

FramedCurve ModelCurveSource::Curve() const {
  if (planar_) {
    const Handle(Geom2d_Curve) planar = planar_->Definition()->Curve(number_);
    return {new GeomAdaptor_Curve(GeomAPI::To3d(planar, gp_Pln(gp::XOY()))),
            planar_->ToModelTransform().Inverted(), Handle(Standard_Transient)(planar)};
  }
  if (spatial_) {
    const Handle(Adaptor3d_Curve) adaptor = spatial_->Definition()->Curve(number_);
    return {adaptor, PlacementOf(spatial_->ContainingOccurrence()).Inverted(),
            Handle(Standard_Transient)(adaptor)};
  }
  const TopoDS_Edge shape = component_->Part()->Edge(number_);
  return {new BRepAdaptor_Curve(shape), component_->Placement().Inverted(),
          Handle(Standard_Transient)(shape.TShape())};
}

FramedCurve ModelCurveOf(const Ref<IVObject>& entity) {
  return ModelCurveSource(entity).Curve();
}

}  // namespace sledway::cli
