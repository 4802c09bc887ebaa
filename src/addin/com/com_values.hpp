#pragma once

// Owning wrappers for the two values COM hands around by hand-managed memory: BSTR strings and
// VARIANTs. Everything else of ours holds them only through these.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oleauto.h>

#include <string>
#include <string_view>

namespace sledway::com {

// UTF-8 (the add-in's strings) to UTF-16 (COM's), and back.
std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);

// A BSTR freed when it goes out of scope; Detach hands it to a caller that frees it.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::wstring_view text);
  // Takes over a string a callee allocated, such as one in an EXCEPINFO.
  static Bstr Adopt(BSTR owned);
  ~Bstr();
  Bstr(Bstr&& other) noexcept;
  Bstr& operator=(Bstr&& other) noexcept;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR Get() const { return text_; }
  BSTR Detach();

 private:
  BSTR text_ = nullptr;
};

// A VARIANT cleared (its string freed, its object released) when it goes out of scope.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* Get() { return &value_; }
  const VARIANT& Value() const { return value_; }

 private:
  VARIANT value_;
};

}  // namespace sledway::com
