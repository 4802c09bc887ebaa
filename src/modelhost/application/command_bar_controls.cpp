#include "modelhost/application/command_bar_controls.hpp"

#include <memory>
#include <utility>

#include "host/host_error.hpp"
#include "modelhost/collections/collection_index.hpp"

namespace sledway::model {

CommandBarControls::CommandBarControls(std::string barName) : barName_(std::move(barName)) {}

Ref<IVCommandBarControl> CommandBarControls::Add(std::int32_t controlKind,
                                                 const Ref<IVButtonDefinition>& definition) {
  if (!definition) {
    throw HostError(hresult::kPointer,
                    "command bar '" + barName_ + "': a control needs a button definition");
  }
  auto control = std::make_shared<CommandBarControl>(controlKind, definition);
  controls_.push_back(control);
  OnControlAdded.Raise(control);
  return control;
}

int CommandBarControls::Count() {
  return static_cast<int>(controls_.size());
}

Ref<IVCommandBarControl> CommandBarControls::Item(int index) {
  const std::string what = "controls of command bar '" + barName_ + "'";
  return controls_[CollectionPosition(index, controls_.size(), what.c_str())];
}

}  // namespace sledway::model
