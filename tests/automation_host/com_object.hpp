#pragma once

// The base of every test-host object: reference counting with a process-wide count of live
// objects, IDispatch answered through the type library compiled from automation_host.idl, and
// the host's Type member.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <exception>
#include <new>
#include <string>
#include <utility>

#include "automation_host.h"
#include "object_types.hpp"

namespace sledway::automation_host {

using Microsoft::WRL::ComPtr;

// Test-host COM objects alive in this process.
long LiveObjectCount();
void CountLiveObject(long change);

// The type library embedded in this program as its TYPELIB resource 1.
ITypeLib& TypeLibrary();
// The type information of an interface, dispinterface or coclass of the library.
ComPtr<ITypeInfo> TypeInfoOf(REFGUID guid);

// Sets the thread's error information (what a caller's EXCEPINFO shows) and returns `code`.
HRESULT Failure(HRESULT code, const std::wstring& text);

// Runs a call that came through a COM interface, turning any exception into a failure: none may
// cross the boundary. Invoke runs every member it calls so.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& error) {
    const std::string what = error.what();
    return Failure(E_FAIL, std::wstring(what.begin(), what.end()));
  }
}

// Hands `object` to a caller's [out] pointer with the caller's own reference.
template <class Held>
HRESULT Give(const ComPtr<Held>& object, IDispatch** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (object) object.CopyTo(out);
  return S_OK;
}
HRESULT Give(IDispatch* object, IDispatch** out);
HRESULT GiveText(const std::wstring& text, BSTR* out);
HRESULT GiveBoolean(bool value, VARIANT_BOOL* out);

// Reads an argument a caller may have left out; false when it is missing.
bool Present(const VARIANT& argument);
// Reads a number argument (any numeric VARIANT or a text holding a number).
HRESULT ReadDouble(const VARIANT& argument, double& value);
HRESULT ReadBoolean(const VARIANT& argument, bool& value);

// Makes a COM object whose one reference is the returned pointer's (objects start with none).
template <class Made, class... Arguments>
ComPtr<Made> Make(Arguments&&... arguments) {
  return ComPtr<Made>(new Made(std::forward<Arguments>(arguments)...));
}

// A COM object answering `Interface` (a dual interface of the library) and the interfaces it
// derives from (`Bases`, for QueryInterface). `application` is the host's Application, which
// outlives every object of the scene.
template <class Interface, class... Bases>
class Object : public Interface {
 public:
  explicit Object(IDispatch* application, long type = object_type::kHostObject)
      : type_(type), application_(application) {
    CountLiveObject(1);
  }
  virtual ~Object() { CountLiveObject(-1); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, __uuidof(HostObject)) || IsEqualIID(iid, __uuidof(Interface)) ||
        (IsEqualIID(iid, __uuidof(Bases)) || ...)) {
      *out = static_cast<Interface*>(this);
    } else {
      *out = OtherInterface(iid);
    }
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return Guarded([&] { return TypeInfoOf(__uuidof(Interface)).CopyTo(info); });
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return Guarded([&] { return VtableInfo().GetIDsOfNames(names, count, ids); });
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID, WORD flags,
                                   DISPPARAMS* arguments, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return Guarded([&] {
      return VtableInfo().Invoke(static_cast<Interface*>(this), member, flags, arguments, result,
                                 exception, argumentError);
    });
  }

  HRESULT STDMETHODCALLTYPE get_Type(long* value) override {
    if (value == nullptr) return E_POINTER;
    *value = type_;
    return S_OK;
  }

 protected:
  IDispatch* application() const { return application_; }
  // Interfaces beyond the dual one (connection points, class information).
  virtual void* OtherInterface(REFIID) { return nullptr; }

 private:
  // The vtable half of the dual interface, whose Invoke calls this object's methods.
  static ITypeInfo& VtableInfo() {
    static const ComPtr<ITypeInfo> info = [] {
      ComPtr<ITypeInfo> dispatch = TypeInfoOf(__uuidof(Interface));
      HREFTYPE vtable = 0;
      ComPtr<ITypeInfo> vtableHalf;
      if (SUCCEEDED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable)) &&
          SUCCEEDED(dispatch->GetRefTypeInfo(vtable, &vtableHalf))) {
        return vtableHalf;
      }
      return dispatch;
    }();
    return *info.Get();
  }

  ULONG references_ = 0;
  long type_;
  IDispatch* application_;
};

}  // namespace sledway::automation_host
