#include "command_objects.hpp"

#include <algorithm>
#include <utility>

#include "object_types.hpp"

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
      : List(object_type::kControlDefinitions, application, L"ControlDefinitions") {}

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

ButtonDefinitionObject::ButtonDefinitionObject(IDispatch* application,
                                               std::weak_ptr<ListEntries> definitions,
                                               std::wstring internalName, std::wstring toolTip)
    : EventSource(object_type::kButtonDefinition, application, DIID_ButtonDefinitionSink,
                  CLSID_ButtonDefinitionObject),
      definitions_(std::move(definitions)),
      internalName_(std::move(internalName)),
      toolTip_(std::move(toolTip)) {}

HRESULT ButtonDefinitionObject::get_InternalName(BSTR* value) {
  return GiveText(internalName_, value);
}

HRESULT ButtonDefinitionObject::get_ToolTipText(BSTR* value) {
  return GiveText(toolTip_, value);
}

HRESULT ButtonDefinitionObject::Delete() {
  return TakeOut(definitions_, static_cast<::ButtonDefinition*>(this), L"ButtonDefinition");
}

SelectEventsObject::SelectEventsObject(IDispatch* application)
    : EventSource(object_type::kSelectEvents, application, DIID_SelectEventsSink,
                  CLSID_SelectEventsObject) {}

HRESULT SelectEventsObject::get_SingleSelectEnabled(VARIANT_BOOL* value) {
  return GiveBoolean(singleSelect_, value);
}

HRESULT SelectEventsObject::put_SingleSelectEnabled(VARIANT_BOOL value) {
  singleSelect_ = value != VARIANT_FALSE;
  return S_OK;
}

HRESULT SelectEventsObject::AddSelectionFilter(long filter) {
  filters_.push_back(filter);
  return S_OK;
}

HRESULT SelectEventsObject::get_SelectedEntities(IDispatch** value) {
  return Give(NewObjectsEnumerator(application(), selected_, object_type::kObjectsEnumerator),
              value);
}

void SelectEventsObject::Select(const std::vector<ComPtr<IDispatch>>& entities) {
  if (singleSelect_) selected_.clear();
  for (const ComPtr<IDispatch>& entity : entities) AppendOnce(selected_, entity);
}

InteractionEventsObject::InteractionEventsObject(IDispatch* application,
                                                 CommandManagerObject& manager)
    : EventSource(object_type::kInteractionEvents, application, DIID_InteractionEventsSink,
                  CLSID_InteractionEventsObject),
      manager_(manager),
      selectEvents_(Make<SelectEventsObject>(application)) {
  manager_.Register(*this);
}

InteractionEventsObject::~InteractionEventsObject() {
  manager_.Unregister(*this);
}

HRESULT InteractionEventsObject::get_SelectionActive(VARIANT_BOOL* value) {
  return GiveBoolean(selectionActive_, value);
}

HRESULT InteractionEventsObject::put_SelectionActive(VARIANT_BOOL value) {
  selectionActive_ = value != VARIANT_FALSE;
  return S_OK;
}

HRESULT InteractionEventsObject::get_SelectEvents(IDispatch** value) {
  return Give(selectEvents_, value);
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

HRESULT InteractionEventsObject::Stop() {
  // What the sinks answer is theirs; the interaction stops regardless.
  Terminate();
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
    : Object(object_type::kCommandManager, application),
      definitions_(Make<ControlDefinitionsObject>(application)) {}

HRESULT CommandManagerObject::get_ControlDefinitions(IDispatch** value) {
  return Give(definitions_, value);
}

HRESULT CommandManagerObject::CreateInteractionEvents(IDispatch** value) {
  return Give(Make<InteractionEventsObject>(application(), *this), value);
}

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
