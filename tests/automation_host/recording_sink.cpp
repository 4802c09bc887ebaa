#include "recording_sink.hpp"

#include "dispatch_call.hpp"

namespace sledway::automation_host {

using Microsoft::WRL::ComPtr;

HRESULT RecordingSink::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) return E_NOINTERFACE;
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

HRESULT RecordingSink::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT RecordingSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT RecordingSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}

HRESULT RecordingSink::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* arguments, VARIANT*,
                              EXCEPINFO*, UINT*) {
  BSTR name = nullptr;
  UINT found = 0;
  if (FAILED(source_->GetNames(member, &name, 1, &found)) || found != 1) {
    return DISP_E_MEMBERNOTFOUND;
  }
  const std::wstring event(name, SysStringLen(name));
  SysFreeString(name);
  events.push_back(event);
  // Arguments come last first.
  VARIANT* given = arguments->rgvarg;
  const UINT count = arguments->cArgs;
  if (event == L"OnPreSelect" && count == 7) {
    VARIANT& entity = given[6];
    VARIANT& doHighlight = given[5];
    VARIANT& morePreSelect = given[4];
    if (entity.vt != (VT_BYREF | VT_DISPATCH) || doHighlight.vt != (VT_BYREF | VT_BOOL) ||
        morePreSelect.vt != (VT_BYREF | VT_DISPATCH)) {
      return DISP_E_TYPEMISMATCH;
    }
    preSelected.emplace_back(*entity.ppdispVal);
    *doHighlight.pboolVal = highlight ? VARIANT_TRUE : VARIANT_FALSE;
    for (const ComPtr<IDispatch>& entity : more) {
      const Outcome added = Get(*morePreSelect.ppdispVal, L"Add", {Value(entity.Get()).Raw()});
      if (!added.Succeeded()) return added.result;
    }
  } else if (event == L"OnSelect" && count == 5) {
    if (given[4].vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
    selectedCounts.push_back(Get(given[4].pdispVal, L"Count").value.Long());
  }
  return S_OK;
}

ComPtr<ITypeInfo> SourceInterface(IDispatch* object, const wchar_t* name) {
  ComPtr<ITypeInfo> own;
  ComPtr<ITypeLib> library;
  UINT index = 0;
  if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &own)) ||
      FAILED(own->GetContainingTypeLib(&library, &index))) {
    return nullptr;
  }
  std::wstring wanted(name);
  ComPtr<ITypeInfo> found;
  MEMBERID member = MEMBERID_NIL;
  USHORT count = 1;
  if (FAILED(library->FindName(wanted.data(), 0, found.GetAddressOf(), &member, &count)) ||
      count != 1) {
    return nullptr;
  }
  return found;
}

namespace {

ComPtr<IConnectionPoint> PointOf(IDispatch* object, ITypeInfo& events) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(events.GetTypeAttr(&attributes))) return nullptr;
  const IID source = attributes->guid;
  events.ReleaseTypeAttr(attributes);
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  if (FAILED(object->QueryInterface(IID_PPV_ARGS(&container))) ||
      FAILED(container->FindConnectionPoint(source, &point))) {
    return nullptr;
  }
  return point;
}

}  // namespace

DWORD Connect(IDispatch* object, ITypeInfo& events, IDispatch* sink) {
  ComPtr<IConnectionPoint> point = PointOf(object, events);
  DWORD cookie = 0;
  if (!point || FAILED(point->Advise(sink, &cookie))) return 0;
  return cookie;
}

HRESULT Disconnect(IDispatch* object, ITypeInfo& events, DWORD cookie) {
  ComPtr<IConnectionPoint> point = PointOf(object, events);
  if (!point) return E_NOINTERFACE;
  return point->Unadvise(cookie);
}

}  // namespace sledway::automation_host
