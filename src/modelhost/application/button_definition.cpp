#include "modelhost/application/button_definition.hpp"

#include <utility>

namespace sledway::model {

ButtonDefinition::ButtonDefinition(ButtonArguments arguments) : arguments_(std::move(arguments)) {}

std::string ButtonDefinition::InternalName() {
  return arguments_.internalName;
}

std::string ButtonDefinition::Tooltip() {
  return arguments_.tooltip;
}

}  // namespace sledway::model
