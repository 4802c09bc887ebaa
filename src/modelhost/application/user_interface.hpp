#pragma once

#include "host/user_interface.hpp"
#include "modelhost/application/command_bars.hpp"

namespace sledway::model {

class UserInterface : public IVUserInterface {
 public:
  UserInterface();

  Ref<IVCommandBars> GetCommandBars() override;
  Ref<CommandBars> Bars() const { return bars_; }

 private:
  Ref<CommandBars> bars_;
};

}  // namespace sledway::model
