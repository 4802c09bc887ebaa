#pragma once

// Where the add-in meets the host: the host's add-in site, an IDispatch, is bound to the add-in
// site of src/host (host_site_binding.hpp) and the add-in's server, with the Win32 face of its
// windows, is activated over it.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include "host/add_in_server.hpp"

namespace sledway::com {

// The add-in's server, activated in the host whose add-in site is `hostSite`. Throws HostError
// when the host cannot be worked with.
Ref<ApplicationAddInServer> ActivateInHost(const Microsoft::WRL::ComPtr<IDispatch>& hostSite,
                                           bool firstTime);

}  // namespace sledway::com
