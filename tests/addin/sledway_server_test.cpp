#include "addin/sledway_server.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "addin_test_support.hpp"
#include "common/reg_api.hpp"
#include "forwarding_application.hpp"
#include "host/host_error.hpp"
#include "host_fixture.hpp"
#include "modelhost/application/add_in_site.hpp"
#include "modelhost/application/command_bar_control.hpp"
#include "modelhost/document/part_document.hpp"
#include "platform/live_objects.hpp"
#include "recording_form.hpp"

namespace sledway::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kNotAnAssembly =
    "Sledway: You can only create sledways in an Assembly document";

// A face that holds no pictures for the button.
class IconlessFactory : public RecordingFactory {
 public:
  std::vector<std::uint8_t> ButtonIconPng(int) override { return {}; }
};

// The application with its user interface refused: the host's bars out of reach.
class NoUserInterfaceApplication : public ForwardingApplication {
 public:
  using ForwardingApplication::ForwardingApplication;
  Ref<IVUserInterface> GetUserInterface() override {
    throw HostError(hresult::kFail, "the user interface is refused");
  }
};

// A site that hands out that application and creates buttons through the model host's site.
class SiteOf : public IVAddInSite {
 public:
  SiteOf(Ref<IVApplication> application, Ref<model::AddInSite> buttons)
      : application_(std::move(application)), buttons_(std::move(buttons)) {}
  Ref<IVApplication> GetApplication() override { return application_; }
  Ref<IVButtonHandler> CreateButtonHandler(const std::string& internalName, std::int32_t kind,
                                           const std::string& displayName,
                                           const std::string& description,
                                           const std::string& tooltip,
                                           const Ref<IVObject>& standardIcon,
                                           const Ref<IVObject>& largeIcon) override {
    return buttons_->CreateButtonHandler(internalName, kind, displayName, description, tooltip,
                                         standardIcon, largeIcon);
  }

 private:
  Ref<IVApplication> application_;
  Ref<model::AddInSite> buttons_;
};

class SledwayServerTest : public ::testing::Test, public HostFixture {
 protected:
  Ref<model::ButtonDefinition> Button() {
    const auto buttons = ButtonsOn(*app, "Sledway");
    if (buttons.empty()) throw std::logic_error("no button on the add-in's bar");
    return buttons.front();
  }

  // The tool window's form as the server opened it last.
  RecordingForm& Shown() { return *faces.made.back(); }

  RecordingFactory faces;
  Ref<model::AddInSite> site = app->CreateAddInSite();
  Ref<CSledway> server = std::make_shared<CSledway>(faces);
};

TEST_F(SledwayServerTest, ActivationPutsOneButtonWithTheFacesIconsOnBothBars) {
  EXPECT_FALSE(server->IVApp());
  server->Activate(site, false);
  EXPECT_EQ(server->IVApp(), app);
  const auto own = ButtonsOn(*app, "Sledway");
  const auto panel = ButtonsOn(*app, "AMxAssemblyPanelCmdBar");
  ASSERT_EQ(own.size(), 1u);
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_EQ(own[0], panel[0]);
  const model::ButtonArguments& arguments = own[0]->Arguments();
  EXPECT_EQ(arguments.internalName, "Sledway");
  EXPECT_EQ(arguments.kind, 4);
  EXPECT_EQ(arguments.tooltip, "Constrain to path");
  for (const char* bar : {"Sledway", "AMxAssemblyPanelCmdBar"}) {
    for (const Ref<model::CommandBar>& each : app->UserInterfaceObject()->Bars()->Bars()) {
      if (each->Name() != bar) continue;
      const auto control =
          std::dynamic_pointer_cast<model::CommandBarControl>(each->GetControls()->Item(1));
      ASSERT_TRUE(control);
      EXPECT_EQ(control->Kind(), 45061) << bar;
    }
  }
  EXPECT_EQ(As<IVPictureDisp>(arguments.standardIcon)->PngData(),
            faces.ButtonIconPng(form::kIconStandard));
  EXPECT_EQ(As<IVPictureDisp>(arguments.largeIcon)->PngData(),
            faces.ButtonIconPng(form::kIconLarge));

  // ExecuteCommand does nothing at all.
  const int live = LiveObjects();
  server->ExecuteCommand(7);
  EXPECT_TRUE(faces.made.empty());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(ButtonsOn(*app, "AMxAssemblyPanelCmdBar").size(), 1u);
  EXPECT_EQ(LiveObjects(), live);
  EXPECT_FALSE(server->Automation());

  // A host that cannot take the icons gets the button without them, on both bars again.
  auto refusing = app->CreateAddInSite();
  refusing->RefuseIcons(true);
  auto second = std::make_shared<CSledway>(faces);
  second->Activate(refusing, true);
  const auto again = ButtonsOn(*app, "AMxAssemblyPanelCmdBar");
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(ButtonsOn(*app, "Sledway").size(), 2u);
  EXPECT_FALSE(again[1]->Arguments().standardIcon);
  EXPECT_FALSE(again[1]->Arguments().largeIcon);

  // A face without the icons: the button without them.
  IconlessFactory iconless;
  auto third = std::make_shared<CSledway>(iconless);
  third->Activate(site, true);
  const auto iconlessButtons = ButtonsOn(*app, "AMxAssemblyPanelCmdBar");
  ASSERT_EQ(iconlessButtons.size(), 3u);
  EXPECT_FALSE(iconlessButtons[2]->Arguments().standardIcon);
  EXPECT_FALSE(iconlessButtons[2]->Arguments().largeIcon);
}

// A button the host puts on none of its bars cannot be clicked: with the icons taken or refused,
// the activation fails with the first failure and holds nothing.
TEST_F(SledwayServerTest, AButtonOnNoBarFailsTheActivation) {
  const auto noInterface = std::make_shared<NoUserInterfaceApplication>(app);
  auto refusing = app->CreateAddInSite();
  refusing->RefuseIcons(true);
  for (const Ref<model::AddInSite>& buttons : {site, refusing}) {
    auto server = std::make_shared<CSledway>(faces);
    try {
      server->Activate(std::make_shared<SiteOf>(noInterface, buttons), true);
      ADD_FAILURE() << "the activation went through";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kFail);
      EXPECT_STREQ(error.what(), "the user interface is refused");
    }
    EXPECT_FALSE(server->IVApp());
  }
  EXPECT_TRUE(ButtonsOn(*app, "Sledway").empty());
  // No site at all is refused, not followed.
  EXPECT_THROW(std::make_shared<CSledway>(faces)->Activate(nullptr, true), HostError);
}

TEST_F(SledwayServerTest, AClickOpensOneWindowInAnAssemblyAndSaysWhyNotElsewhere) {
  server->Activate(site, true);
  app->SetActiveDocument(model::PartDocument::Create("bracket"));
  Button()->Execute();
  EXPECT_THAT(messages, ElementsAre(kNotAnAssembly));
  EXPECT_TRUE(faces.made.empty());
  app->SetActiveDocument(nullptr);
  Button()->Execute();
  EXPECT_EQ(messages.size(), 2u);

  app->SetActiveDocument(document);
  Button()->Execute();
  ASSERT_EQ(faces.made.size(), 1u);
  RecordingForm& first = Shown();
  EXPECT_TRUE(first.Visible());
  EXPECT_EQ(first.CurrentOwner(), kHostWindow);
  EXPECT_EQ(server->ToolWindow()->IVApp(), app);
  // A second click raises the same window; a hidden one is shown again.
  Button()->Execute();
  EXPECT_EQ(faces.made.size(), 1u);
  EXPECT_EQ(first.broughtToFront, 1);
  first.Hide();
  Button()->Execute();
  EXPECT_TRUE(first.Visible());
  EXPECT_EQ(faces.made.size(), 1u);
  // A click in a part document leaves the open window alone.
  app->SetActiveDocument(model::PartDocument::Create("bracket"));
  Button()->Execute();
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_TRUE(first.Visible());
  app->SetActiveDocument(document);

  // Closed, the window is gone; the next click makes a fresh one.
  first.Get("txtSteps").UserType("7");
  first.RequestClose(form::CloseReason::kUser);
  EXPECT_FALSE(server->ToolWindow());
  Button()->Execute();
  ASSERT_EQ(faces.made.size(), 2u);
  EXPECT_EQ(Shown().Get("txtSteps").Text(), "50");

  // Deactivated, the server forgets everything, and the window it had open closes, keeping its
  // place for the next session.
  const int live = LiveObjects();
  Shown().Move(4321, 1234);
  server->Deactivate();
  EXPECT_FALSE(server->IVApp());
  EXPECT_FALSE(server->ToolWindow());
  EXPECT_EQ(LiveObjects(), live - 1);
  EXPECT_EQ(NumberIn(CRegAPI().GetSetting("Sledway", "Settings", "Left")).value_or(0.0), 4321.0);
  Button()->Execute();
  EXPECT_EQ(faces.made.size(), 2u);
  EXPECT_EQ(messages.size(), 3u);
}

}  // namespace
}  // namespace sledway::test
