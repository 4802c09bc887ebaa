#include "dispatch_call.hpp"

#include <utility>

namespace sledway::automation_host {

Value::Value(double number) : Value() {
  value_.vt = VT_R8;
  value_.dblVal = number;
}

Value::Value(long number) : Value() {
  value_.vt = VT_I4;
  value_.lVal = number;
}

Value::Value(bool flag) : Value() {
  value_.vt = VT_BOOL;
  value_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

Value::Value(std::wstring_view text) : Value() {
  value_.vt = VT_BSTR;
  value_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Value::Value(IDispatch* object) : Value() {
  value_.vt = VT_DISPATCH;
  value_.pdispVal = object;
  if (object != nullptr) object->AddRef();
}

Value::Value(Value&& other) noexcept : value_(other.value_) {
  VariantInit(&other.value_);
}

Value& Value::operator=(Value&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

double Value::Double() const {
  Value converted;
  if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_R8)))
    return 0.0;
  return converted.Raw().dblVal;
}

long Value::Long() const {
  Value converted;
  if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_I4))) return 0;
  return converted.Raw().lVal;
}

bool Value::Boolean() const {
  Value converted;
  if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_BOOL)))
    return false;
  return converted.Raw().boolVal != VARIANT_FALSE;
}

std::wstring Value::Text() const {
  Value converted;
  if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_BSTR)) ||
      converted.Raw().bstrVal == nullptr) {
    return L"";
  }
  return {converted.Raw().bstrVal, SysStringLen(converted.Raw().bstrVal)};
}

Microsoft::WRL::ComPtr<IDispatch> Value::Object() const {
  Microsoft::WRL::ComPtr<IDispatch> object;
  if (value_.vt == VT_DISPATCH) object = value_.pdispVal;
  return object;
}

namespace {

Outcome Invoke(IDispatch* object, std::wstring_view name, WORD flags,
               std::vector<VARIANT> arguments, bool put) {
  Outcome outcome;
  if (object == nullptr) {
    outcome.result = E_POINTER;
    outcome.error = L"no object";
    return outcome;
  }
  std::wstring member(name);
  LPOLESTR names[] = {member.data()};
  DISPID id = DISPID_UNKNOWN;
  outcome.result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(outcome.result)) {
    outcome.error = L"no member " + member;
    return outcome;
  }
  // IDispatch takes the arguments last first; a put's value is the named argument.
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), put ? &putId : nullptr,
                    static_cast<UINT>(reversed.size()), put ? 1u : 0u};
  EXCEPINFO exception{};
  UINT argumentError = 0;
  outcome.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                  put ? nullptr : outcome.value.Get(), &exception, &argumentError);
  if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  outcome.errorCode = exception.scode;
  if (exception.bstrDescription != nullptr) outcome.error = exception.bstrDescription;
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
  return outcome;
}

}  // namespace

Outcome Call(IDispatch* object, std::wstring_view name, WORD flags,
             std::vector<VARIANT> arguments) {
  return Invoke(object, name, flags, std::move(arguments), false);
}

Outcome Get(IDispatch* object, std::wstring_view name, std::vector<VARIANT> arguments) {
  return Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(arguments), false);
}

Outcome Put(IDispatch* object, std::wstring_view name, const VARIANT& value,
            std::vector<VARIANT> arguments) {
  arguments.push_back(value);
  return Invoke(object, name, DISPATCH_PROPERTYPUT, std::move(arguments), true);
}

VARIANT ByRef(double& number) {
  VARIANT reference{};
  reference.vt = VT_BYREF | VT_R8;
  reference.pdblVal = &number;
  return reference;
}

VARIANT ByRef(VARIANT_BOOL& flag) {
  VARIANT reference{};
  reference.vt = VT_BYREF | VT_BOOL;
  reference.pboolVal = &flag;
  return reference;
}

VARIANT ByRef(IDispatch*& object) {
  VARIANT reference{};
  reference.vt = VT_BYREF | VT_DISPATCH;
  reference.ppdispVal = &object;
  return reference;
}

VARIANT ByRef(SAFEARRAY*& array) {
  VARIANT reference{};
  reference.vt = VT_BYREF | VT_ARRAY | VT_R8;
  reference.pparray = &array;
  return reference;
}

SAFEARRAY* NewDoubles(const std::vector<double>& values) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(values.size()));
  if (array == nullptr) return nullptr;
  for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
    double value = values[static_cast<size_t>(i)];
    SafeArrayPutElement(array, &i, &value);
  }
  return array;
}

std::vector<double> Doubles(SAFEARRAY* array) {
  std::vector<double> values;
  LONG low = 0;
  LONG high = -1;
  if (array == nullptr || SafeArrayGetDim(array) != 1 ||
      FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high))) {
    return values;
  }
  for (LONG i = low; i <= high; ++i) {
    double value = 0.0;
    SafeArrayGetElement(array, &i, &value);
    values.push_back(value);
  }
  return values;
}

}  // namespace sledway::automation_host
