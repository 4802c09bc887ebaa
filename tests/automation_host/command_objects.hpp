#pragma once

// The command manager: button definitions the add-in makes, whose OnExecute a test raises, and
// the interaction events (with their select events) a test hovers and clicks through.

#include <memory>
#include <string>
#include <vector>

#include "event_source.hpp"
#include "list_objects.hpp"

namespace sledway::automation_host {

class ButtonDefinitionObject final : public EventSource<::ButtonDefinition> {
 public:
  ButtonDefinitionObject(IDispatch* application, std::weak_ptr<ListEntries> definitions,
                         std::wstring internalName, std::wstring toolTip)
      : EventSource(application, DIID_ButtonDefinitionSink, CLSID_ButtonDefinitionObject),
        definitions_(std::move(definitions)),
        internalName_(std::move(internalName)),
        toolTip_(std::move(toolTip)) {}

  HRESULT STDMETHODCALLTYPE get_InternalName(BSTR* value) override {
    return GiveText(internalName_, value);
  }
  HRESULT STDMETHODCALLTYPE get_ToolTipText(BSTR* value) override {
    return GiveText(toolTip_, value);
  }
  // Takes the definition out of ControlDefinitions; its controls stay where they are.
  HRESULT STDMETHODCALLTYPE Delete() override {
    return TakeOut(definitions_, static_cast<::ButtonDefinition*>(this), L"ButtonDefinition");
  }

 private:
  std::weak_ptr<ListEntries> definitions_;
  std::wstring internalName_;
  std::wstring toolTip_;
};

class SelectEventsObject final : public EventSource<::SelectEvents> {
 public:
  explicit SelectEventsObject(IDispatch* application)
      : EventSource(application, DIID_SelectEventsSink, CLSID_SelectEventsObject) {}

  HRESULT STDMETHODCALLTYPE get_SingleSelectEnabled(VARIANT_BOOL* value) override {
    return GiveBoolean(singleSelect_, value);
  }
  HRESULT STDMETHODCALLTYPE put_SingleSelectEnabled(VARIANT_BOOL value) override {
    singleSelect_ = value != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE AddSelectionFilter(long filter) override {
    filters_.push_back(filter);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_SelectedEntities(IDispatch** value) override {
    return Give(NewObjectsEnumerator(application(), selected_), value);
  }

  const std::vector<long>& filters() const { return filters_; }
  // Adds what a click selected, each entity once (replacing the selection when single select
  // is on).
  void Select(const std::vector<ComPtr<IDispatch>>& entities);

 private:
  bool singleSelect_ = false;
  std::vector<long> filters_;
  std::vector<ComPtr<IDispatch>> selected_;
};

class CommandManagerObject;

class InteractionEventsObject final : public EventSource<::InteractionEvents> {
 public:
  InteractionEventsObject(IDispatch* application, CommandManagerObject& manager);
  ~InteractionEventsObject() override;

  HRESULT STDMETHODCALLTYPE get_SelectionActive(VARIANT_BOOL* value) override {
    return GiveBoolean(selectionActive_, value);
  }
  HRESULT STDMETHODCALLTYPE put_SelectionActive(VARIANT_BOOL value) override {
    selectionActive_ = value != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_SelectEvents(IDispatch** value) override {
    return Give(selectEvents_, value);
  }
  HRESULT STDMETHODCALLTYPE Start() override;
  // What the sinks answer is theirs; the interaction stops regardless.
  HRESULT STDMETHODCALLTYPE Stop() override {
    Terminate();
    return S_OK;
  }

  bool started() const { return started_; }
  bool selectionActive() const { return selectionActive_; }
  SelectEventsObject& selectEvents() { return *selectEvents_.Get(); }
  // The interaction ends (Stop, or the user's Esc): it stops and raises OnTerminate; S_FALSE
  // when it was not running.
  HRESULT Terminate();

 private:
  CommandManagerObject& manager_;
  ComPtr<SelectEventsObject> selectEvents_;
  bool selectionActive_ = true;
  bool started_ = false;
};

class CommandManagerObject final : public Object<::CommandManager> {
 public:
  explicit CommandManagerObject(IDispatch* application);

  HRESULT STDMETHODCALLTYPE get_ControlDefinitions(IDispatch** value) override {
    return Give(definitions_, value);
  }
  HRESULT STDMETHODCALLTYPE CreateInteractionEvents(IDispatch** value) override {
    return Give(Make<InteractionEventsObject>(application(), *this), value);
  }

  // The button definition named `internalName`, or null.
  ComPtr<ButtonDefinitionObject> Button(const std::wstring& internalName) const;
  // The next AddButtonDefinition given an icon refuses it with `code` (0x8000FFFF in some hosts).
  void RefuseIconsOnce(HRESULT code);
  // A definition named `internalName`, as an earlier session of the add-in leaves one.
  void LeaveDefinition(const std::wstring& internalName);
  size_t DefinitionCount() const;
  // The interaction started last and still running, or null.
  InteractionEventsObject* RunningInteraction() const;

  // Interactions tell their manager they exist, so that the host can reach the running one.
  void Register(InteractionEventsObject& interaction);
  void Unregister(InteractionEventsObject& interaction);

 private:
  ComPtr<IDispatch> definitions_;
  std::vector<InteractionEventsObject*> interactions_;
};

}  // namespace sledway::automation_host
