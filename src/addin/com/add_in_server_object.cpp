#include "addin/com/add_in_server_object.hpp"

#include <cwchar>
#include <exception>
#include <string>
#include <utility>

#include "addin/com/add_in_guids.hpp"
#include "addin/com/dispatch_arguments.hpp"
#include "automation/owned_values.hpp"
#include "host/host_error.hpp"
#include "platform/live_objects.hpp"

namespace sledway::com {
namespace {

struct Member {
  const wchar_t* name;
  DISPID id;
};

constexpr Member kMembers[] = {{L"Activate", kDispidActivate},
                               {L"Deactivate", kDispidDeactivate},
                               {L"ExecuteCommand", kDispidExecuteCommand},
                               {L"Automation", kDispidAutomation}};

// The caller learns of a failure from the EXCEPINFO when it gave one, from the code otherwise.
HRESULT Failure(HRESULT code, const std::string& message, EXCEPINFO* exception) {
  if (!FAILED(code)) code = E_FAIL;
  if (exception == nullptr) return code;
  *exception = EXCEPINFO{};
  exception->scode = code;
  try {
    exception->bstrSource = automation::Bstr("Sledway").Detach();
    exception->bstrDescription = automation::Bstr(message).Detach();
  } catch (const std::bad_alloc&) {
    // The code alone still tells the caller what happened.
  }
  return DISP_E_EXCEPTION;
}

// Runs one of the host's calls; whatever the add-in throws stops here.
template <typename Call>
HRESULT Guarded(EXCEPINFO* exception, Call&& call) {
  try {
    return call();
  } catch (const HostError& error) {
    return Failure(static_cast<HRESULT>(error.Code()), error.what(), exception);
  } catch (const std::bad_alloc&) {
    return Failure(E_OUTOFMEMORY, "Sledway ran out of memory", exception);
  } catch (const std::exception& error) {
    return Failure(E_FAIL, error.what(), exception);
  } catch (...) {
    return Failure(E_UNEXPECTED, "Sledway failed for a reason it cannot tell", exception);
  }
}

}  // namespace

AddInServerObject::AddInServerObject(Activation activate) : activate_(std::move(activate)) {
  ObjectCreated();
}

AddInServerObject::~AddInServerObject() {
  ObjectDestroyed();
}

HRESULT AddInServerObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, kIID_ApplicationAddInServer)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG AddInServerObject::AddRef() {
  return ++references_;
}

ULONG AddInServerObject::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT AddInServerObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT AddInServerObject::GetTypeInfo(UINT /*index*/, LCID /*locale*/, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT AddInServerObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID /*locale*/,
                                         DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return S_OK;
  if (names == nullptr || ids == nullptr) return E_POINTER;
  HRESULT result = S_OK;
  // The members take no named arguments: only the first name can be known.
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    if (i != 0 || names[i] == nullptr) {
      result = DISP_E_UNKNOWNNAME;
      continue;
    }
    for (const Member& member : kMembers) {
      if (_wcsicmp(names[i], member.name) == 0) ids[i] = member.id;
    }
    if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

HRESULT AddInServerObject::Invoke(DISPID member, REFIID iid, LCID /*locale*/, WORD flags,
                                  DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                  UINT* argumentError) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  const bool method = (flags & DISPATCH_METHOD) != 0;
  return Guarded(exception, [&]() -> HRESULT {
    switch (member) {
      case kDispidActivate:
        return method ? Activate(params, argumentError) : DISP_E_MEMBERNOTFOUND;
      case kDispidDeactivate:
        return method ? Deactivate(params, argumentError) : DISP_E_MEMBERNOTFOUND;
      case kDispidExecuteCommand:
        return method ? ExecuteCommand(params, argumentError) : DISP_E_MEMBERNOTFOUND;
      case kDispidAutomation:
        return (flags & DISPATCH_PROPERTYGET) != 0 ? Automation(params, result)
                                                   : DISP_E_MEMBERNOTFOUND;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  });
}

HRESULT AddInServerObject::Activate(DISPPARAMS* params, UINT* argumentError) {
  const DispatchArguments arguments(params, argumentError);
  Microsoft::WRL::ComPtr<IDispatch> hostSite;
  bool firstTime = false;
  HRESULT checked = arguments.Expect(2);
  if (SUCCEEDED(checked)) checked = arguments.Object(0, hostSite);
  if (SUCCEEDED(checked)) checked = arguments.Bool(1, firstTime);
  if (FAILED(checked)) return checked;
  // A host that activates twice gets the set-up twice, as from a fresh server.
  if (server_ != nullptr) std::exchange(server_, nullptr)->Deactivate();
  server_ = activate_(hostSite, firstTime);
  return S_OK;
}

HRESULT AddInServerObject::Deactivate(DISPPARAMS* params, UINT* argumentError) {
  if (const HRESULT count = DispatchArguments(params, argumentError).Expect(0); FAILED(count)) {
    return count;
  }
  // The server goes even when its Deactivate fails: the host will not call it again.
  if (server_ != nullptr) std::exchange(server_, nullptr)->Deactivate();
  return S_OK;
}

HRESULT AddInServerObject::ExecuteCommand(DISPPARAMS* params, UINT* argumentError) {
  const DispatchArguments arguments(params, argumentError);
  std::int32_t commandId = 0;
  HRESULT checked = arguments.Expect(1);
  if (SUCCEEDED(checked)) checked = arguments.Long(0, commandId);
  if (FAILED(checked)) return checked;
  if (server_ != nullptr) server_->ExecuteCommand(commandId);
  return S_OK;
}

HRESULT AddInServerObject::Automation(DISPPARAMS* params, VARIANT* result) {
  if (const HRESULT count = DispatchArguments(params, nullptr).Expect(0); FAILED(count)) {
    return count;
  }
  if (server_ != nullptr && server_->Automation() != nullptr) {
    // Handing an object of the add-in's to the host needs the binding to the host's automation
    // interface; the add-in server offers none.
    throw HostError(static_cast<std::uint32_t>(E_NOTIMPL),
                    "Sledway cannot hand its automation object to the host");
  }
  if (result != nullptr) {
    VariantInit(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = nullptr;
  }
  return S_OK;
}

}  // namespace sledway::com
