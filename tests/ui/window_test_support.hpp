#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "platform/desktop.hpp"
#include "qt_application.hpp"
#include "scoped_config_home.hpp"

namespace sledway::test {

// A child of `parent` by object name, which must be there.
template <class Control>
Control* Find(const QWidget& parent, const char* name) {
  auto* control = parent.findChild<Control*>(QString::fromLatin1(name));
  if (control == nullptr) throw std::logic_error(std::string("no control ") + name);
  return control;
}

// Lets Qt deliver what is pending, deletions of closed windows included.
inline void ProcessEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The model host with one sample assembly open and a main window for the add-in's windows to
// belong to, per-user settings in a fresh folder, and message boxes and sleeps recorded instead
// of shown and waited.
class HostFixture {
 protected:
  explicit HostFixture(const std::string& sample = "cart") {
    document = model::ReadSampleAssembly(model::FindSampleAssembly(sample)).document;
    app->SetActiveDocument(document);
    app->SetMainWindowHandle(mainWindow.winId());
  }

  Ref<IVObject> Entity(const std::string& name) const {
    return model::ResolveEntity(*document, name);
  }

  QApplication& qt = TestApplication();
  ScopedConfigHome configHome;
  std::vector<std::string> messages;  // "title: text"
  std::vector<std::uint32_t> sleeps;
  // Runs at each sleep, that is after each move of a run with a delay.
  std::function<void()> onSleep;
  platform::ScopedDesktopServices services{platform::DesktopServices{
      .sleep =
          [this](std::uint32_t milliseconds) {
            sleeps.push_back(milliseconds);
            if (onSleep) onSleep();
          },
      .showMessage = [this](const std::string& text,
                            const std::string& title) { messages.push_back(title + ": " + text); },
      .yieldToMessageLoop = [] { QCoreApplication::processEvents(); },
  }};
  QMainWindow mainWindow;
  Ref<model::Application> app = model::Application::Create();
  Ref<model::AssemblyDocument> document;
};

}  // namespace sledway::test
