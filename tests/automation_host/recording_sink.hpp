#pragma once

// An event sink as the add-in's binding makes one: a plain IDispatch connected to a source
// interface, which records the events it receives by name (read from the source's type
// information) and can answer OnPreSelect's by-reference arguments.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace sledway::automation_host {

class RecordingSink final : public IDispatch {
 public:
  // Names of events received, in order.
  std::vector<std::wstring> events;
  // The entities of each OnPreSelect and the count of each OnSelect's JustSelectedEntities.
  std::vector<Microsoft::WRL::ComPtr<IDispatch>> preSelected;
  std::vector<long> selectedCounts;
  // What OnPreSelect answers: DoHighlight, and the entities it adds to MorePreSelectEntities.
  bool highlight = true;
  std::vector<Microsoft::WRL::ComPtr<IDispatch>> more;

  // `source` is the type information of the source dispinterface the sink serves.
  explicit RecordingSink(Microsoft::WRL::ComPtr<ITypeInfo> source) : source_(std::move(source)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  // The test owns the sink on its stack; the count shows whether the host let go of it.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* arguments,
                                   VARIANT*, EXCEPINFO*, UINT*) override;

  ULONG references = 0;

 private:
  Microsoft::WRL::ComPtr<ITypeInfo> source_;
};

// The type information of the source dispinterface `name`, found as the binding finds it: from
// `object`'s own type information, through its type library.
Microsoft::WRL::ComPtr<ITypeInfo> SourceInterface(IDispatch* object, const wchar_t* name);

// Connects `sink` to `object`'s connection point for the source `events`; the cookie, or 0.
DWORD Connect(IDispatch* object, ITypeInfo& events, IDispatch* sink);
HRESULT Disconnect(IDispatch* object, ITypeInfo& events, DWORD cookie);

}  // namespace sledway::automation_host
