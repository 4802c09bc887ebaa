// The dispatch layer against scripted host objects: values by name, property puts, left-out
// optional arguments, doubles and arrays of doubles by reference, and failures with the host's
// code and text.

#include "automation/dispatch_object.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "automation/binding_session.hpp"
#include "automation/curve_evaluator_objects.hpp"
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

// An evaluator of the circle of radius 2 about the origin, parameter = angle, answering as the
// host does: doubles by reference, and arrays it replaces (here with a lower bound of 1).
class ScriptedCircle {
 public:
  static constexpr double kRadius = 2.0;

  ScriptedCircle() {
    host.Define(L"GetParamExtents", [](WORD, DISPPARAMS& params, VARIANT*, EXCEPINFO*) {
      *At(params, 0).pdblVal = 0.0;
      *At(params, 1).pdblVal = 2 * std::numbers::pi;
      return S_OK;
    });
    host.Define(L"GetLengthAtParam", [](WORD, DISPPARAMS& params, VARIANT*, EXCEPINFO*) {
      *At(params, 2).pdblVal = kRadius * (At(params, 1).dblVal - At(params, 0).dblVal);
      return S_OK;
    });
    host.Define(L"GetPointAtParam", [](WORD, DISPPARAMS& params, VARIANT*, EXCEPINFO*) {
      return Answer(params, [](double t) {
        return std::vector{kRadius * std::cos(t), kRadius * std::sin(t), 0.0};
      });
    });
    host.Define(L"GetTangent", [](WORD, DISPPARAMS& params, VARIANT*, EXCEPINFO*) {
      return Answer(params, [](double t) {
        return std::vector{-kRadius * std::sin(t), kRadius * std::cos(t), 0.0};
      });
    });
  }

  ScriptedObject host;

 private:
  template <class Of>
  static HRESULT Answer(DISPPARAMS& params, Of of) {
    VARIANT& given = At(params, 0);
    VARIANT& answer = At(params, 1);
    if (given.vt != (VT_BYREF | VT_ARRAY | VT_R8) || answer.vt != (VT_BYREF | VT_ARRAY | VT_R8)) {
      return DISP_E_TYPEMISMATCH;
    }
    SAFEARRAY* parameters = *given.pparray;
    LONG lower = 0;
    LONG upper = 0;
    SafeArrayGetLBound(parameters, 1, &lower);
    SafeArrayGetUBound(parameters, 1, &upper);
    std::vector<double> values;
    for (LONG i = lower; i <= upper; ++i) {
      double t = 0;
      SafeArrayGetElement(parameters, &i, &t);
      for (const double coordinate : of(t)) values.push_back(coordinate);
    }
    SAFEARRAYBOUND bound{static_cast<ULONG>(values.size()), 1};
    SAFEARRAY* replaced = SafeArrayCreate(VT_R8, 1, &bound);
    for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
      LONG index = i + 1;
      SafeArrayPutElement(replaced, &index, &values[static_cast<std::size_t>(i)]);
    }
    SafeArrayDestroy(*answer.pparray);
    *answer.pparray = replaced;
    return S_OK;
  }
};

TEST(DispatchObjectTest, EvaluatesThroughDoublesAndArraysByReference) {
  ScriptedCircle circle;
  auto session = std::make_shared<Session>("{00000000-0000-0000-0000-000000000000}");
  {
    const auto evaluator = std::dynamic_pointer_cast<IVCurveEvaluator>(
        session->Bind(ComPtr<IDispatch>(&circle.host), Role::kCurveEvaluator));
    ASSERT_NE(evaluator, nullptr);
    double low = -1;
    double high = -1;
    evaluator->GetParamRange(low, high);
    EXPECT_EQ(low, 0.0);
    EXPECT_EQ(high, 2 * std::numbers::pi);
    double length = 0;
    evaluator->GetLengthBetweenParams(0.5, 2.0, length);
    EXPECT_NEAR(length, ScriptedCircle::kRadius * 1.5, 1e-12);

    const std::vector<double> params{0.0, std::numbers::pi / 3, 2.5};
    std::vector<double> points(9);
    std::vector<double> tangents(9);
    evaluator->GetPointAtParam(params, points);
    evaluator->GetTangent(params, tangents);
    for (std::size_t i = 0; i < params.size(); ++i) {
      EXPECT_NEAR(points[3 * i], 2 * std::cos(params[i]), 1e-12);
      EXPECT_NEAR(points[3 * i + 1], 2 * std::sin(params[i]), 1e-12);
      EXPECT_NEAR(tangents[3 * i], -2 * std::sin(params[i]), 1e-12);
      EXPECT_NEAR(tangents[3 * i + 1], 2 * std::cos(params[i]), 1e-12);
    }
    // More room than the host fills is a failure, never a read past its array.
    std::vector<double> tooMany(12);
    EXPECT_THROW(evaluator->GetPointAtParam(params, tooMany), HostError);
  }
  session->LetGoOfAll();
  EXPECT_EQ(circle.host.references, 0u);
}

}  // namespace
}  // namespace sledway::automation
