// The test host's scene, events and records, driven through IDispatch by name as the binding
// drives it.

#include "test_host.hpp"

#include <cmath>

#include "com_apartment.hpp"
#include "dispatch_call.hpp"
#include "recording_sink.hpp"

namespace sledway::automation_host {
namespace {

using TestHostTest = ComApartment;

ComPtr<IDispatch> Member(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args = {}) {
  Outcome got = Get(object, name, std::move(args));
  EXPECT_TRUE(got.Succeeded()) << name << ": " << got.error;
  return got.value.Object();
}

ComPtr<IDispatch> ApplicationOf(TestHost& host) {
  return Member(host.Site(), L"Application");
}

ComPtr<IDispatch> Parameters(TestHost& host) {
  ComPtr<IDispatch> document = Member(ApplicationOf(host).Get(), L"ActiveDocument");
  return Member(Member(document.Get(), L"ComponentDefinition").Get(), L"Parameters");
}

// What the binding's own test over the test host does not reach: expressions without units or
// in the wrong kind of units, lookups that fail, and the assembly's Update.
TEST_F(TestHostTest, ParameterExpressionsLookupsAndUpdates) {
  TestHost host;
  ComPtr<IDispatch> parameters = Parameters(host);
  ComPtr<IDispatch> travel = Member(parameters.Get(), L"Item", {Value(L"Travel").Raw()});
  ASSERT_TRUE(Put(travel.Get(), L"Expression", Value(L"40").Raw()).Succeeded());
  EXPECT_DOUBLE_EQ(Get(travel.Get(), L"Value").value.Double(), 4.0);
  // An expression that is not a length is refused and changes nothing.
  Outcome refused = Put(travel.Get(), L"Expression", Value(L"3 deg").Raw());
  EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
  EXPECT_NE(refused.error.find(L"\"3 deg\""), std::wstring::npos) << refused.error;
  EXPECT_EQ(Get(travel.Get(), L"Expression").value.Text(), L"40");
  ASSERT_EQ(host.ExpressionPuts().size(), 1u);
  EXPECT_EQ(host.ExpressionPuts()[0].parameter, L"Travel");
  ComPtr<IDispatch> angle = Member(parameters.Get(), L"Item", {Value(L"d1").Raw()});
  EXPECT_EQ(Get(Member(angle.Get(), L"DrivenBy").Get(), L"Count").value.Long(), 0);
  EXPECT_EQ(Get(parameters.Get(), L"Item", {Value(4L).Raw()}).result, DISP_E_EXCEPTION);
  ComPtr<IDispatch> assembly = Member(ApplicationOf(host).Get(), L"ActiveDocument");
  ASSERT_TRUE(Get(assembly.Get(), L"Update").Succeeded());
  EXPECT_EQ(host.Updates(), 1);
}

TEST_F(TestHostTest, ComponentPlacementsAreRecordedAndCanBeRefusedOnce) {
  TestHost host;
  IDispatch* cart = host.Component(L"Cart:1");
  ASSERT_NE(cart, nullptr);
  EXPECT_EQ(Get(cart, L"Name").value.Text(), L"Cart:1");
  ComPtr<IDispatch> placement = Member(cart, L"Transformation");
  // Rotated 30 degrees about Z, then moved by (20, 0, 0).
  EXPECT_NEAR(Get(placement.Get(), L"Cell", {Value(2L).Raw(), Value(1L).Raw()}).value.Double(), 0.5,
              1e-15);
  EXPECT_EQ(Get(placement.Get(), L"Cell", {Value(1L).Raw(), Value(4L).Raw()}).value.Double(), 20.0);
  // The matrix is a copy: changing it moves nothing until it is put.
  ASSERT_TRUE(Get(placement.Get(), L"SetToIdentity").Succeeded());
  EXPECT_EQ(host.Placement(L"Cart:1").cell[0][3], 20.0);
  ASSERT_TRUE(Put(cart, L"Transformation", Value(placement.Get()).Raw()).Succeeded());
  EXPECT_EQ(host.Placement(L"Cart:1").cell[0][3], 0.0);

  host.FailNextTransformationPut(E_FAIL, L"the assembly is read-only");
  ComPtr<IDispatch> moved = Member(cart, L"Transformation");
  ComPtr<IDispatch> geometry = Member(host.Application(), L"TransientGeometry");
  ComPtr<IDispatch> offset = Member(geometry.Get(), L"CreateVector",
                                    {Value(1.0).Raw(), Value(2.0).Raw(), Value(3.0).Raw()});
  ASSERT_TRUE(Get(moved.Get(), L"SetTranslation", {Value(offset.Get()).Raw()}).Succeeded());
  Outcome refused = Put(cart, L"Transformation", Value(moved.Get()).Raw());
  EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
  EXPECT_EQ(refused.errorCode, E_FAIL);
  EXPECT_EQ(refused.error, L"the assembly is read-only");
  EXPECT_EQ(host.Placement(L"Cart:1").cell[1][3], 0.0);
  ASSERT_TRUE(Put(cart, L"Transformation", Value(moved.Get()).Raw()).Succeeded());
  ASSERT_EQ(host.Placements(L"Cart:1").size(), 2u);
  EXPECT_EQ(host.Placements(L"Cart:1")[1].cell[1][3], 2.0);

  ASSERT_TRUE(Put(cart, L"Visible", Value(false).Raw()).Succeeded());
  EXPECT_FALSE(Get(cart, L"Visible").value.Boolean());
  ASSERT_TRUE(Put(cart, L"Visible", Value(true).Raw()).Succeeded());
  EXPECT_EQ(host.Visibilities(L"Cart:1"), (std::vector<bool>{false, true}));
  EXPECT_TRUE(Get(host.Component(L"Base:1"), L"Grounded").value.Boolean());
}

TEST_F(TestHostTest, ButtonDefinitionsRaiseOnExecuteAndArePlaced) {
  const long before = TestHost::LiveObjects();
  {
    TestHost host;
    ComPtr<IDispatch> commands = Member(host.Application(), L"CommandManager");
    ComPtr<IDispatch> definitions = Member(commands.Get(), L"ControlDefinitions");
    ComPtr<IDispatch> icon =
        Member(Member(host.Application(), L"TransientObjects").Get(), L"CreateObjectCollection");
    host.RefuseIconsOnce();
    const Value displayName(L"Sledway");
    const Value internalName(L"id_Sledway");
    const Value clientId(L"{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");
    const Value description(L"Moves components");
    const Value toolTip(L"Moves a component along a path");
    const Value standardIcon(icon.Get());
    const std::vector<VARIANT> arguments{displayName.Raw(), internalName.Raw(), Value(4L).Raw(),
                                         clientId.Raw(),    description.Raw(),  toolTip.Raw(),
                                         standardIcon.Raw()};
    Outcome refused = Get(definitions.Get(), L"AddButtonDefinition", arguments);
    EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
    EXPECT_EQ(refused.errorCode, static_cast<HRESULT>(0x8000FFFF));
    Outcome made = Get(definitions.Get(), L"AddButtonDefinition", arguments);
    ASSERT_TRUE(made.Succeeded()) << made.error;
    ComPtr<IDispatch> button = made.value.Object();
    EXPECT_EQ(Get(button.Get(), L"InternalName").value.Text(), L"id_Sledway");
    EXPECT_EQ(Get(button.Get(), L"ToolTipText").value.Text(), L"Moves a component along a path");
    EXPECT_EQ(Get(definitions.Get(), L"AddButtonDefinition", arguments).result, DISP_E_EXCEPTION);

    ComPtr<ITypeInfo> events = SourceInterface(button.Get(), L"ButtonDefinitionSink");
    ASSERT_TRUE(events);
    RecordingSink sink(events);
    const DWORD cookie = Connect(button.Get(), *events.Get(), &sink);
    ASSERT_NE(cookie, 0u);
    EXPECT_EQ(host.ButtonSinks(L"id_Sledway"), 1u);
    EXPECT_EQ(host.ExecuteButton(L"id_Sledway"), S_OK);
    EXPECT_EQ(host.ExecuteButton(L"id_Other"), S_FALSE);
    EXPECT_EQ(sink.events, std::vector<std::wstring>{L"OnExecute"});
    EXPECT_EQ(Disconnect(button.Get(), *events.Get(), cookie), S_OK);
    EXPECT_EQ(Disconnect(button.Get(), *events.Get(), cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(host.ExecuteButton(L"id_Sledway"), S_OK);
    EXPECT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.references, 0u);

    // The ribbon: a panel of the assembly tab, the button placed on it.
    ComPtr<IDispatch> ui = Member(host.Application(), L"UserInterfaceManager");
    EXPECT_EQ(Get(ui.Get(), L"InterfaceStyle").value.Long(), 87810);
    ComPtr<IDispatch> tab = Member(
        Member(
            Member(Member(ui.Get(), L"Ribbons").Get(), L"Item", {Value(L"Assembly").Raw()}).Get(),
            L"RibbonTabs")
            .Get(),
        L"Item", {Value(L"id_TabAssemble").Raw()});
    ComPtr<IDispatch> panel =
        Member(Member(tab.Get(), L"RibbonPanels").Get(), L"Add",
               {Value(L"Sledway").Raw(), Value(L"id_PanelSledway").Raw(), Value(L"{1}").Raw()});
    ASSERT_TRUE(Get(Member(panel.Get(), L"CommandControls").Get(), L"AddButton",
                    {Value(button.Get()).Raw(), Value(true).Raw()})
                    .Succeeded());
    // Classic command bars.
    host.SetInterfaceStyle(InterfaceStyle::kClassic);
    EXPECT_EQ(Get(ui.Get(), L"InterfaceStyle").value.Long(), 87809);
    ComPtr<IDispatch> bar = Member(Member(ui.Get(), L"CommandBars").Get(), L"Item",
                                   {Value(L"AMxAssemblyPanelCmdBar").Raw()});
    ASSERT_TRUE(Get(Member(bar.Get(), L"Controls").Get(), L"AddButton", {Value(button.Get()).Raw()})
                    .Succeeded());
    ASSERT_EQ(host.PlacedButtons().size(), 2u);
    EXPECT_EQ(host.PlacedButtons()[0].place, L"Assembly:id_TabAssemble:id_PanelSledway");
    EXPECT_EQ(host.PlacedButtons()[1].place, L"CommandBar:AMxAssemblyPanelCmdBar");
    EXPECT_EQ(host.PlacedButtons()[1].definition, L"id_Sledway");
  }
  EXPECT_EQ(TestHost::LiveObjects(), before);
}

TEST_F(TestHostTest, HoverAndClickRaiseSelectEventsWithTheirByRefArguments) {
  const long before = TestHost::LiveObjects();
  {
    TestHost host;
    ComPtr<IDispatch> interaction =
        Member(Member(host.Application(), L"CommandManager").Get(), L"CreateInteractionEvents");
    ComPtr<IDispatch> select = Member(interaction.Get(), L"SelectEvents");
    ComPtr<ITypeInfo> selectEvents = SourceInterface(select.Get(), L"SelectEventsSink");
    ComPtr<ITypeInfo> interactionEvents =
        SourceInterface(interaction.Get(), L"InteractionEventsSink");
    ASSERT_TRUE(selectEvents && interactionEvents);
    RecordingSink onSelect(selectEvents);
    RecordingSink onTerminate(interactionEvents);
    const DWORD selectCookie = Connect(select.Get(), *selectEvents.Get(), &onSelect);
    const DWORD terminateCookie =
        Connect(interaction.Get(), *interactionEvents.Get(), &onTerminate);
    ASSERT_TRUE(selectCookie != 0 && terminateCookie != 0);

    IDispatch* line = host.Entity(L"Rail:1/Sketch1/Line1");
    EXPECT_FALSE(host.Hover(line).offered);  // not started yet
    // The 2D sketch default filter: a line of a planar sketch passes it.
    ASSERT_TRUE(Get(select.Get(), L"AddSelectionFilter", {Value(0x3F07L).Raw()}).Succeeded());
    ASSERT_TRUE(Put(select.Get(), L"SingleSelectEnabled", Value(true).Raw()).Succeeded());
    ASSERT_TRUE(Get(interaction.Get(), L"Start").Succeeded());
    EXPECT_TRUE(host.InteractionRunning());
    EXPECT_EQ(host.SelectionFilters(), std::vector<long>{0x3F07});
    // Neither a work point nor a curve of a 3D sketch passes the 2D sketch filter.
    EXPECT_FALSE(host.Hover(host.Entity(L"Cart:1/WorkPoint1")).offered);
    EXPECT_FALSE(host.Hover(host.Entity(L"Rail:1/Sketch3D1/Line3D1")).offered);

    // The sink widens the hover to the whole path.
    onSelect.more = {host.Entity(L"Rail:1/Sketch1/Arc1"), host.Entity(L"Rail:1/Sketch1/Line2")};
    Hovered hovered = host.Hover(line);
    EXPECT_TRUE(hovered.offered);
    EXPECT_TRUE(hovered.highlighted);
    ASSERT_EQ(hovered.more.size(), 2u);
    EXPECT_EQ(hovered.more[1].Get(), host.Entity(L"Rail:1/Sketch1/Line2"));
    ASSERT_EQ(onSelect.preSelected.size(), 1u);
    EXPECT_EQ(onSelect.preSelected[0].Get(), line);
    EXPECT_EQ(host.Click(), S_OK);
    EXPECT_EQ(onSelect.selectedCounts, std::vector<long>{3});
    EXPECT_EQ(Get(Member(select.Get(), L"SelectedEntities").Get(), L"Count").value.Long(), 3);
    EXPECT_EQ(host.Click(), S_FALSE);  // nothing hovered any more

    // The add-in names the whole path, the hovered curve among it: each curve is selected once,
    // in the path's order, and a selection holds it once however often it is clicked.
    onSelect.more = {line, host.Entity(L"Rail:1/Sketch1/Arc1"),
                     host.Entity(L"Rail:1/Sketch1/Line2")};
    ASSERT_TRUE(Put(select.Get(), L"SingleSelectEnabled", Value(false).Raw()).Succeeded());
    EXPECT_EQ(host.Click(host.Entity(L"Rail:1/Sketch1/Arc1")), S_OK);
    EXPECT_EQ(onSelect.selectedCounts, (std::vector<long>{3, 3}));
    ComPtr<IDispatch> selected = Member(select.Get(), L"SelectedEntities");
    EXPECT_EQ(Get(selected.Get(), L"Count").value.Long(), 3);
    EXPECT_EQ(Member(selected.Get(), L"Item", {Value(1L).Raw()}).Get(), line);

    // A hover the sink refuses to highlight selects nothing.
    onSelect.highlight = false;
    onSelect.more.clear();
    EXPECT_EQ(host.Click(line), S_FALSE);
    EXPECT_EQ(onSelect.selectedCounts.size(), 2u);

    EXPECT_EQ(host.Terminate(), S_OK);
    EXPECT_EQ(onTerminate.events, std::vector<std::wstring>{L"OnTerminate"});
    EXPECT_FALSE(host.InteractionRunning());
    EXPECT_EQ(host.Terminate(), S_FALSE);
    // Stopping a running interaction ends it as Esc does; a stopped one stays quiet.
    ASSERT_TRUE(Get(interaction.Get(), L"Start").Succeeded());
    ASSERT_TRUE(Get(interaction.Get(), L"Stop").Succeeded());
    ASSERT_TRUE(Get(interaction.Get(), L"Stop").Succeeded());
    EXPECT_EQ(onTerminate.events.size(), 2u);
    // Starting another interaction ends the running one.
    ASSERT_TRUE(Get(interaction.Get(), L"Start").Succeeded());
    ComPtr<IDispatch> next =
        Member(Member(host.Application(), L"CommandManager").Get(), L"CreateInteractionEvents");
    ASSERT_TRUE(Get(next.Get(), L"Start").Succeeded());
    EXPECT_EQ(onTerminate.events.size(), 3u);
    EXPECT_TRUE(host.InteractionRunning());
    ASSERT_TRUE(Get(next.Get(), L"Stop").Succeeded());
    EXPECT_EQ(onSelect.events,
              (std::vector<std::wstring>{L"OnPreSelect", L"OnSelect", L"OnPreSelect", L"OnSelect",
                                         L"OnPreSelect"}));
    EXPECT_EQ(Disconnect(select.Get(), *selectEvents.Get(), selectCookie), S_OK);
    EXPECT_EQ(Disconnect(interaction.Get(), *interactionEvents.Get(), terminateCookie), S_OK);
    EXPECT_EQ(onSelect.references, 0u);
    EXPECT_EQ(onTerminate.references, 0u);
  }
  EXPECT_EQ(TestHost::LiveObjects(), before);
}

}  // namespace
}  // namespace sledway::automation_host
