#pragma once

// The add-in site and the application over the host's ApplicationAddInSite and Application; the
// site makes the add-in's button through the host's ControlDefinitions.

#include "automation/host_object.hpp"
#include "host/application.hpp"

namespace sledway::automation {

class ApplicationObject final : public HostObject, public IVApplication {
 public:
  using HostObject::HostObject;
  Ref<IVDocument> GetActiveDocument() override;
  Ref<IVGeometryFactory> GetGeometryFactory() override;
  Ref<IVObjectFactory> GetObjectFactory() override;
  Ref<IVCommandManager> GetCommandManager() override;
  Ref<IVUserInterface> GetUserInterface() override;
  WindowHandle GetMainWindowHandle() override;
};

class AddInSiteObject final : public HostObject, public IVAddInSite {
 public:
  using HostObject::HostObject;
  Ref<IVApplication> GetApplication() override;
  Ref<IVButtonHandler> CreateButtonHandler(const std::string& internalName, std::int32_t kind,
                                           const std::string& displayName,
                                           const std::string& description,
                                           const std::string& tooltip,
                                           const Ref<IVObject>& standardIcon,
                                           const Ref<IVObject>& largeIcon) override;
  // Lets go of every host object this site's session holds.
  void LetGoOfSession() { Binding().LetGoOfAll(); }
};

}  // namespace sledway::automation
