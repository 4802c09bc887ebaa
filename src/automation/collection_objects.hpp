#pragma once

// Collections over the host's ObjectCollection, ObjectsEnumerator and EdgeCollection, and the
// factory of collections, TransientObjects. Positions run from 1, as the host counts.

#include <utility>

#include "automation/host_object.hpp"
#include "host/collections.hpp"

namespace sledway::automation {

// A collection whose items are of the kind `itemRole` says (kEntity: each item's own kind).
class ObjectCollectionObject final : public HostObject, public IVObjectCollection {
 public:
  ObjectCollectionObject(std::shared_ptr<Session> session, DispatchObject object, Role itemRole)
      : HostObject(std::move(session), std::move(object)), itemRole_(itemRole) {}
  void Add(const Ref<IVObject>& object) override;
  int Count() override;
  Ref<IVObject> Item(int index) override;

 private:
  Role itemRole_;
};

class EntityCollectionObject final : public HostObject, public IVEntityCollection {
 public:
  using HostObject::HostObject;
  int Count() override;
  Ref<IVObject> Item(int index) override;
};

class ObjectFactoryObject final : public HostObject, public IVObjectFactory {
 public:
  using HostObject::HostObject;
  Ref<IVObjectCollection> CreateObjectCollection() override;
};

}  // namespace sledway::automation
