#pragma once

#include <QSettings>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/desktop/add_in_library.hpp"
#include "platform/add_in_registry.hpp"

namespace sledway::model {
class Application;
}

namespace sledway::app {

// One registered add-in as the Add-Ins window lists it.
struct AddInEntry {
  platform::AddInRegistration registration;
  bool loaded = false;
};

// The add-ins of the desktop host: the classes registered in the per-user registry, the ones
// loaded into it and their servers. Loading activates the server on a fresh add-in site;
// unloading, and quitting, deactivate it. Whether a class was ever activated before (its
// FirstTime) is kept in the host's own settings, under "AddIns/<class id>/Activated". An add-in
// that fails (a missing library, one that is no add-in, an Activate that throws) is reported
// once through `report`, naming it, and the host goes on without it.
class AddInManager {
 public:
  AddInManager(Ref<model::Application> application, QSettings& settings,
               std::function<void(const std::string&)> report);
  // Deactivates whatever is still loaded.
  ~AddInManager();
  AddInManager(const AddInManager&) = delete;
  AddInManager& operator=(const AddInManager&) = delete;

  // When no add-in is registered at all, registers the add-in that comes with the host through
  // its library's own DllRegisterServer, so that a fresh build starts with it: the first of
  // `candidates` that exists. Nothing there, or a library that fails to register, is reported
  // once. Returns whether it registered one.
  bool RegisterOwnAddInWhenNoneIs(const std::vector<std::filesystem::path>& candidates);
  // Loads every registered add-in marked to load at start-up.
  void LoadAtStartUp();
  // Loads and activates the registered class; returns whether it runs now. Loading one that
  // runs changes nothing.
  bool Load(const platform::AddInRegistration& registration);
  // Deactivates the class and lets go of its library; false when it did not run.
  bool Unload(const std::string& classId);
  void UnloadAll();

  bool Loaded(const std::string& classId) const;
  // Every registered add-in, loaded or not, and any loaded one whose registration has gone.
  std::vector<AddInEntry> AddIns() const;

 private:
  struct LoadedAddIn {
    platform::AddInRegistration registration;
    std::unique_ptr<AddInLibrary> library;
    Ref<ApplicationAddInServer> server;
  };

  void Report(const std::string& problem) const;
  static QString ActivatedKey(const std::string& classId);

  Ref<model::Application> application_;
  QSettings& settings_;
  std::function<void(const std::string&)> report_;
  // In the order they were loaded; unloaded in the reverse order.
  std::vector<LoadedAddIn> loaded_;
};

}  // namespace sledway::app
