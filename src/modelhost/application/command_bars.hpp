#pragma once

#include <string>
#include <vector>

#include "host/event.hpp"
#include "host/user_interface.hpp"
#include "modelhost/application/command_bar.hpp"

namespace sledway::model {

// The host's command bars: its own bars exist from the start (the assembly panel bar
// "AMxAssemblyPanelCmdBar" among them); add-ins add theirs.
class CommandBars : public IVCommandBars {
 public:
  CommandBars();

  // Always a new bar, even when one of that name exists: the host does not merge them.
  Ref<IVCommandBar> Add(const std::string& name) override;
  // The first bar of that name; fails naming it when there is none.
  Ref<IVCommandBar> Item(const std::string& name) override;
  const std::vector<Ref<CommandBar>>& Bars() const { return bars_; }

  // A bar was added: the desktop host shows it as a toolbar.
  Event<const Ref<CommandBar>&> OnBarAdded;

 private:
  std::vector<Ref<CommandBar>> bars_;
};

}  // namespace sledway::model
