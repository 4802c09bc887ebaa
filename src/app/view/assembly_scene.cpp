#include "app/view/assembly_scene.hpp"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <Prs3d_Drawer.hxx>
#include <Prs3d_LineAspect.hxx>
#include <Prs3d_PointAspect.hxx>
#include <Prs3d_ShadingAspect.hxx>
#include <StdSelect_BRepOwner.hxx>
#include <TopExp.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <array>
#include <utility>

#include "app/view/entity_shapes.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"

namespace sledway::app {
namespace {

const std::array<Quantity_Color, 6> kBodyColours = {
    Quantity_Color(0.36, 0.55, 0.80, Quantity_TOC_RGB),
    Quantity_Color(0.85, 0.62, 0.30, Quantity_TOC_RGB),
    Quantity_Color(0.50, 0.72, 0.45, Quantity_TOC_RGB),
    Quantity_Color(0.75, 0.45, 0.55, Quantity_TOC_RGB),
    Quantity_Color(0.62, 0.62, 0.66, Quantity_TOC_RGB),
    Quantity_Color(0.55, 0.48, 0.78, Quantity_TOC_RGB)};
const Quantity_Color kSketchColour(0.10, 0.20, 0.70, Quantity_TOC_RGB);
const Quantity_Color kWorkFeatureColour(0.95, 0.45, 0.05, Quantity_TOC_RGB);

bool SamePlacement(const gp_Trsf& a, const gp_Trsf& b) {
  for (int row = 1; row <= 3; ++row) {
    for (int column = 1; column <= 4; ++column) {
      if (a.Value(row, column) != b.Value(row, column)) return false;
    }
  }
  return true;
}

void StyleSketchCurve(const Handle(AIS_Shape) & curve) {
  curve->SetColor(kSketchColour);
  curve->SetWidth(2.0);
}

void StyleWorkFeature(const Handle(AIS_Shape) & feature) {
  feature->SetColor(kWorkFeatureColour);
  feature->Attributes()->SetPointAspect(
      new Prs3d_PointAspect(Aspect_TOM_BALL, kWorkFeatureColour, 2.5));
  feature->Attributes()->SetLineAspect(
      new Prs3d_LineAspect(kWorkFeatureColour, Aspect_TOL_DOTDASH, 1.5));
  feature->Attributes()->SetWireAspect(
      new Prs3d_LineAspect(kWorkFeatureColour, Aspect_TOL_DOTDASH, 1.5));
  // Work points often sit inside a body: drawn over it, so that they can be seen and picked.
  feature->SetZLayer(Graphic3d_ZLayerId_Topmost);
}

}  // namespace

AssemblyScene::AssemblyScene(Handle(AIS_InteractiveContext) context,
                             Ref<model::AssemblyDocument> document)
    : context_(std::move(context)), document_(std::move(document)) {
  int colourIndex = 0;
  for (const Ref<model::Component>& component : document_->Components()) {
    AddComponent(component, colourIndex++);
  }
  AddAssemblySketches();
}

AssemblyScene::~AssemblyScene() {
  for (const auto& [object, drawn] : drawn_) {
    context_->Remove(const_cast<AIS_InteractiveObject*>(object), false);
  }
}

void AssemblyScene::AddComponent(const Ref<model::Component>& component, int colourIndex) {
  auto view = std::make_unique<ComponentView>();
  ComponentView* owner = view.get();
  view->component = component;
  const Ref<model::Part> part = component->Part();
  view->body = new AIS_Shape(part->Shape());
  TopExp::MapShapes(part->Shape(), TopAbs_VERTEX, view->vertices);
  StyleBody(view->body, colourIndex);
  drawn_[view->body.get()] = Drawn{component, owner, true};

  for (const std::string& name : part->SketchNames()) {
    const Ref<model::PlanarSketch> sketch = component->Sketch(name);
    for (int i = 1; i <= sketch->CurveCount(); ++i) {
      StyleSketchCurve(
          AddMember(SketchCurveShape(*sketch->Definition(), i), sketch->Curve(i), owner));
    }
  }
  for (const std::string& name : part->Sketch3dNames()) {
    const Ref<model::Sketch3d> sketch = component->Sketch3d(name);
    for (int i = 1; i <= sketch->CurveCount(); ++i) {
      StyleSketchCurve(
          AddMember(CurveShape(*sketch->Definition()->Curve(i)), sketch->Curve(i), owner));
    }
  }
  for (const std::string& name : part->WorkPointNames()) {
    StyleWorkFeature(AddMember(BRepBuilderAPI_MakeVertex(part->WorkPoint(name)).Shape(),
                               component->WorkPoint(name), owner));
  }
  for (const std::string& name : part->WorkAxisNames()) {
    StyleWorkFeature(
        AddMember(WorkAxisShape(part->WorkAxis(name), *part), component->WorkAxis(name), owner));
  }

  view->shownPlacement = component->Placement();
  view->shown = component->Visible();
  view->changed = component->OnDisplayChanged.Connect([this] {
    if (std::exchange(stale_, true)) return;
    if (onStale_) onStale_();
  });
  DisplayBody(*view);
  components_.push_back(std::move(view));
}

void AssemblyScene::AddAssemblySketches() {
  for (const std::string& name : document_->SketchNames()) {
    const Ref<model::PlanarSketch> sketch = document_->Sketch(name);
    for (int i = 1; i <= sketch->CurveCount(); ++i) {
      StyleSketchCurve(
          AddMember(SketchCurveShape(*sketch->Definition(), i), sketch->Curve(i), nullptr));
    }
  }
  for (const std::string& name : document_->Sketch3dNames()) {
    const Ref<model::Sketch3d> sketch = document_->Sketch3d(name);
    for (int i = 1; i <= sketch->CurveCount(); ++i) {
      StyleSketchCurve(
          AddMember(CurveShape(*sketch->Definition()->Curve(i)), sketch->Curve(i), nullptr));
    }
  }
  for (const Handle(AIS_Shape) & member : assemblyMembers_) {
    context_->Display(member, AIS_WireFrame, 0, false);
  }
}

Handle(AIS_Shape) AssemblyScene::AddMember(const TopoDS_Shape& shape, const Ref<IVObject>& entity,
                                           ComponentView* owner) {
  Handle(AIS_Shape) member = new AIS_Shape(shape);
  drawn_[member.get()] = Drawn{entity, owner};
  shapeOfEntity_[entity.get()] = member;
  (owner ? owner->members : assemblyMembers_).push_back(member);
  return member;
}

void AssemblyScene::StyleBody(const Handle(AIS_Shape) & body, int colourIndex) const {
  body->SetColor(kBodyColours[static_cast<std::size_t>(colourIndex) % kBodyColours.size()]);
  body->SetMaterial(Graphic3d_NameOfMaterial_Plastified);
  body->Attributes()->SetFaceBoundaryDraw(edgesShown_);
  body->Attributes()->SetFaceBoundaryAspect(
      new Prs3d_LineAspect(Quantity_NOC_BLACK, Aspect_TOL_SOLID, 1.0));
}

void AssemblyScene::DisplayBody(ComponentView& view) {
  const TopLoc_Location location(view.shownPlacement);
  if (!view.shown) {
    context_->Erase(view.body, false);
    for (const Handle(AIS_Shape) & member : view.members) context_->Erase(member, false);
    return;
  }
  // Picking reaches a body's edges and vertices, never its faces: those would hide the edges
  // and work features behind them.
  context_->Display(view.body, AIS_Shaded, AIS_Shape::SelectionMode(TopAbs_EDGE), false);
  context_->Activate(view.body, AIS_Shape::SelectionMode(TopAbs_VERTEX));
  context_->SetLocation(view.body, location);
  for (const Handle(AIS_Shape) & member : view.members) {
    context_->Display(member, AIS_WireFrame, 0, false);
    context_->SetLocation(member, location);
  }
}

bool AssemblyScene::Synchronize() {
  stale_ = false;
  bool changed = false;
  for (const auto& view : components_) {
    const Ref<model::Component>& component = view->component;
    const TopoDS_Shape body = component->Part()->Shape();
    if (!body.IsSame(view->body->Shape())) {
      // A recompute rebuilt the part: the one case that needs a new triangulation.
      view->body->SetShape(body);
      view->vertices.Clear();
      TopExp::MapShapes(body, TopAbs_VERTEX, view->vertices);
      context_->Redisplay(view->body, false);
      changed = true;
    }
    const bool visible = component->Visible();
    const gp_Trsf placement = component->Placement();
    if (visible != view->shown) {
      view->shown = visible;
      view->shownPlacement = placement;
      DisplayBody(*view);
      changed = true;
    } else if (visible && !SamePlacement(placement, view->shownPlacement)) {
      view->shownPlacement = placement;
      const TopLoc_Location location(placement);
      context_->SetLocation(view->body, location);
      for (const Handle(AIS_Shape) & member : view->members)
        context_->SetLocation(member, location);
      changed = true;
    }
  }
  return changed;
}

Ref<IVObject> AssemblyScene::EntityOf(const Handle(SelectMgr_EntityOwner) & owner) const {
  if (owner.IsNull()) return nullptr;
  const auto found =
      drawn_.find(dynamic_cast<const AIS_InteractiveObject*>(owner->Selectable().get()));
  if (found == drawn_.end()) return nullptr;
  const Drawn& drawn = found->second;
  if (!drawn.body) return drawn.entity;

  const auto brepOwner = Handle(StdSelect_BRepOwner)::DownCast(owner);
  if (brepOwner.IsNull() || !brepOwner->HasShape()) return nullptr;
  const TopoDS_Shape& shape = brepOwner->Shape();
  const Ref<model::Component>& component = drawn.component->component;
  if (shape.ShapeType() == TopAbs_EDGE) {
    const int index = component->Part()->Edges().FindIndex(shape);
    return index > 0 ? component->Edge(index) : nullptr;
  }
  if (shape.ShapeType() == TopAbs_VERTEX) {
    const int index = drawn.component->vertices.FindIndex(shape);
    return index > 0 ? component->Vertex(index) : nullptr;
  }
  return nullptr;
}

TopoDS_Shape AssemblyScene::ShapeOf(const Ref<IVObject>& entity) const {
  if (const TopoDS_Shape topology = ComponentTopologyShape(entity); !topology.IsNull()) {
    return topology;
  }
  const auto found = shapeOfEntity_.find(entity.get());
  if (found == shapeOfEntity_.end()) return {};
  const Handle(AIS_Shape)& member = found->second;
  return member->Shape().Moved(TopLoc_Location(member->LocalTransformation()));
}

void AssemblyScene::SetEdgesShown(bool shown) {
  edgesShown_ = shown;
  for (const auto& view : components_) {
    view->body->Attributes()->SetFaceBoundaryDraw(shown);
    context_->Redisplay(view->body, false);
  }
}

Handle(AIS_Shape) AssemblyScene::BodyOf(const Ref<model::Component>& component) const {
  for (const auto& view : components_) {
    if (view->component == component) return view->body;
  }
  return {};
}

Bnd_Box AssemblyScene::OwnBox(const ComponentView& view) {
  Bnd_Box box;
  BRepBndLib::Add(view.body->Shape(), box);
  for (const Handle(AIS_Shape) & member : view.members) BRepBndLib::Add(member->Shape(), box);
  return box;
}

Bnd_Box AssemblyScene::OwnBoxOf(const Ref<model::Component>& component) const {
  for (const auto& view : components_) {
    if (view->component == component) return OwnBox(*view);
  }
  return {};
}

Bnd_Box AssemblyScene::ShownBox(const std::vector<Ref<model::Component>>& except) const {
  Bnd_Box box;
  for (const auto& view : components_) {
    if (!view->shown || std::find(except.begin(), except.end(), view->component) != except.end()) {
      continue;
    }
    box.Add(OwnBox(*view).Transformed(view->shownPlacement));
  }
  for (const Handle(AIS_Shape) & member : assemblyMembers_) BRepBndLib::Add(member->Shape(), box);
  return box;
}

}  // namespace sledway::app
