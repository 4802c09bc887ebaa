#include "cli/slot_picking.hpp"

#include <GCPnts_AbscissaPoint.hxx>
#include <Standard_Failure.hxx>
#include <exception>
#include <stdexcept>

#include "cli/model_curves.hpp"
#include "cli/usage_error.hpp"
#include "host/part_entities.hpp"
#include "host/sketch.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/interaction/selectable.hpp"
#include "path/path_definition.hpp"
#include "select/select_path.hpp"

namespace sledway::cli {
namespace {

const char* SlotName(SelectionSlot slot) {
  switch (slot) {
    case SelectionSlot::kPath:
      return "path";
    case SelectionSlot::kFollowPoint:
      return "follow point";
    case SelectionSlot::kTangentLine:
      break;
  }
  return "tangent line";
}

const char* SlotTakes(SelectionSlot slot) {
  switch (slot) {
    case SelectionSlot::kPath:
      return "a 2D or 3D sketch curve or a part edge";
    case SelectionSlot::kFollowPoint:
      return "a vertex or a work point";
    case SelectionSlot::kTangentLine:
      break;
  }
  return "a straight edge or a work axis";
}

// Shorter than this (model units) a path has nowhere to go: the model joins points this close.
constexpr double kZeroLength = 1e-7;
constexpr double kLengthTolerance = 1e-9;

// Whether a path entity is a curve of no length, such as the degenerate edge at a sphere's pole,
// which the picker does not even offer.
bool HasZeroLength(const Ref<IVObject>& entity) {
  if (!Is<IVEdge>(entity) && !Is<IVSketchEntity>(entity) && !Is<IVSketchEntity3D>(entity)) {
    return false;
  }
  try {
    const FramedCurve framed = ModelCurveOf(entity);
    return !(GCPnts_AbscissaPoint::Length(*framed.curve, kLengthTolerance) > kZeroLength);
  } catch (const Standard_Failure&) {
    // An edge without a curve of its own is degenerate.
    return Is<IVEdge>(entity);
  }
}

std::string ZeroLengthRefusal(const std::string& name) {
  return "cannot pick '" + name + "' as the path: the path has zero length";
}

bool PassesSlotFilters(SelectionSlot slot, const Ref<IVObject>& entity) {
  const auto selectable = std::dynamic_pointer_cast<model::Selectable>(entity);
  if (!selectable) return false;
  for (const IVSelectFilter filter : SlotPickSettings(slot).filters) {
    if (selectable->PassesFilter(filter)) return true;
  }
  return false;
}

std::string ComponentName(const Ref<IVComponent>& component) {
  return "'" + component->Name() + "'";
}

// Why the pick refused `entity`, following the rules the picker applies: the slot's filters,
// the follow component and the path's component, then the sketch's profile paths.
std::string RefusalReason(SelectionSlot slot, const Ref<IVObject>& entity, const CPath& path) {
  if (!PassesSlotFilters(slot, entity))
    return std::string("the ") + SlotName(slot) + " must be " + SlotTakes(slot);
  const Ref<IVComponent> follow = path.FollowComponent();
  const Ref<IVComponent> parent = path.PathParent();
  const auto member = As<IVOccurrenceMember>(entity);
  const Ref<IVComponent> owner = member ? member->ContainingOccurrence() : nullptr;
  const bool sketchCurve = Is<IVSketchEntity>(entity) || Is<IVSketchEntity3D>(entity);
  // The picker judges where an entity lies for every slot but a path picked before the follow
  // point.
  if (slot != SelectionSlot::kPath || follow) {
    if (sketchCurve && follow && SameObject(owner, follow)) {
      return "it lies on the follow component " + ComponentName(follow) +
             ", which cannot carry its own path";
    }
    if (!sketchCurve && parent && SameObject(owner, parent)) {
      return "it lies on the path's component " + ComponentName(parent);
    }
    if (!sketchCurve && follow && !SameObject(owner, follow)) {
      return "it does not lie on the follow component " + ComponentName(follow);
    }
  }
  if (sketchCurve) {
    return "its sketch does not hold exactly one profile path (one open chain or one closed "
           "loop of curves)";
  }
  return "the picker refused it";
}

}  // namespace

std::vector<Ref<IVObject>> PickSlot(const Ref<model::Application>& app, const Ref<CPath>& path,
                                    SelectionSlot slot, const Ref<IVObject>& entity,
                                    const std::string& name) {
  const long slotNumber = static_cast<long>(slot);
  const SlotPick& settings = SlotPickSettings(slot);
  CSelectPath select;
  select.SelType(slotNumber);
  bool completed = false;
  const Connection completion =
      select.SelectionComplete.Connect([&completed, slotNumber](long& selectType) {
        completed = completed || selectType == slotNumber;
      });
  select.Pick(app, settings.filters, settings.getTangents, settings.single, slotNumber, path,
              path->FollowComponent());

  const Ref<model::Interaction> interaction = app->Commands()->ActiveInteraction();
  if (!interaction)
    throw std::runtime_error(std::string("the ") + SlotName(slot) + " pick did not start");
  bool highlighted = false;
  try {
    highlighted = interaction->Hover(entity);
  } catch (const std::exception& error) {
    select.StopSelection();
    throw UsageError("cannot pick '" + name + "' as the " + SlotName(slot) + ": " + error.what());
  }
  if (!highlighted) {
    select.StopSelection();
    if (slot == SelectionSlot::kPath && HasZeroLength(entity)) {
      throw UsageError(ZeroLengthRefusal(name));
    }
    throw UsageError("cannot pick '" + name + "' as the " + SlotName(slot) + ": " +
                     RefusalReason(slot, entity, *path));
  }
  interaction->Click();
  const Ref<IVEntityCollection> selected = select.SelectedEntities();
  if (!completed || !selected || selected->Count() == 0) {
    throw std::runtime_error(std::string("the ") + SlotName(slot) + " pick of '" + name +
                             "' ended without a selection");
  }
  StoreSlotSelection(app, *path, slot, selected);
  // However its curves make it (a helix of almost no turns, an arc of almost no sweep), a path
  // of no length is refused alike.
  if (slot == SelectionSlot::kPath && !(path->Length() > kZeroLength)) {
    throw UsageError(ZeroLengthRefusal(name));
  }
  std::vector<Ref<IVObject>> entities;
  for (int i = 1; i <= selected->Count(); ++i) entities.push_back(selected->Item(i));
  return entities;
}

}  // namespace sledway::cli
