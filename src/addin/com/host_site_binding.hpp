#pragma once

// The binding of the host's add-in site, an IDispatch, to the add-in site of src/host: the
// seam through which the add-in reaches the host's automation objects.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include "host/add_in_server.hpp"
#include "host/application.hpp"

namespace sledway::com {

// Throws HostError when the host's site cannot be bound.
Ref<IVAddInSite> BindAddInSite(const Microsoft::WRL::ComPtr<IDispatch>& hostSite);

// Lets go of every host object reached through `site` and disconnects every event the binding
// hears: after a failed activation, or once the add-in has been deactivated.
void ReleaseAddInSite(const Ref<IVAddInSite>& site);

// `server`, activated over `site`, whose Deactivate then lets go of the host: the host's objects
// are released after the add-in's own Deactivate, so that nothing of the host outlives it.
Ref<ApplicationAddInServer> ReleasingSiteOnDeactivate(Ref<ApplicationAddInServer> server,
                                                      Ref<IVAddInSite> site);

}  // namespace sledway::com
