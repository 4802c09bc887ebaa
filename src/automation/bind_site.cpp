#include "automation/bind_site.hpp"

#include <utility>

#include "automation/application_objects.hpp"

namespace sledway::automation {

Ref<IVAddInSite> BindSite(const Microsoft::WRL::ComPtr<IDispatch>& site, std::string clientId) {
  if (!site) throw HostError(hresult::kPointer, "the host gave no add-in site");
  auto session = std::make_shared<Session>(std::move(clientId));
  return std::dynamic_pointer_cast<IVAddInSite>(session->Bind(site, Role::kSite));
}

void LetGoOfHost(const Ref<IVAddInSite>& site) {
  if (const auto bound = std::dynamic_pointer_cast<AddInSiteObject>(site)) bound->LetGoOfSession();
}

}  // namespace sledway::automation
