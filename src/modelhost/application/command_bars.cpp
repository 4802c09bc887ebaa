#include "modelhost/application/command_bars.hpp"

#include <memory>

#include "host/host_error.hpp"

namespace sledway::model {

namespace {

// The bars the host shows before any add-in runs.
constexpr const char* kHostBars[] = {"StandardToolbar", "AMxAssemblyPanelCmdBar",
                                     "PMxPartFeatureCmdBar", "PMxPartSketchCmdBar"};

}  // namespace

CommandBars::CommandBars() {
  for (const char* name : kHostBars) bars_.push_back(std::make_shared<CommandBar>(name));
}

Ref<IVCommandBar> CommandBars::Add(const std::string& name) {
  if (name.empty()) throw HostError(hresult::kInvalidArg, "a command bar needs a name");
  auto bar = std::make_shared<CommandBar>(name);
  bars_.push_back(bar);
  OnBarAdded.Raise(bar);
  return bar;
}

Ref<IVCommandBar> CommandBars::Item(const std::string& name) {
  for (const auto& bar : bars_) {
    if (bar->Name() == name) return bar;
  }
  throw HostError(hresult::kInvalidArg, "no command bar named '" + name + "'");
}

}  // namespace sledway::model
