#include "modelhost/application/application.hpp"

#include <gmock/gmock.h>

#include <memory>

#include "../model_test_helpers.hpp"
#include "modelhost/application/command_bar_control.hpp"

namespace sledway::model {
namespace {

using ::testing::HasSubstr;

// Stands in for an add-in's icon picture.
class Picture : public IVObject {};

Ref<IVButtonHandler> MakeButton(AddInSite& site, bool icons) {
  return site.CreateButtonHandler(
      "Sledway", kButtonHandlerKind, "Sledway", "Sledway", "Constrain to path",
      icons ? std::make_shared<Picture>() : nullptr, icons ? std::make_shared<Picture>() : nullptr);
}

TEST(ApplicationTest, CommandBarsAddFindAndClickControls) {
  auto application = Application::Create();
  auto bars = application->GetUserInterface()->GetCommandBars();
  auto panel = bars->Item("AMxAssemblyPanelCmdBar");
  auto own = bars->Add("Sledway");
  auto second = bars->Add("Sledway");
  EXPECT_NE(own, second);
  EXPECT_EQ(bars->Item("Sledway"), own);
  EXPECT_THAT(Refusal([&] { bars->Item("NoSuchBar"); }).what(), HasSubstr("NoSuchBar"));

  auto site = application->CreateAddInSite();
  auto button = MakeButton(*site, true);
  auto definition = button->GetButtonDefinition();
  auto control = own->GetControls()->Add(kButtonControlKind, definition);
  panel->GetControls()->Add(kButtonControlKind, definition);
  ASSERT_EQ(own->GetControls()->Count(), 1);
  EXPECT_EQ(own->GetControls()->Item(1), control);
  EXPECT_EQ(second->GetControls()->Count(), 0);
  EXPECT_THROW(own->GetControls()->Item(2), HostError);
  EXPECT_THROW(own->GetControls()->Add(kButtonControlKind, nullptr), HostError);
  EXPECT_EQ(own->GetControls()->Count(), 1);

  // Clicking the control on either bar runs the button's handler while it is connected.
  int clicks = 0;
  {
    Connection heard = button->OnClick.Connect([&] { ++clicks; });
    As<CommandBarControl>(control)->Click();
    As<CommandBarControl>(panel->GetControls()->Item(1))->Click();
  }
  As<CommandBarControl>(control)->Click();
  EXPECT_EQ(clicks, 2);
}

TEST(AddInSiteTest, TheSiteDoesNotKeepTheApplicationAlive) {
  auto application = Application::Create();
  auto site = application->CreateAddInSite();
  EXPECT_TRUE(SameObject(site->GetApplication(), application));
  std::weak_ptr<Application> watched = application;
  application.reset();
  EXPECT_TRUE(watched.expired());
  EXPECT_THROW(site->GetApplication(), HostError);
}

}  // namespace
}  // namespace sledway::model
