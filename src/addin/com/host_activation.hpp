#pragma once

// Where the add-in meets the host: the host's add-in site, an IDispatch, is bound to the add-in
// site of src/host and the add-in's server is activated over it. The one place the Windows
// library reaches the host's automation objects.

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
