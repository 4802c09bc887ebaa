#include "modelhost/collections/object_factory.hpp"

#include <memory>

#include "modelhost/collections/object_collection.hpp"

namespace sledway::model {

Ref<IVObjectCollection> ObjectFactory::CreateObjectCollection() {
  return std::make_shared<ObjectCollection>();
}

}  // namespace sledway::model
