#include "addin/com/dispatch_arguments.hpp"

#include "automation/owned_values.hpp"

namespace sledway::com {

DispatchArguments::DispatchArguments(const DISPPARAMS* params, UINT* argumentError)
    : params_(params), argumentError_(argumentError) {}

HRESULT DispatchArguments::Expect(UINT count) const {
  const UINT given = params_ == nullptr ? 0 : params_->cArgs;
  if (params_ != nullptr && params_->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (given != count || (count != 0 && params_->rgvarg == nullptr)) return DISP_E_BADPARAMCOUNT;
  return S_OK;
}

HRESULT DispatchArguments::Mismatch(UINT position) const {
  return Failed(position, DISP_E_TYPEMISMATCH);
}

HRESULT DispatchArguments::Failed(UINT position, HRESULT code) const {
  if (argumentError_ != nullptr) *argumentError_ = params_->cArgs - 1 - position;
  return code;
}

HRESULT DispatchArguments::Followed(UINT position, VARIANT& value) const {
  // Expect() has checked that the argument is there.
  VARIANT& given = params_->rgvarg[params_->cArgs - 1 - position];
  // A reference to nothing: following it would read through a null pointer.
  if ((given.vt & VT_BYREF) != 0 && given.byref == nullptr) return Failed(position, E_POINTER);
  if (FAILED(VariantCopyInd(&value, &given))) return Mismatch(position);
  return S_OK;
}

HRESULT DispatchArguments::Converted(UINT position, VARTYPE type, VARIANT& value) const {
  if (const HRESULT followed = Followed(position, value); FAILED(followed)) return followed;
  const HRESULT changed = VariantChangeType(&value, &value, 0, type);
  if (changed == DISP_E_OVERFLOW) return Failed(position, DISP_E_OVERFLOW);
  if (FAILED(changed)) return Mismatch(position);
  return S_OK;
}

HRESULT DispatchArguments::Bool(UINT position, bool& value) const {
  automation::Variant converted;
  if (const HRESULT result = Converted(position, VT_BOOL, *converted.Get()); FAILED(result)) {
    return result;
  }
  value = converted.Value().boolVal != VARIANT_FALSE;
  return S_OK;
}

HRESULT DispatchArguments::Long(UINT position, std::int32_t& value) const {
  automation::Variant converted;
  if (const HRESULT result = Converted(position, VT_I4, *converted.Get()); FAILED(result)) {
    return result;
  }
  value = converted.Value().lVal;
  return S_OK;
}

HRESULT DispatchArguments::Object(UINT position, Microsoft::WRL::ComPtr<IDispatch>& object) const {
  automation::Variant given;
  if (const HRESULT followed = Followed(position, *given.Get()); FAILED(followed)) return followed;
  const VARIANT& value = given.Value();
  if (value.vt == VT_DISPATCH && value.pdispVal != nullptr) {
    object = value.pdispVal;
    return S_OK;
  }
  if (value.vt == VT_UNKNOWN && value.punkVal != nullptr &&
      SUCCEEDED(value.punkVal->QueryInterface(IID_PPV_ARGS(object.ReleaseAndGetAddressOf())))) {
    return S_OK;
  }
  return Mismatch(position);
}

}  // namespace sledway::com
