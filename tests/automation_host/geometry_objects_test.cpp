// Transient geometry through IDispatch, by name, as the binding reaches it.

#include "geometry_objects.hpp"

#include <cmath>
#include <numbers>

#include "com_apartment.hpp"
#include "dispatch_call.hpp"

namespace sledway::automation_host {
namespace {

using GeometryObjects = ComApartment;

ComPtr<IDispatch> Made(IDispatch* factory, const wchar_t* member, std::vector<VARIANT> xyz) {
  Outcome made = Get(factory, member, std::move(xyz));
  EXPECT_TRUE(made.Succeeded()) << member << ": " << made.error;
  return made.value.Object();
}

TEST_F(GeometryObjects, PointsAndVectorsAnswerInClosedForm) {
  const long before = LiveObjectCount();
  {
    ComPtr<IDispatch> geometry = NewTransientGeometry(nullptr);
    ComPtr<IDispatch> p = Made(geometry.Get(), L"CreatePoint",
                               {Value(1.0).Raw(), Value(2.0).Raw(), Value(3.0).Raw()});
    ComPtr<IDispatch> q = Made(geometry.Get(), L"CreatePoint",
                               {Value(4.0).Raw(), Value(6.0).Raw(), Value(3.0).Raw()});
    EXPECT_EQ(Get(p.Get(), L"Y").value.Double(), 2.0);
    EXPECT_EQ(Get(p.Get(), L"DistanceTo", {Value(q.Get()).Raw()}).value.Double(), 5.0);
    // The tolerance is optional.
    EXPECT_FALSE(Get(p.Get(), L"IsEqualTo", {Value(q.Get()).Raw()}).value.Boolean());
    EXPECT_TRUE(
        Get(p.Get(), L"IsEqualTo", {Value(q.Get()).Raw(), Value(5.01).Raw()}).value.Boolean());
    ASSERT_TRUE(Put(p.Get(), L"X", Value(-1.5).Raw()).Succeeded());
    EXPECT_EQ(Get(p.Get(), L"X").value.Double(), -1.5);

    ComPtr<IDispatch> x = Made(geometry.Get(), L"CreateVector",
                               {Value(2.0).Raw(), Value(0.0).Raw(), Value(0.0).Raw()});
    ComPtr<IDispatch> y = Made(geometry.Get(), L"CreateVector",
                               {Value(0.0).Raw(), Value(3.0).Raw(), Value(0.0).Raw()});
    ComPtr<IDispatch> z = Get(x.Get(), L"CrossProduct", {Value(y.Get()).Raw()}).value.Object();
    EXPECT_EQ(Get(z.Get(), L"Z").value.Double(), 6.0);
    EXPECT_EQ(Get(x.Get(), L"DotProduct", {Value(y.Get()).Raw()}).value.Double(), 0.0);
    EXPECT_NEAR(Get(x.Get(), L"AngleTo", {Value(y.Get()).Raw()}).value.Double(),
                std::numbers::pi / 2, 1e-15);
    EXPECT_EQ(Get(z.Get(), L"Length").value.Double(), 6.0);
    // Missing coordinates are zero.
    ComPtr<IDispatch> origin = Made(geometry.Get(), L"CreatePoint", {});
    EXPECT_EQ(Get(origin.Get(), L"Z").value.Double(), 0.0);
    EXPECT_EQ(Get(origin.Get(), L"Type").value.Long(), Get(p.Get(), L"Type").value.Long());
  }
  EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(GeometryObjects, MatricesRotateTranslateAndCompose) {
  ComPtr<IDispatch> geometry = NewTransientGeometry(nullptr);
  ComPtr<IDispatch> m = Made(geometry.Get(), L"CreateMatrix", {});
  ComPtr<IDispatch> x =
      Made(geometry.Get(), L"CreateVector", {Value(1.0).Raw(), Value(0.0).Raw(), Value(0.0).Raw()});
  ComPtr<IDispatch> y =
      Made(geometry.Get(), L"CreateVector", {Value(0.0).Raw(), Value(1.0).Raw(), Value(0.0).Raw()});
  ComPtr<IDispatch> offset = Made(geometry.Get(), L"CreateVector",
                                  {Value(5.0).Raw(), Value(0.0).Raw(), Value(-1.0).Raw()});
  // The axis is optional.
  ASSERT_TRUE(
      Get(m.Get(), L"SetToRotateTo", {Value(x.Get()).Raw(), Value(y.Get()).Raw()}).Succeeded());
  ASSERT_TRUE(Get(m.Get(), L"SetTranslation", {Value(offset.Get()).Raw()}).Succeeded());
  // A quarter turn about Z: column 1 is the image of X.
  EXPECT_NEAR(Get(m.Get(), L"Cell", {Value(2L).Raw(), Value(1L).Raw()}).value.Double(), 1.0, 1e-15);
  EXPECT_NEAR(Get(m.Get(), L"Cell", {Value(1L).Raw(), Value(2L).Raw()}).value.Double(), -1.0,
              1e-15);
  EXPECT_EQ(Get(m.Get(), L"Cell", {Value(1L).Raw(), Value(4L).Raw()}).value.Double(), 5.0);
  ComPtr<IDispatch> p =
      Made(geometry.Get(), L"CreatePoint", {Value(1.0).Raw(), Value(0.0).Raw(), Value(0.0).Raw()});
  ASSERT_TRUE(Get(p.Get(), L"TransformBy", {Value(m.Get()).Raw()}).Succeeded());
  EXPECT_NEAR(Get(p.Get(), L"X").value.Double(), 5.0, 1e-15);
  EXPECT_NEAR(Get(p.Get(), L"Y").value.Double(), 1.0, 1e-15);

  // TransformBy applies the argument after the matrix: the translation turns too.
  ComPtr<IDispatch> twice = Made(geometry.Get(), L"CreateMatrix", {});
  ASSERT_TRUE(
      Get(twice.Get(), L"SetToRotateTo", {Value(x.Get()).Raw(), Value(y.Get()).Raw()}).Succeeded());
  ASSERT_TRUE(Get(m.Get(), L"TransformBy", {Value(twice.Get()).Raw()}).Succeeded());
  EXPECT_NEAR(Get(m.Get(), L"Cell", {Value(2L).Raw(), Value(4L).Raw()}).value.Double(), 5.0, 1e-15);
  EXPECT_NEAR(Get(m.Get(), L"Cell", {Value(1L).Raw(), Value(1L).Raw()}).value.Double(), -1.0,
              1e-15);
  ComPtr<IDispatch> translation = Get(m.Get(), L"Translation").value.Object();
  EXPECT_NEAR(Get(translation.Get(), L"Y").value.Double(), 5.0, 1e-15);
  EXPECT_FALSE(Get(m.Get(), L"IsEqualTo", {Value(twice.Get()).Raw()}).value.Boolean());

  // Opposite vectors: a half turn about the given perpendicular axis.
  ComPtr<IDispatch> minusX = Made(geometry.Get(), L"CreateVector",
                                  {Value(-1.0).Raw(), Value(0.0).Raw(), Value(0.0).Raw()});
  ASSERT_TRUE(Get(m.Get(), L"SetToRotateTo",
                  {Value(x.Get()).Raw(), Value(minusX.Get()).Raw(), Value(y.Get()).Raw()})
                  .Succeeded());
  EXPECT_NEAR(Get(m.Get(), L"Cell", {Value(2L).Raw(), Value(2L).Raw()}).value.Double(), 1.0, 1e-15);
  EXPECT_NEAR(Get(m.Get(), L"Cell", {Value(3L).Raw(), Value(3L).Raw()}).value.Double(), -1.0,
              1e-15);

  // Nothing for the axis is no axis.
  const Value nothing(static_cast<IDispatch*>(nullptr));
  ASSERT_TRUE(
      Get(m.Get(), L"SetToRotateTo", {Value(x.Get()).Raw(), Value(y.Get()).Raw(), nothing.Raw()})
          .Succeeded());
  EXPECT_NEAR(Get(m.Get(), L"Cell", {Value(2L).Raw(), Value(1L).Raw()}).value.Double(), 1.0, 1e-15);

  // A cell that does not exist is refused with the host's error text.
  Outcome missing = Get(m.Get(), L"Cell", {Value(5L).Raw(), Value(1L).Raw()});
  EXPECT_EQ(missing.result, DISP_E_EXCEPTION);
  EXPECT_NE(missing.error.find(L"rows and columns run from 1 to 4"), std::wstring::npos)
      << missing.error;
}

}  // namespace
}  // namespace sledway::automation_host
