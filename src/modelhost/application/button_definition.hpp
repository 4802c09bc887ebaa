#pragma once

#include <cstdint>
#include <string>

#include "host/event.hpp"
#include "host/user_interface.hpp"

namespace sledway::model {

// What an add-in asked for when it created a button: kept as given, so that a test or the
// desktop host can show and check it.
struct ButtonArguments {
  std::string internalName;
  std::int32_t kind = 0;
  std::string displayName;
  std::string description;
  std::string tooltip;
  Ref<IVObject> standardIcon;
  Ref<IVObject> largeIcon;
};

class ButtonDefinition : public IVButtonDefinition {
 public:
  explicit ButtonDefinition(ButtonArguments arguments);

  std::string InternalName() override;
  std::string Tooltip() override;
  const ButtonArguments& Arguments() const { return arguments_; }

  // The user ran the command, from whichever control shows it; the handler that owns this
  // definition turns it into its OnClick.
  void Execute() const { OnExecute.Raise(); }
  Event<> OnExecute;

 private:
  ButtonArguments arguments_;
};

}  // namespace sledway::model
