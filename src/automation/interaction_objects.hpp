#pragma once

// Picking over the host's CommandManager, InteractionEvents and SelectEvents, whose events the
// binding hears through sinks of its own.

#include <memory>

#include "automation/event_connection.hpp"
#include "automation/host_object.hpp"
#include "host/interaction.hpp"

namespace sledway::automation {

class CommandManagerObject final : public HostObject, public IVCommandManager {
 public:
  using HostObject::HostObject;
  Ref<IVInteraction> CreateInteraction() override;
};

class InteractionObject final : public HostObject, public IVInteraction {
 public:
  InteractionObject(std::shared_ptr<Session> session, DispatchObject object);
  void SelectionEnabled(bool enabled) override;
  Ref<IVSelectEvents> GetSelectEvents() override;
  void Start() override;
  void Stop() override;
  void LetGo() override;

 private:
  void Terminated();

  std::unique_ptr<EventConnection> events_;
  DISPID onTerminate_ = DISPID_UNKNOWN;
  bool terminated_ = false;
};

class SelectEventsObject final : public HostObject, public IVSelectEvents {
 public:
  SelectEventsObject(std::shared_ptr<Session> session, DispatchObject object);
  void SingleSelect(bool single) override;
  void AddSelectionFilter(IVSelectFilter filter) override;
  Ref<IVEntityCollection> GetSelectedEntities() override;
  void LetGo() override;

 private:
  void Heard(DISPID event, DISPPARAMS& arguments);
  void PreSelect(DISPPARAMS& arguments);
  void Select(DISPPARAMS& arguments);

  std::unique_ptr<EventConnection> events_;
  DISPID onPreSelect_ = DISPID_UNKNOWN;
  DISPID onSelect_ = DISPID_UNKNOWN;
};

}  // namespace sledway::automation
