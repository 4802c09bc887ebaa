#pragma once

// The host's own type information, read by name: the source interfaces whose events the binding
// hears, the dispatch ids of those events, and named constants of the host's enumerations. Nothing
// of the host is compiled in.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>

#include "automation/owned_values.hpp"

namespace sledway::automation {

class HostTypeLibrary {
 public:
  // The type library that describes `object`; empty when the object has no type information.
  static HostTypeLibrary Of(IDispatch& object);

  // The type of that name; null when there is none.
  ComPtr<ITypeInfo> Type(const wchar_t* name) const;

 private:
  ComPtr<ITypeLib> library_;
};

// The interface id of a type, and the dispatch id of one of its members (DISPID_UNKNOWN when it
// has no such member).
IID InterfaceId(ITypeInfo& type);
DISPID MemberId(ITypeInfo& type, const wchar_t* name);

}  // namespace sledway::automation
