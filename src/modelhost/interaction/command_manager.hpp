#pragma once

#include <memory>

#include "host/interaction.hpp"
#include "modelhost/interaction/interaction.hpp"

namespace sledway::model {

// Makes the interactions of one application and knows which of them runs.
class CommandManager : public IVCommandManager {
 public:
  // A new interaction, not yet started.
  Ref<IVInteraction> CreateInteraction() override;
  // The interaction that runs now, or null.
  Ref<Interaction> ActiveInteraction() const { return running_->current; }

 private:
  std::shared_ptr<RunningInteraction> running_ = std::make_shared<RunningInteraction>();
};

}  // namespace sledway::model
