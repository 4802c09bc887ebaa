#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host_fixture.hpp"
#include "modelhost/interaction/command_manager.hpp"
#include "recording_form.hpp"
#include "ui/frm_path.hpp"

namespace sledway::test {

// The tool window over a recording form and the model host.
class ToolWindowTest : public ::testing::Test, public HostFixture {
 protected:
  explicit ToolWindowTest(const std::string& sample = "cart") : HostFixture(sample) {}

  frmPath& Open(const Ref<IVApplication>& application = nullptr) {
    window = std::make_shared<frmPath>(faces);
    form = faces.made.back();
    window->IVApp(application ? application : app);
    sessionsEnded = 0;
    endSession = window->EndSession.Connect([this] { ++sessionsEnded; });
    window->Show();
    return *window;
  }

  RecordingControl& Get(const std::string& name) const { return form->Get(name); }
  CPath& Path() const { return *window->PathDefinition(); }
  bool Click(const std::string& name) const { return Get(name).UserClick(); }

  // Starts the slot's pick with its button, then points at `entity` and clicks it in the host.
  void Pick(int slot, const std::string& entity) {
    ASSERT_TRUE(Click("cmdSelect_" + std::to_string(slot)));
    const auto interaction = app->Commands()->ActiveInteraction();
    ASSERT_TRUE(interaction) << "no pick runs for slot " << slot;
    interaction->Hover(Entity(entity));
    ASSERT_TRUE(interaction->Click()) << entity << " was not picked";
  }

  // Enters the box afresh, which selects its text, and types over it.
  void Type(const std::string& name, const std::string& keys) const {
    form->focus = nullptr;
    ASSERT_TRUE(Get(name).UserType(keys)) << name << " takes no input";
  }

  RecordingFactory faces;
  std::shared_ptr<frmPath> window;
  RecordingForm* form = nullptr;
  Connection endSession;
  int sessionsEnded = 0;
};

}  // namespace sledway::test
