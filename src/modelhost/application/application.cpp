#include "modelhost/application/application.hpp"

#include <utility>

#include "modelhost/collections/object_factory.hpp"
#include "modelhost/geometry/geometry_factory.hpp"

namespace sledway::model {

Ref<Application> Application::Create() {
  return Ref<Application>(new Application());
}

Application::Application()
    : geometryFactory_(std::make_shared<GeometryFactory>()),
      objectFactory_(std::make_shared<ObjectFactory>()),
      userInterface_(std::make_shared<model::UserInterface>()),
      commandManager_(std::make_shared<CommandManager>()) {}

Ref<IVDocument> Application::GetActiveDocument() {
  return activeDocument_;
}

void Application::SetActiveDocument(Ref<IVDocument> document) {
  activeDocument_ = std::move(document);
}

Ref<IVGeometryFactory> Application::GetGeometryFactory() {
  return geometryFactory_;
}

Ref<IVObjectFactory> Application::GetObjectFactory() {
  return objectFactory_;
}

Ref<IVCommandManager> Application::GetCommandManager() {
  return commandManager_;
}

Ref<IVUserInterface> Application::GetUserInterface() {
  return userInterface_;
}

WindowHandle Application::GetMainWindowHandle() {
  return mainWindow_;
}

void Application::SetMainWindowHandle(WindowHandle handle) {
  mainWindow_ = handle;
}

Ref<AddInSite> Application::CreateAddInSite() {
  return std::make_shared<AddInSite>(weak_from_this());
}

}  // namespace sledway::model
