#include "com_object.hpp"

#include <atomic>
#include <stdexcept>

namespace sledway::automation_host {

namespace {

std::atomic<long> live_objects{0};

std::wstring ModulePath() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ModulePath), &module);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(module, path.data(), MAX_PATH));
  return path;
}

}  // namespace

long LiveObjectCount() {
  return live_objects.load();
}

void CountLiveObject(long change) {
  live_objects += change;
}

ITypeLib& TypeLibrary() {
  static const ComPtr<ITypeLib> library = [] {
    ComPtr<ITypeLib> loaded;
    const HRESULT result = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &loaded);
    if (FAILED(result)) {
      throw std::runtime_error("the test host's type library is not in this program's resources");
    }
    return loaded;
  }();
  return *library.Get();
}

ComPtr<ITypeInfo> TypeInfoOf(REFGUID guid) {
  ComPtr<ITypeInfo> info;
  if (FAILED(TypeLibrary().GetTypeInfoOfGuid(guid, &info))) {
    throw std::runtime_error("the test host's type library lacks an interface it implements");
  }
  return info;
}

HRESULT Failure(HRESULT code, const std::wstring& text) {
  ComPtr<ICreateErrorInfo> creator;
  if (SUCCEEDED(CreateErrorInfo(&creator))) {
    creator->SetDescription(const_cast<LPOLESTR>(text.c_str()));
    creator->SetSource(const_cast<LPOLESTR>(L"Sledway automation test host"));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(creator.As(&info))) SetErrorInfo(0, info.Get());
  }
  return code;
}

HRESULT Give(IDispatch* object, IDispatch** out) {
  return Give(ComPtr<IDispatch>(object), out);
}

HRESULT GiveText(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT GiveBoolean(bool value, VARIANT_BOOL* out) {
  if (out == nullptr) return E_POINTER;
  *out = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

bool Present(const VARIANT& argument) {
  const VARIANT& value = argument.vt == (VT_BYREF | VT_VARIANT) ? *argument.pvarVal : argument;
  if (value.vt == VT_EMPTY) return false;
  return !(value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}

HRESULT ReadDouble(const VARIANT& argument, double& value) {
  VARIANT converted;
  VariantInit(&converted);
  HRESULT result = VariantChangeType(&converted, const_cast<VARIANT*>(&argument), 0, VT_R8);
  if (FAILED(result)) return Failure(DISP_E_TYPEMISMATCH, L"a number was expected");
  value = converted.dblVal;
  return S_OK;
}

HRESULT ReadBoolean(const VARIANT& argument, bool& value) {
  VARIANT converted;
  VariantInit(&converted);
  HRESULT result = VariantChangeType(&converted, const_cast<VARIANT*>(&argument), 0, VT_BOOL);
  if (FAILED(result)) return Failure(DISP_E_TYPEMISMATCH, L"True or False was expected");
  value = converted.boolVal != VARIANT_FALSE;
  return S_OK;
}

}  // namespace sledway::automation_host
