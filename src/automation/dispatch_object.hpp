#pragma once

// A host object reached by late binding: its members are found by name with GetIDsOfNames, the
// dispatch ids kept per kind of object, and called through IDispatch::Invoke with VARIANT
// arguments. A failing call becomes a HostError with the host's code and its own words.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/host_members.hpp"
#include "automation/owned_values.hpp"

namespace sledway::automation {

// One argument of a call, as the caller writes it: by value (owned until the call is over), left
// out ([optional] arguments the caller has no value for), or by reference to the caller's double
// or array of doubles, which the host then writes.
class Arg {
 public:
  Arg(double value);             // NOLINT(google-explicit-constructor): reads as the call
  Arg(std::int32_t value);       // NOLINT(google-explicit-constructor)
  Arg(bool value);               // NOLINT(google-explicit-constructor)
  Arg(const std::string& utf8);  // NOLINT(google-explicit-constructor)
  Arg(IDispatch* object);        // NOLINT(google-explicit-constructor): null is Nothing
  static Arg Missing();
  static Arg ByRef(double& value);
  static Arg ByRef(DoubleArray& values);
  Arg(Arg&&) = default;
  Arg& operator=(Arg&&) = default;
  Arg(const Arg&) = delete;
  Arg& operator=(const Arg&) = delete;

  const VARIANT& Value() const { return holder_.Value(); }

 private:
  Arg() = default;
  Variant holder_;
};

// The dispatch ids of one kind of host object, found by name as they are first asked for.
struct MemberIds {
  std::map<std::wstring, DISPID> ids;
};

class DispatchObject {
 public:
  DispatchObject() = default;
  explicit DispatchObject(ComPtr<IDispatch> object);

  IDispatch* Get() const { return object_.Get(); }
  explicit operator bool() const { return object_ != nullptr; }
  // Lets go of the host object; later calls fail.
  void Reset() { object_.Reset(); }

  // A property, or a parameterised one such as Item(Index) or Cell(Row, Column).
  Variant Read(const Member& member, std::initializer_list<Arg> arguments = {});
  void Write(const Member& member, const Arg& value);
  Variant Call(const Member& member, std::initializer_list<Arg> arguments = {});
  // Whether the object has a member of that name.
  bool Has(const Member& member);

  // How many Invoke calls the binding has made, for measuring its cost.
  static std::uint64_t InvokeCount();

 private:
  DISPID Id(const Member& member);
  Variant Invoke(const Member& member, WORD flags, std::vector<VARIANT> reversed);
  static std::vector<VARIANT> Reversed(std::initializer_list<Arg> arguments);

  ComPtr<IDispatch> object_;
  std::shared_ptr<MemberIds> ids_;
};

// A HostError for an HRESULT `code` from `member`, with the host's text when it gave one.
[[noreturn]] void ThrowHostFailure(const Member& member, HRESULT code, EXCEPINFO* exception);

}  // namespace sledway::automation
