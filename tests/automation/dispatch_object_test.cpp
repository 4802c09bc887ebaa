// The dispatch layer against scripted host objects: values by name, property puts, left-out
// optional arguments, and failures with the host's code and text.

#include "automation/dispatch_object.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "host/host_error.hpp"
#include "scripted_object.hpp"

namespace sledway::automation {
namespace {

using test::ScriptedObject;

// The argument at the place a caller wrote it.
VARIANT& At(DISPPARAMS& params, UINT place) {
  return params.rgvarg[params.cArgs - 1 - place];
}

constexpr Member kValue{"test value", L"Scripted", L"Value"};
constexpr Member kMissingMember{"test missing", L"Scripted", L"NoSuchMember"};

TEST(DispatchObjectTest, ReadsAndWritesPropertiesByNameAndAsksEachNameOnce) {
  ScriptedObject host;
  double stored = 2.5;
  WORD putFlags = 0;
  host.Define(L"Value", [&](WORD flags, DISPPARAMS& params, VARIANT* result, EXCEPINFO*) {
    if (flags & DISPATCH_PROPERTYPUT) {
      putFlags = flags;
      if (params.cNamedArgs != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
        return DISP_E_PARAMNOTOPTIONAL;
      }
      stored = params.rgvarg[0].dblVal;
      return S_OK;
    }
    result->vt = VT_R8;
    result->dblVal = stored;
    return S_OK;
  });
  {
    DispatchObject object{ComPtr<IDispatch>(&host)};
    EXPECT_EQ(object.Read(kValue).AsDouble("value"), 2.5);
    // A number where an object is due is refused, never taken for Nothing.
    EXPECT_THROW(object.Read(kValue).AsObject("value"), HostError);
    const std::uint64_t before = DispatchObject::InvokeCount();
    object.Write(kValue, 7.25);
    EXPECT_EQ(putFlags, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(object.Read(kValue).AsDouble("value"), 7.25);
    EXPECT_EQ(DispatchObject::InvokeCount() - before, 2u);
    EXPECT_EQ(host.namesAsked, 1);
    EXPECT_TRUE(object.Has(kValue));
    EXPECT_FALSE(object.Has(kMissingMember));
    try {
      object.Read(kMissingMember);
      ADD_FAILURE() << "a member the host lacks was read";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(DISP_E_UNKNOWNNAME));
      EXPECT_NE(std::string(error.what()).find("Scripted.NoSuchMember"), std::string::npos);
    }
  }
  EXPECT_EQ(host.references, 0u);
}

TEST(DispatchObjectTest, PassesArgumentsInOrderWithLeftOutOptionalsAndNothing) {
  ScriptedObject host;
  std::vector<VARTYPE> types;
  std::wstring text;
  host.Define(L"Value", [&](WORD, DISPPARAMS& params, VARIANT*, EXCEPINFO*) {
    for (UINT i = 0; i < params.cArgs; ++i) types.push_back(At(params, i).vt);
    text = At(params, 1).bstrVal;
    EXPECT_EQ(At(params, 3).scode, DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(At(params, 4).pdispVal, nullptr);
    return S_OK;
  });
  DispatchObject object{ComPtr<IDispatch>(&host)};
  constexpr Member kSixArguments{"test six", L"Scripted", L"Value", 6};
  // A call the member table does not describe never reaches the host.
  EXPECT_THROW(object.Call(kSixArguments, {1.5}), HostError);
  EXPECT_TRUE(types.empty());
  object.Call(kSixArguments, {1.5, std::string("Zürich"), std::int32_t{4}, Arg::Missing(),
                              static_cast<IDispatch*>(nullptr), true});
  EXPECT_EQ(types, (std::vector<VARTYPE>{VT_R8, VT_BSTR, VT_I4, VT_ERROR, VT_DISPATCH, VT_BOOL}));
  EXPECT_EQ(text, L"Z\u00fcrich");
}

TEST(DispatchObjectTest, FailuresCarryTheHostsCodeAndWords) {
  ScriptedObject host;
  host.Define(L"Value", [](WORD, DISPPARAMS&, VARIANT*, EXCEPINFO* exception) {
    exception->scode = E_UNEXPECTED;
    exception->bstrDescription = SysAllocString(L"the icons were refused");
    exception->bstrSource = SysAllocString(L"Host");
    return DISP_E_EXCEPTION;
  });
  host.Define(L"Plain", [](WORD, DISPPARAMS&, VARIANT*, EXCEPINFO*) { return E_INVALIDARG; });
  DispatchObject object{ComPtr<IDispatch>(&host)};
  try {
    object.Call(kValue);
    ADD_FAILURE() << "the failure was not reported";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), 0x8000FFFFu);
    EXPECT_EQ(std::string(error.what()), "Scripted.Value: the icons were refused");
  }
  try {
    object.Call(Member{"test plain", L"Scripted", L"Plain"});
    ADD_FAILURE() << "the failure was not reported";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), 0x80070057u);
    EXPECT_EQ(std::string(error.what()), "Scripted.Plain: error 0x80070057");
  }
}

}  // namespace
}  // namespace sledway::automation
