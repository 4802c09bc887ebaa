#pragma once

// What every binding object shares: the host object it stands for, reached through its
// DispatchObject, and the session that made it and gives one binding object per host object.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/dispatch_object.hpp"
#include "host/object.hpp"

namespace sledway::automation {

class Session;
enum class Role;

class HostObject : public virtual IVObject {
 public:
  HostObject(std::shared_ptr<Session> session, DispatchObject object);
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

  IDispatch* Dispatch() const { return object_.Get(); }
  // Lets go of the host object and of whatever else of the host this object holds; later calls
  // fail with a HostError.
  virtual void LetGo();

 protected:
  DispatchObject& Host() { return object_; }
  Session& Binding() const { return *session_; }

  double ReadDouble(const Member& member);
  std::int32_t ReadLong(const Member& member);
  bool ReadBool(const Member& member);
  std::string ReadString(const Member& member);
  // The binding object for the host object that `member` gives, seen as T; null for Nothing.
  template <class T>
  Ref<T> ReadObject(const Member& member, Role role);
  template <class T>
  Ref<T> CallObject(const Member& member, Role role, std::initializer_list<Arg> arguments);

 private:
  std::shared_ptr<Session> session_;
  DispatchObject object_;
};

// The host object behind one of the binding's objects; null for null. A HostError when `object`
// is not the binding's: the host cannot take it.
IDispatch* HostDispatch(const Ref<IVObject>& object, const char* what);

}  // namespace sledway::automation

#include "automation/binding_session.hpp"

namespace sledway::automation {

template <class T>
Ref<T> HostObject::ReadObject(const Member& member, Role role) {
  return session_->As<T>(Host().Read(member), role, member);
}

template <class T>
Ref<T> HostObject::CallObject(const Member& member, Role role,
                              std::initializer_list<Arg> arguments) {
  return session_->As<T>(Host().Call(member, arguments), role, member);
}

}  // namespace sledway::automation
