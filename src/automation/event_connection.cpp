#include "automation/event_connection.hpp"

#include <ocidl.h>

#include <atomic>
#include <exception>
#include <string>
#include <utility>

#include "automation/host_type_library.hpp"
#include "host/host_error.hpp"
#include "platform/live_objects.hpp"
#include "platform/win32/wide_text.hpp"

namespace sledway::automation {

// Answers the host's source interface (by its IID) and IDispatch, and hands each event to the
// handler until the connection lets go of it. Its code lives in the add-in's library, which must
// stay loaded while the host holds the sink: it counts as a live object of the library.
class EventSink final : public IDispatch {
 public:
  EventSink(IID source, EventHandler handler) : source_(source), handler_(std::move(handler)) {
    ObjectCreated();
  }
  EventSink(const EventSink&) = delete;
  EventSink& operator=(const EventSink&) = delete;

  void Orphan() { handler_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, source_)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  // The host raises events by the dispatch ids of its own type information.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    if (result != nullptr) VariantInit(result);
    if (!handler_) return S_OK;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    // The handler may disconnect this very sink; it stays alive until the call is over.
    const ComPtr<EventSink> self(this);
    const EventHandler handler = handler_;
    try {
      handler(member, params != nullptr ? *params : none);
      return S_OK;
    } catch (const std::exception& error) {
      if (exception != nullptr) {
        *exception = EXCEPINFO{};
        exception->scode = E_FAIL;
        exception->bstrSource = Bstr("Sledway").Detach();
        exception->bstrDescription = Bstr(error.what()).Detach();
        return DISP_E_EXCEPTION;
      }
      return E_FAIL;
    } catch (...) {
      return E_FAIL;
    }
  }

 private:
  ~EventSink() { ObjectDestroyed(); }

  std::atomic<ULONG> references_{0};
  IID source_;
  EventHandler handler_;
};

EventConnection::EventConnection(IDispatch& source, const wchar_t* sinkName, EventHandler handler) {
  const auto refuse = [&](HRESULT code, const char* why) {
    throw HostError(static_cast<std::uint32_t>(code),
                    "the host's " + platform::Utf8(sinkName) + " events " + why);
  };
  sinkType_ = HostTypeLibrary::Of(source).Type(sinkName);
  if (!sinkType_) refuse(E_NOINTERFACE, "are not in its type information");
  const IID sourceId = InterfaceId(*sinkType_.Get());
  ComPtr<IConnectionPointContainer> container;
  if (FAILED(source.QueryInterface(IID_PPV_ARGS(container.GetAddressOf())))) {
    refuse(E_NOINTERFACE, "cannot be connected to");
  }
  if (const HRESULT found = container->FindConnectionPoint(sourceId, point_.GetAddressOf());
      FAILED(found)) {
    refuse(found, "are not offered by the object");
  }
  sink_ = new EventSink(sourceId, std::move(handler));
  if (const HRESULT advised = point_->Advise(sink_.Get(), &cookie_); FAILED(advised)) {
    sink_->Orphan();
    sink_.Reset();
    point_.Reset();
    refuse(advised, "refused the connection");
  }
}

EventConnection::~EventConnection() {
  Disconnect();
}

DISPID EventConnection::Id(const Member& event) const {
  return sinkType_ ? MemberId(*sinkType_.Get(), event.name) : DISPID_UNKNOWN;
}

void EventConnection::Disconnect() {
  if (sink_) sink_->Orphan();
  if (point_) point_->Unadvise(cookie_);
  point_.Reset();
  sink_.Reset();
  sinkType_.Reset();
}

}  // namespace sledway::automation
