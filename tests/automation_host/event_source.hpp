#pragma once

// Objects that raise events: IConnectionPointContainer with one connection point for their
// source dispinterface, IProvideClassInfo with their coclass, and firing to every connected
// sink through IDispatch::Invoke with the DISPID the type library gives the event's name.

#include <olectl.h>

#include <utility>
#include <vector>

#include "com_object.hpp"

namespace sledway::automation_host {

// The sinks connected to one source: plain IDispatch objects, by cookie.
struct SinkList {
  std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks;
  DWORD nextCookie = 1;
};

// A connection point onto `sinks`, which `owner` holds (the point keeps the owner alive).
ComPtr<IConnectionPoint> NewConnectionPoint(ComPtr<IConnectionPointContainer> owner,
                                            const IID& source, SinkList& sinks);

// Calls `event` of the `source` dispinterface on every sink in `sinks` with `arguments` given
// last first, as IDispatch takes them. The first failure a sink returns, else S_OK.
HRESULT FireEvent(const SinkList& sinks, const IID& source, const wchar_t* event,
                  std::vector<VARIANT>& reversedArguments);

template <class Interface>
class EventSource : public Object<Interface>,
                    public IConnectionPointContainer,
                    public IProvideClassInfo {
 public:
  EventSource(long type, IDispatch* application, const IID& source, const CLSID& coclass)
      : Object<Interface>(type, application), source_(source), coclass_(coclass) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return Object<Interface>::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Object<Interface>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return Object<Interface>::Release(); }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, source_)) return CONNECT_E_NOCONNECTION;
    return Guarded([&] {
      return NewConnectionPoint(ComPtr<IConnectionPointContainer>(this), source_, sinks_)
          .CopyTo(out);
    });
  }
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return Guarded([&] { return TypeInfoOf(coclass_).CopyTo(out); });
  }

  // Raises `event` with `arguments` first to last.
  HRESULT Fire(const wchar_t* event, std::vector<VARIANT> arguments) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    return FireEvent(sinks_, source_, event, reversed);
  }
  size_t SinkCount() const { return sinks_.sinks.size(); }

 protected:
  void* OtherInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
      return static_cast<IConnectionPointContainer*>(this);
    }
    if (IsEqualIID(iid, IID_IProvideClassInfo)) return static_cast<IProvideClassInfo*>(this);
    return nullptr;
  }

 private:
  IID source_;
  CLSID coclass_;
  SinkList sinks_;
};

}  // namespace sledway::automation_host
