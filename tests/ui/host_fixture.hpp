#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "platform/desktop.hpp"
#include "scoped_config_home.hpp"

namespace sledway::test {

// The model host with one sample assembly open, per-user settings in a fresh folder, and message
// boxes, sleeps and yields recorded instead of shown, waited and processed.
class HostFixture {
 protected:
  explicit HostFixture(const std::string& sample = "cart") {
    document = model::ReadSampleAssembly(model::FindSampleAssembly(sample)).document;
    app->SetActiveDocument(document);
    app->SetMainWindowHandle(kHostWindow);
  }

  Ref<IVObject> Entity(const std::string& name) const {
    return model::ResolveEntity(*document, name);
  }

  static constexpr WindowHandle kHostWindow = 77;
  ScopedConfigHome configHome;
  std::vector<std::string> messages;  // "title: text"
  std::vector<std::uint32_t> sleeps;
  // Runs at each sleep, that is after each move of a run with a delay.
  std::function<void()> onSleep;
  // Runs at each yield to the message loop.
  std::function<void()> onYield;
  platform::ScopedDesktopServices services{platform::DesktopServices{
      .sleep =
          [this](std::uint32_t milliseconds) {
            sleeps.push_back(milliseconds);
            if (onSleep) onSleep();
          },
      .showMessage = [this](const std::string& text,
                            const std::string& title) { messages.push_back(title + ": " + text); },
      .yieldToMessageLoop =
          [this] {
            if (onYield) onYield();
          },
  }};
  Ref<model::Application> app = model::Application::Create();
  Ref<model::AssemblyDocument> document;
};

}  // namespace sledway::test
