#pragma once

#include "host/event.hpp"
#include "host/user_interface.hpp"
#include "modelhost/application/button_definition.hpp"

namespace sledway::model {

class ButtonHandler : public IVButtonHandler {
 public:
  explicit ButtonHandler(ButtonArguments arguments);

  Ref<IVButtonDefinition> GetButtonDefinition() override;
  Ref<ButtonDefinition> Definition() const { return definition_; }
  // The host's click on the button: raises OnClick.
  void Click();

 private:
  Ref<ButtonDefinition> definition_;
  Connection executed_;
};

}  // namespace sledway::model
