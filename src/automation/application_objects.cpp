#include "automation/application_objects.hpp"

#include "automation/host_picture.hpp"
#include "host/add_in_server.hpp"

namespace sledway::automation {

using namespace member;

namespace {

// An icon as the host takes it: a picture of the add-in's made into the host's IPictureDisp, an
// object of the host's as it is, none left out.
class IconArgument {
 public:
  explicit IconArgument(const Ref<IVObject>& icon) {
    if (const auto picture = std::dynamic_pointer_cast<IVPictureDisp>(icon)) {
      picture_ = PictureFromPng(picture->PngData());
      object_ = picture_.Get();
    } else {
      object_ = HostDispatch(icon, "the icon");
    }
  }
  Arg Argument() const { return object_ != nullptr ? Arg(object_) : Arg::Missing(); }

 private:
  ComPtr<IPictureDisp> picture_;
  IDispatch* object_ = nullptr;
};

}  // namespace

Ref<IVDocument> ApplicationObject::GetActiveDocument() {
  return ReadObject<IVDocument>(kActiveDocument, Role::kDocument);
}
Ref<IVGeometryFactory> ApplicationObject::GetGeometryFactory() {
  return ReadObject<IVGeometryFactory>(kTransientGeometry, Role::kGeometryFactory);
}
Ref<IVObjectFactory> ApplicationObject::GetObjectFactory() {
  return ReadObject<IVObjectFactory>(kTransientObjects, Role::kObjectFactory);
}
Ref<IVCommandManager> ApplicationObject::GetCommandManager() {
  return ReadObject<IVCommandManager>(kCommandManager, Role::kCommandManager);
}
Ref<IVUserInterface> ApplicationObject::GetUserInterface() {
  return ReadObject<IVUserInterface>(kUserInterfaceManager, Role::kUserInterface);
}
WindowHandle ApplicationObject::GetMainWindowHandle() {
  return static_cast<WindowHandle>(ReadLong(kMainFrameHwnd));
}

Ref<IVApplication> AddInSiteObject::GetApplication() {
  return ReadObject<IVApplication>(kSiteApplication, Role::kApplication);
}

// ControlDefinitions.AddButtonDefinition(DisplayName, InternalName, Classification, [ClientId],
// [DescriptionText], [ToolTipText], [StandardIcon], [LargeIcon], [ButtonDisplay]).
Ref<IVButtonHandler> AddInSiteObject::CreateButtonHandler(
    const std::string& internalName, std::int32_t kind, const std::string& displayName,
    const std::string& description, const std::string& tooltip, const Ref<IVObject>& standardIcon,
    const Ref<IVObject>& largeIcon) {
  const IconArgument standard(standardIcon);
  const IconArgument large(largeIcon);
  DispatchObject application(Host().Read(kSiteApplication).AsObject(kSiteApplication.role));
  DispatchObject commands(application.Read(kCommandManager).AsObject(kCommandManager.role));
  DispatchObject definitions(commands.Read(kControlDefinitions).AsObject(kControlDefinitions.role));
  const Variant made = definitions.Call(
      kAddButtonDefinition, {displayName, internalName, kind, Binding().ClientId(), description,
                             tooltip, standard.Argument(), large.Argument()});
  return Binding().As<IVButtonHandler>(made, Role::kButtonDefinition, kAddButtonDefinition);
}

}  // namespace sledway::automation
