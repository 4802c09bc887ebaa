#include "modelhost/application/add_in_site.hpp"

#include <utility>

#include "host/host_error.hpp"
#include "modelhost/application/application.hpp"

namespace sledway::model {

AddInSite::AddInSite(std::weak_ptr<Application> application)
    : application_(std::move(application)) {}

Ref<IVApplication> AddInSite::GetApplication() {
  auto application = application_.lock();
  if (!application) throw HostError(hresult::kUnexpected, "the host application has closed");
  return application;
}

Ref<IVButtonHandler> AddInSite::CreateButtonHandler(
    const std::string& internalName, std::int32_t kind, const std::string& displayName,
    const std::string& description, const std::string& tooltip, const Ref<IVObject>& standardIcon,
    const Ref<IVObject>& largeIcon) {
  if (refuseIcons_ && (standardIcon || largeIcon)) {
    throw HostError(hresult::kUnexpected,
                    "button '" + internalName + "': the host cannot take its icons");
  }
  return std::make_shared<ButtonHandler>(ButtonArguments{
      internalName, kind, displayName, description, tooltip, standardIcon, largeIcon});
}

}  // namespace sledway::model
