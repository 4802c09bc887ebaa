#include "modelhost/application/command_bar.hpp"

#include <memory>
#include <utility>

namespace sledway::model {

CommandBar::CommandBar(std::string name)
    : name_(std::move(name)), controls_(std::make_shared<CommandBarControls>(name_)) {}

std::string CommandBar::Name() {
  return name_;
}

Ref<IVCommandBarControls> CommandBar::GetControls() {
  return controls_;
}

}  // namespace sledway::model
