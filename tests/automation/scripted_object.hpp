#pragma once

// A host object for the binding's own tests: an IDispatch whose members the test scripts, which
// counts its references and the names it was asked for. It stands where the host would, to reach
// what the test host cannot easily make (a failure of one exact kind, a replaced array).

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>

#include <functional>
#include <map>
#include <string>

namespace sledway::automation::test {

// A member's body: it gets the call's flags and arguments (last first) and fills the result.
using Script =
    std::function<HRESULT(WORD flags, DISPPARAMS& params, VARIANT* result, EXCEPINFO* exception)>;

class ScriptedObject final : public IDispatch {
 public:
  // The test owns the object on its stack; only the reference count matters.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    ++namesAsked;
    for (UINT i = 0; i < count; ++i) {
      const auto found = ids_.find(names[i]);
      ids[i] = found == ids_.end() ? DISPID_UNKNOWN : found->second;
      if (found == ids_.end()) return DISP_E_UNKNOWNNAME;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    const auto found = scripts_.find(member);
    if (found == scripts_.end()) return DISP_E_MEMBERNOTFOUND;
    return found->second(flags, *params, result, exception);
  }

  void Define(const std::wstring& name, Script script) {
    const DISPID id = static_cast<DISPID>(ids_.size() + 1);
    ids_[name] = id;
    scripts_[id] = std::move(script);
  }

  ULONG references = 0;
  int namesAsked = 0;

 private:
  std::map<std::wstring, DISPID> ids_;
  std::map<DISPID, Script> scripts_;
};

}  // namespace sledway::automation::test
