// The scene's entities through IDispatch by name: curve evaluators against closed forms, with
// their by-reference doubles and arrays, proxies where their component stands, sketches and
// their profiles.

#include <cmath>
#include <numbers>

#include "com_apartment.hpp"
#include "dispatch_call.hpp"
#include "test_host.hpp"

namespace sledway::automation_host {
namespace {

using SceneEntities = ComApartment;

constexpr double kPi = std::numbers::pi;

ComPtr<IDispatch> Member(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args = {}) {
  Outcome got = Get(object, name, std::move(args));
  EXPECT_TRUE(got.Succeeded()) << name << ": " << got.error;
  return got.value.Object();
}

ComPtr<IDispatch> EvaluatorOf(IDispatch* curve) {
  return Member(Member(curve, L"Geometry").Get(), L"Evaluator");
}

// Calls an evaluator member taking (Params(), Values()) by reference.
std::vector<double> Evaluate(IDispatch* evaluator, const wchar_t* member,
                             const std::vector<double>& params) {
  SAFEARRAY* given = NewDoubles(params);
  // The caller's output array is the host's to resize.
  SAFEARRAY* values = NewDoubles({});
  Outcome called = Get(evaluator, member, {ByRef(given), ByRef(values)});
  EXPECT_TRUE(called.Succeeded()) << member << ": " << called.error;
  std::vector<double> result = Doubles(values);
  SafeArrayDestroy(given);
  SafeArrayDestroy(values);
  return result;
}

TEST_F(SceneEntities, HelixEvaluatorAnswersInClosedFormAndContinuesBeyondItsEnds) {
  TestHost host;
  ComPtr<IDispatch> evaluator = EvaluatorOf(host.Entity(L"Rail:1/Sketch3D1/Helix1"));
  const double rise = 3.0 / (2 * kPi);
  const double speed = std::sqrt(4.0 + rise * rise);
  // Rail:1 stands at (1, 2, 3): the helix about (4, 2, 0) in its coordinates.
  auto helix = [&](double t) {
    return std::vector<double>{5 + 2 * std::cos(t), 4 + 2 * std::sin(t), 3 + rise * t};
  };

  double first = -1;
  double last = -1;
  ASSERT_TRUE(Get(evaluator.Get(), L"GetParamExtents", {ByRef(first), ByRef(last)}).Succeeded());
  EXPECT_EQ(first, 0.0);
  EXPECT_EQ(last, 2 * kPi);

  const std::vector<double> points = Evaluate(evaluator.Get(), L"GetPointAtParam", {0.3, 4.0});
  ASSERT_EQ(points.size(), 6u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(points[i], helix(0.3)[i], 1e-12);
    EXPECT_NEAR(points[3 + i], helix(4.0)[i], 1e-12);
  }
  const std::vector<double> tangents = Evaluate(evaluator.Get(), L"GetTangent", {0.3});
  ASSERT_EQ(tangents.size(), 3u);
  EXPECT_NEAR(tangents[0], -2 * std::sin(0.3), 1e-12);
  EXPECT_NEAR(tangents[1], 2 * std::cos(0.3), 1e-12);
  EXPECT_NEAR(tangents[2], rise, 1e-12);

  double length = 0;
  ASSERT_TRUE(Get(evaluator.Get(), L"GetLengthAtParam",
                  {Value(0.0).Raw(), Value(2 * kPi).Raw(), ByRef(length)})
                  .Succeeded());
  EXPECT_NEAR(length, 2 * kPi * speed, 1e-12);

  // 1 cm beyond the end: straight on along the end tangent.
  double beyond = 0;
  ASSERT_TRUE(Get(evaluator.Get(), L"GetParamAtLength",
                  {Value(2 * kPi).Raw(), Value(1.0).Raw(), ByRef(beyond)})
                  .Succeeded());
  EXPECT_NEAR(beyond, 2 * kPi + 1 / speed, 1e-12);
  const std::vector<double> past = Evaluate(evaluator.Get(), L"GetPointAtParam", {beyond});
  const std::vector<double> end = helix(2 * kPi);
  const std::vector<double> endTangent{0.0, 2.0 / speed, rise / speed};
  for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(past[i], end[i] + endTangent[i], 1e-12);

  SAFEARRAY* start = nullptr;
  SAFEARRAY* finish = nullptr;
  ASSERT_TRUE(Get(evaluator.Get(), L"GetEndPoints", {ByRef(start), ByRef(finish)}).Succeeded());
  EXPECT_NEAR(Doubles(start)[0], 7.0, 1e-12);
  EXPECT_NEAR(Doubles(finish)[2], 6.0, 1e-12);
  SafeArrayDestroy(start);
  SafeArrayDestroy(finish);

  // Parameters that are not numbers are refused.
  SAFEARRAY* bad = NewDoubles({std::nan("")});
  SAFEARRAY* out = nullptr;
  EXPECT_EQ(Get(evaluator.Get(), L"GetPointAtParam", {ByRef(bad), ByRef(out)}).result,
            DISP_E_EXCEPTION);
  SafeArrayDestroy(bad);
}

TEST_F(SceneEntities, PlanarSketchCurvesAndProfiles) {
  TestHost host;
  IDispatch* arc = host.Entity(L"Rail:1/Sketch1/Arc1");
  EXPECT_EQ(Get(arc, L"Type").value.Long(), 0x05003270);
  // A sketch curve's evaluator answers in the sketch plane: x, y pairs.
  const std::vector<double> points = Evaluate(EvaluatorOf(arc).Get(), L"GetPointAtParam", {-0.5});
  ASSERT_EQ(points.size(), 2u);
  EXPECT_NEAR(points[0], 10 + 5 * std::cos(-0.5), 1e-12);
  EXPECT_NEAR(points[1], 5 + 5 * std::sin(-0.5), 1e-12);

  ComPtr<IDispatch> sketch = Member(arc, L"Parent");
  EXPECT_EQ(sketch.Get(), host.Entity(L"Rail:1/Sketch1"));
  EXPECT_EQ(Member(arc, L"ContainingOccurrence").Get(), host.Component(L"Rail:1"));
  // Sketch x runs along the component's X, sketch y along its Z; the component is at (1, 2, 3).
  ComPtr<IDispatch> geometry = Member(host.Application(), L"TransientGeometry");
  ComPtr<IDispatch> centre =
      Member(geometry.Get(), L"CreatePoint2d", {Value(10.0).Raw(), Value(5.0).Raw()});
  ComPtr<IDispatch> inModel =
      Member(sketch.Get(), L"SketchToModelSpace", {Value(centre.Get()).Raw()});
  EXPECT_EQ(Get(inModel.Get(), L"X").value.Double(), 11.0);
  EXPECT_EQ(Get(inModel.Get(), L"Y").value.Double(), 2.0);
  EXPECT_EQ(Get(inModel.Get(), L"Z").value.Double(), 8.0);
  ComPtr<IDispatch> toModel = Member(sketch.Get(), L"SketchToModelTransform");
  EXPECT_EQ(Get(toModel.Get(), L"Cell", {Value(3L).Raw(), Value(2L).Raw()}).value.Double(), 1.0);

  ComPtr<IDispatch> profiles = Member(sketch.Get(), L"Profiles");
  // The one chain is open: no profile for a solid, one path of three curves for a surface.
  EXPECT_EQ(Get(profiles.Get(), L"AddForSolid").result, DISP_E_EXCEPTION);
  ComPtr<IDispatch> profile = Member(profiles.Get(), L"AddForSurface");
  EXPECT_EQ(Get(profile.Get(), L"Count").value.Long(), 1);
  ComPtr<IDispatch> path = Member(profile.Get(), L"Item", {Value(1L).Raw()});
  EXPECT_EQ(Get(path.Get(), L"Count").value.Long(), 3);
  ComPtr<IDispatch> second = Member(path.Get(), L"Item", {Value(2L).Raw()});
  EXPECT_EQ(Member(second.Get(), L"SketchEntity").Get(), arc);

  ComPtr<IDispatch> profiles3d = Member(host.Entity(L"Rail:1/Sketch3D1"), L"Profiles3D");
  EXPECT_EQ(Get(profiles3d.Get(), L"AddClosed").result, DISP_E_EXCEPTION);
  ComPtr<IDispatch> path3d =
      Member(Member(profiles3d.Get(), L"AddOpen").Get(), L"Item", {Value(1L).Raw()});
  ComPtr<IDispatch> helix =
      Member(Member(path3d.Get(), L"Item", {Value(3L).Raw()}).Get(), L"SketchEntity");
  EXPECT_EQ(helix.Get(), host.Entity(L"Rail:1/Sketch3D1/Helix1"));
  EXPECT_EQ(Get(helix.Get(), L"Type").value.Long(), 0x0500CF70);
}

TEST_F(SceneEntities, PartEntitiesStandWhereTheirComponentStands) {
  TestHost host;
  IDispatch* cart = host.Component(L"Cart:1");
  IDispatch* edge1 = host.Entity(L"Cart:1/Edge1");
  IDispatch* edge2 = host.Entity(L"Cart:1/Edge2");
  EXPECT_EQ(Get(edge2, L"Type").value.Long(), 0x04002CA0);
  EXPECT_EQ(Member(edge2, L"ContainingOccurrence").Get(), cart);
  ComPtr<IDispatch> chain = Member(edge2, L"TangentiallyConnectedEdges");
  ASSERT_EQ(Get(chain.Get(), L"Count").value.Long(), 2);
  EXPECT_EQ(Member(chain.Get(), L"Item", {Value(1L).Raw()}).Get(), edge1);
  EXPECT_EQ(Member(chain.Get(), L"Item", {Value(2L).Raw()}).Get(), edge2);
  ComPtr<IDispatch> alone = Member(host.Entity(L"Cart:1/Edge3"), L"TangentiallyConnectedEdges");
  EXPECT_EQ(Get(alone.Get(), L"Count").value.Long(), 1);

  // Cart:1 is turned 30 degrees about Z and moved by (20, 0, 0).
  const double c = std::cos(kPi / 6);
  const double s = std::sin(kPi / 6);
  ComPtr<IDispatch> point = Member(host.Entity(L"Cart:1/WorkPoint1"), L"Point");
  EXPECT_NEAR(Get(point.Get(), L"X").value.Double(), 20 + c - s, 1e-12);
  EXPECT_NEAR(Get(point.Get(), L"Y").value.Double(), s + c, 1e-12);
  EXPECT_NEAR(Get(point.Get(), L"Z").value.Double(), 1.0, 1e-12);
  ComPtr<IDispatch> axis = Member(host.Entity(L"Cart:1/WorkAxis1"), L"Line");
  EXPECT_EQ(Get(Member(axis.Get(), L"Direction").Get(), L"Z").value.Double(), 1.0);
  EXPECT_EQ(Get(Member(axis.Get(), L"RootPoint").Get(), L"X").value.Double(), 20.0);
  // A vertex has edges; a work point has no such member.
  IDispatch* vertex = host.Entity(L"Cart:1/Vertex1");
  EXPECT_EQ(Get(Member(vertex, L"Edges").Get(), L"Count").value.Long(), 2);
  EXPECT_EQ(Get(host.Entity(L"Cart:1/WorkPoint1"), L"Edges").result, DISP_E_UNKNOWNNAME);

  // Moved, the component takes its edges along: the arc's end (3, 1, 0) is now at (3, 1, 5).
  ComPtr<IDispatch> moved =
      Member(Member(host.Application(), L"TransientGeometry").Get(), L"CreateMatrix");
  ComPtr<IDispatch> offset =
      Member(Member(host.Application(), L"TransientGeometry").Get(), L"CreateVector",
             {Value(0.0).Raw(), Value(0.0).Raw(), Value(5.0).Raw()});
  ASSERT_TRUE(Get(moved.Get(), L"SetTranslation", {Value(offset.Get()).Raw()}).Succeeded());
  ASSERT_TRUE(Put(cart, L"Transformation", Value(moved.Get()).Raw()).Succeeded());
  const std::vector<double> end =
      Evaluate(Member(edge2, L"Evaluator").Get(), L"GetPointAtParam", {0.0});
  ASSERT_EQ(end.size(), 3u);
  EXPECT_NEAR(end[0], 3.0, 1e-12);
  EXPECT_NEAR(end[1], 1.0, 1e-12);
  EXPECT_NEAR(end[2], 5.0, 1e-12);
}

TEST_F(SceneEntities, TypeLibraryNamesTheSourcesAndUnits) {
  TestHost host;
  ComPtr<IDispatch> units =
      Member(Member(host.Application(), L"ActiveDocument").Get(), L"UnitsOfMeasure");
  EXPECT_DOUBLE_EQ(
      Get(units.Get(), L"ConvertUnits", {Value(2.5).Raw(), Value(11267L).Raw(), Value(L"mm").Raw()})
          .value.Double(),
      25.0);
  EXPECT_EQ(Get(units.Get(), L"ConvertUnits",
                {Value(2.5).Raw(), Value(11267L).Raw(), Value(L"deg").Raw()})
                .result,
            DISP_E_EXCEPTION);

  // The coclass of a select events object names its source interface.
  ComPtr<IDispatch> interaction =
      Member(Member(host.Application(), L"CommandManager").Get(), L"CreateInteractionEvents");
  ComPtr<IDispatch> select = Member(interaction.Get(), L"SelectEvents");
  ComPtr<IProvideClassInfo> provider;
  ASSERT_TRUE(SUCCEEDED(select.As(&provider)));
  ComPtr<ITypeInfo> coclass;
  ASSERT_TRUE(SUCCEEDED(provider->GetClassInfo(&coclass)));
  INT flags = 0;
  ASSERT_TRUE(SUCCEEDED(coclass->GetImplTypeFlags(1, &flags)));
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FSOURCE);
  HREFTYPE reference = 0;
  ComPtr<ITypeInfo> source;
  ASSERT_TRUE(SUCCEEDED(coclass->GetRefTypeOfImplType(1, &reference)));
  ASSERT_TRUE(SUCCEEDED(coclass->GetRefTypeInfo(reference, &source)));
  BSTR name = nullptr;
  ASSERT_TRUE(SUCCEEDED(source->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)));
  EXPECT_STREQ(name, L"SelectEventsSink");
  SysFreeString(name);
}

}  // namespace
}  // namespace sledway::automation_host
