#include "addin/com/host_activation.hpp"

#include <memory>
#include <utility>

#include "addin/com/host_site_binding.hpp"
#include "addin/sledway_server.hpp"
#include "platform/desktop.hpp"
#include "platform/win32/desktop_services.hpp"
#include "ui/win32/face.hpp"

namespace sledway::com {

Ref<ApplicationAddInServer> ActivateInHost(const Microsoft::WRL::ComPtr<IDispatch>& hostSite,
                                           bool firstTime) {
  const Ref<IVAddInSite> site = BindAddInSite(hostSite);
  // The library carries its own platform services and face for its windows; whatever the host's
  // process installed does not reach them.
  static const platform::ScopedDesktopServices services(platform::Win32DesktopServices());
  static win32::Win32FormFactory faces;
  auto server = std::make_shared<CSledway>(faces);
  try {
    server->Activate(site, firstTime);
  } catch (...) {
    ReleaseAddInSite(site);
    throw;
  }
  return ReleasingSiteOnDeactivate(std::move(server), site);
}

}  // namespace sledway::com
