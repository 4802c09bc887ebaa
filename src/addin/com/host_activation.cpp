#include "addin/com/host_activation.hpp"

#include "host/host_error.hpp"

namespace sledway::com {

// This build of the library carries neither the binding of src/host to the host's automation
// objects nor a toolkit-free add-in server, so activation is refused with a message the host
// shows, rather than started half-way.
Ref<ApplicationAddInServer> ActivateInHost(const Microsoft::WRL::ComPtr<IDispatch>& /*hostSite*/,
                                           bool /*firstTime*/) {
  throw HostError(static_cast<std::uint32_t>(E_NOTIMPL),
                  "Sledway cannot work in this host yet: this build of the add-in library does "
                  "not carry the binding to the host's automation interface");
}

}  // namespace sledway::com
