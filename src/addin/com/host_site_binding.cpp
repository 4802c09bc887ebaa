#include "addin/com/host_site_binding.hpp"

#include "host/host_error.hpp"

namespace sledway::com {

// This build of the library does not carry the binding to the host's automation interface yet:
// activation is refused with a message the host shows, rather than started half-way.
Ref<IVAddInSite> BindAddInSite(const Microsoft::WRL::ComPtr<IDispatch>& /*hostSite*/) {
  throw HostError(static_cast<std::uint32_t>(E_NOTIMPL),
                  "Sledway cannot work in this host yet: this build of the add-in library does "
                  "not carry the binding to the host's automation interface");
}

}  // namespace sledway::com
