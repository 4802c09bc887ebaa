#include "modelhost/interaction/command_manager.hpp"

namespace sledway::model {

Ref<IVInteraction> CommandManager::CreateInteraction() {
  return std::make_shared<Interaction>(running_);
}

}  // namespace sledway::model
