// The binding against the automation test host, through the host's names and type information
// alone: documents, parameters and units, geometry checked against the scene's closed forms,
// identity of what is met twice, the button and its click, picking events with what the add-in
// changes in them, and every host object let go at the end.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "automation/binding_session.hpp"
#include "automation/host_object.hpp"
#include "com_apartment.hpp"
#include "host/host.hpp"
#include "platform/live_objects.hpp"
#include "test_host.hpp"

namespace sledway::automation {
namespace {

using automation_host::ActiveDocument;
using automation_host::TestHost;
using BindingOverTestHost = automation_host::ComApartment;

constexpr double kPi = std::numbers::pi;

// One activation's binding over a test host.
struct Binding {
  Binding() : site(As<IVAddInSite>(session->Bind(host.Site(), Role::kSite))) {}
  ~Binding() { session->LetGoOfAll(); }

  // A scene entity as the binding meets a picked one: by its kind alone.
  Ref<IVObject> Entity(const wchar_t* name) {
    IDispatch* entity = host.Entity(name);
    EXPECT_NE(entity, nullptr) << "the scene has no entity of that name";
    return session->Bind(entity, Role::kEntity);
  }

  TestHost host;
  std::shared_ptr<Session> session =
      std::make_shared<Session>("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");
  Ref<IVAddInSite> site;
};

void ExpectPoint(const Ref<IVPoint>& point, double x, double y, double z) {
  ASSERT_NE(point, nullptr);
  EXPECT_NEAR(point->X(), x, 1e-12);
  EXPECT_NEAR(point->Y(), y, 1e-12);
  EXPECT_NEAR(point->Z(), z, 1e-12);
}

TEST_F(BindingOverTestHost, DocumentsParametersAndUnitsByName) {
  Binding bound;
  const Ref<IVApplication> application = bound.site->GetApplication();
  EXPECT_NE(application->GetMainWindowHandle(), 0);
  const auto assembly = As<IVAssemblyDocument>(application->GetActiveDocument());
  ASSERT_NE(assembly, nullptr);
  EXPECT_EQ(assembly->DocumentType(), IVDocumentType::kAssembly);
  const Ref<IVUnits> units = assembly->GetUnits();
  EXPECT_EQ(units->FormatValue(123.45, kDefaultDisplayLengthUnits), "1234.5 mm");
  EXPECT_EQ(units->UnitsLabel(kDefaultDisplayLengthUnits), "mm");

  const Ref<IVParameters> parameters = assembly->GetDefinition()->GetParameters();
  EXPECT_EQ(parameters->GetFirstList()->Count(), 2);
  EXPECT_EQ(parameters->GetSecondList()->Count(), 1);
  const Ref<IVParameter> travel = parameters->Item("Travel");
  EXPECT_EQ(travel->Name(), "Travel");
  EXPECT_EQ(travel->Units(), "mm");
  EXPECT_EQ(travel->Expression(), "100 mm");
  // Kept by the host in centimetres, read in the parameter's own units.
  EXPECT_NEAR(travel->Value(), 100.0, 1e-12);
  EXPECT_NEAR(parameters->Item("d1")->Value(), 90.0, 1e-12);
  EXPECT_TRUE(SameObject(parameters->GetSecondList()->Item(1), travel));
  travel->Expression("2.5 cm");
  EXPECT_DOUBLE_EQ(bound.host.ParameterValue(L"Travel"), 2.5);
  ASSERT_FALSE(bound.host.ExpressionPuts().empty());
  EXPECT_EQ(bound.host.ExpressionPuts().back().expression, L"2.5 cm");
  try {
    parameters->Item("NoSuchParameter");
    ADD_FAILURE() << "an unknown parameter was found";
  } catch (const HostError& error) {
    EXPECT_NE(std::string(error.what()).find("\"NoSuchParameter\""), std::string::npos);
  }

  bound.host.SetActiveDocument(ActiveDocument::kPart);
  EXPECT_TRUE(Is<IVPartDocument>(application->GetActiveDocument()));
  bound.host.SetActiveDocument(ActiveDocument::kNone);
  EXPECT_EQ(application->GetActiveDocument(), nullptr);
}

TEST_F(BindingOverTestHost, GeometryAndPlacementsAgainstClosedForms) {
  Binding bound;
  const Ref<IVGeometryFactory> geometry = bound.site->GetApplication()->GetGeometryFactory();
  ExpectPoint(geometry->CreatePoint(1, 2, 3), 1, 2, 3);
  const Ref<IVVector> x = geometry->CreateVector(1, 0, 0);
  const Ref<IVVector> y = geometry->CreateVector(0, 1, 0);
  const Ref<IVVector> z = x->CrossProduct(y);
  EXPECT_NEAR(z->Z(), 1.0, 1e-15);
  EXPECT_NEAR(x->AngleTo(y), kPi / 2, 1e-15);
  const Ref<IVMatrix> turn = geometry->CreateMatrix();
  turn->SetToRotationBetween(x, y, nullptr);
  EXPECT_NEAR(turn->Cell(1, 2), -1.0, 1e-15);
  EXPECT_NEAR(turn->Cell(2, 1), 1.0, 1e-15);
  turn->SetTranslation(geometry->CreateVector(1, 2, 3), false);
  EXPECT_NEAR(turn->GetTranslation()->Y(), 2.0, 1e-15);
  // An additive translation adds to the one there, the rotation kept.
  turn->SetTranslation(geometry->CreateVector(1, 1, 1), true);
  EXPECT_NEAR(turn->GetTranslation()->X(), 2.0, 1e-15);
  EXPECT_NEAR(turn->GetTranslation()->Z(), 4.0, 1e-15);
  EXPECT_NEAR(turn->Cell(1, 2), -1.0, 1e-15);

  // The cart: a turn of 30 degrees about Z, then (20, 0, 0).
  const auto workPoint = As<IVWorkPoint>(bound.Entity(L"Cart:1/WorkPoint1"));
  ASSERT_NE(workPoint, nullptr);
  const double c = std::cos(kPi / 6);
  const double s = std::sin(kPi / 6);
  ExpectPoint(workPoint->GetPoint(), 20 + c - s, s + c, 1);
  const Ref<IVComponent> cart = workPoint->ContainingOccurrence();
  ASSERT_NE(cart, nullptr);
  EXPECT_EQ(cart->Name(), "Cart:1");
  const Ref<IVMatrix> placement = cart->GetTransformation();
  EXPECT_NEAR(placement->Cell(1, 1), c, 1e-15);
  EXPECT_NEAR(placement->Cell(1, 4), 20, 1e-15);
  placement->SetToIdentity();
  placement->SetTranslation(geometry->CreateVector(5, 6, 7), false);
  cart->SetTransformation(placement);
  ASSERT_EQ(bound.host.Placements(L"Cart:1").size(), 1u);
  EXPECT_EQ(bound.host.Placements(L"Cart:1")[0].cell[2][3], 7.0);
  ExpectPoint(workPoint->GetPoint(), 6, 7, 8);
  cart->Visible(false);
  EXPECT_FALSE(bound.host.Visible(L"Cart:1"));
  EXPECT_FALSE(cart->Visible());

  EXPECT_TRUE(Is<IVVertex>(bound.Entity(L"Cart:1/Vertex1")));
  const auto axis = As<IVAxis>(bound.Entity(L"Cart:1/WorkAxis1"));
  ASSERT_NE(axis, nullptr);
  const Ref<IVVector> direction = axis->GetLine()->Direction();
  EXPECT_NEAR(direction->Z(), 1.0, 1e-15);
}

TEST_F(BindingOverTestHost, SketchesProfilesEdgesAndEvaluatorsAgainstClosedForms) {
  Binding bound;
  const auto line = As<IVSketchLine>(bound.Entity(L"Rail:1/Sketch1/Line1"));
  ASSERT_NE(line, nullptr);
  const auto sketch = As<IVPlanarSketch>(line->Parent());
  ASSERT_NE(sketch, nullptr);
  ASSERT_NE(line->ContainingOccurrence(), nullptr);
  EXPECT_EQ(line->ContainingOccurrence()->Name(), "Rail:1");
  // The sketch's x along the rail's X, its y along Z; the rail at (1, 2, 3).
  ExpectPoint(sketch->SketchToModel(
                  bound.site->GetApplication()->GetGeometryFactory()->CreatePoint2d(2, 3)),
              3, 2, 6);

  const Ref<IVProfile> profile = sketch->GetProfiles()->AddOpenProfile();
  ASSERT_EQ(profile->Count(), 1);
  const Ref<IVProfilePath> chain = profile->Item(1);
  ASSERT_EQ(chain->Count(), 3);
  EXPECT_TRUE(SameObject(chain->Item(1)->GetSketchEntity(), line));
  const auto arc = As<IVSketchArc>(chain->Item(2)->GetSketchEntity());
  ASSERT_NE(arc, nullptr);
  double low = 0;
  double high = 0;
  double length = 0;
  const Ref<IVCurveEvaluator2d> arcCurve = arc->GetGeometry()->GetEvaluator();
  arcCurve->GetParamRange(low, high);
  arcCurve->GetLengthBetweenParams(low, high, length);
  EXPECT_NEAR(length, 5 * kPi / 2, 1e-9);
  std::vector<double> end(2);
  arcCurve->GetPointAtParam(std::vector{high}, end);
  EXPECT_NEAR(end[0], 15, 1e-12);
  EXPECT_NEAR(end[1], 5, 1e-12);

  const auto helix = As<IVSketchSpline3D>(bound.Entity(L"Rail:1/Sketch3D1/Helix1"));
  ASSERT_NE(helix, nullptr);
  EXPECT_TRUE(Is<IVSketch3D>(helix->Parent()));
  const Ref<IVCurveEvaluator> helixCurve = helix->GetGeometry()->GetEvaluator();
  helixCurve->GetParamRange(low, high);
  helixCurve->GetLengthBetweenParams(low, high, length);
  EXPECT_NEAR(length, std::hypot(2 * kPi * 2, 3.0), 1e-9);
  // About (4, 2, 0) in the rail at (1, 2, 3), radius 2, rising 3 a turn.
  const std::vector<double> at{0.3, 4.0};
  std::vector<double> points(6);
  std::vector<double> tangents(6);
  helixCurve->GetPointAtParam(at, points);
  helixCurve->GetTangent(at, tangents);
  const double rise = 3 / (2 * kPi);
  for (std::size_t i = 0; i < at.size(); ++i) {
    EXPECT_NEAR(points[3 * i], 5 + 2 * std::cos(at[i]), 1e-12);
    EXPECT_NEAR(points[3 * i + 1], 4 + 2 * std::sin(at[i]), 1e-12);
    EXPECT_NEAR(points[3 * i + 2], 3 + rise * at[i], 1e-12);
    EXPECT_NEAR(tangents[3 * i], -2 * std::sin(at[i]), 1e-12);
    EXPECT_NEAR(tangents[3 * i + 1], 2 * std::cos(at[i]), 1e-12);
    EXPECT_NEAR(tangents[3 * i + 2], rise, 1e-12);
  }
  // More room than the host fills is a failure, never a read past its array.
  std::vector<double> tooMany(9);
  EXPECT_THROW(helixCurve->GetPointAtParam(at, tooMany), HostError);

  const auto edge = As<IVEdgeProxy>(bound.Entity(L"Cart:1/Edge1"));
  ASSERT_NE(edge, nullptr);
  const Ref<IVEntityCollection> chainOfEdges = edge->GetTangentChain();
  ASSERT_EQ(chainOfEdges->Count(), 2);
  bool hasItself = false;
  for (int i = 1; i <= 2; ++i) hasItself = hasItself || SameObject(chainOfEdges->Item(i), edge);
  EXPECT_TRUE(hasItself);
  EXPECT_TRUE(
      SameObject(edge->ContainingOccurrence(),
                 As<IVWorkPoint>(bound.Entity(L"Cart:1/WorkPoint1"))->ContainingOccurrence()));
  edge->GetEvaluator()->GetLengthBetweenParams(0, 1, length);
  EXPECT_GT(length, 0.0);
}

TEST_F(BindingOverTestHost, TheButtonItsPlaceAndItsClick) {
  Binding bound;
  const Ref<IVButtonHandler> button =
      bound.site->CreateButtonHandler("id_Sledway", kButtonHandlerKind, "Sledway", "Sledway",
                                      "Constrain to path", nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  const Ref<IVButtonDefinition> definition = button->GetButtonDefinition();
  EXPECT_EQ(definition->InternalName(), "id_Sledway");
  EXPECT_EQ(definition->Tooltip(), "Constrain to path");
  int clicks = 0;
  Connection clicked = button->OnClick.Connect([&] { ++clicks; });
  EXPECT_EQ(bound.host.ButtonSinks(L"id_Sledway"), 1u);
  EXPECT_EQ(bound.host.ExecuteButton(L"id_Sledway"), S_OK);
  EXPECT_EQ(clicks, 1);

  const Ref<IVCommandBars> bars =
      bound.site->GetApplication()->GetUserInterface()->GetCommandBars();
  ASSERT_NE(bars, nullptr);
  bars->Add("Sledway")->GetControls()->Add(kButtonControlKind, definition);
  const Ref<IVCommandBarControls> hostBar = bars->Item("AMxAssemblyPanelCmdBar")->GetControls();
  hostBar->Add(kButtonControlKind, definition);
  hostBar->Add(kButtonControlKind, definition);
  ASSERT_FALSE(bound.host.PlacedButtons().empty());
  EXPECT_LE(bound.host.PlacedButtons().size(), 2u);
  EXPECT_EQ(bound.host.PlacedButtons().back().definition, L"id_Sledway");

  // The end of the session takes away what it added: the control, the panel, the definition.
  bound.session->LetGoOfAll();
  EXPECT_EQ(bound.host.ButtonSinks(L"id_Sledway"), 0u);
  EXPECT_TRUE(bound.host.PlacedButtons().empty());
  EXPECT_EQ(bound.host.ExecuteButton(L"id_Sledway"), S_FALSE);
  EXPECT_EQ(clicks, 1);
}

// The handler widens the first hover to the whole profile, refuses the second's highlight and
// offers the arc in the line's place on the third: what it changed reaches the host.
TEST_F(BindingOverTestHost, PickingThroughTheHostsSelectEvents) {
  const long hostObjects = TestHost::LiveObjects();
  const int libraryObjects = LiveObjects();
  {
    Binding bound;
    const Ref<IVInteraction> interaction =
        bound.site->GetApplication()->GetCommandManager()->CreateInteraction();
    const Ref<IVSelectEvents> select = interaction->GetSelectEvents();
    // The sinks the host holds keep the library loaded.
    EXPECT_EQ(LiveObjects(), libraryObjects + 2);
    select->AddSelectionFilter(IVSelectFilter::kSketchDefault);  // the line is of a 2D sketch
    select->SingleSelect(true);
    interaction->SelectionEnabled(true);
    const Ref<IVObjectFactory> objects = bound.site->GetApplication()->GetObjectFactory();
    const Ref<IVObject> arc = bound.Entity(L"Rail:1/Sketch1/Arc1");
    int hovers = 0;
    Ref<IVObject> hovered;
    IVSelectionDevice device{};
    Connection preSelect = select->OnPreSelect.Connect(
        [&](Ref<IVObject>& entity, bool& doHighlight, Ref<IVObjectCollection>& more,
            IVSelectionDevice from, Ref<IVPoint>, Ref<IVPoint2d>, Ref<IVObject>) {
          hovered = entity;
          device = from;
          EXPECT_TRUE(doHighlight);
          EXPECT_NE(more, nullptr);
          if (++hovers == 2) doHighlight = false;
          if (hovers == 3) entity = arc;
          if (hovers != 1) return;
          const auto line = As<IVSketchEntity>(entity);
          const Ref<IVProfilePath> chain =
              As<IVPlanarSketch>(line->Parent())->GetProfiles()->AddOpenProfile()->Item(1);
          Ref<IVObjectCollection> others = objects->CreateObjectCollection();
          for (int i = 2; i <= chain->Count(); ++i) others->Add(chain->Item(i)->GetSketchEntity());
          more = others;
        });
    int selectedCount = 0;
    Connection selected = select->OnSelect.Connect(
        [&](Ref<IVEntityCollection> just, IVSelectionDevice, Ref<IVPoint>, Ref<IVPoint2d>,
            Ref<IVObject>) { selectedCount = just->Count(); });
    int terminations = 0;
    Connection terminated = interaction->OnTerminate.Connect([&] { ++terminations; });
    interaction->Start();
    EXPECT_TRUE(bound.host.InteractionRunning());

    IDispatch* line = bound.host.Entity(L"Rail:1/Sketch1/Line1");
    const automation_host::Hovered hover = bound.host.Hover(line);
    EXPECT_TRUE(hover.offered);
    EXPECT_TRUE(hover.highlighted);
    EXPECT_EQ(hover.more.size(), 2u);
    EXPECT_TRUE(Is<IVSketchLine>(hovered));
    EXPECT_EQ(device, IVSelectionDevice::kGraphicsWindow);
    EXPECT_EQ(bound.host.Click(), S_OK);
    EXPECT_EQ(selectedCount, 3);
    EXPECT_FALSE(bound.host.Hover(line).highlighted);
    EXPECT_EQ(bound.host.Click(line), S_OK);
    EXPECT_EQ(selectedCount, 1);
    const Ref<IVEntityCollection> picked = select->GetSelectedEntities();
    ASSERT_EQ(picked->Count(), 1);
    EXPECT_TRUE(SameObject(picked->Item(1), arc));

    // The user's Esc.
    EXPECT_EQ(bound.host.Terminate(), S_OK);
    EXPECT_EQ(terminations, 1);
    EXPECT_FALSE(bound.host.InteractionRunning());
    // The add-in's Stop ends a run with OnTerminate once, whether or not the host raises it.
    interaction->Start();
    interaction->Stop();
    EXPECT_EQ(terminations, 2);
    interaction->Stop();
    EXPECT_EQ(terminations, 2);
  }
  EXPECT_EQ(LiveObjects(), libraryObjects);
  EXPECT_EQ(TestHost::LiveObjects(), hostObjects);
}

// (Button definitions stay: the host keeps those it made in its ControlDefinitions.)
TEST_F(BindingOverTestHost, EveryHostObjectIsLetGoAtTheEnd) {
  TestHost host;
  const long scene = TestHost::LiveObjects();
  {
    auto session = std::make_shared<Session>("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");
    const auto site = As<IVAddInSite>(session->Bind(host.Site(), Role::kSite));
    const Ref<IVApplication> application = site->GetApplication();
    const auto assembly = As<IVAssemblyDocument>(application->GetActiveDocument());
    const Ref<IVParameter> held = assembly->GetDefinition()->GetParameters()->Item("d0");
    const Ref<IVInteraction> interaction = application->GetCommandManager()->CreateInteraction();
    const Ref<IVSelectEvents> select = interaction->GetSelectEvents();
    EXPECT_GT(TestHost::LiveObjects(), scene);
    session->LetGoOfAll();
    try {
      held->Value();
      ADD_FAILURE() << "a let-go host object was called";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(RPC_E_DISCONNECTED));
    }
    // A session that let go binds nothing more.
    EXPECT_THROW(session->Bind(host.Site(), Role::kSite), HostError);
  }
  EXPECT_EQ(TestHost::LiveObjects(), scene);
}

}  // namespace
}  // namespace sledway::automation
