#pragma once

// The binding's ear for one host object's events: a sink object of its own connected through the
// host object's IConnectionPointContainer. The source interface is found by name in the host's
// type library and the events by name in that interface, so the sink knows the host only by names.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <functional>

#include "automation/host_members.hpp"
#include "automation/owned_values.hpp"

namespace sledway::automation {

class EventSink;

// Called with the event's dispatch id and its arguments (last first, as IDispatch has them).
using EventHandler = std::function<void(DISPID event, DISPPARAMS& arguments)>;

class EventConnection {
 public:
  // Connects `handler` to the events `source` raises through the host's interface `sinkName`;
  // throws HostError when the host offers no such events.
  EventConnection(IDispatch& source, const wchar_t* sinkName, EventHandler handler);
  ~EventConnection();
  EventConnection(const EventConnection&) = delete;
  EventConnection& operator=(const EventConnection&) = delete;

  // The dispatch id with which the host raises `event`; DISPID_UNKNOWN when it has no such event.
  DISPID Id(const Member& event) const;
  // Stops hearing the events and lets go of the host's connection point.
  void Disconnect();

 private:
  ComPtr<ITypeInfo> sinkType_;
  ComPtr<IConnectionPoint> point_;
  ComPtr<EventSink> sink_;
  DWORD cookie_ = 0;
};

}  // namespace sledway::automation
