#include "app/desktop/add_in_manager.hpp"

#include <algorithm>
#include <cctype>
#include <exception>

#include "modelhost/application/application.hpp"

namespace sledway::app {
namespace {

bool SameClass(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

AddInManager::AddInManager(Ref<model::Application> application, QSettings& settings,
                           std::function<void(const std::string&)> report)
    : application_(std::move(application)), settings_(settings), report_(std::move(report)) {}

AddInManager::~AddInManager() {
  UnloadAll();
}

void AddInManager::Report(const std::string& problem) const {
  if (report_) report_(problem);
}

QString AddInManager::ActivatedKey(const std::string& classId) {
  QString key = QString::fromStdString(classId).toUpper();
  key.remove('{').remove('}');
  return "AddIns/" + key + "/Activated";
}

bool AddInManager::RegisterOwnAddInWhenNoneIs(
    const std::vector<std::filesystem::path>& candidates) {
  try {
    if (!platform::RegisteredAddIns().empty()) return false;
  } catch (const std::exception& error) {
    Report(std::string("The registered add-ins cannot be read: ") + error.what());
    return false;
  }
  std::error_code ignored;
  const auto found = std::find_if(candidates.begin(), candidates.end(), [&](const auto& path) {
    return std::filesystem::exists(path, ignored);
  });
  if (found == candidates.end()) {
    std::string places;
    for (const std::filesystem::path& path : candidates) places += "\n" + path.string();
    Report("The Sledway add-in was not found; it was looked for at:" + places);
    return false;
  }
  try {
    AddInLibrary(std::filesystem::absolute(*found, ignored)).Register();
  } catch (const std::exception& error) {
    Report(std::string("The Sledway add-in was not registered: ") + error.what());
    return false;
  }
  return true;
}

void AddInManager::LoadAtStartUp() {
  std::vector<platform::AddInRegistration> registered;
  try {
    registered = platform::RegisteredAddIns();
  } catch (const std::exception& error) {
    Report(std::string("The registered add-ins cannot be read: ") + error.what());
    return;
  }
  for (const platform::AddInRegistration& registration : registered) {
    if (registration.loadOnStartUp) Load(registration);
  }
}

bool AddInManager::Load(const platform::AddInRegistration& registration) {
  if (Loaded(registration.classId)) return true;
  const std::string name = "\"" + registration.name + "\" (" + registration.libraryPath + ")";
  LoadedAddIn addIn{registration, nullptr, nullptr};
  try {
    addIn.library = std::make_unique<AddInLibrary>(registration.libraryPath);
    addIn.server = addIn.library->CreateServer(registration.classId);
  } catch (const std::exception& error) {
    Report("The add-in " + name + " was not loaded: " + error.what());
    return false;
  }
  const QString key = ActivatedKey(registration.classId);
  const bool firstTime = !settings_.value(key, false).toBool();
  try {
    addIn.server->Activate(application_->CreateAddInSite(), firstTime);
  } catch (const std::exception& error) {
    addIn.server.reset();
    Report("The add-in " + name + " failed to start: " + error.what());
    return false;
  } catch (...) {
    addIn.server.reset();
    Report("The add-in " + name + " failed to start.");
    return false;
  }
  settings_.setValue(key, true);
  settings_.sync();
  loaded_.push_back(std::move(addIn));
  return true;
}

bool AddInManager::Unload(const std::string& classId) {
  const auto found = std::find_if(loaded_.begin(), loaded_.end(), [&](const LoadedAddIn& addIn) {
    return SameClass(addIn.registration.classId, classId);
  });
  if (found == loaded_.end()) return false;
  LoadedAddIn addIn = std::move(*found);
  loaded_.erase(found);
  try {
    addIn.server->Deactivate();
  } catch (const std::exception& error) {
    Report("The add-in \"" + addIn.registration.name + "\" failed to stop: " + error.what());
  }
  // The server goes before its library.
  addIn.server.reset();
  addIn.library.reset();
  return true;
}

void AddInManager::UnloadAll() {
  while (!loaded_.empty()) Unload(loaded_.back().registration.classId);
}

bool AddInManager::Loaded(const std::string& classId) const {
  return std::any_of(loaded_.begin(), loaded_.end(), [&](const LoadedAddIn& addIn) {
    return SameClass(addIn.registration.classId, classId);
  });
}

std::vector<AddInEntry> AddInManager::AddIns() const {
  std::vector<AddInEntry> entries;
  try {
    for (const platform::AddInRegistration& registration : platform::RegisteredAddIns()) {
      entries.push_back({registration, Loaded(registration.classId)});
    }
  } catch (const std::exception& error) {
    Report(std::string("The registered add-ins cannot be read: ") + error.what());
  }
  for (const LoadedAddIn& addIn : loaded_) {
    const bool listed = std::any_of(entries.begin(), entries.end(), [&](const AddInEntry& entry) {
      return SameClass(entry.registration.classId, addIn.registration.classId);
    });
    if (!listed) entries.push_back({addIn.registration, true});
  }
  return entries;
}

}  // namespace sledway::app
