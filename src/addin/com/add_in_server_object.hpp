#pragma once

// The add-in server as the CAD host sees it: a COM object answering IUnknown, IDispatch and the
// host's ApplicationAddInServer, whose Invoke carries the host's four calls to the add-in's
// ApplicationAddInServer of src/host. Activate hands the host's add-in site, an IDispatch, to
// the activation, which binds it and returns the activated server; the object holds that
// server until Deactivate. Before activation and after deactivation there is no server: the
// other calls then do nothing and Automation is Nothing. No exception leaves a method: a failure
// inside becomes DISP_E_EXCEPTION with its message in the EXCEPINFO.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include <atomic>
#include <functional>

#include "host/add_in_server.hpp"

namespace sledway::com {

using Activation = std::function<Ref<ApplicationAddInServer>(
    const Microsoft::WRL::ComPtr<IDispatch>& hostSite, bool firstTime)>;

class AddInServerObject final : public IDispatch {
 public:
  // The object starts with one reference, the caller's. It counts as a live object of the
  // library while it exists.
  explicit AddInServerObject(Activation activate);
  AddInServerObject(const AddInServerObject&) = delete;
  AddInServerObject& operator=(const AddInServerObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // The server has no type information: callers bind by the names or the host's dispatch ids.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  ~AddInServerObject();

  HRESULT Activate(DISPPARAMS* params, UINT* argumentError);
  HRESULT Deactivate(DISPPARAMS* params, UINT* argumentError);
  HRESULT ExecuteCommand(DISPPARAMS* params, UINT* argumentError);
  HRESULT Automation(DISPPARAMS* params, VARIANT* result);

  std::atomic<ULONG> references_{1};
  Activation activate_;
  Ref<ApplicationAddInServer> server_;
};

}  // namespace sledway::com
