#include "app/desktop/clearance_watch.hpp"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <Prs3d_LineAspect.hxx>
#include <TCollection_ExtendedString.hxx>
#include <algorithm>
#include <cstdio>

#include "app/desktop/view_widget.hpp"
#include "app/view/assembly_scene.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::app {
namespace {

// What counts as contact in the view: the runner's default.
constexpr double kContactTolerance = 1e-4;  // cm, 0.001 mm
// Moves further apart than this belong to different runs.
constexpr std::chrono::seconds kRunGap{1};

bool SamePlacement(const gp_Trsf& one, const gp_Trsf& two) {
  for (int row = 1; row <= 3; ++row) {
    for (int column = 1; column <= 4; ++column) {
      if (one.Value(row, column) != two.Value(row, column)) return false;
    }
  }
  return true;
}

std::string DistanceText(double distance, const std::string& unit) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6g %s", distance, unit.c_str());
  return text;
}

}  // namespace

ClearanceWatch::ClearanceWatch(ViewWidget& view) : view_(view) {}

ClearanceWatch::~ClearanceWatch() {
  Clear();
}

void ClearanceWatch::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled_) Clear();
  placements_.clear();
  // Where everything stands now, so that the first move after this is seen as one.
  if (enabled_) Update();
}

void ClearanceWatch::Reset() {
  Clear();
  placements_.clear();
  StartRun();
  check_.reset();
  moving_.reset();
  document_.reset();
}

void ClearanceWatch::StartRun() {
  samples_.clear();
  wholeMotion_.reset();
}

void ClearanceWatch::BeginOwnRun() {
  ownRun_ = true;
  StartRun();
}

void ClearanceWatch::EndOwnRun() {
  ownRun_ = false;
  // The next move begins another run, however soon it comes.
  lastMove_ = {};
}

void ClearanceWatch::Probing(bool probing) {
  probing_ = probing;
  if (!probing_) Learn();
}

void ClearanceWatch::Learn() {
  const AssemblyScene* scene = view_.Scene();
  if (!enabled_ || !scene || scene->Document() != document_) return;
  for (const Ref<model::Component>& component : document_->Components()) {
    placements_.insert_or_assign(component.get(), component->Placement());
  }
}

std::string ClearanceWatch::LengthUnit() const {
  return document_ ? std::string(model::LengthUnitLabel(document_->DisplayUnit())) : "mm";
}

// Drops what the watch drew: the line, the label and the red.
void ClearanceWatch::Clear() {
  const Handle(AIS_InteractiveContext)& context = view_.Context();
  if (!line_.IsNull()) context->Remove(line_, false);
  if (!label_.IsNull()) context->Remove(label_, false);
  line_.Nullify();
  label_.Nullify();
  const AssemblyScene* scene = view_.Scene();
  if (scene) {
    for (const Ref<model::Component>& component : scene->Document()->Components()) {
      Paint(component, false);
    }
  }
  painted_.clear();
}

void ClearanceWatch::Update() {
  const AssemblyScene* scene = view_.Scene();
  if (!enabled_ || !scene || probing_) return;
  if (scene->Document() != document_) {
    Reset();
    document_ = scene->Document();
  }
  // The component that moved since the last look; the first look only learns where all stand.
  Ref<model::Component> moved;
  const bool firstLook = placements_.empty();
  for (const Ref<model::Component>& component : document_->Components()) {
    const gp_Trsf placement = component->Placement();
    auto [known, added] = placements_.emplace(component.get(), placement);
    if (!added && !SamePlacement(known->second, placement)) {
      known->second = placement;
      if (!moved) moved = component;
    }
  }
  if (firstLook || !moved) return;
  if (moved != moving_) {
    std::vector<Ref<model::Component>> others;
    for (const Ref<model::Component>& component : document_->Components()) {
      if (component != moved) others.push_back(component);
    }
    check_ =
        std::make_unique<clearance::ClearanceCheck>(moved, std::move(others), kContactTolerance);
    moving_ = moved;
    StartRun();
  }
  const auto now = std::chrono::steady_clock::now();
  if (!ownRun_ && now - lastMove_ > kRunGap) StartRun();
  lastMove_ = now;

  const clearance::Clearance clearance = check_->Measure();
  const double perUnit = model::CentimetresPerUnit(document_->DisplayUnit());
  ClearanceSample sample{.move = static_cast<int>(samples_.size()) + 1,
                         .distance = std::nullopt,
                         .moving = moving_->ComponentName(),
                         .nearest = clearance.nearestComponent,
                         .contact = !clearance.inContact.empty()};
  if (clearance.nearest) sample.distance = clearance.nearest->distance / perUnit;
  samples_.push_back(sample);
  Show(clearance);
}

void ClearanceWatch::Paint(const Ref<model::Component>& component, bool contact) {
  const AssemblyScene* scene = view_.Scene();
  const Handle(AIS_Shape) body = scene ? scene->BodyOf(component) : Handle(AIS_Shape)();
  if (body.IsNull()) return;
  const auto painted = painted_.find(component.get());
  if (contact && painted == painted_.end()) {
    Quantity_Color own;
    body->Color(own);
    painted_.emplace(component.get(), own);
    view_.Context()->SetColor(body, Quantity_NOC_RED, false);
  } else if (!contact && painted != painted_.end()) {
    view_.Context()->SetColor(body, painted->second, false);
    painted_.erase(painted);
  }
}

void ClearanceWatch::Show(const clearance::Clearance& clearance) {
  for (const Ref<model::Component>& component : document_->Components()) {
    Paint(component, std::find(clearance.inContact.begin(), clearance.inContact.end(),
                               component->ComponentName()) != clearance.inContact.end());
  }
  const Handle(AIS_InteractiveContext)& context = view_.Context();
  if (!clearance.nearest) {
    if (!line_.IsNull()) context->Erase(line_, false);
    if (!label_.IsNull()) context->Erase(label_, false);
    return;
  }
  const gp_Pnt from = clearance.nearest->onMoving;
  const gp_Pnt to = clearance.nearest->onOther;
  const double perUnit = model::CentimetresPerUnit(document_->DisplayUnit());
  if (label_.IsNull()) {
    label_ = new AIS_TextLabel();
    label_->SetColor(Quantity_NOC_YELLOW);
    label_->SetHeight(16);
    label_->SetZLayer(Graphic3d_ZLayerId_Topmost);
  }
  label_->SetText(TCollection_ExtendedString(
      DistanceText(clearance.nearest->distance / perUnit, LengthUnit()).c_str(), true));
  label_->SetPosition(gp_Pnt((from.XYZ() + to.XYZ()) * 0.5));
  if (context->IsDisplayed(label_)) {
    context->Redisplay(label_, false);
  } else {
    context->Display(label_, 0, -1, false);
  }
  if (from.Distance(to) <= Precision::Confusion()) {
    if (!line_.IsNull()) context->Erase(line_, false);
    return;
  }
  const TopoDS_Edge edge = BRepBuilderAPI_MakeEdge(from, to);
  if (line_.IsNull()) {
    line_ = new AIS_Shape(edge);
    line_->SetColor(Quantity_NOC_YELLOW);
    line_->SetWidth(2.0);
    line_->SetZLayer(Graphic3d_ZLayerId_Topmost);
  } else {
    line_->Set(edge);
  }
  if (context->IsDisplayed(line_)) {
    context->Redisplay(line_, false);
  } else {
    context->Display(line_, AIS_WireFrame, -1, false);
  }
}

}  // namespace sledway::app
