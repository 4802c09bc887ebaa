#pragma once

#include <string>

#include "host/user_interface.hpp"
#include "modelhost/application/command_bar_controls.hpp"

namespace sledway::model {

class CommandBar : public IVCommandBar {
 public:
  explicit CommandBar(std::string name);

  std::string Name() override;
  Ref<IVCommandBarControls> GetControls() override;
  Ref<CommandBarControls> Controls() const { return controls_; }

 private:
  std::string name_;
  Ref<CommandBarControls> controls_;
};

}  // namespace sledway::model
