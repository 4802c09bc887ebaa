#pragma once

#include <memory>

namespace sledway {

// Every host object derives from IVObject. A host object is held as a shared pointer to one
// of its interfaces: that is its counted reference, and pointer identity is object identity.
class IVObject {
 public:
  virtual ~IVObject() = default;

 protected:
  IVObject() = default;
  IVObject(const IVObject&) = default;
  IVObject& operator=(const IVObject&) = default;
};

template <class T>
using Ref = std::shared_ptr<T>;

// The host's type test: the object seen through interface T, or null when it has none.
template <class T, class U>
Ref<T> As(const Ref<U>& object) {
  return std::dynamic_pointer_cast<T>(object);
}

template <class T, class U>
bool Is(const Ref<U>& object) {
  return dynamic_cast<const T*>(object.get()) != nullptr;
}

// Two references to the same host object (null equals only null).
template <class T, class U>
bool SameObject(const Ref<T>& a, const Ref<U>& b) {
  return dynamic_cast<const IVObject*>(a.get()) == dynamic_cast<const IVObject*>(b.get());
}

}  // namespace sledway
