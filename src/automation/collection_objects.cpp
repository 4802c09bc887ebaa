#include "automation/collection_objects.hpp"

namespace sledway::automation {

using namespace member;

void ObjectCollectionObject::Add(const Ref<IVObject>& object) {
  Host().Call(kCollectionAdd, {HostDispatch(object, "the object to collect")});
}
int ObjectCollectionObject::Count() {
  return ReadLong(kCount);
}
Ref<IVObject> ObjectCollectionObject::Item(int index) {
  return Binding().As<IVObject>(Host().Read(kItem, {std::int32_t{index}}), itemRole_, kItem);
}

int EntityCollectionObject::Count() {
  return ReadLong(kCount);
}
Ref<IVObject> EntityCollectionObject::Item(int index) {
  return Binding().As<IVObject>(Host().Read(kItem, {std::int32_t{index}}), Role::kEntity, kItem);
}

Ref<IVObjectCollection> ObjectFactoryObject::CreateObjectCollection() {
  return CallObject<IVObjectCollection>(kCreateObjectCollection, Role::kObjectCollection, {});
}

}  // namespace sledway::automation
