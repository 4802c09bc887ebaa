#pragma once

#include <memory>
#include <vector>

#include "host/codes.hpp"
#include "host/geometry.hpp"
#include "host/interaction.hpp"
#include "modelhost/interaction/select_events.hpp"

namespace sledway::model {

class Interaction;

// The interaction that runs among those one command manager made. The host keeps it alive
// while it runs, even when the add-in has let go of it.
struct RunningInteraction {
  Ref<Interaction> current;
};

// Where a pick happens: the device, and the points in the model and in the view when the pick
// comes from the 3D view. A pick driven by entity (tests, the command line) is programmatic and
// has no points.
struct PickPosition {
  IVSelectionDevice device = IVSelectionDevice::kUnknown;
  Ref<IVPoint> modelPosition;
  Ref<IVPoint2d> viewPosition;
  Ref<IVObject> view;
};

// A command the add-in runs in the model host's graphics window. Whoever stands for the user
// (the 3D view, the command line, a test) moves over entities with Hover and picks with Click.
//
// While it runs, hovering an entity that one of the filters admits raises OnPreSelect with
// DoHighlight true; the highlighted entities are then MorePreSelectEntities when the handler
// set it, else the entity alone, or nothing when the handler cleared DoHighlight. A click
// selects exactly the highlighted entities, in that order, and raises OnSelect. Only one
// interaction of a command manager runs at a time: starting one stops the one that runs.
class Interaction : public IVInteraction, public std::enable_shared_from_this<Interaction> {
 public:
  explicit Interaction(std::weak_ptr<RunningInteraction> running);

  // Nothing is offered for pre-selection until selection is enabled.
  void SelectionEnabled(bool enabled) override;
  Ref<IVSelectEvents> GetSelectEvents() override;
  // Stops the interaction that runs (raising its OnTerminate) and starts this one. Starting a
  // running interaction changes nothing.
  void Start() override;
  // Ends the interaction and raises OnTerminate once; nothing when it does not run.
  void Stop() override;

  bool Running() const { return running_; }
  // The pointer rests on `entity` (null: on nothing). Returns whether anything is highlighted.
  // An error of an OnPreSelect handler reaches the caller, with nothing highlighted.
  bool Hover(const Ref<IVObject>& entity, const PickPosition& position = {});
  // Selects what is highlighted and raises OnSelect; the highlight is then used up. Returns
  // whether anything was selected.
  bool Click();
  std::vector<Ref<IVObject>> Highlighted() const { return highlighted_; }

 private:
  std::weak_ptr<RunningInteraction> runningSlot_;
  Ref<SelectEvents> selectEvents_ = std::make_shared<SelectEvents>();
  bool selectionEnabled_ = false;
  bool running_ = false;
  std::vector<Ref<IVObject>> highlighted_;
  PickPosition highlightPosition_;
};

}  // namespace sledway::model
