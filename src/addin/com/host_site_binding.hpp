#pragma once

// The binding of the host's add-in site, an IDispatch, to the add-in site of src/host: the
// seam through which the add-in reaches the host's automation objects.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>
#include <wrl/client.h>

#include "host/application.hpp"

namespace sledway::com {

// Throws HostError when the host's site cannot be bound.
Ref<IVAddInSite> BindAddInSite(const Microsoft::WRL::ComPtr<IDispatch>& hostSite);

}  // namespace sledway::com
