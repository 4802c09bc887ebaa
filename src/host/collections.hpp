#pragma once

#include "host/object.hpp"

namespace sledway {

// A collection the add-in fills itself. Positions run from 1 to Count.
class IVObjectCollection : public virtual IVObject {
 public:
  virtual void Add(const Ref<IVObject>& object) = 0;
  virtual int Count() = 0;
  // Fails with a bad-index error outside 1 to Count.
  virtual Ref<IVObject> Item(int index) = 0;
};

// The entities of a selection, in the order they were selected. Positions run from 1.
class IVEntityCollection : public virtual IVObject {
 public:
  virtual int Count() = 0;
  virtual Ref<IVObject> Item(int index) = 0;
};

class IVObjectFactory : public virtual IVObject {
 public:
  virtual Ref<IVObjectCollection> CreateObjectCollection() = 0;
};

}  // namespace sledway
