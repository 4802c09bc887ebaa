#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/event.hpp"
#include "host/user_interface.hpp"
#include "modelhost/application/command_bar_control.hpp"

namespace sledway::model {

// The controls of one command bar, in the order they were added.
class CommandBarControls : public IVCommandBarControls {
 public:
  explicit CommandBarControls(std::string barName);

  // Refuses a missing definition: a control places an existing command.
  Ref<IVCommandBarControl> Add(std::int32_t controlKind,
                               const Ref<IVButtonDefinition>& definition) override;
  int Count() override;
  Ref<IVCommandBarControl> Item(int index) override;
  const std::vector<Ref<CommandBarControl>>& Controls() const { return controls_; }

  // A control was added: the desktop host shows it as a button of the bar's toolbar.
  Event<const Ref<CommandBarControl>&> OnControlAdded;

 private:
  std::string barName_;
  std::vector<Ref<CommandBarControl>> controls_;
};

}  // namespace sledway::model
