#include "modelhost/application/user_interface.hpp"

#include <memory>

namespace sledway::model {

UserInterface::UserInterface() : bars_(std::make_shared<CommandBars>()) {}

Ref<IVCommandBars> UserInterface::GetCommandBars() {
  return bars_;
}

}  // namespace sledway::model
