#include "modelhost/application/application.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "document_test_helpers.hpp"
#include "host/host.hpp"
#include "modelhost/application/command_bar_control.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/document/part_document.hpp"

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

TEST(ApplicationTest, ActiveDocumentIsNonePartOrAssembly) {
  auto application = Application::Create();
  EXPECT_EQ(application->GetActiveDocument(), nullptr);
  application->SetActiveDocument(PartDocument::Create("bracket"));
  EXPECT_EQ(application->GetActiveDocument()->DocumentType(), IVDocumentType::kPart);
  EXPECT_EQ(As<IVAssemblyDocument>(application->GetActiveDocument()), nullptr);
  EXPECT_NE(As<IVPartDocument>(application->GetActiveDocument()), nullptr);
  auto assembly = AssemblyDocument::Create("cart");
  application->SetActiveDocument(assembly);
  EXPECT_EQ(application->GetActiveDocument()->DocumentType(), IVDocumentType::kAssembly);
  EXPECT_TRUE(SameObject(As<IVAssemblyDocument>(application->GetActiveDocument()), assembly));
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

TEST(AddInSiteTest, RefusedIconsAndTheSiteDoesNotKeepTheApplicationAlive) {
  auto application = Application::Create();
  auto site = application->CreateAddInSite();
  EXPECT_TRUE(SameObject(site->GetApplication(), application));

  // A host that refuses icons: kUnexpected with icons, a button without them.
  site->RefuseIcons(true);
  EXPECT_EQ(Refusal([&] { MakeButton(*site, true); }).Code(), hresult::kUnexpected);
  auto plain = MakeButton(*site, false);
  EXPECT_EQ(As<ButtonHandler>(plain)->Definition()->Arguments().standardIcon, nullptr);

  std::weak_ptr<Application> watched = application;
  application.reset();
  EXPECT_TRUE(watched.expired());
  EXPECT_THROW(site->GetApplication(), HostError);
}

TEST(CollectionsTest, ItemsRunFromOneAndBadIndexesFail) {
  auto application = Application::Create();
  auto collection = application->GetObjectFactory()->CreateObjectCollection();
  auto first = std::make_shared<Picture>();
  auto second = std::make_shared<Picture>();
  collection->Add(first);
  collection->Add(second);
  ASSERT_EQ(collection->Count(), 2);
  EXPECT_EQ(collection->Item(1), first);
  EXPECT_EQ(collection->Item(2), second);
  for (int bad : {0, 3}) {
    EXPECT_EQ(Refusal([&] { collection->Item(bad); }).Code(), hresult::kBadIndex) << bad;
  }
}

}  // namespace
}  // namespace sledway::model
