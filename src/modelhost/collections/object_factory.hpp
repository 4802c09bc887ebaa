#pragma once

#include "host/collections.hpp"

namespace sledway::model {

class ObjectFactory : public IVObjectFactory {
 public:
  // A new, empty collection each time.
  Ref<IVObjectCollection> CreateObjectCollection() override;
};

}  // namespace sledway::model
