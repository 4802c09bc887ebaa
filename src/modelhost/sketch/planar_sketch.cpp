#include "modelhost/sketch/planar_sketch.hpp"

#include <utility>
#include <vector>

#include "modelhost/component/component.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "modelhost/geometry/point.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch_curve_2d.hpp"
#include "modelhost/topology/sketch_profiles.hpp"

namespace sledway::model {

PlanarSketch::PlanarSketch(Ref<PlanarSketchDefinition> definition, OccurrenceLink component)
    : definition_(std::move(definition)), component_(std::move(component)) {}

gp_Trsf PlanarSketch::ToModelTransform() const {
  return component_.Placement() * definition_->PlaneTransform();
}

gp_Pnt PlanarSketch::ToModel(const gp_Pnt2d& point) const {
  return gp_Pnt(point.X(), point.Y(), 0.0).Transformed(ToModelTransform());
}

Ref<IVPoint> PlanarSketch::SketchToModel(const Ref<IVPoint2d>& point) {
  return std::make_shared<Point>(ToModel(ToPnt2d(point)));
}

Ref<IVMatrix> PlanarSketch::SketchToModelTransform() {
  return std::make_shared<Matrix>(ToModelTransform());
}

Ref<IVProfiles> PlanarSketch::GetProfiles() {
  std::vector<ProfileCurve> curves;
  for (int index = 1; index <= CurveCount(); ++index) {
    const Handle(Geom2d_Curve) curve = definition_->Curve(index);
    curves.push_back({Curve(index), ToModel(curve->Value(curve->FirstParameter())),
                      ToModel(curve->Value(curve->LastParameter()))});
  }
  return std::make_shared<SketchProfiles>(std::move(curves), definition_->Name());
}

Ref<IVComponent> PlanarSketch::ContainingOccurrence() {
  return component_.Occurrence();
}

Ref<IVSketchEntity> PlanarSketch::Curve(int index) {
  auto found = curves_.find(index);
  if (found != curves_.end()) return found->second;
  auto curve = MakeSketchCurve2d(definition_->Kind(index), definition_->Curve(index),
                                 weak_from_this(), component_);
  curves_.emplace(index, curve);
  numbers_.emplace(dynamic_cast<const IVObject*>(curve.get()), index);
  return curve;
}

int PlanarSketch::CurveCount() const {
  return definition_->CurveCount();
}

int PlanarSketch::CurveNumber(const Ref<IVObject>& entity) const {
  // A curve is one of this sketch's only once Curve has handed it out.
  const auto found = numbers_.find(entity.get());
  return found == numbers_.end() ? 0 : found->second;
}

}  // namespace sledway::model
