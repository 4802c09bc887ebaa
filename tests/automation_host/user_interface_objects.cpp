#include "user_interface_objects.hpp"

#include "list_objects.hpp"

namespace sledway::automation_host {

namespace {

std::wstring TextOf(BSTR text) {
  return text == nullptr ? L"" : std::wstring(text, SysStringLen(text));
}

// The internal name of a button definition the add-in passes.
HRESULT DefinitionName(IDispatch* definition, std::wstring& name) {
  ComPtr<::ButtonDefinition> button;
  if (definition == nullptr || FAILED(definition->QueryInterface(IID_PPV_ARGS(&button)))) {
    return Failure(E_INVALIDARG, L"AddButton: a ButtonDefinition was expected");
  }
  BSTR text = nullptr;
  button->get_InternalName(&text);
  name = TextOf(text);
  SysFreeString(text);
  return S_OK;
}

class CommandControlObject final : public Object<::CommandControl> {
 public:
  CommandControlObject(IDispatch* application, IDispatch* definition,
                       std::weak_ptr<ListEntries> controls, PlacedButton placement,
                       PlacedButtons placed)
      : Object(application),
        definition_(definition),
        controls_(std::move(controls)),
        placement_(std::move(placement)),
        placed_(std::move(placed)) {}

  HRESULT STDMETHODCALLTYPE get_ControlDefinition(IDispatch** value) override {
    return Give(definition_, value);
  }
  // Takes the button off its bar or panel, and out of the record of placed buttons.
  HRESULT STDMETHODCALLTYPE Delete() override {
    const HRESULT taken =
        TakeOut(controls_, static_cast<::CommandControl*>(this), L"CommandControl");
    if (FAILED(taken)) return taken;
    std::erase_if(*placed_, [&](const PlacedButton& button) {
      return button.place == placement_.place && button.definition == placement_.definition;
    });
    return S_OK;
  }

 private:
  ComPtr<IDispatch> definition_;
  std::weak_ptr<ListEntries> controls_;
  PlacedButton placement_;
  PlacedButtons placed_;
};

// The buttons of a bar or panel: each placed one is a control, and a record of it.
template <class Interface>
class ControlsObject : public List<Interface> {
 public:
  ControlsObject(IDispatch* application, const wchar_t* what, std::wstring place,
                 const PlacedButtons& placed)
      : List<Interface>(application, what), place_(std::move(place)), placed_(placed) {}

 protected:
  HRESULT Place(IDispatch* definition, IDispatch** value) {
    std::wstring name;
    HRESULT read = DefinitionName(definition, name);
    if (FAILED(read)) return read;
    auto control = Make<CommandControlObject>(this->application(), definition, this->Holder(),
                                              PlacedButton{place_, name}, placed_);
    this->Append(name, control);
    placed_->push_back({place_, name});
    return Give(control, value);
  }

 private:
  std::wstring place_;
  PlacedButtons placed_;
};

class CommandBarControlsObject final : public ControlsObject<::CommandBarControls> {
 public:
  CommandBarControlsObject(IDispatch* application, std::wstring place, const PlacedButtons& placed)
      : ControlsObject(application, L"Controls", std::move(place), placed) {}

  HRESULT STDMETHODCALLTYPE AddButton(IDispatch* definition, VARIANT /*before*/,
                                      IDispatch** value) override {
    return Place(definition, value);
  }
};

class CommandBarObject final : public Object<::CommandBar> {
 public:
  CommandBarObject(IDispatch* application, std::weak_ptr<ListEntries> bars,
                   const std::wstring& internalName, std::wstring displayName,
                   const PlacedButtons& placed)
      : Object(application),
        bars_(std::move(bars)),
        displayName_(std::move(displayName)),
        controls_(
            Make<CommandBarControlsObject>(application, L"CommandBar:" + internalName, placed)) {}

  HRESULT STDMETHODCALLTYPE get_DisplayName(BSTR* value) override {
    return GiveText(displayName_, value);
  }
  HRESULT STDMETHODCALLTYPE get_Controls(IDispatch** value) override {
    return Give(controls_, value);
  }
  HRESULT STDMETHODCALLTYPE Delete() override {
    return TakeOut(bars_, static_cast<::CommandBar*>(this), L"CommandBar");
  }

 private:
  std::weak_ptr<ListEntries> bars_;
  std::wstring displayName_;
  ComPtr<IDispatch> controls_;
};

class CommandBarsObject final : public List<::CommandBars> {
 public:
  CommandBarsObject(IDispatch* application, const PlacedButtons& placed)
      : List(application, L"CommandBars"), placed_(placed) {
    // The assembly environment's panel bar, where the classic interface shows add-in buttons.
    Append(L"AMxAssemblyPanelCmdBar",
           Make<CommandBarObject>(application, Holder(), L"AMxAssemblyPanelCmdBar",
                                  L"Assembly Panel", placed_));
  }

  HRESULT STDMETHODCALLTYPE Add(BSTR displayName, BSTR internalName, VARIANT /*barType*/,
                                VARIANT /*clientId*/, IDispatch** value) override {
    const std::wstring name = TextOf(internalName);
    if (name.empty()) return Failure(E_INVALIDARG, L"Add: the internal name is empty");
    if (Named(name)) {
      return Failure(E_INVALIDARG, L"Add: a command bar named " + name + L" exists already");
    }
    auto bar = Make<CommandBarObject>(application(), Holder(), name, TextOf(displayName), placed_);
    Append(name, bar);
    return Give(bar, value);
  }

 private:
  PlacedButtons placed_;
};

class CommandControlsObject final : public ControlsObject<::CommandControls> {
 public:
  CommandControlsObject(IDispatch* application, std::wstring place, const PlacedButtons& placed)
      : ControlsObject(application, L"CommandControls", std::move(place), placed) {}

  HRESULT STDMETHODCALLTYPE AddButton(IDispatch* definition, VARIANT, VARIANT, VARIANT, VARIANT,
                                      IDispatch** value) override {
    return Place(definition, value);
  }
};

class RibbonPanelObject final : public Object<::RibbonPanel> {
 public:
  RibbonPanelObject(IDispatch* application, std::weak_ptr<ListEntries> panels,
                    std::wstring displayName, const std::wstring& place,
                    const PlacedButtons& placed)
      : Object(application),
        panels_(std::move(panels)),
        displayName_(std::move(displayName)),
        controls_(Make<CommandControlsObject>(application, place, placed)) {}

  HRESULT STDMETHODCALLTYPE get_DisplayName(BSTR* value) override {
    return GiveText(displayName_, value);
  }
  HRESULT STDMETHODCALLTYPE get_CommandControls(IDispatch** value) override {
    return Give(controls_, value);
  }
  HRESULT STDMETHODCALLTYPE Delete() override {
    return TakeOut(panels_, static_cast<::RibbonPanel*>(this), L"RibbonPanel");
  }

 private:
  std::weak_ptr<ListEntries> panels_;
  std::wstring displayName_;
  ComPtr<IDispatch> controls_;
};

class RibbonPanelsObject final : public List<::RibbonPanels> {
 public:
  RibbonPanelsObject(IDispatch* application, std::wstring place, const PlacedButtons& placed)
      : List(application, L"RibbonPanels"), place_(std::move(place)), placed_(placed) {}

  HRESULT STDMETHODCALLTYPE Add(BSTR displayName, BSTR internalName, BSTR /*clientId*/, VARIANT,
                                VARIANT, IDispatch** value) override {
    const std::wstring name = TextOf(internalName);
    if (name.empty()) return Failure(E_INVALIDARG, L"Add: the internal name is empty");
    if (Named(name)) {
      return Failure(E_INVALIDARG, L"Add: a ribbon panel named " + name + L" exists already");
    }
    auto panel = Make<RibbonPanelObject>(application(), Holder(), TextOf(displayName),
                                         place_ + L":" + name, placed_);
    Append(name, panel);
    return Give(panel, value);
  }

 private:
  std::wstring place_;
  PlacedButtons placed_;
};

class RibbonTabObject final : public Object<::RibbonTab> {
 public:
  RibbonTabObject(IDispatch* application, const std::wstring& place, const PlacedButtons& placed)
      : Object(application), panels_(Make<RibbonPanelsObject>(application, place, placed)) {}

  HRESULT STDMETHODCALLTYPE get_RibbonPanels(IDispatch** value) override {
    return Give(panels_, value);
  }

 private:
  ComPtr<IDispatch> panels_;
};

using RibbonListObject = List<::RibbonList>;

class RibbonObject final : public Object<::Ribbon> {
 public:
  RibbonObject(IDispatch* application, const std::wstring& internalName,
               const std::vector<std::wstring>& tabs, const PlacedButtons& placed)
      : Object(application), tabs_(Make<RibbonListObject>(application, L"RibbonTabs")) {
    for (const std::wstring& tab : tabs) {
      tabs_->Append(tab, Make<RibbonTabObject>(application, internalName + L":" + tab, placed));
    }
  }

  HRESULT STDMETHODCALLTYPE get_RibbonTabs(IDispatch** value) override {
    return Give(tabs_, value);
  }

 private:
  ComPtr<RibbonListObject> tabs_;
};

}  // namespace

UserInterfaceManagerObject::UserInterfaceManagerObject(IDispatch* application)
    : Object(application), commandBars_(Make<CommandBarsObject>(application, placed_)) {
  auto ribbons = Make<RibbonListObject>(application, L"Ribbons");
  // A ribbon besides the assembly's, where the add-in's button does not belong.
  ribbons->Append(L"Part", Make<RibbonObject>(application, L"Part",
                                              std::vector<std::wstring>{L"id_TabModel"}, placed_));
  ribbons->Append(
      L"Assembly",
      Make<RibbonObject>(application, L"Assembly",
                         std::vector<std::wstring>{L"id_TabAssemble", L"id_TabTools"}, placed_));
  ribbons_ = ribbons;
}

HRESULT UserInterfaceManagerObject::get_CommandBars(IDispatch** value) {
  return Give(commandBars_, value);
}

// A host of the classic interface has no ribbons to give, as releases before the ribbon had none.
HRESULT UserInterfaceManagerObject::get_Ribbons(IDispatch** value) {
  if (style_ == kClassicInterface) return Failure(E_NOTIMPL, L"Ribbons: the host has no ribbon");
  return Give(ribbons_, value);
}

}  // namespace sledway::automation_host
