#pragma once

// The class factory DllGetClassObject hands out: it makes the add-in server objects. One factory
// lives as long as the library; each reference to it, and each lock the host takes on the
// library through it, counts as a live object of the library.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <unknwn.h>

#include <atomic>
#include <functional>

namespace sledway::com {

class ClassFactory final : public IClassFactory {
 public:
  // `create` makes a new add-in server object with one reference, or throws.
  explicit ClassFactory(std::function<IDispatch*()> create);
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  std::function<IDispatch*()> create_;
  std::atomic<ULONG> references_{0};
  std::atomic<ULONG> locks_{0};
};

}  // namespace sledway::com
