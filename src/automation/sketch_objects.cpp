#include "automation/sketch_objects.hpp"

namespace sledway::automation {

using namespace member;

Ref<IVPoint> PlanarSketchObject::SketchToModel(const Ref<IVPoint2d>& point) {
  return CallObject<IVPoint>(kSketchToModelSpace, Role::kPoint,
                             {HostDispatch(point, "the sketch point")});
}
Ref<IVMatrix> PlanarSketchObject::SketchToModelTransform() {
  return ReadObject<IVMatrix>(kSketchToModelTransform, Role::kMatrix);
}
Ref<IVProfiles> PlanarSketchObject::GetProfiles() {
  return ReadObject<IVProfiles>(kProfiles, Role::kProfiles);
}

Ref<IVProfiles3D> Sketch3DObject::GetProfiles3D() {
  return ReadObject<IVProfiles3D>(kProfiles3D, Role::kProfiles3D);
}

int ProfileObject::Count() {
  return ReadLong(kCount);
}
Ref<IVProfilePath> ProfileObject::Item(int index) {
  return Binding().As<IVProfilePath>(Host().Read(kItem, {std::int32_t{index}}), Role::kProfilePath,
                                     kItem);
}

int ProfilePathObject::Count() {
  return ReadLong(kCount);
}
Ref<IVProfileEntity> ProfilePathObject::Item(int index) {
  return Binding().As<IVProfileEntity>(Host().Read(kItem, {std::int32_t{index}}),
                                       Role::kProfileEntity, kItem);
}

Ref<IVObject> ProfileEntityObject::GetSketchEntity() {
  return ReadObject<IVObject>(kSketchEntity, Role::kEntity);
}

}  // namespace sledway::automation
