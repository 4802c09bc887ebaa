#pragma once

// The host's part in the tests: an add-in site object as the host passes it to Activate, whose
// references can be counted, and helpers to make the host's calls.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>

#include <string>
#include <vector>

#include "scripted_object.hpp"

namespace sledway::com::test {

// An add-in site with no members, as the host passes it to Activate, whose references are counted.
using TestSite = automation::test::ScriptedObject;

// What Invoke returned, with its EXCEPINFO and failing argument.
struct Call {
  HRESULT result = S_OK;
  EXCEPINFO exception{};
  UINT argumentError = 0xFFFFFFFFu;
  VARIANT value{};

  Call() = default;
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;
  ~Call() {
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&value);
  }

  std::wstring Description() const {
    return exception.bstrDescription == nullptr ? L"" : exception.bstrDescription;
  }
};

// Calls `member` with `arguments` given first to last, as a caller writes them; IDispatch wants
// them last first.
inline void Invoke(IDispatch& server, DISPID member, WORD flags, std::vector<VARIANT> arguments,
                   Call& call) {
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                    static_cast<UINT>(reversed.size()), 0};
  call.result = server.Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &call.value,
                              &call.exception, &call.argumentError);
}

inline VARIANT Object(IDispatch* object) {
  VARIANT value{};
  value.vt = VT_DISPATCH;
  value.pdispVal = object;
  return value;
}

inline VARIANT Boolean(bool on) {
  VARIANT value{};
  value.vt = VT_BOOL;
  value.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
  return value;
}

inline VARIANT Long(LONG number) {
  VARIANT value{};
  value.vt = VT_I4;
  value.lVal = number;
  return value;
}

}  // namespace sledway::com::test
