#pragma once

// The arguments of an IDispatch::Invoke call, read by their place in the call as the caller wrote
// it. IDispatch passes them last first, by value or by reference (a VARIANT pointing to the
// caller's variable or to another VARIANT), and in whatever type the caller had at hand; each
// reader converts as COM's own conversions do and reports a failure as the DISP_E_* code that
// Invoke returns, with the failing argument's index in the caller's array.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>

namespace sledway::com {

class DispatchArguments {
 public:
  // `params` may be null (no arguments); `argumentError` may be null.
  DispatchArguments(const DISPPARAMS* params, UINT* argumentError);

  // S_OK for exactly `count` positional arguments; DISP_E_NONAMEDARGS when some are named,
  // DISP_E_BADPARAMCOUNT otherwise.
  HRESULT Expect(UINT count) const;

  HRESULT Bool(UINT position, bool& value) const;
  HRESULT Long(UINT position, std::int32_t& value) const;
  // An object (IDispatch, or an IUnknown that answers IDispatch); nothing else, nor a null one.
  HRESULT Object(UINT position, Microsoft::WRL::ComPtr<IDispatch>& object) const;

 private:
  // The argument's value with references followed (E_POINTER for a reference to nothing), and
  // converted to `type` (DISP_E_OVERFLOW for a value out of its range).
  HRESULT Followed(UINT position, VARIANT& value) const;
  HRESULT Converted(UINT position, VARTYPE type, VARIANT& value) const;
  HRESULT Mismatch(UINT position) const;
  HRESULT Failed(UINT position, HRESULT code) const;

  const DISPPARAMS* params_;
  UINT* argumentError_;
};

}  // namespace sledway::com
