#include "automation/binding_session.hpp"

#include <algorithm>
#include <iterator>
#include <utility>

#include "automation/host_object.hpp"

namespace sledway::automation {

Ref<IVObject> Session::Bind(const ComPtr<IDispatch>& object, Role role) {
  return Identify(object, [&] { return Make(object, role); });
}

Ref<IVObject> Session::Identify(const ComPtr<IDispatch>& object, const Maker& make) {
  if (!object) return nullptr;
  if (letGo_) {
    throw HostError(static_cast<std::uint32_t>(RPC_E_DISCONNECTED),
                    "Sledway has been unloaded and no longer works with the host's objects");
  }
  // COM's identity rule: every interface of one object gives the same IUnknown.
  ComPtr<IUnknown> identity;
  if (FAILED(object.As(&identity))) {
    throw HostError(hresult::kNoInterface, "the host gave an object without an identity");
  }
  if (const auto found = objects_.find(identity.Get()); found != objects_.end()) {
    if (auto alive = found->second.lock()) return alive;
  }
  std::shared_ptr<HostObject> made = make();
  objects_[identity.Get()] = made;
  // The map holds the binding objects weakly: the ones the add-in dropped go from time to time.
  if (objects_.size() >= sweepAt_) {
    std::erase_if(objects_, [](const auto& entry) { return entry.second.expired(); });
    sweepAt_ = std::max<std::size_t>(64, 2 * objects_.size());
  }
  return made;
}

namespace {

IUnknown* IdentityOf(IDispatch* object) {
  ComPtr<IUnknown> identity;
  if (object == nullptr || FAILED(object->QueryInterface(IID_PPV_ARGS(&identity)))) return nullptr;
  return identity.Get();
}

}  // namespace

void Session::AddedToHost(const ComPtr<IDispatch>& object) {
  IUnknown* const identity = IdentityOf(object.Get());
  if (identity == nullptr) return;
  for (const DispatchObject& added : added_) {
    if (IdentityOf(added.Get()) == identity) return;
  }
  added_.emplace_back(object);
}

void Session::LetGoOfAll() {
  letGo_ = true;
  const auto objects = std::exchange(objects_, {});
  // The events first: nothing the host raises while it deletes reaches the add-in.
  for (const auto& [identity, object] : objects) {
    if (const auto alive = object.lock()) alive->LetGo();
  }
  auto added = std::exchange(added_, {});
  for (auto object = added.rbegin(); object != added.rend(); ++object) {
    try {
      object->Call(member::kDelete);
    } catch (const HostError&) {
      // Kept by the host: the next session finds the definition by its name and uses it again,
      // and the bar or panel by its name.
    }
  }
  units_.Reset();
}

}  // namespace sledway::automation
