#include "addin/com/class_factory.hpp"

#include <exception>
#include <new>
#include <utility>

#include "platform/live_objects.hpp"

namespace sledway::com {

ClassFactory::ClassFactory(std::function<IDispatch*()> create) : create_(std::move(create)) {}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

// The factory itself is never deleted: its references only keep the library loaded. A Release
// or an unlock without its AddRef or lock is ignored: the library's count of live objects never
// goes below what is really alive.
ULONG ClassFactory::AddRef() {
  ObjectCreated();
  return ++references_;
}

ULONG ClassFactory::Release() {
  ULONG held = references_.load();
  while (held != 0 && !references_.compare_exchange_weak(held, held - 1)) {
  }
  if (held == 0) return 0;
  ObjectDestroyed();
  return held - 1;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  IDispatch* made = nullptr;
  try {
    made = create_();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
  // The caller's reference, if it asked for an interface the object has; the object goes when
  // it did not.
  const HRESULT result = made->QueryInterface(iid, object);
  made->Release();
  return result;
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    ++locks_;
    ObjectCreated();
    return S_OK;
  }
  ULONG held = locks_.load();
  while (held != 0 && !locks_.compare_exchange_weak(held, held - 1)) {
  }
  if (held != 0) ObjectDestroyed();
  return S_OK;
}

}  // namespace sledway::com
