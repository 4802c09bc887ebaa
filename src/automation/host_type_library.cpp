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

std::optional<std::int32_t> HostTypeLibrary::Constant(const wchar_t* enumeration,
                                                      const wchar_t* constant) const {
  const ComPtr<ITypeInfo> type = Type(enumeration);
  if (!type) return std::nullopt;
  TYPEATTR* attributes = nullptr;
  if (FAILED(type->GetTypeAttr(&attributes))) return std::nullopt;
  const WORD count = attributes->typekind == TKIND_ENUM ? attributes->cVars : 0;
  type->ReleaseTypeAttr(attributes);
  for (WORD i = 0; i < count; ++i) {
    VARDESC* description = nullptr;
    if (FAILED(type->GetVarDesc(i, &description))) continue;
    BSTR found = nullptr;
    std::optional<std::int32_t> value;
    if (SUCCEEDED(type->GetDocumentation(description->memid, &found, nullptr, nullptr, nullptr))) {
      const Bstr name = Bstr::Adopt(found);
      if (name.Get() != nullptr && std::wcscmp(name.Get(), constant) == 0 &&
          description->varkind == VAR_CONST && description->lpvarValue != nullptr) {
        VARIANT number;
        VariantInit(&number);
        if (SUCCEEDED(VariantChangeType(&number, description->lpvarValue, 0, VT_I4))) {
          value = number.lVal;
        }
      }
    }
    type->ReleaseVarDesc(description);
    if (value) return value;
  }
  return std::nullopt;
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
