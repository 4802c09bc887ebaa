#include "modelhost/interaction/interaction.hpp"

#include <utility>

#include "modelhost/collections/entity_collection.hpp"

namespace sledway::model {

Interaction::Interaction(std::weak_ptr<RunningInteraction> running)
    : runningSlot_(std::move(running)) {}

void Interaction::SelectionEnabled(bool enabled) {
  selectionEnabled_ = enabled;
  if (!enabled) highlighted_.clear();
}

Ref<IVSelectEvents> Interaction::GetSelectEvents() {
  return selectEvents_;
}

void Interaction::Start() {
  if (running_) return;
  if (const auto slot = runningSlot_.lock()) {
    // A handler of the stopped interaction's OnTerminate may start yet another one; that one
    // yields too.
    while (slot->current && slot->current.get() != this) {
      const Ref<Interaction> other = slot->current;
      other->Stop();
      if (slot->current == other) slot->current.reset();
    }
    slot->current = shared_from_this();
  }
  running_ = true;
  highlighted_.clear();
}

void Interaction::Stop() {
  if (!running_) return;
  // Handlers of OnTerminate may release the last reference the add-in holds.
  const Ref<Interaction> self = shared_from_this();
  running_ = false;
  highlighted_.clear();
  if (const auto slot = runningSlot_.lock(); slot && slot->current.get() == this) {
    slot->current.reset();
  }
  OnTerminate.Raise();
}

bool Interaction::Hover(const Ref<IVObject>& entity, const PickPosition& position) {
  highlighted_.clear();
  if (!running_ || !selectionEnabled_ || !entity || !selectEvents_->Admits(entity)) return false;

  const Ref<Interaction> self = shared_from_this();
  Ref<IVObject> preSelectEntity = entity;
  bool doHighlight = true;
  Ref<IVObjectCollection> morePreSelectEntities;
  selectEvents_->OnPreSelect.Raise(preSelectEntity, doHighlight, morePreSelectEntities,
                                   position.device, position.modelPosition, position.viewPosition,
                                   position.view);
  // A handler may have stopped the interaction.
  if (!running_ || !doHighlight) return false;

  std::vector<Ref<IVObject>> highlighted;
  if (morePreSelectEntities) {
    for (int i = 1; i <= morePreSelectEntities->Count(); ++i) {
      highlighted.push_back(morePreSelectEntities->Item(i));
    }
  } else if (preSelectEntity) {
    highlighted.push_back(preSelectEntity);
  }
  highlighted_ = std::move(highlighted);
  highlightPosition_ = position;
  return !highlighted_.empty();
}

bool Interaction::Click() {
  if (!running_ || highlighted_.empty()) return false;
  const Ref<Interaction> self = shared_from_this();
  const std::vector<Ref<IVObject>> picked = std::exchange(highlighted_, {});
  const PickPosition position = std::exchange(highlightPosition_, {});
  selectEvents_->Select(picked);
  selectEvents_->OnSelect.Raise(std::make_shared<EntityCollection>(picked), position.device,
                                position.modelPosition, position.viewPosition, position.view);
  return true;
}

}  // namespace sledway::model
