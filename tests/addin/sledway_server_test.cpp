#include "addin/sledway_server.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "addin/resource_picture.hpp"
#include "addin_test_support.hpp"
#include "host/host_error.hpp"
#include "modelhost/document/part_document.hpp"
#include "window_test_support.hpp"

namespace sledway::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kNotAnAssembly =
    "Sledway: You can only create sledways in an Assembly document";

class SledwayServerTest : public ::testing::Test, public HostFixture {
 protected:
  ~SledwayServerTest() override {
    for (QWidget* window : ToolWindows()) window->close();
    ProcessEvents();
  }

  Ref<model::ButtonDefinition> Button() {
    const auto buttons = ButtonsOn(*app, "Sledway");
    if (buttons.empty()) throw std::logic_error("no button on the add-in's bar");
    return buttons.front();
  }

  Ref<model::AddInSite> site = app->CreateAddInSite();
  Ref<CSledway> server = std::make_shared<CSledway>();
};

TEST_F(SledwayServerTest, ActivationPutsOneButtonWithItsIconsOnBothBars) {
  EXPECT_FALSE(server->IVApp());
  server->Activate(site, false);
  EXPECT_EQ(server->IVApp(), app);
  const auto own = ButtonsOn(*app, "Sledway");
  const auto panel = ButtonsOn(*app, "AMxAssemblyPanelCmdBar");
  ASSERT_EQ(own.size(), 1u);
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_EQ(own[0], panel[0]);
  const model::ButtonArguments& arguments = own[0]->Arguments();
  for (const Ref<IVObject>& icon : {arguments.standardIcon, arguments.largeIcon}) {
    const auto picture = As<IVPictureDisp>(icon);
    ASSERT_TRUE(picture);
    const std::vector<std::uint8_t> png = picture->PngData();
    const QImage image = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
    EXPECT_EQ(image.size(), QSize(16, 16));
  }
  server->ExecuteCommand(7);

  // A host that cannot take the icons gets the button without them, on both bars again.
  auto refusing = app->CreateAddInSite();
  refusing->RefuseIcons(true);
  auto second = std::make_shared<CSledway>();
  second->Activate(refusing, true);
  const auto again = ButtonsOn(*app, "AMxAssemblyPanelCmdBar");
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(ButtonsOn(*app, "Sledway").size(), 2u);
  EXPECT_FALSE(again[1]->Arguments().standardIcon);
  EXPECT_FALSE(again[1]->Arguments().largeIcon);
}

TEST_F(SledwayServerTest, AClickOpensOneWindowInAnAssemblyAndSaysWhyNotElsewhere) {
  server->Activate(site, true);
  app->SetActiveDocument(model::PartDocument::Create("bracket"));
  Button()->Execute();
  EXPECT_THAT(messages, ElementsAre(kNotAnAssembly));
  EXPECT_TRUE(ToolWindows().empty());
  app->SetActiveDocument(nullptr);
  Button()->Execute();
  EXPECT_EQ(messages.size(), 2u);

  app->SetActiveDocument(document);
  Button()->Execute();
  ASSERT_EQ(ToolWindows().size(), 1u);
  auto* first = static_cast<frmPath*>(ToolWindows().front());
  EXPECT_EQ(first->parentWidget(), &mainWindow);
  EXPECT_EQ(first->IVApp(), app);
  // A second click raises the same window; a hidden one is shown again.
  Button()->Execute();
  ASSERT_EQ(ToolWindows().size(), 1u);
  EXPECT_EQ(ToolWindows().front(), first);
  first->hide();
  Button()->Execute();
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(ToolWindows().size(), 1u);
  // A click in a part document leaves the open window alone.
  app->SetActiveDocument(model::PartDocument::Create("bracket"));
  Button()->Execute();
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_TRUE(first->isVisible());
  app->SetActiveDocument(document);

  // Closed, the window is gone; the next click makes a fresh one.
  QTest::keyClicks(Find<QWidget>(*first, "txtSteps"), "7");
  first->close();
  ProcessEvents();
  EXPECT_TRUE(ToolWindows().empty());
  Button()->Execute();
  ASSERT_EQ(ToolWindows().size(), 1u);
  EXPECT_EQ(Find<QLineEdit>(*ToolWindows().front(), "txtSteps")->text(), "50");

  // Deactivated, the server forgets everything; an open window stays open.
  server->Deactivate();
  EXPECT_FALSE(server->IVApp());
  EXPECT_EQ(ToolWindows().size(), 1u);
  Button()->Execute();
  EXPECT_EQ(ToolWindows().size(), 1u);
  EXPECT_EQ(messages.size(), 3u);
}

}  // namespace
}  // namespace sledway::test
