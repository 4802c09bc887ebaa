#pragma once

#include <memory>

#include "host/application.hpp"
#include "modelhost/application/add_in_site.hpp"
#include "modelhost/application/user_interface.hpp"
#include "modelhost/interaction/command_manager.hpp"

namespace sledway::model {

// The model host's application: the active document, the factories, the user interface and the
// window the add-in's windows attach to.
class Application : public IVApplication, public std::enable_shared_from_this<Application> {
 public:
  // Made through Create only: add-in sites refer back to it weakly.
  static Ref<Application> Create();

  // Null when no document is open.
  Ref<IVDocument> GetActiveDocument() override;
  void SetActiveDocument(Ref<IVDocument> document);

  // One factory of each kind for the application's life.
  Ref<IVGeometryFactory> GetGeometryFactory() override;
  Ref<IVObjectFactory> GetObjectFactory() override;
  // One command manager: it knows which interaction runs.
  Ref<IVCommandManager> GetCommandManager() override;
  Ref<CommandManager> Commands() const { return commandManager_; }
  Ref<IVUserInterface> GetUserInterface() override;
  Ref<model::UserInterface> UserInterfaceObject() const { return userInterface_; }

  // 0 until a window is attached.
  WindowHandle GetMainWindowHandle() override;
  void SetMainWindowHandle(WindowHandle handle);

  // A new site for activating an add-in on this application.
  Ref<AddInSite> CreateAddInSite();

 private:
  Application();

  Ref<IVDocument> activeDocument_;
  Ref<IVGeometryFactory> geometryFactory_;
  Ref<IVObjectFactory> objectFactory_;
  Ref<model::UserInterface> userInterface_;
  Ref<CommandManager> commandManager_;
  WindowHandle mainWindow_ = 0;
};

}  // namespace sledway::model
