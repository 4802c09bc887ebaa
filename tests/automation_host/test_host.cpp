#include "test_host.hpp"

#include <algorithm>
#include <map>
#include <numbers>
#include <utility>

#include "command_objects.hpp"
#include "component_occurrence.hpp"
#include "document_objects.hpp"
#include "geometry_objects.hpp"
#include "list_objects.hpp"
#include "object_types.hpp"
#include "part_objects.hpp"
#include "sketch_objects.hpp"

namespace sledway::automation_host {

namespace {

constexpr double kPi = std::numbers::pi;

// The host's selection filters (src/host/codes.hpp) that admit each kind of scene entity.
constexpr long kSketchDefaultFilter = static_cast<long>(IVSelectFilter::kSketchDefault);
constexpr long kSketch3DDefaultFilter = static_cast<long>(IVSelectFilter::kSketch3DDefault);
constexpr long kEdgeFilter = static_cast<long>(IVSelectFilter::kPartEdge);
constexpr long kStraightEdgeFilter = static_cast<long>(IVSelectFilter::kPartEdgeLinear);
constexpr long kVertexFilter = static_cast<long>(IVSelectFilter::kPartVertex);
constexpr long kWorkPointFilter = static_cast<long>(IVSelectFilter::kWorkPoint);
constexpr long kWorkAxisFilter = static_cast<long>(IVSelectFilter::kWorkAxis);
constexpr long kGraphicsWindowDevice = static_cast<long>(IVSelectionDevice::kGraphicsWindow);

VARIANT ObjectArgument(IDispatch* object) {
  VARIANT argument{};
  argument.vt = VT_DISPATCH;
  argument.pdispVal = object;
  return argument;
}

VARIANT ByRefArgument(IDispatch** object) {
  VARIANT argument{};
  argument.vt = VT_BYREF | VT_DISPATCH;
  argument.ppdispVal = object;
  return argument;
}

// An object's COM identity, its IUnknown address: only compared, never called (the scene holds
// the object).
IUnknown* Identity(IDispatch* object) {
  ComPtr<IUnknown> identity;
  if (object == nullptr || FAILED(object->QueryInterface(IID_PPV_ARGS(&identity)))) {
    return nullptr;
  }
  return identity.Get();
}

}  // namespace

struct TestHost::Scene {
  ComPtr<ApplicationObject> application = Make<ApplicationObject>();
  IDispatch* app = application.Get();
  ComPtr<IDispatch> site = NewAddInSite(app);
  ComPtr<CommandManagerObject> commands = Make<CommandManagerObject>(app);
  ComPtr<UserInterfaceManagerObject> userInterface = Make<UserInterfaceManagerObject>(app);
  ComPtr<IDispatch> view = Make<Object<::View>>(app);
  // Where a hover or click happens, as the events pass it: the origins, in the graphics window.
  ComPtr<IDispatch> origin = NewPoint(app, {0, 0, 0});
  ComPtr<IDispatch> viewOrigin = NewPoint2d(app, 0, 0);
  PlacementHooks placementHooks;
  std::vector<ExpressionPut> expressions;
  std::map<std::wstring, ComPtr<ComponentOccurrenceObject>> components;
  std::vector<ComPtr<ParameterObject>> parameters;
  ComPtr<IDispatch> assembly;
  ComPtr<IDispatch> part;
  std::map<std::wstring, ComPtr<IDispatch>> entities;
  // The filters that admit each entity, by its identity.
  std::map<IUnknown*, std::vector<long>> filters;
  std::vector<ComPtr<IDispatch>> hovered;

  // The arguments every selection event ends with: the device, the model and view positions
  // and the view.
  std::vector<VARIANT> WithPlace(std::vector<VARIANT> arguments) const {
    VARIANT device{};
    device.vt = VT_I4;
    device.lVal = kGraphicsWindowDevice;
    arguments.insert(arguments.end(),
                     {device, ObjectArgument(origin.Get()), ObjectArgument(viewOrigin.Get()),
                      ObjectArgument(view.Get())});
    return arguments;
  }

  Scene() {
    application->SetParts(commands, userInterface);
    ComponentOccurrenceObject& rail = AddComponent(L"Rail:1", Affine::Translation({1, 2, 3}));
    ComponentOccurrenceObject& cart = AddComponent(
        L"Cart:1", Affine::Translation({20, 0, 0}).After(Affine::Rotation({0, 0, 1}, kPi / 6.0)));
    AddComponent(L"Base:1", Affine{}, true);
    AddSketches(rail);
    AddPartEntities(cart);

    std::vector<ComPtr<ParameterObject>> model{AddParameter(L"d0", L"mm", L"0 mm"),
                                               AddParameter(L"d1", L"deg", L"90 deg")};
    std::vector<ComPtr<ParameterObject>> user{AddParameter(L"Travel", L"mm", L"100 mm")};
    assembly = NewAssemblyDocument(app, L"Assembly1.iam", model, user);
    part = NewPartDocument(app, L"Part1.ipt");
    application->SetActiveDocument(assembly);
  }

  ComponentOccurrenceObject& AddComponent(const std::wstring& name, const Affine& placement,
                                          bool grounded = false) {
    auto component =
        Make<ComponentOccurrenceObject>(app, name, placement, grounded, placementHooks);
    components[name] = component;
    return *component.Get();
  }

  ComPtr<ParameterObject> AddParameter(const wchar_t* name, const wchar_t* units,
                                       const wchar_t* expression) {
    auto parameter = Make<ParameterObject>(app, name, units, expression, expressions);
    parameters.push_back(parameter);
    return parameter;
  }

  void AddEntity(const std::wstring& name, ComPtr<IDispatch> entity, std::vector<long> admits) {
    filters[Identity(entity.Get())] = std::move(admits);
    entities[name] = std::move(entity);
  }

  SketchEntityProxyObject* AddCurve(const std::wstring& name, long type,
                                    ComponentOccurrenceObject& component, IDispatch& sketch,
                                    const AnalyticCurve& curve, bool planar) {
    auto made = Make<SketchEntityProxyObject>(app, type, component, sketch, curve, planar);
    AddEntity(name, made, {planar ? kSketchDefaultFilter : kSketch3DDefaultFilter});
    return made.Get();
  }

  void AddSketches(ComponentOccurrenceObject& rail) {
    // The sketch plane is the component's XZ plane: sketch x along X, sketch y along Z.
    Affine onXZ;
    onXZ.cell = {{{1, 0, 0, 0}, {0, 0, -1, 0}, {0, 1, 0, 0}}};
    auto sketch = Make<PlanarSketchProxyObject>(app, rail, onXZ);
    entities[L"Rail:1/Sketch1"] = sketch;
    IDispatch& planar = *sketch.Get();
    CurveChain path;
    path.curves = {AddCurve(L"Rail:1/Sketch1/Line1", object_type::kSketchLineProxy, rail, planar,
                            AnalyticCurve::Line({0, 0, 0}, {10, 0, 0}), true),
                   AddCurve(L"Rail:1/Sketch1/Arc1", object_type::kSketchArcProxy, rail, planar,
                            AnalyticCurve::Arc({10, 5, 0}, 5.0, -kPi / 2.0, 0.0), true),
                   AddCurve(L"Rail:1/Sketch1/Line2", object_type::kSketchLineProxy, rail, planar,
                            AnalyticCurve::Line({15, 5, 0}, {15, 15, 0}), true)};
    sketch->chains().push_back(path);

    auto sketch3d = Make<Sketch3DProxyObject>(app, rail);
    entities[L"Rail:1/Sketch3D1"] = sketch3d;
    IDispatch& spatial = *sketch3d.Get();
    CurveChain path3d;
    path3d.curves = {
        AddCurve(L"Rail:1/Sketch3D1/Line3D1", object_type::kSketchLine3DProxy, rail, spatial,
                 AnalyticCurve::Line({0, 0, 0}, {4, 0, 0}), false),
        AddCurve(L"Rail:1/Sketch3D1/Arc3D1", object_type::kSketchArc3DProxy, rail, spatial,
                 AnalyticCurve::Arc({4, 2, 0}, 2.0, -kPi / 2.0, 0.0), false),
        AddCurve(L"Rail:1/Sketch3D1/Helix1", object_type::kSketchSpline3DProxy, rail, spatial,
                 AnalyticCurve::Helix({4, 2, 0}, 2.0, 3.0, 0.0, 2.0 * kPi), false)};
    sketch3d->chains().push_back(path3d);
  }

  void AddPartEntities(ComponentOccurrenceObject& cart) {
    auto edge1 = Make<EdgeProxyObject>(app, cart, AnalyticCurve::Line({0, 0, 0}, {2, 0, 0}));
    auto edge2 =
        Make<EdgeProxyObject>(app, cart, AnalyticCurve::Arc({2, 1, 0}, 1.0, -kPi / 2.0, 0.0));
    auto edge3 = Make<EdgeProxyObject>(app, cart, AnalyticCurve::Line({0, 0, 0}, {0, 0, 1}));
    edge1->SetTangentChain({edge1.Get(), edge2.Get()});
    edge2->SetTangentChain({edge1.Get(), edge2.Get()});
    edge3->SetTangentChain({edge3.Get()});
    AddEntity(L"Cart:1/Edge1", edge1, {kEdgeFilter, kStraightEdgeFilter});
    AddEntity(L"Cart:1/Edge2", edge2, {kEdgeFilter});
    AddEntity(L"Cart:1/Edge3", edge3, {kEdgeFilter, kStraightEdgeFilter});
    auto vertex = Make<VertexProxyObject>(app, cart, Vec3{0, 0, 0});
    vertex->SetEdges({edge1.Get(), edge3.Get()});
    AddEntity(L"Cart:1/Vertex1", vertex, {kVertexFilter});
    AddEntity(L"Cart:1/WorkPoint1",
              Make<PointProxyObject<::PointEntityProxy>>(app, cart, Vec3{1, 1, 1}),
              {kWorkPointFilter});
    AddEntity(L"Cart:1/WorkAxis1", NewWorkAxisProxy(app, cart, {0, 0, 0}, {0, 0, 1}),
              {kWorkAxisFilter});
  }

  ComponentOccurrenceObject* FindComponent(const std::wstring& name) const {
    auto found = components.find(name);
    return found == components.end() ? nullptr : found->second.Get();
  }

  // Whether the running interaction's filters admit `entity` (every entity when it has none).
  bool Admits(const SelectEventsObject& select, IDispatch* entity) const {
    if (select.filters().empty()) return true;
    auto found = filters.find(Identity(entity));
    if (found == filters.end()) return false;
    return std::any_of(found->second.begin(), found->second.end(), [&](long filter) {
      return std::find(select.filters().begin(), select.filters().end(), filter) !=
             select.filters().end();
    });
  }
};

TestHost::TestHost()
    : scene_(std::make_unique<Scene>()),
      commands_(*scene_->commands.Get()),
      userInterface_(*scene_->userInterface.Get()) {}

TestHost::~TestHost() = default;

IDispatch* TestHost::Site() const {
  return scene_->site.Get();
}

void TestHost::SetActiveDocument(ActiveDocument document) {
  switch (document) {
    case ActiveDocument::kNone:
      scene_->application->SetActiveDocument(nullptr);
      break;
    case ActiveDocument::kPart:
      scene_->application->SetActiveDocument(scene_->part);
      break;
    case ActiveDocument::kAssembly:
      scene_->application->SetActiveDocument(scene_->assembly);
      break;
  }
}

void TestHost::FailNextTransformationPut(HRESULT code, std::wstring text) {
  scene_->placementHooks.code = code;
  scene_->placementHooks.text = std::move(text);
}

void TestHost::AfterEachPlacement(std::function<void()> look) {
  scene_->placementHooks.afterPut = std::move(look);
}

HRESULT TestHost::ExecuteButton(const std::wstring& internalName) {
  ComPtr<ButtonDefinitionObject> button = scene_->commands->Button(internalName);
  if (!button) return S_FALSE;
  ComPtr<IDispatch> context = NewNameValueMap(scene_->app);
  return button->Fire(L"OnExecute", {ObjectArgument(context.Get())});
}

Hovered TestHost::Hover(IDispatch* entity) {
  Hovered hovered;
  scene_->hovered.clear();
  InteractionEventsObject* interaction = scene_->commands->RunningInteraction();
  if (interaction == nullptr || !interaction->selectionActive() || entity == nullptr) {
    return hovered;
  }
  // The sinks may stop and release the interaction while handling the event.
  ComPtr<SelectEventsObject> select(&interaction->selectEvents());
  if (!scene_->Admits(*select.Get(), entity)) return hovered;
  hovered.offered = true;

  ComPtr<IDispatch> preSelected(entity);
  VARIANT_BOOL highlight = VARIANT_TRUE;
  // The host passes an empty collection the add-in fills (or replaces).
  ComPtr<IDispatch> more = NewObjectCollection(scene_->app);
  VARIANT highlightArgument{};
  highlightArgument.vt = VT_BYREF | VT_BOOL;
  highlightArgument.pboolVal = &highlight;
  select->Fire(L"OnPreSelect",
               scene_->WithPlace({ByRefArgument(preSelected.GetAddressOf()), highlightArgument,
                                  ByRefArgument(more.GetAddressOf())}));

  hovered.highlighted = highlight != VARIANT_FALSE;
  if (more) ReadList(more.Get(), hovered.more);
  if (hovered.highlighted) {
    // What a click then selects, each entity once: the pre-selected entity (the sink may have
    // replaced it) and the ones the add-in added, in the add-in's order when it names the
    // pre-selected entity among them.
    for (const ComPtr<IDispatch>& added : hovered.more) AppendOnce(scene_->hovered, added);
    const size_t count = scene_->hovered.size();
    AppendOnce(scene_->hovered, preSelected);
    if (scene_->hovered.size() > count) {
      std::rotate(scene_->hovered.begin(), scene_->hovered.end() - 1, scene_->hovered.end());
    }
  }
  return hovered;
}

HRESULT TestHost::Click() {
  InteractionEventsObject* interaction = scene_->commands->RunningInteraction();
  if (interaction == nullptr || scene_->hovered.empty()) return S_FALSE;
  ComPtr<SelectEventsObject> select(&interaction->selectEvents());
  const std::vector<ComPtr<IDispatch>> picked = std::move(scene_->hovered);
  scene_->hovered.clear();
  select->Select(picked);
  ComPtr<IDispatch> justSelected = NewObjectsEnumerator(scene_->app, picked);
  return select->Fire(L"OnSelect", scene_->WithPlace({ObjectArgument(justSelected.Get())}));
}

HRESULT TestHost::Click(IDispatch* entity) {
  const Hovered hovered = Hover(entity);
  if (!hovered.highlighted) return S_FALSE;
  return Click();
}

HRESULT TestHost::Terminate() {
  InteractionEventsObject* interaction = scene_->commands->RunningInteraction();
  if (interaction == nullptr) return S_FALSE;
  scene_->hovered.clear();
  return interaction->Terminate();
}

IDispatch* TestHost::Entity(const std::wstring& name) const {
  auto found = scene_->entities.find(name);
  return found == scene_->entities.end() ? nullptr : found->second.Get();
}

std::vector<Affine> TestHost::Placements(const std::wstring& component) const {
  const ComponentOccurrenceObject* found = scene_->FindComponent(component);
  return found == nullptr ? std::vector<Affine>{} : found->placements();
}

std::vector<bool> TestHost::Visibilities(const std::wstring& component) const {
  const ComponentOccurrenceObject* found = scene_->FindComponent(component);
  return found == nullptr ? std::vector<bool>{} : found->visibilities();
}

bool TestHost::Visible(const std::wstring& component) const {
  const ComponentOccurrenceObject* found = scene_->FindComponent(component);
  return found != nullptr && found->visible();
}

const std::vector<ExpressionPut>& TestHost::ExpressionPuts() const {
  return scene_->expressions;
}

double TestHost::ParameterValue(const std::wstring& name) const {
  for (const auto& parameter : scene_->parameters) {
    if (parameter->name() == name) return parameter->value();
  }
  return 0.0;
}

size_t TestHost::ButtonSinks(const std::wstring& internalName) const {
  ComPtr<ButtonDefinitionObject> button = scene_->commands->Button(internalName);
  return button ? button->SinkCount() : 0;
}

}  // namespace sledway::automation_host
