#include "automation/interaction_objects.hpp"

#include <utility>

namespace sledway::automation {
namespace {

using namespace member;

// An event's argument at the place the host's declaration gives it (IDispatch has them last
// first), and what it refers to when it came by reference.
VARIANT* Argument(DISPPARAMS& arguments, UINT place) {
  if (place >= arguments.cArgs || arguments.rgvarg == nullptr) {
    throw HostError(static_cast<std::uint32_t>(DISP_E_BADPARAMCOUNT),
                    "the host raised an event with too few arguments");
  }
  return &arguments.rgvarg[arguments.cArgs - 1 - place];
}

Variant Copied(DISPPARAMS& arguments, UINT place) {
  Variant value;
  VariantCopyInd(value.Get(), Argument(arguments, place));
  return value;
}

IVSelectionDevice Device(DISPPARAMS& arguments, UINT place) {
  return static_cast<IVSelectionDevice>(Copied(arguments, place).AsLong("the selection device"));
}

// Writes an object back into a by-reference argument, releasing what it held.
void WriteBack(VARIANT* argument, IDispatch* object) {
  if (argument->vt != (VT_BYREF | VT_DISPATCH) || argument->ppdispVal == nullptr) return;
  if (*argument->ppdispVal == object) return;
  if (object != nullptr) object->AddRef();
  if (*argument->ppdispVal != nullptr) (*argument->ppdispVal)->Release();
  *argument->ppdispVal = object;
}

}  // namespace

Ref<IVInteraction> CommandManagerObject::CreateInteraction() {
  return CallObject<IVInteraction>(kCreateInteractionEvents, Role::kInteraction, {});
}

InteractionObject::InteractionObject(std::shared_ptr<Session> session, DispatchObject object)
    : HostObject(std::move(session), std::move(object)) {
  events_ = std::make_unique<EventConnection>(*Dispatch(), kInteractionEventsSink,
                                              [this](DISPID event, DISPPARAMS&) {
                                                if (event == onTerminate_) Terminated();
                                              });
  onTerminate_ = events_->Id(kOnTerminate);
}

void InteractionObject::SelectionEnabled(bool enabled) {
  Host().Write(kSelectionActive, enabled);
}
Ref<IVSelectEvents> InteractionObject::GetSelectEvents() {
  return ReadObject<IVSelectEvents>(kSelectEvents, Role::kSelectEvents);
}
void InteractionObject::Start() {
  terminated_ = false;
  Host().Call(kStart);
}
// The add-in learns that its interaction ended from OnTerminate alone, once per run: from the
// host while Stop runs, or from the binding right after when the host raised none.
void InteractionObject::Stop() {
  Host().Call(kStop);
  Terminated();
}
void InteractionObject::Terminated() {
  if (std::exchange(terminated_, true)) return;
  OnTerminate.Raise();
}
void InteractionObject::LetGo() {
  events_->Disconnect();
  HostObject::LetGo();
}

SelectEventsObject::SelectEventsObject(std::shared_ptr<Session> session, DispatchObject object)
    : HostObject(std::move(session), std::move(object)) {
  events_ = std::make_unique<EventConnection>(
      *Dispatch(), kSelectEventsSink,
      [this](DISPID event, DISPPARAMS& arguments) { Heard(event, arguments); });
  onPreSelect_ = events_->Id(kOnPreSelect);
  onSelect_ = events_->Id(kOnSelect);
}

void SelectEventsObject::SingleSelect(bool single) {
  Host().Write(kSingleSelectEnabled, single);
}
void SelectEventsObject::AddSelectionFilter(IVSelectFilter filter) {
  Host().Call(kAddSelectionFilter, {static_cast<std::int32_t>(filter)});
}
Ref<IVEntityCollection> SelectEventsObject::GetSelectedEntities() {
  return ReadObject<IVEntityCollection>(kSelectedEntities, Role::kEntityCollection);
}
void SelectEventsObject::LetGo() {
  events_->Disconnect();
  HostObject::LetGo();
}

void SelectEventsObject::Heard(DISPID event, DISPPARAMS& arguments) {
  if (event == onPreSelect_) PreSelect(arguments);
  if (event == onSelect_) Select(arguments);
}

// OnPreSelect(PreSelectEntity, DoHighlight, MorePreSelectEntities, SelectionDevice,
// ModelPosition, ViewPosition, View): the first three by reference, for the handler to change.
void SelectEventsObject::PreSelect(DISPPARAMS& arguments) {
  Session& session = Binding();
  Ref<IVObject> entity = session.As<IVObject>(Copied(arguments, 0), Role::kEntity, kOnPreSelect);
  VARIANT* highlight = Argument(arguments, 1);
  bool doHighlight = Copied(arguments, 1).AsBool(kOnPreSelect.role);
  Ref<IVObjectCollection> more =
      session.As<IVObjectCollection>(Copied(arguments, 2), Role::kObjectCollection, kOnPreSelect);
  const Ref<IVObject> givenEntity = entity;
  const Ref<IVObjectCollection> givenMore = more;
  OnPreSelect.Raise(entity, doHighlight, more, Device(arguments, 3),
                    session.As<IVPoint>(Copied(arguments, 4), Role::kPoint, kOnPreSelect),
                    session.As<IVPoint2d>(Copied(arguments, 5), Role::kPoint2d, kOnPreSelect),
                    session.As<IVObject>(Copied(arguments, 6), Role::kObject, kOnPreSelect));
  if (highlight->vt == (VT_BYREF | VT_BOOL) && highlight->pboolVal != nullptr) {
    *highlight->pboolVal = doHighlight ? VARIANT_TRUE : VARIANT_FALSE;
  }
  if (entity != givenEntity) {
    WriteBack(Argument(arguments, 0), HostDispatch(entity, "the entity to pre-select"));
  }
  if (more != givenMore) {
    WriteBack(Argument(arguments, 2), HostDispatch(more, "the entities to pre-select with it"));
  }
}

// OnSelect(JustSelectedEntities, SelectionDevice, ModelPosition, ViewPosition, View).
void SelectEventsObject::Select(DISPPARAMS& arguments) {
  Session& session = Binding();
  OnSelect.Raise(
      session.As<IVEntityCollection>(Copied(arguments, 0), Role::kEntityCollection, kOnSelect),
      Device(arguments, 1), session.As<IVPoint>(Copied(arguments, 2), Role::kPoint, kOnSelect),
      session.As<IVPoint2d>(Copied(arguments, 3), Role::kPoint2d, kOnSelect),
      session.As<IVObject>(Copied(arguments, 4), Role::kObject, kOnSelect));
}

}  // namespace sledway::automation
