#include "automation/host_object.hpp"

#include <utility>

#include "host/host_error.hpp"

namespace sledway::automation {

HostObject::HostObject(std::shared_ptr<Session> session, DispatchObject object)
    : session_(std::move(session)), object_(std::move(object)) {}

void HostObject::LetGo() {
  object_.Reset();
}

double HostObject::ReadDouble(const Member& member) {
  return object_.Read(member).AsDouble(member.role);
}

std::int32_t HostObject::ReadLong(const Member& member) {
  return object_.Read(member).AsLong(member.role);
}

bool HostObject::ReadBool(const Member& member) {
  return object_.Read(member).AsBool(member.role);
}

std::string HostObject::ReadString(const Member& member) {
  return object_.Read(member).AsString(member.role);
}

IDispatch* HostDispatch(const Ref<IVObject>& object, const char* what) {
  if (!object) return nullptr;
  const auto* bound = dynamic_cast<const HostObject*>(object.get());
  if (bound == nullptr) {
    throw HostError(hresult::kInvalidArg,
                    std::string(what) + " is not an object of the host and cannot be handed to it");
  }
  return bound->Dispatch();
}

}  // namespace sledway::automation
