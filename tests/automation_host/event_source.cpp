#include "event_source.hpp"

#include <algorithm>

namespace sledway::automation_host {

namespace {

class ConnectionPointObject final : public IConnectionPoint {
 public:
  ConnectionPointObject(ComPtr<IConnectionPointContainer> owner, const IID& source, SinkList& sinks)
      : owner_(std::move(owner)), source_(source), sinks_(sinks) {
    CountLiveObject(1);
  }
  ~ConnectionPointObject() { CountLiveObject(-1); }
  ConnectionPointObject(const ConnectionPointObject&) = delete;
  ConnectionPointObject& operator=(const ConnectionPointObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint)) {
      return E_NOINTERFACE;
    }
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (iid == nullptr) return E_POINTER;
    *iid = source_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override {
    if (container == nullptr) return E_POINTER;
    return owner_.CopyTo(container);
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (cookie == nullptr) return E_POINTER;
    *cookie = 0;
    ComPtr<IDispatch> events;
    if (sink == nullptr || FAILED(sink->QueryInterface(source_, &events))) {
      if (sink == nullptr || FAILED(sink->QueryInterface(IID_PPV_ARGS(&events)))) {
        return CONNECT_E_CANNOTCONNECT;
      }
    }
    return Guarded([&] {
      sinks_.sinks.emplace_back(sinks_.nextCookie, events);
      *cookie = sinks_.nextCookie++;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    auto found = std::find_if(sinks_.sinks.begin(), sinks_.sinks.end(),
                              [&](const auto& sink) { return sink.first == cookie; });
    if (found == sinks_.sinks.end()) return CONNECT_E_NOCONNECTION;
    sinks_.sinks.erase(found);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  ULONG references_ = 0;
  ComPtr<IConnectionPointContainer> owner_;
  IID source_;
  SinkList& sinks_;
};

}  // namespace

ComPtr<IConnectionPoint> NewConnectionPoint(ComPtr<IConnectionPointContainer> owner,
                                            const IID& source, SinkList& sinks) {
  return ComPtr<IConnectionPoint>(new ConnectionPointObject(std::move(owner), source, sinks));
}

HRESULT FireEvent(const SinkList& sinks, const IID& source, const wchar_t* event,
                  std::vector<VARIANT>& reversedArguments) {
  ComPtr<ITypeInfo> events = TypeInfoOf(source);
  LPOLESTR names[] = {const_cast<LPOLESTR>(event)};
  MEMBERID id = MEMBERID_NIL;
  HRESULT result = events->GetIDsOfNames(names, 1, &id);
  if (FAILED(result)) return result;
  // A sink may disconnect itself while handling the event.
  const std::vector<std::pair<DWORD, ComPtr<IDispatch>>> connected = sinks.sinks;
  HRESULT first = S_OK;
  for (const auto& sink : connected) {
    DISPPARAMS params{reversedArguments.empty() ? nullptr : reversedArguments.data(), nullptr,
                      static_cast<UINT>(reversedArguments.size()), 0};
    EXCEPINFO exception{};
    UINT argumentError = 0;
    HRESULT called = sink.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                         &params, nullptr, &exception, &argumentError);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    if (FAILED(called) && SUCCEEDED(first)) first = called;
  }
  return first;
}

}  // namespace sledway::automation_host
