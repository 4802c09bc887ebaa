#include "automation/host_type_library.hpp"

#include <cwchar>

namespace sledway::automation {
namespace {

bool Named(ITypeLib& library, UINT index, const wchar_t* name) {
  BSTR found = nullptr;
  if (FAILED(
          library.GetDocumentation(static_cast<INT>(index), &found, nullptr, nullptr, nullptr))) {
    return false;
  }
  const Bstr owned = Bstr::Adopt(found);
  return owned.Get() != nullptr && std::wcscmp(owned.Get(), name) == 0;
}

}  // namespace

HostTypeLibrary HostTypeLibrary::Of(IDispatch& object) {
  HostTypeLibrary library;
  ComPtr<ITypeInfo> info;
  UINT index = 0;
  if (SUCCEEDED(object.GetTypeInfo(0, LOCALE_USER_DEFAULT, info.GetAddressOf())) && info) {
    if (FAILED(info->GetContainingTypeLib(library.library_.GetAddressOf(), &index))) {
      library.library_.Reset();
    }
  }
  return library;
}

ComPtr<ITypeInfo> HostTypeLibrary::Type(const wchar_t* name) const {
  ComPtr<ITypeInfo> type;
  if (!library_) return type;
  const UINT count = library_->GetTypeInfoCount();
  for (UINT i = 0; i < count; ++i) {
    if (Named(*library_.Get(), i, name)) {
      if (FAILED(library_->GetTypeInfo(i, type.GetAddressOf()))) type.Reset();
      return type;
    }
  }
  return type;
}

IID InterfaceId(ITypeInfo& type) {
  IID id = IID_NULL;
  TYPEATTR* attributes = nullptr;
  if (SUCCEEDED(type.GetTypeAttr(&attributes))) {
    id = attributes->guid;
    type.ReleaseTypeAttr(attributes);
  }
  return id;
}

DISPID MemberId(ITypeInfo& type, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  MEMBERID id = MEMBERID_NIL;
  return SUCCEEDED(type.GetIDsOfNames(names, 1, &id)) ? id : DISPID_UNKNOWN;
}

}  // namespace sledway::automation
