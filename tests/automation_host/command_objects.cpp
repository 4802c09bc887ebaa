#include "command_objects.hpp"

#include <algorithm>
#include <utility>


namespace sledway::automation_host {

namespace {

std::wstring TextOf(const VARIANT& argument) {
  const VARIANT& given = argument.vt == (VT_BYREF | VT_VARIANT) ? *argument.pvarVal : argument;
  if (given.vt != VT_BSTR || given.bstrVal == nullptr) return L"";
  return {given.bstrVal, SysStringLen(given.bstrVal)};
}

// An icon argument holding a picture (Nothing and a missing argument hold none).
bool HoldsIcon(const VARIANT& argument) {
  const VARIANT& given = argument.vt == (VT_BYREF | VT_VARIANT) ? *argument.pvarVal : argument;
  return (given.vt == VT_DISPATCH && given.pdispVal != nullptr) ||
         (given.vt == VT_UNKNOWN && given.punkVal != nullptr);
}

class ControlDefinitionsObject final : public List<::ControlDefinitions> {
 public:
  explicit ControlDefinitionsObject(IDispatch* application)
      : List(application, L"ControlDefinitions") {}

  HRESULT STDMETHODCALLTYPE AddButtonDefinition(BSTR /*displayName*/, BSTR internalName,
                                                long /*classification*/, VARIANT /*clientId*/,
                                                VARIANT /*description*/, VARIANT toolTip,
                                                VARIANT standardIcon, VARIANT largeIcon,
                                                VARIANT /*buttonDisplay*/,
                                                IDispatch** value) override {
    const std::wstring name =
        internalName == nullptr ? L"" : std::wstring(internalName, SysStringLen(internalName));
    if (name.empty()) {
      return Failure(E_INVALIDARG, L"AddButtonDefinition: the internal name is empty");
    }
    if (Named(name)) {
      return Failure(E_INVALIDARG,
                     L"AddButtonDefinition: a definition named " + name + L" exists already");
    }
    if (FAILED(iconsRefusal_) && (HoldsIcon(standardIcon) || HoldsIcon(largeIcon))) {
      const HRESULT refusal = std::exchange(iconsRefusal_, S_OK);
      return Failure(refusal, L"AddButtonDefinition: the icons were refused");
    }
    auto button = Make<ButtonDefinitionObject>(application(), Holder(), name, TextOf(toolTip));
    Append(name, button);
    return Give(button, value);
  }

  void RefuseIconsOnce(HRESULT code) { iconsRefusal_ = code; }

 private:
  HRESULT iconsRefusal_ = S_OK;
};

}  // namespace

void SelectEventsObject::Select(const std::vector<ComPtr<IDispatch>>& entities) {
  if (singleSelect_) selected_.clear();
  for (const ComPtr<IDispatch>& entity : entities) AppendOnce(selected_, entity);
}

InteractionEventsObject::InteractionEventsObject(IDispatch* application,
                                                 CommandManagerObject& manager)
    : EventSource(application, DIID_InteractionEventsSink, CLSID_InteractionEventsObject),
      manager_(manager),
      selectEvents_(Make<SelectEventsObject>(application)) {
  manager_.Register(*this);
}

InteractionEventsObject::~InteractionEventsObject() {
  manager_.Unregister(*this);
}

HRESULT InteractionEventsObject::Start() {
  // One interaction runs at a time: starting one ends the one running, as a new command
  // ends the current one in the host.
  while (InteractionEventsObject* running = manager_.RunningInteraction()) {
    if (running == this) break;
    running->Terminate();
  }
  started_ = true;
  manager_.Register(*this);
  return S_OK;
}

HRESULT InteractionEventsObject::Terminate() {
  if (!started_) return S_FALSE;
  // The sinks may release the last reference the add-in holds.
  ComPtr<InteractionEventsObject> alive(this);
  started_ = false;
  return Fire(L"OnTerminate", {});
}

CommandManagerObject::CommandManagerObject(IDispatch* application)
    : Object(application), definitions_(Make<ControlDefinitionsObject>(application)) {}

namespace {

ControlDefinitionsObject& Definitions(const ComPtr<IDispatch>& definitions) {
  return *static_cast<ControlDefinitionsObject*>(
      static_cast<::ControlDefinitions*>(definitions.Get()));
}

}  // namespace

ComPtr<ButtonDefinitionObject> CommandManagerObject::Button(
    const std::wstring& internalName) const {
  ComPtr<IDispatch> found = Definitions(definitions_).Named(internalName);
  return static_cast<ButtonDefinitionObject*>(static_cast<::ButtonDefinition*>(found.Get()));
}

void CommandManagerObject::RefuseIconsOnce(HRESULT code) {
  Definitions(definitions_).RefuseIconsOnce(code);
}

void CommandManagerObject::LeaveDefinition(const std::wstring& internalName) {
  BSTR name = SysAllocString(internalName.c_str());
  ComPtr<IDispatch> made;
  Definitions(definitions_)
      .AddButtonDefinition(name, name, 0, {}, {}, {}, {}, {}, {}, made.GetAddressOf());
  SysFreeString(name);
}

size_t CommandManagerObject::DefinitionCount() const {
  return Definitions(definitions_).entries().size();
}

InteractionEventsObject* CommandManagerObject::RunningInteraction() const {
  for (auto it = interactions_.rbegin(); it != interactions_.rend(); ++it) {
    if ((*it)->started()) return *it;
  }
  return nullptr;
}

void CommandManagerObject::Register(InteractionEventsObject& interaction) {
  // Started last goes last: the host hovers through the interaction started most recently.
  Unregister(interaction);
  interactions_.push_back(&interaction);
}

void CommandManagerObject::Unregister(InteractionEventsObject& interaction) {
  interactions_.erase(std::remove(interactions_.begin(), interactions_.end(), &interaction),
                      interactions_.end());
}

}  // namespace sledway::automation_host
