#include "automation/dispatch_object.hpp"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "host/host_error.hpp"
#include "platform/win32/wide_text.hpp"

namespace sledway::automation {
namespace {

std::atomic<std::uint64_t> invokeCount{0};

std::string MemberText(const Member& member) {
  return platform::Utf8(member.object) + "." + platform::Utf8(member.name);
}

// The dispatch ids of every kind of object the host's type information names, keyed by the
// kind's GUID; an object without type information keeps its own.
std::shared_ptr<MemberIds> IdsFor(IDispatch& object) {
  static std::map<std::wstring, std::shared_ptr<MemberIds>> byKind;
  ComPtr<ITypeInfo> info;
  TYPEATTR* attributes = nullptr;
  std::wstring kind;
  if (SUCCEEDED(object.GetTypeInfo(0, LOCALE_USER_DEFAULT, info.GetAddressOf())) && info &&
      SUCCEEDED(info->GetTypeAttr(&attributes))) {
    wchar_t text[40] = {};
    if (!IsEqualGUID(attributes->guid, GUID_NULL)) StringFromGUID2(attributes->guid, text, 40);
    kind = text;
    info->ReleaseTypeAttr(attributes);
  }
  if (kind.empty()) return std::make_shared<MemberIds>();
  auto& ids = byKind[kind];
  if (!ids) ids = std::make_shared<MemberIds>();
  return ids;
}

}  // namespace

Arg::Arg(double value) {
  holder_.Get()->vt = VT_R8;
  holder_.Get()->dblVal = value;
}

Arg::Arg(std::int32_t value) {
  holder_.Get()->vt = VT_I4;
  holder_.Get()->lVal = value;
}

Arg::Arg(bool value) {
  holder_.Get()->vt = VT_BOOL;
  holder_.Get()->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Arg::Arg(const std::string& utf8) {
  holder_.Get()->bstrVal = Bstr(utf8).Detach();
  holder_.Get()->vt = VT_BSTR;
}

Arg::Arg(IDispatch* object) {
  holder_.Get()->vt = VT_DISPATCH;
  holder_.Get()->pdispVal = object;
  if (object != nullptr) object->AddRef();
}

Arg Arg::Missing() {
  Arg missing;
  missing.holder_.Get()->vt = VT_ERROR;
  missing.holder_.Get()->scode = DISP_E_PARAMNOTFOUND;
  return missing;
}

// A reference is not owned: the VARIANT only points at the caller's variable, and clearing a
// VT_BYREF VARIANT frees nothing.
Arg Arg::ByRef(double& value) {
  Arg reference;
  reference.holder_.Get()->vt = VT_BYREF | VT_R8;
  reference.holder_.Get()->pdblVal = &value;
  return reference;
}

Arg Arg::ByRef(DoubleArray& values) {
  Arg reference;
  reference.holder_.Get()->vt = VT_BYREF | VT_ARRAY | VT_R8;
  reference.holder_.Get()->pparray = values.Address();
  return reference;
}

DispatchObject::DispatchObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}

std::uint64_t DispatchObject::InvokeCount() {
  return invokeCount.load();
}

DISPID DispatchObject::Id(const Member& member) {
  if (!object_) {
    throw HostError(static_cast<std::uint32_t>(RPC_E_DISCONNECTED),
                    MemberText(member) + ": the host object was let go when Sledway was unloaded");
  }
  const ComPtr<IDispatch> held = object_;
  if (!ids_) ids_ = IdsFor(*held.Get());
  const auto found = ids_->ids.find(member.name);
  if (found != ids_->ids.end()) return found->second;
  LPOLESTR name = const_cast<LPOLESTR>(member.name);
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(held->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) {
    id = DISPID_UNKNOWN;
  }
  ids_->ids.emplace(member.name, id);
  return id;
}

bool DispatchObject::Has(const Member& member) {
  return Id(member) != DISPID_UNKNOWN;
}

Variant DispatchObject::Invoke(const Member& member, WORD flags, std::vector<VARIANT> reversed) {
  const bool put = flags == DISPATCH_PROPERTYPUT;
  // The member table is what the binding is checked against: a call it does not describe is
  // refused before it reaches the host.
  if (!put && reversed.size() != member.arguments) {
    throw HostError(hresult::kInvalidArg,
                    std::string(member.role) + ": called with " + std::to_string(reversed.size()) +
                        " arguments, the member table says " + std::to_string(member.arguments));
  }
  const DISPID id = Id(member);
  if (id == DISPID_UNKNOWN) ThrowHostFailure(member, DISP_E_UNKNOWNNAME, nullptr);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), put ? &named : nullptr,
                    static_cast<UINT>(reversed.size()), put ? 1u : 0u};
  Variant result;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  ++invokeCount;
  // Held for the length of the call: a Deactivate the host runs inside it lets go of object_.
  const ComPtr<IDispatch> held = object_;
  const HRESULT outcome = held->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       put ? nullptr : result.Get(), &exception, &argumentError);
  if (FAILED(outcome)) ThrowHostFailure(member, outcome, &exception);
  return result;
}

// IDispatch takes the arguments last first; the VARIANTs stay owned by the Args.
std::vector<VARIANT> DispatchObject::Reversed(std::initializer_list<Arg> arguments) {
  std::vector<VARIANT> reversed;
  reversed.reserve(arguments.size());
  for (auto argument = std::rbegin(arguments); argument != std::rend(arguments); ++argument) {
    reversed.push_back(argument->Value());
  }
  return reversed;
}

// Both kinds, as a Basic caller's "object.Member(arguments)" asks: the host declares some of these
// members as properties and some as methods.
Variant DispatchObject::Read(const Member& member, std::initializer_list<Arg> arguments) {
  return Invoke(member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, Reversed(arguments));
}

Variant DispatchObject::Call(const Member& member, std::initializer_list<Arg> arguments) {
  return Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, Reversed(arguments));
}

void DispatchObject::Write(const Member& member, const Arg& value) {
  Invoke(member, DISPATCH_PROPERTYPUT, {value.Value()});
}

void ThrowHostFailure(const Member& member, HRESULT code, EXCEPINFO* exception) {
  std::string text;
  if (code == DISP_E_EXCEPTION && exception != nullptr) {
    if (exception->pfnDeferredFillIn != nullptr) exception->pfnDeferredFillIn(exception);
    const Bstr description = Bstr::Adopt(std::exchange(exception->bstrDescription, nullptr));
    const Bstr source = Bstr::Adopt(std::exchange(exception->bstrSource, nullptr));
    const Bstr help = Bstr::Adopt(std::exchange(exception->bstrHelpFile, nullptr));
    text = description.Utf8();
    if (FAILED(exception->scode)) code = exception->scode;
  }
  if (text.empty()) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
    text = code == DISP_E_UNKNOWNNAME ? "the host has no such member" : std::string("error ") + hex;
  }
  throw HostError(static_cast<std::uint32_t>(code), MemberText(member) + ": " + text);
}

}  // namespace sledway::automation
