#include "addin/com/host_site_binding.hpp"

#include <utility>

#include "addin/add_in_identity.hpp"
#include "automation/bind_site.hpp"

namespace sledway::com {
namespace {

class SiteReleasingServer final : public ApplicationAddInServer {
 public:
  SiteReleasingServer(Ref<ApplicationAddInServer> server, Ref<IVAddInSite> site)
      : server_(std::move(server)), site_(std::move(site)) {}

  void Activate(const Ref<IVAddInSite>& site, bool firstTime) override {
    server_->Activate(site, firstTime);
  }
  // The host objects go even when the add-in's Deactivate fails: the host will not call again.
  void Deactivate() override {
    try {
      server_->Deactivate();
    } catch (...) {
      ReleaseAddInSite(std::exchange(site_, nullptr));
      throw;
    }
    ReleaseAddInSite(std::exchange(site_, nullptr));
  }
  void ExecuteCommand(std::int32_t commandId) override { server_->ExecuteCommand(commandId); }
  Ref<IVObject> Automation() override { return server_->Automation(); }

 private:
  Ref<ApplicationAddInServer> server_;
  Ref<IVAddInSite> site_;
};

}  // namespace

Ref<IVAddInSite> BindAddInSite(const Microsoft::WRL::ComPtr<IDispatch>& hostSite) {
  return automation::BindSite(hostSite, kAddInClassId);
}

void ReleaseAddInSite(const Ref<IVAddInSite>& site) {
  automation::LetGoOfHost(site);
}

Ref<ApplicationAddInServer> ReleasingSiteOnDeactivate(Ref<ApplicationAddInServer> server,
                                                      Ref<IVAddInSite> site) {
  return std::make_shared<SiteReleasingServer>(std::move(server), std::move(site));
}

}  // namespace sledway::com
