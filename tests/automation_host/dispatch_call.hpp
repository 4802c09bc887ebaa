#pragma once

// Late-bound calls as the add-in's binding makes them: a member found by name through
// GetIDsOfNames, then Invoke. For tests of the host and of the binding against it.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include <string>
#include <string_view>
#include <vector>

namespace sledway::automation_host {

// A VARIANT that owns what it holds.
class Value {
 public:
  Value() { VariantInit(&value_); }
  explicit Value(double number);
  explicit Value(long number);
  explicit Value(bool flag);
  explicit Value(std::wstring_view text);
  // Not taken for a bool.
  explicit Value(const wchar_t* text) : Value(std::wstring_view(text)) {}
  explicit Value(IDispatch* object);
  ~Value() { VariantClear(&value_); }
  Value(Value&& other) noexcept;
  Value& operator=(Value&& other) noexcept;
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;

  VARIANT* Get() { return &value_; }
  const VARIANT& Raw() const { return value_; }

  // The value converted as a caller would; 0, false, "" or null when it does not convert.
  double Double() const;
  long Long() const;
  bool Boolean() const;
  std::wstring Text() const;
  Microsoft::WRL::ComPtr<IDispatch> Object() const;

 private:
  VARIANT value_;
};

// What a call returned, with the EXCEPINFO code and text of a failure.
struct Outcome {
  HRESULT result = S_OK;
  Value value;
  HRESULT errorCode = S_OK;
  std::wstring error;

  bool Succeeded() const { return SUCCEEDED(result); }
};

// Calls `name` on `object` with the arguments first to last (the VARIANTs are borrowed, so
// by-reference arguments come back written). `flags` as IDispatch::Invoke takes them.
Outcome Call(IDispatch* object, std::wstring_view name, WORD flags,
             std::vector<VARIANT> arguments = {});
// A property get or a method call.
Outcome Get(IDispatch* object, std::wstring_view name, std::vector<VARIANT> arguments = {});
// A property put: `arguments` are the property's indices, `value` the new value.
Outcome Put(IDispatch* object, std::wstring_view name, const VARIANT& value,
            std::vector<VARIANT> arguments = {});

// By-reference arguments pointing at the caller's storage.
VARIANT ByRef(double& number);
VARIANT ByRef(VARIANT_BOOL& flag);
VARIANT ByRef(IDispatch*& object);
VARIANT ByRef(SAFEARRAY*& array);

// A one-dimensional array of doubles, and its contents.
SAFEARRAY* NewDoubles(const std::vector<double>& values);
std::vector<double> Doubles(SAFEARRAY* array);

}  // namespace sledway::automation_host
