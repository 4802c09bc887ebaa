#include "modelhost/application/button_handler.hpp"

#include <memory>
#include <utility>

namespace sledway::model {

ButtonHandler::ButtonHandler(ButtonArguments arguments)
    : definition_(std::make_shared<ButtonDefinition>(std::move(arguments))),
      executed_(definition_->OnExecute.Connect([this] { OnClick.Raise(); })) {}

Ref<IVButtonDefinition> ButtonHandler::GetButtonDefinition() {
  return definition_;
}

void ButtonHandler::Click() {
  definition_->Execute();
}

}  // namespace sledway::model
