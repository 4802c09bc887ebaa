#include "automation/part_entity_objects.hpp"

namespace sledway::automation {

using namespace member;

std::string ComponentObject::Name() {
  return ReadString(kOccurrenceName);
}
Ref<IVMatrix> ComponentObject::GetTransformation() {
  return ReadObject<IVMatrix>(kTransformation, Role::kMatrix);
}
void ComponentObject::SetTransformation(const Ref<IVMatrix>& placement) {
  Host().Write(kTransformation, HostDispatch(placement, "the placement"));
}
bool ComponentObject::Fixed() {
  return ReadBool(kGrounded);
}
void ComponentObject::Fixed(bool fixed) {
  Host().Write(kGrounded, fixed);
}
bool ComponentObject::Visible() {
  return ReadBool(kVisible);
}
void ComponentObject::Visible(bool visible) {
  Host().Write(kVisible, visible);
}

Ref<IVPoint> VertexObject::GetPoint() {
  return ReadObject<IVPoint>(kPoint, Role::kPoint);
}

Ref<IVPoint> WorkPointObject::GetPoint() {
  return ReadObject<IVPoint>(kPoint, Role::kPoint);
}

Ref<IVLine> AxisObject::GetLine() {
  return ReadObject<IVLine>(kLine, Role::kLine);
}

Ref<IVPoint> LineObject::RootPoint() {
  return ReadObject<IVPoint>(kRootPoint, Role::kPoint);
}
Ref<IVVector> LineObject::Direction() {
  return ReadObject<IVVector>(kDirection, Role::kVector);
}
Ref<IVCurveEvaluator> LineObject::GetEvaluator() {
  return ReadObject<IVCurveEvaluator>(kEvaluator, Role::kCurveEvaluator);
}

}  // namespace sledway::automation
