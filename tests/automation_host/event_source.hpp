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

// Calls `event` of the `source` dispinterface on every sink in `sinks` with `arguments` given
// last first, as IDispatch takes them. The first failure a sink returns, else S_OK.
HRESULT FireEvent(const SinkList& sinks, const IID& source, const wchar_t* event,
                  std::vector<VARIANT>& reversedArguments);

// The object is its own one connection point.
template <class Interface>
class EventSource : public Object<Interface>,
                    public IConnectionPointContainer,
                    public IConnectionPoint,
                    public IProvideClassInfo {
 public:
  EventSource(IDispatch* application, const IID& source, const CLSID& coclass)
      : Object<Interface>(application), source_(source), coclass_(coclass) {}

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
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (iid == nullptr) return E_POINTER;
    *iid = source_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override {
    if (container == nullptr) return E_POINTER;
    *container = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (cookie == nullptr) return E_POINTER;
    *cookie = 0;
    ComPtr<IDispatch> events;
    if (sink == nullptr || (FAILED(sink->QueryInterface(source_, &events)) &&
                            FAILED(sink->QueryInterface(IID_PPV_ARGS(&events))))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    return Guarded([&] {
      sinks_.sinks.emplace_back(sinks_.nextCookie, events);
      *cookie = sinks_.nextCookie++;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    return std::erase_if(sinks_.sinks, [&](const auto& sink) { return sink.first == cookie; }) == 0
               ? CONNECT_E_NOCONNECTION
               : S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
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
    if (IsEqualIID(iid, IID_IConnectionPoint)) return static_cast<IConnectionPoint*>(this);
    if (IsEqualIID(iid, IID_IProvideClassInfo)) return static_cast<IProvideClassInfo*>(this);
    return nullptr;
  }

 private:
  IID source_;
  CLSID coclass_;
  SinkList sinks_;
};

}  // namespace sledway::automation_host
