// Collections, units, parameter values and placements: what the host refuses and how it
// writes values, through IDispatch by name.

#include <numbers>

#include "com_apartment.hpp"
#include "dispatch_call.hpp"
#include "list_objects.hpp"
#include "recording_sink.hpp"
#include "test_host.hpp"
#include "units.hpp"

namespace sledway::automation_host {
namespace {

using ListsAndValues = ComApartment;

ComPtr<IDispatch> Member(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args = {}) {
  Outcome got = Get(object, name, std::move(args));
  EXPECT_TRUE(got.Succeeded()) << name << ": " << got.error;
  return got.value.Object();
}

TEST_F(ListsAndValues, UnitsWriteTheShortestDecimalOfAtMostSixPlaces) {
  const Unit& mm = *FindUnit(L"mm");
  EXPECT_EQ(FormatInUnit(123.45, mm), L"1234.5 mm");
  EXPECT_EQ(FormatInUnit(1.23456789, mm), L"12.345679 mm");
  EXPECT_EQ(FormatInUnit(-0.00001, mm), L"-0.0001 mm");
  EXPECT_EQ(FormatInUnit(-1e-9, mm), L"0 mm");
  EXPECT_EQ(FormatInUnit(std::numbers::pi, *FindUnit(L"deg")), L"180 deg");
  EXPECT_EQ(FindUnit(L"furlong"), nullptr);
}

TEST_F(ListsAndValues, CollectionsCountFromOneAndRefuseWhatTheyDoNotHold) {
  const long before = LiveObjectCount();
  {
    TestHost host;
    ComPtr<IDispatch> objects = Member(host.Application(), L"TransientObjects");
    ComPtr<IDispatch> collection = Member(objects.Get(), L"CreateObjectCollection");
    for (const wchar_t* name : {L"Cart:1/Edge1", L"Cart:1/Edge2", L"Cart:1/Edge3"}) {
      ASSERT_TRUE(Get(collection.Get(), L"Add", {Value(host.Entity(name)).Raw()}).Succeeded());
    }
    EXPECT_EQ(Get(collection.Get(), L"Add", {Value(static_cast<IDispatch*>(nullptr)).Raw()}).result,
              DISP_E_EXCEPTION);
    ASSERT_TRUE(Get(collection.Get(), L"Remove", {Value(2L).Raw()}).Succeeded());
    EXPECT_EQ(Member(collection.Get(), L"Item", {Value(2L).Raw()}).Get(),
              host.Entity(L"Cart:1/Edge3"));
    Outcome beyond = Get(collection.Get(), L"Item", {Value(3L).Raw()});
    EXPECT_EQ(beyond.result, DISP_E_EXCEPTION);
    EXPECT_NE(beyond.error.find(L"holds 2, counted from 1"), std::wstring::npos) << beyond.error;
    EXPECT_EQ(Get(collection.Get(), L"Item", {Value(0L).Raw()}).result, DISP_E_EXCEPTION);
    // A collection made from another holds the same objects.
    ComPtr<IDispatch> copy =
        Member(objects.Get(), L"CreateObjectCollection", {Value(collection.Get()).Raw()});
    EXPECT_EQ(Get(copy.Get(), L"Count").value.Long(), 2);
    ASSERT_TRUE(Get(collection.Get(), L"Clear").Succeeded());
    EXPECT_EQ(Get(collection.Get(), L"Count").value.Long(), 0);
    EXPECT_EQ(Get(copy.Get(), L"Count").value.Long(), 2);
    EXPECT_EQ(Get(objects.Get(), L"CreateObjectCollection", {Value(3.0).Raw()}).result,
              DISP_E_EXCEPTION);
  }
  EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(ListsAndValues, ParameterValuesAndPlacementsTheHostRefuses) {
  TestHost host;
  ComPtr<IDispatch> parameters = Member(
      Member(Member(host.Application(), L"ActiveDocument").Get(), L"ComponentDefinition").Get(),
      L"Parameters");
  ComPtr<IDispatch> d0 = Member(parameters.Get(), L"Item", {Value(1L).Raw()});
  EXPECT_EQ(Get(d0.Get(), L"Name").value.Text(), L"d0");
  EXPECT_EQ(Get(d0.Get(), L"Units").value.Text(), L"mm");
  // A value in database units becomes an expression in the parameter's units.
  ASSERT_TRUE(Put(d0.Get(), L"Value", Value(2.5).Raw()).Succeeded());
  EXPECT_EQ(Get(d0.Get(), L"Expression").value.Text(), L"25 mm");
  EXPECT_EQ(Put(d0.Get(), L"Value", Value(L"much").Raw()).result, DISP_E_EXCEPTION);
  for (const wchar_t* bad : {L"", L"mm", L"5 parsecs", L"5 mm 3", L"nan"}) {
    EXPECT_EQ(Put(d0.Get(), L"Expression", Value(bad).Raw()).result, DISP_E_EXCEPTION) << bad;
  }
  EXPECT_DOUBLE_EQ(host.ParameterValue(L"d0"), 2.5);
  EXPECT_TRUE(host.ExpressionPuts().empty());

  // A placement that scales or shears is no placement of a rigid component.
  IDispatch* rail = host.Component(L"Rail:1");
  ComPtr<IDispatch> stretched = Member(rail, L"Transformation");
  ASSERT_TRUE(Put(stretched.Get(), L"Cell", Value(2.0).Raw(), {Value(1L).Raw(), Value(1L).Raw()})
                  .Succeeded());
  Outcome refused = Put(rail, L"Transformation", Value(stretched.Get()).Raw());
  EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
  EXPECT_NE(refused.error.find(L"Rail:1"), std::wstring::npos) << refused.error;
  EXPECT_TRUE(host.Placements(L"Rail:1").empty());
  EXPECT_EQ(Put(rail, L"Transformation", Value(d0.Get()).Raw()).result, DISP_E_EXCEPTION);
  EXPECT_EQ(host.Placement(L"Rail:1").cell[2][3], 3.0);
}

TEST_F(ListsAndValues, EveryConnectedSinkHearsAnEventUntilItLeaves) {
  TestHost host;
  ComPtr<IDispatch> definitions =
      Member(Member(host.Application(), L"CommandManager").Get(), L"ControlDefinitions");
  const Value name(L"id_Button");
  ComPtr<IDispatch> button =
      Member(definitions.Get(), L"AddButtonDefinition", {name.Raw(), name.Raw(), Value(4L).Raw()});
  ComPtr<ITypeInfo> events = SourceInterface(button.Get(), L"ButtonDefinitionSink");
  ASSERT_TRUE(events);
  // Only the source interface has a connection point.
  ComPtr<IConnectionPointContainer> container;
  ASSERT_TRUE(SUCCEEDED(button.As(&container)));
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &point), CONNECT_E_NOCONNECTION);

  RecordingSink first(events);
  RecordingSink second(events);
  const DWORD firstCookie = Connect(button.Get(), *events.Get(), &first);
  ASSERT_NE(Connect(button.Get(), *events.Get(), &second), 0u);
  ASSERT_EQ(host.ButtonSinks(L"id_Button"), 2u);
  ASSERT_EQ(host.ExecuteButton(L"id_Button"), S_OK);
  EXPECT_EQ(first.events.size(), 1u);
  EXPECT_EQ(second.events.size(), 1u);
  ASSERT_EQ(Disconnect(button.Get(), *events.Get(), firstCookie), S_OK);
  ASSERT_EQ(host.ExecuteButton(L"id_Button"), S_OK);
  EXPECT_EQ(first.events.size(), 1u);
  EXPECT_EQ(second.events.size(), 2u);
}

}  // namespace
}  // namespace sledway::automation_host
