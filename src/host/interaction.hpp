#pragma once

#include <cstdint>

#include "host/codes.hpp"
#include "host/collections.hpp"
#include "host/event.hpp"
#include "host/geometry.hpp"

namespace sledway {

// The selection side of an interaction.
class IVSelectEvents : public virtual IVObject {
 public:
  virtual void SingleSelect(bool single) = 0;
  // Offers entities of this kind for pre-selection.
  virtual void AddSelectionFilter(IVSelectFilter filter) = 0;
  // The entities selected so far, in order.
  virtual Ref<IVEntityCollection> GetSelectedEntities() = 0;

  // An entity is under the cursor. DoHighlight comes in true; a handler may set it false to
  // refuse the entity, or fill MorePreSelectEntities with the entities to highlight (and
  // select) in its place.
  Event<Ref<IVObject>& /*PreSelectEntity*/, bool& /*DoHighlight*/,
        Ref<IVObjectCollection>& /*MorePreSelectEntities*/, IVSelectionDevice /*SelectionDevice*/,
        Ref<IVPoint> /*ModelPosition*/, Ref<IVPoint2d> /*ViewPosition*/, Ref<IVObject> /*View*/>
      OnPreSelect;
  // The user selected the highlighted entities.
  Event<Ref<IVEntityCollection> /*JustSelectedEntities*/, IVSelectionDevice /*SelectionDevice*/,
        Ref<IVPoint> /*ModelPosition*/, Ref<IVPoint2d> /*ViewPosition*/, Ref<IVObject> /*View*/>
      OnSelect;
};

// A running command of the add-in's own in the host's graphics window.
class IVInteraction : public virtual IVObject {
 public:
  virtual void SelectionEnabled(bool enabled) = 0;
  virtual Ref<IVSelectEvents> GetSelectEvents() = 0;
  virtual void Start() = 0;
  // Ends the interaction; the host then raises OnTerminate.
  virtual void Stop() = 0;

  Event<> OnTerminate;
};

class IVCommandManager : public virtual IVObject {
 public:
  virtual Ref<IVInteraction> CreateInteraction() = 0;
};

}  // namespace sledway
