#pragma once

// The binding's door: the host's add-in site bound to the add-in site of src/host, and the end of
// that binding when the add-in is deactivated.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include <string>

#include "host/application.hpp"

namespace sledway::automation {

// The add-in site of src/host over the host's ApplicationAddInSite; `clientId` is the add-in's
// class id, with which it marks the UI it adds. Everything reached through the site is bound on
// the way. Throws HostError for a null site.
Ref<IVAddInSite> BindSite(const Microsoft::WRL::ComPtr<IDispatch>& site, std::string clientId);

// Lets go of every host object reached through `site` (a site BindSite made) and disconnects
// every event: the add-in is being deactivated. The binding's objects the add-in may still hold
// fail from then on.
void LetGoOfHost(const Ref<IVAddInSite>& site);

}  // namespace sledway::automation
