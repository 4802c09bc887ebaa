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

// A site without an application has nothing to work with.
Ref<IVApplication> AddInSiteObject::GetApplication() {
  Ref<IVApplication> application = ReadObject<IVApplication>(kSiteApplication, Role::kApplication);
  if (!application) {
    throw HostError(hresult::kPointer,
                    std::string("ApplicationAddInSite.Application: the host gave Nothing"));
  }
  return application;
}

// ControlDefinitions.AddButtonDefinition(DisplayName, InternalName, Classification, [ClientId],
// [DescriptionText], [ToolTipText], [StandardIcon], [LargeIcon], [ButtonDisplay]). A definition of
// the name that an earlier session left in the host (its Delete refused, or the host ended it
// without a deactivation) is used again: the host refuses a second one of the same name.
Ref<IVButtonHandler> AddInSiteObject::CreateButtonHandler(
    const std::string& internalName, std::int32_t kind, const std::string& displayName,
    const std::string& description, const std::string& tooltip, const Ref<IVObject>& standardIcon,
    const Ref<IVObject>& largeIcon) {
  DispatchObject application(ComPtr<IDispatch>(HostDispatch(GetApplication(), "the application")));
  DispatchObject commands(application.Read(kCommandManager).AsObject(kCommandManager.role));
  DispatchObject definitions(commands.Read(kControlDefinitions).AsObject(kControlDefinitions.role));
  Variant made;
  try {
    made = definitions.Read(kControlDefinitionsItem, {internalName});
  } catch (const HostError&) {
    // None of that name: made below.
  }
  const Member* from = &kControlDefinitionsItem;
  if (made.AsObject(kControlDefinitionsItem.role) == nullptr) {
    const IconArgument standard(standardIcon);
    const IconArgument large(largeIcon);
    made = definitions.Call(kAddButtonDefinition,
                            {displayName, internalName, kind, Binding().ClientId(), description,
                             tooltip, standard.Argument(), large.Argument()});
    from = &kAddButtonDefinition;
  }
  Ref<IVButtonHandler> handler =
      Binding().As<IVButtonHandler>(made, Role::kButtonDefinition, *from);
  Binding().AddedToHost(made.AsObject(from->role));
  return handler;
}

}  // namespace sledway::automation
