#include "modelhost/application/command_bar_control.hpp"

#include <utility>

#include "modelhost/application/button_definition.hpp"

namespace sledway::model {

CommandBarControl::CommandBarControl(std::int32_t kind, Ref<IVButtonDefinition> definition)
    : kind_(kind), definition_(std::move(definition)) {}

Ref<IVButtonDefinition> CommandBarControl::ButtonDefinition() {
  return definition_;
}

void CommandBarControl::Click() {
  if (auto definition = As<model::ButtonDefinition>(definition_)) definition->Execute();
}

}  // namespace sledway::model
