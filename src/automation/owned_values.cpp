#include "automation/owned_values.hpp"

#include <algorithm>
#include <new>
#include <utility>

#include "host/host_error.hpp"
#include "platform/win32/wide_text.hpp"

namespace sledway::automation {
namespace {

[[noreturn]] void Mismatch(std::string_view what, std::string_view expected) {
  throw HostError(static_cast<std::uint32_t>(DISP_E_TYPEMISMATCH),
                  std::string(what) + " did not give " + std::string(expected));
}

}  // namespace

Bstr::Bstr(std::string_view utf8) {
  const std::wstring wide = platform::Wide(utf8);
  text_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (text_ == nullptr) throw std::bad_alloc();
}

Bstr Bstr::Adopt(BSTR owned) {
  Bstr adopted;
  adopted.text_ = owned;
  return adopted;
}

Bstr::~Bstr() {
  SysFreeString(text_);
}

Bstr::Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    SysFreeString(text_);
    text_ = std::exchange(other.text_, nullptr);
  }
  return *this;
}

BSTR Bstr::Detach() {
  return std::exchange(text_, nullptr);
}

std::string Bstr::Utf8() const {
  return text_ == nullptr ? std::string() : platform::Utf8({text_, SysStringLen(text_)});
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
  VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

Variant Variant::Converted(VARTYPE type, std::string_view what) const {
  Variant converted;
  if (FAILED(VariantCopyInd(converted.Get(), const_cast<VARIANT*>(&value_))) ||
      FAILED(VariantChangeType(converted.Get(), converted.Get(), 0, type))) {
    Mismatch(what, type == VT_R8 ? "a number" : type == VT_BOOL ? "a Boolean" : "a value");
  }
  return converted;
}

double Variant::AsDouble(std::string_view what) const {
  return Converted(VT_R8, what).Value().dblVal;
}

std::int32_t Variant::AsLong(std::string_view what) const {
  return Converted(VT_I4, what).Value().lVal;
}

bool Variant::AsBool(std::string_view what) const {
  return Converted(VT_BOOL, what).Value().boolVal != VARIANT_FALSE;
}

std::string Variant::AsString(std::string_view what) const {
  const Variant text = Converted(VT_BSTR, what);
  const BSTR bstr = text.Value().bstrVal;
  return bstr == nullptr ? std::string() : platform::Utf8({bstr, SysStringLen(bstr)});
}

ComPtr<IDispatch> Variant::AsObject(std::string_view what) const {
  Variant plain;
  if (FAILED(VariantCopyInd(plain.Get(), const_cast<VARIANT*>(&value_))))
    Mismatch(what, "an object");
  const VARIANT& value = plain.Value();
  ComPtr<IDispatch> object;
  if (value.vt == VT_EMPTY || value.vt == VT_NULL) return object;
  if (value.vt == VT_DISPATCH) {
    object = value.pdispVal;
    return object;
  }
  if (value.vt == VT_UNKNOWN) {
    if (value.punkVal == nullptr) return object;
    if (SUCCEEDED(value.punkVal->QueryInterface(IID_PPV_ARGS(object.GetAddressOf())))) {
      return object;
    }
  }
  Mismatch(what, "an object");
}

DoubleArray::DoubleArray(std::span<const double> values) {
  array_ = SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(values.size()));
  if (array_ == nullptr) throw std::bad_alloc();
  double* data = nullptr;
  if (FAILED(SafeArrayAccessData(array_, reinterpret_cast<void**>(&data)))) {
    throw HostError(static_cast<std::uint32_t>(E_FAIL), "an array of numbers could not be filled");
  }
  std::copy(values.begin(), values.end(), data);
  SafeArrayUnaccessData(array_);
}

DoubleArray::~DoubleArray() {
  if (array_ != nullptr) SafeArrayDestroy(array_);
}

DoubleArray::DoubleArray(DoubleArray&& other) noexcept
    : array_(std::exchange(other.array_, nullptr)) {}

DoubleArray& DoubleArray::operator=(DoubleArray&& other) noexcept {
  if (this != &other) {
    if (array_ != nullptr) SafeArrayDestroy(array_);
    array_ = std::exchange(other.array_, nullptr);
  }
  return *this;
}

std::vector<double> DoubleArray::Values(std::string_view what) const {
  VARTYPE type = VT_EMPTY;
  if (array_ == nullptr || SafeArrayGetDim(array_) != 1 ||
      FAILED(SafeArrayGetVartype(array_, &type)) || type != VT_R8) {
    Mismatch(what, "an array of numbers");
  }
  LONG lower = 0;
  LONG upper = -1;
  SafeArrayGetLBound(array_, 1, &lower);
  SafeArrayGetUBound(array_, 1, &upper);
  std::vector<double> values(static_cast<std::size_t>(upper - lower + 1));
  if (values.empty()) return values;
  double* data = nullptr;
  if (FAILED(SafeArrayAccessData(array_, reinterpret_cast<void**>(&data)))) {
    Mismatch(what, "a readable array of numbers");
  }
  std::copy(data, data + values.size(), values.begin());
  SafeArrayUnaccessData(array_);
  return values;
}

}  // namespace sledway::automation
