#pragma once

#include <string>
#include <vector>

#include "host/user_interface.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/application/button_definition.hpp"
#include "modelhost/application/command_bar.hpp"
#include "modelhost/application/command_bar_controls.hpp"
#include "modelhost/application/command_bars.hpp"

namespace sledway::test {

// The buttons on every bar of that name, in the order they were placed.
inline std::vector<Ref<model::ButtonDefinition>> ButtonsOn(model::Application& app,
                                                           const std::string& bar) {
  std::vector<Ref<model::ButtonDefinition>> buttons;
  for (const Ref<model::CommandBar>& each : app.UserInterfaceObject()->Bars()->Bars()) {
    if (each->Name() != bar) continue;
    const Ref<IVCommandBarControls> controls = each->GetControls();
    for (int i = 1; i <= controls->Count(); ++i) {
      buttons.push_back(std::dynamic_pointer_cast<model::ButtonDefinition>(
          controls->Item(i)->ButtonDefinition()));
    }
  }
  return buttons;
}

}  // namespace sledway::test
