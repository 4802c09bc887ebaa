#include "automation/user_interface_objects.hpp"

#include <utility>

#include "host/codes.hpp"

namespace sledway::automation {

using namespace member;

namespace {

// COM's identity rule: two interfaces belong to one object when they give the same IUnknown.
bool SameHostObject(const ComPtr<IDispatch>& a, IDispatch* b) {
  if (!a || b == nullptr) return false;
  ComPtr<IUnknown> first;
  ComPtr<IUnknown> second;
  return SUCCEEDED(a.As(&first)) &&
         SUCCEEDED(b->QueryInterface(IID_PPV_ARGS(second.GetAddressOf()))) &&
         first.Get() == second.Get();
}

}  // namespace

ButtonDefinitionObject::ButtonDefinitionObject(std::shared_ptr<Session> session,
                                               DispatchObject object)
    : HostObject(std::move(session), std::move(object)) {
  events_ = std::make_unique<EventConnection>(*Dispatch(), kButtonDefinitionSink,
                                              [this](DISPID event, DISPPARAMS&) {
                                                if (event == onExecute_) OnClick.Raise();
                                              });
  onExecute_ = events_->Id(kOnExecute);
}

std::string ButtonDefinitionObject::InternalName() {
  return ReadString(kInternalName);
}
std::string ButtonDefinitionObject::Tooltip() {
  return ReadString(kToolTipText);
}
Ref<IVButtonDefinition> ButtonDefinitionObject::GetButtonDefinition() {
  ComPtr<IDispatch> self(Dispatch());
  return std::dynamic_pointer_cast<IVButtonDefinition>(
      Binding().Bind(self, Role::kButtonDefinition));
}
void ButtonDefinitionObject::LetGo() {
  events_->Disconnect();
  HostObject::LetGo();
}

// Every release of the host with a ribbon documents Ribbons; one without it has only the command
// bars.
bool UserInterfaceObject::HasRibbons() {
  if (!Host().Has(kRibbons)) return false;
  try {
    return Host().Read(kRibbons).AsObject(kRibbons.role) != nullptr;
  } catch (const HostError&) {
    return false;
  }
}

Ref<IVCommandBars> UserInterfaceObject::GetCommandBars() {
  Session& session = Binding();
  if (HasRibbons()) {
    const ComPtr<IDispatch> self(Dispatch());
    return std::make_shared<RibbonBars>(session.shared_from_this(),
                                        session.Bind(self, Role::kUserInterface));
  }
  const ComPtr<IDispatch> bars = Host().Read(kCommandBars).AsObject(kCommandBars.role);
  return std::dynamic_pointer_cast<IVCommandBars>(session.Bind(bars, Role::kCommandBars));
}

// A bar of the name that an earlier session left is the add-in's bar again.
Ref<IVCommandBar> CommandBarsObject::Add(const std::string& name) {
  const std::string internalName = name + "Bar";
  Variant bar;
  const Member* from = &kItem;
  try {
    bar = Host().Read(kItem, {internalName});
  } catch (const HostError&) {
    // None of that name: made below.
  }
  if (bar.AsObject(kItem.role) == nullptr) {
    bar = Host().Call(kCommandBarsAdd, {name, internalName, Arg::Missing(), Binding().ClientId()});
    from = &kCommandBarsAdd;
  }
  Ref<IVCommandBar> made = Binding().As<IVCommandBar>(bar, Role::kCommandBar, *from);
  Binding().AddedToHost(bar.AsObject(from->role));
  return made;
}
Ref<IVCommandBar> CommandBarsObject::Item(const std::string& name) {
  return Binding().As<IVCommandBar>(Host().Read(kItem, {name}), Role::kCommandBar, kItem);
}

std::string CommandBarObject::Name() {
  return ReadString(name_);
}
Ref<IVCommandBarControls> CommandBarObject::GetControls() {
  return ReadObject<IVCommandBarControls>(controls_, Role::kCommandBarControls);
}

Ref<IVCommandBarControl> CommandBarControlsObject::Add(std::int32_t controlKind,
                                                       const Ref<IVButtonDefinition>& definition) {
  if (controlKind != kButtonControlKind) {
    throw HostError(hresult::kInvalidArg, "the host's bars take buttons only");
  }
  IDispatch* const placing = HostDispatch(definition, "the button definition");
  for (int i = Count(); i >= 1; --i) {
    const Variant control = Host().Read(kItem, {std::int32_t{i}});
    DispatchObject placed(control.AsObject(kItem.role));
    if (placed && SameHostObject(placed.Read(kControlDefinition).AsObject(kControlDefinition.role),
                                 placing)) {
      Binding().AddedToHost(placed.Get());
      return Binding().As<IVCommandBarControl>(control, Role::kCommandBarControl, kItem);
    }
  }
  const Variant control = Host().Call(kAddButton, {placing});
  Ref<IVCommandBarControl> made =
      Binding().As<IVCommandBarControl>(control, Role::kCommandBarControl, kAddButton);
  Binding().AddedToHost(control.AsObject(kAddButton.role));
  return made;
}
int CommandBarControlsObject::Count() {
  return ReadLong(kCount);
}
Ref<IVCommandBarControl> CommandBarControlsObject::Item(int index) {
  return Binding().As<IVCommandBarControl>(Host().Read(kItem, {std::int32_t{index}}),
                                           Role::kCommandBarControl, kItem);
}

Ref<IVButtonDefinition> CommandBarControlObject::ButtonDefinition() {
  return ReadObject<IVButtonDefinition>(kControlDefinition, Role::kButtonDefinition);
}

RibbonBars::RibbonBars(std::shared_ptr<Session> session, Ref<IVObject> userInterface)
    : session_(std::move(session)), userInterface_(std::move(userInterface)) {}

Ref<IVCommandBar> RibbonBars::Add(const std::string& name) {
  return Panel(name);
}
Ref<IVCommandBar> RibbonBars::Item(const std::string& name) {
  return Panel(name);
}

// The panel is made the first time; later, and from an earlier session, it is found by its name.
Ref<IVCommandBar> RibbonBars::Panel(const std::string& displayName) {
  const auto next = [](DispatchObject from, const Member& member,
                       std::initializer_list<Arg> arguments) {
    return DispatchObject(from.Read(member, arguments).AsObject(member.role));
  };
  DispatchObject userInterface(ComPtr<IDispatch>(HostDispatch(userInterface_, "the host's UI")));
  const DispatchObject ribbon =
      next(next(userInterface, kRibbons, {}), kItem, {std::string(kAssemblyRibbon)});
  DispatchObject panels = next(
      next(next(ribbon, kRibbonTabs, {}), kItem, {std::string(kAssembleTab)}), kRibbonPanels, {});
  ComPtr<IDispatch> panel;
  try {
    panel = panels.Read(kItem, {std::string(kSledwayPanel)}).AsObject(kItem.role);
  } catch (const HostError&) {
    // Not there yet: made below.
  }
  if (!panel) {
    panel =
        panels
            .Call(kRibbonPanelsAdd, {displayName, std::string(kSledwayPanel), session_->ClientId()})
            .AsObject(kRibbonPanelsAdd.role);
  }
  session_->AddedToHost(panel);
  return std::dynamic_pointer_cast<IVCommandBar>(
      session_->BindAs<CommandBarObject>(panel, kPanelName, kCommandControls));
}

}  // namespace sledway::automation
