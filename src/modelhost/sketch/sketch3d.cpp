#include "modelhost/sketch/sketch3d.hpp"

#include <utility>
#include <vector>

#include "modelhost/component/component.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"
#include "modelhost/sketch/sketch_curve_3d.hpp"
#include "modelhost/topology/sketch_profiles.hpp"

namespace sledway::model {

Sketch3d::Sketch3d(Ref<Sketch3dDefinition> definition, OccurrenceLink component)
    : definition_(std::move(definition)), component_(std::move(component)) {}

Ref<IVProfiles3D> Sketch3d::GetProfiles3D() {
  const gp_Trsf placement = component_.Placement();
  std::vector<ProfileCurve> curves;
  for (int index = 1; index <= CurveCount(); ++index) {
    const Handle(Adaptor3d_Curve) curve = definition_->Curve(index);
    curves.push_back({Curve(index), curve->Value(curve->FirstParameter()).Transformed(placement),
                      curve->Value(curve->LastParameter()).Transformed(placement)});
  }
  return std::make_shared<SketchProfiles>(std::move(curves), definition_->Name());
}

Ref<IVComponent> Sketch3d::ContainingOccurrence() {
  return component_.Occurrence();
}

Ref<IVSketchEntity3D> Sketch3d::Curve(int index) {
  auto found = curves_.find(index);
  if (found != curves_.end()) return found->second;
  auto curve = MakeSketchCurve3d(definition_->Kind(index), definition_->Curve(index),
                                 weak_from_this(), component_);
  curves_.emplace(index, curve);
  numbers_.emplace(dynamic_cast<const IVObject*>(curve.get()), index);
  return curve;
}

int Sketch3d::CurveCount() const {
  return definition_->CurveCount();
}

int Sketch3d::CurveNumber(const Ref<IVObject>& entity) const {
  // A curve is one of this sketch's only once Curve has handed it out.
  const auto found = numbers_.find(entity.get());
  return found == numbers_.end() ? 0 : found->second;
}

}  // namespace sledway::model
