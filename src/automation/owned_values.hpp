#pragma once

// Owning wrappers for the values COM hands around by hand-managed memory: BSTR strings, VARIANTs
// and SAFEARRAYs of doubles. The binding holds them only through these.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sledway::automation {

using Microsoft::WRL::ComPtr;

// A BSTR freed when it goes out of scope.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::string_view utf8);
  // Takes over a string a callee allocated, such as one in an EXCEPINFO.
  static Bstr Adopt(BSTR owned);
  ~Bstr();
  Bstr(Bstr&& other) noexcept;
  Bstr& operator=(Bstr&& other) noexcept;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR Get() const { return text_; }
  BSTR Detach();
  std::string Utf8() const;

 private:
  BSTR text_ = nullptr;
};

// A VARIANT cleared (its string freed, its object released, its array destroyed) when it goes out
// of scope.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* Get() { return &value_; }
  const VARIANT& Value() const { return value_; }

  // The value converted as COM converts (references followed); a HostError naming `what` when it
  // does not convert.
  double AsDouble(std::string_view what) const;
  std::int32_t AsLong(std::string_view what) const;
  bool AsBool(std::string_view what) const;
  std::string AsString(std::string_view what) const;
  // The object held, or null for Nothing or Empty; a HostError for anything else.
  ComPtr<IDispatch> AsObject(std::string_view what) const;

 private:
  Variant Converted(VARTYPE type, std::string_view what) const;

  VARIANT value_;
};

// A one-dimensional SAFEARRAY of doubles, destroyed when it goes out of scope. A callee that takes
// it by reference may replace it; the wrapper then owns the replacement.
class DoubleArray {
 public:
  DoubleArray() = default;
  explicit DoubleArray(std::span<const double> values);
  ~DoubleArray();
  DoubleArray(DoubleArray&& other) noexcept;
  DoubleArray& operator=(DoubleArray&& other) noexcept;
  DoubleArray(const DoubleArray&) = delete;
  DoubleArray& operator=(const DoubleArray&) = delete;

  // Where a callee writes the array it returns by reference.
  SAFEARRAY** Address() { return &array_; }
  // The values, whatever the array's lower bound; a HostError naming `what` when the callee left
  // no array of doubles.
  std::vector<double> Values(std::string_view what) const;

 private:
  SAFEARRAY* array_ = nullptr;
};

}  // namespace sledway::automation
