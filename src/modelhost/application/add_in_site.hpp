#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/application.hpp"
#include "modelhost/application/button_handler.hpp"

namespace sledway::model {

class Application;

// What the host hands an add-in on activation. It refers to the application weakly: an add-in
// keeps the site's application alive by holding it, the site itself does not.
class AddInSite : public IVAddInSite {
 public:
  explicit AddInSite(std::weak_ptr<Application> application);

  // Fails when the application has already closed.
  Ref<IVApplication> GetApplication() override;
  // Fails with kUnexpected when icons are given while the site refuses icons.
  Ref<IVButtonHandler> CreateButtonHandler(const std::string& internalName, std::int32_t kind,
                                           const std::string& displayName,
                                           const std::string& description,
                                           const std::string& tooltip,
                                           const Ref<IVObject>& standardIcon,
                                           const Ref<IVObject>& largeIcon) override;

  // Acts as a host that cannot take an add-in's button pictures.
  void RefuseIcons(bool refuse) { refuseIcons_ = refuse; }

 private:
  std::weak_ptr<Application> application_;
  bool refuseIcons_ = false;
};

}  // namespace sledway::model
