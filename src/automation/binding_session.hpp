#pragma once

// One activation's view of the host: it makes the binding object for each host object it meets,
// the same one every time it meets that host object again (keyed by the host object's IUnknown,
// held weakly), and at deactivation lets go of every host object it still holds.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "automation/dispatch_object.hpp"
#include "host/host_error.hpp"
#include "host/object.hpp"

namespace sledway::automation {

class HostObject;

// What a host object stands for where the member that gave it tells; kEntity where only the
// object's own kind (its Type, or the members it has) can tell.
enum class Role {
  kEntity,
  kObject,
  kSite,
  kApplication,
  kDocument,
  kUnits,
  kAssemblyDefinition,
  kParameters,
  kParameterList,
  kParameter,
  kParameterCollection,
  kGeometryFactory,
  kPoint,
  kPoint2d,
  kVector,
  kMatrix,
  kObjectFactory,
  kObjectCollection,
  kEntityCollection,
  kComponent,
  kLine,
  kCurveEvaluator,
  kCurveEvaluator2d,
  kProfiles,
  kProfiles3D,
  kProfile,
  kProfilePath,
  kProfileEntity,
  kSketch,
  kCommandManager,
  kInteraction,
  kSelectEvents,
  kUserInterface,
  kButtonDefinition,
  kCommandBars,
  kCommandBar,
  kCommandBarControls,
  kCommandBarControl,
};

class Session : public std::enable_shared_from_this<Session> {
 public:
  // `clientId`: the add-in's class id, with which it marks what it adds to the host's UI.
  explicit Session(std::string clientId) : clientId_(std::move(clientId)) {}
  const std::string& ClientId() const { return clientId_; }

  // The binding object for `object` in `role`; null for a null object.
  Ref<IVObject> Bind(const ComPtr<IDispatch>& object, Role role);
  // The same, for an object whose binding class the caller names: one that is not yet bound
  // becomes a `Made`, made with `extra` after the session and the object.
  template <class Made, class... Extra>
  Ref<IVObject> BindAs(const ComPtr<IDispatch>& object, const Extra&... extra);
  // The object a member gave, seen as T; null for Nothing, a HostError when it is of another kind.
  template <class T>
  Ref<T> As(const Variant& value, Role role, const Member& member);

  // The units in which the parameters met from now on report their values.
  void UseUnits(DispatchObject units) { units_ = std::move(units); }
  DispatchObject& Units() { return units_; }

  // Marks `object` (a button definition, bar, panel or control) as added to the host's UI by
  // the add-in, once however often it is marked: LetGoOfAll deletes it from the host.
  void AddedToHost(const ComPtr<IDispatch>& object);

  // Lets go of every host object the binding still holds, and binds none after. What the add-in
  // added to the host's UI is deleted first, the last added first.
  void LetGoOfAll();

 private:
  using Maker = std::function<std::shared_ptr<HostObject>()>;
  Ref<IVObject> Identify(const ComPtr<IDispatch>& object, const Maker& make);
  std::shared_ptr<HostObject> Make(const ComPtr<IDispatch>& object, Role role);
  std::shared_ptr<HostObject> MakeEntity(const ComPtr<IDispatch>& object);

  std::string clientId_;
  std::unordered_map<IUnknown*, std::weak_ptr<HostObject>> objects_;
  std::vector<DispatchObject> added_;
  std::size_t sweepAt_ = 64;
  DispatchObject units_;
  bool letGo_ = false;
};

template <class Made, class... Extra>
Ref<IVObject> Session::BindAs(const ComPtr<IDispatch>& object, const Extra&... extra) {
  return Identify(object, [&] {
    return std::static_pointer_cast<HostObject>(
        std::make_shared<Made>(shared_from_this(), DispatchObject(object), extra...));
  });
}

template <class T>
Ref<T> Session::As(const Variant& value, Role role, const Member& member) {
  const Ref<IVObject> bound = Bind(value.AsObject(member.role), role);
  if (!bound) return nullptr;
  Ref<T> seen = std::dynamic_pointer_cast<T>(bound);
  if (!seen) {
    throw HostError(hresult::kNoInterface,
                    std::string(member.role) + ": the host gave an object of another kind");
  }
  return seen;
}

}  // namespace sledway::automation
