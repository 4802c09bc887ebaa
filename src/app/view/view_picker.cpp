#include "app/view/view_picker.hpp"

#include <BRep_Builder.hxx>
#include <Prs3d_LineAspect.hxx>
#include <Prs3d_PointAspect.hxx>
#include <StdSelect_ViewerSelector3d.hxx>
#include <TopoDS_Compound.hxx>
#include <utility>

#include "app/view/assembly_scene.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/interaction/interaction.hpp"
#include "modelhost/interaction/select_events.hpp"

namespace sledway::app {
namespace {

const Quantity_Color kHighlightColour(0.0, 0.85, 0.95, Quantity_TOC_RGB);

}  // namespace

ViewPicker::ViewPicker(Handle(AIS_InteractiveContext) context, Ref<model::Application> application)
    : context_(std::move(context)), application_(std::move(application)) {}

ViewPicker::~ViewPicker() {
  if (!highlight_.IsNull()) context_->Remove(highlight_, false);
}

void ViewPicker::SetScene(const AssemblyScene* scene) {
  scene_ = scene;
  hovered_.reset();
  hoveredIn_ = nullptr;
  Refresh();
}

Ref<model::Interaction> ViewPicker::Running() const {
  return application_->Commands()->ActiveInteraction();
}

bool ViewPicker::MoveTo(int x, int y, const Handle(V3d_View) & view) {
  const Ref<model::Interaction> interaction = Running();
  if (!interaction || !scene_) return Refresh();
  const auto selectEvents = As<model::SelectEvents>(interaction->GetSelectEvents());
  const Handle(StdSelect_ViewerSelector3d)& selector = context_->MainSelector();
  selector->Pick(x, y, view);
  for (int i = 1; i <= selector->NbPicked(); ++i) {
    const Ref<IVObject> entity = scene_->EntityOf(selector->Picked(i));
    if (entity && selectEvents->Admits(entity)) {
      const gp_Pnt point = selector->PickedPoint(i);
      return Hover(entity, x, y, &point);
    }
  }
  return Hover(nullptr, x, y, nullptr);
}

bool ViewPicker::Offer(const Ref<IVObject>& entity) {
  return Hover(entity, 0, 0, nullptr);
}

bool ViewPicker::Hover(const Ref<IVObject>& entity, int x, int y, const gp_Pnt* modelPoint) {
  const Ref<model::Interaction> interaction = Running();
  if (!interaction) return Refresh();
  if (entity == hovered_ && hoveredIn_ == interaction.get()) return false;
  hovered_ = entity;
  hoveredIn_ = interaction.get();
  model::PickPosition position;
  if (modelPoint) {
    const Ref<IVGeometryFactory> factory = application_->GetGeometryFactory();
    position.device = IVSelectionDevice::kGraphicsWindow;
    position.modelPosition =
        factory->CreatePoint(modelPoint->X(), modelPoint->Y(), modelPoint->Z());
    position.viewPosition = factory->CreatePoint2d(x, y);
  }
  try {
    interaction->Hover(entity, position);
  } catch (...) {
    Refresh();
    throw;
  }
  return Refresh();
}

bool ViewPicker::Click() {
  const Ref<model::Interaction> interaction = Running();
  const bool selected = interaction && interaction->Click();
  // The cursor has to leave and come back before the same entity is offered again.
  Refresh();
  return selected;
}

bool ViewPicker::Stop() {
  const Ref<model::Interaction> interaction = Running();
  if (!interaction) return false;
  interaction->Stop();
  Refresh();
  return true;
}

bool ViewPicker::Refresh() {
  const Ref<model::Interaction> interaction = Running();
  std::vector<Ref<IVObject>> wanted;
  if (interaction && scene_) wanted = interaction->Highlighted();
  if (!interaction) {
    hovered_.reset();
    hoveredIn_ = nullptr;
  }
  if (wanted == drawnHighlight_) return false;
  drawnHighlight_ = wanted;
  if (!highlight_.IsNull()) {
    context_->Remove(highlight_, false);
    highlight_.Nullify();
  }
  if (wanted.empty()) return true;

  BRep_Builder builder;
  TopoDS_Compound compound;
  builder.MakeCompound(compound);
  for (const Ref<IVObject>& entity : wanted) {
    const TopoDS_Shape shape = scene_->ShapeOf(entity);
    if (!shape.IsNull()) builder.Add(compound, shape);
  }
  highlight_ = new AIS_Shape(compound);
  highlight_->SetColor(kHighlightColour);
  highlight_->SetWidth(4.0);
  highlight_->Attributes()->SetPointAspect(
      new Prs3d_PointAspect(Aspect_TOM_BALL, kHighlightColour, 3.0));
  highlight_->SetZLayer(Graphic3d_ZLayerId_Topmost);
  context_->Display(highlight_, AIS_WireFrame, -1, false);
  return true;
}

}  // namespace sledway::app
