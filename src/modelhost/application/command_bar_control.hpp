#pragma once

#include <cstdint>

#include "host/user_interface.hpp"

namespace sledway::model {

// A control placed on a command bar: the kind and the definition it was added with.
class CommandBarControl : public IVCommandBarControl {
 public:
  CommandBarControl(std::int32_t kind, Ref<IVButtonDefinition> definition);

  Ref<IVButtonDefinition> ButtonDefinition() override;
  std::int32_t Kind() const { return kind_; }
  // The user clicked this control: runs its command when the host made the definition.
  void Click();

 private:
  std::int32_t kind_;
  Ref<IVButtonDefinition> definition_;
};

}  // namespace sledway::model
