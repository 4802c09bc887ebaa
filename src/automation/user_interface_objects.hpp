#pragma once

// The button and its place: ButtonDefinition with its OnExecute event, and the bars the add-in
// puts the button on, the host's classic CommandBars or, when the host has the ribbon, one
// "Sledway" panel on the assembly environment's ribbon that stands for every bar.

#include <memory>
#include <string>

#include "automation/event_connection.hpp"
#include "automation/host_object.hpp"
#include "host/user_interface.hpp"

namespace sledway::automation {

// The host's button definition, and the handler that raises OnClick when the host executes it.
class ButtonDefinitionObject final : public HostObject,
                                     public IVButtonDefinition,
                                     public IVButtonHandler {
 public:
  ButtonDefinitionObject(std::shared_ptr<Session> session, DispatchObject object);
  std::string InternalName() override;
  std::string Tooltip() override;
  Ref<IVButtonDefinition> GetButtonDefinition() override;
  void LetGo() override;

 private:
  std::unique_ptr<EventConnection> events_;
  DISPID onExecute_ = DISPID_UNKNOWN;
};

class UserInterfaceObject final : public HostObject, public IVUserInterface {
 public:
  using HostObject::HostObject;
  Ref<IVCommandBars> GetCommandBars() override;

 private:
  bool HasRibbons();
};

// The classic command bars.
class CommandBarsObject final : public HostObject, public IVCommandBars {
 public:
  using HostObject::HostObject;
  Ref<IVCommandBar> Add(const std::string& name) override;
  Ref<IVCommandBar> Item(const std::string& name) override;
};

// A classic command bar, or the ribbon panel (`name` and `controls` tell which members).
class CommandBarObject final : public HostObject, public IVCommandBar {
 public:
  CommandBarObject(std::shared_ptr<Session> session, DispatchObject object, const Member& name,
                   const Member& controls)
      : HostObject(std::move(session), std::move(object)), name_(name), controls_(controls) {}
  std::string Name() override;
  Ref<IVCommandBarControls> GetControls() override;

 private:
  const Member& name_;
  const Member& controls_;
};

// The controls of a bar. A definition is placed on a bar once, however often the add-in adds it:
// on the ribbon its own bar and the host's are one panel.
class CommandBarControlsObject final : public HostObject, public IVCommandBarControls {
 public:
  using HostObject::HostObject;
  Ref<IVCommandBarControl> Add(std::int32_t controlKind,
                               const Ref<IVButtonDefinition>& definition) override;
  int Count() override;
  Ref<IVCommandBarControl> Item(int index) override;
};

class CommandBarControlObject final : public HostObject, public IVCommandBarControl {
 public:
  using HostObject::HostObject;
  Ref<IVButtonDefinition> ButtonDefinition() override;
};

// The bars when the host shows the ribbon: whichever bar the add-in makes or asks for, it is the
// one "Sledway" panel of the assembly ribbon's assemble tab.
class RibbonBars final : public IVCommandBars {
 public:
  RibbonBars(std::shared_ptr<Session> session, Ref<IVObject> userInterface);
  Ref<IVCommandBar> Add(const std::string& name) override;
  Ref<IVCommandBar> Item(const std::string& name) override;

 private:
  Ref<IVCommandBar> Panel(const std::string& displayName);

  std::shared_ptr<Session> session_;
  Ref<IVObject> userInterface_;
};

}  // namespace sledway::automation
