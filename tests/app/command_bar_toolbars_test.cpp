#include "app/desktop/command_bar_toolbars.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QMainWindow>

#include "host/add_in_server.hpp"
#include "modelhost/application/application.hpp"

namespace sledway::app {
namespace {

class PngPicture : public IVPictureDisp {
 public:
  std::vector<std::uint8_t> PngData() override {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
  }
};

TEST(CommandBarToolbars, BarsBecomeToolbarsAndAButtonClickReachesOnClick) {
  QMainWindow window;
  const Ref<model::Application> app = model::Application::Create();
  CommandBarToolbars toolbars(window, app->UserInterfaceObject()->Bars());
  const Ref<IVAddInSite> site = app->CreateAddInSite();
  const Ref<IVButtonHandler> withIcon = site->CreateButtonHandler(
      "Pictured", 0, "Pictured", "", "Tip with icon", std::make_shared<PngPicture>(), nullptr);
  const Ref<IVButtonHandler> plain =
      site->CreateButtonHandler("Plain", 0, "Plain button", "", "Plain tip", nullptr, nullptr);
  int clicks = 0;
  const Connection clicked = withIcon->OnClick.Connect([&] { ++clicks; });

  const Ref<IVCommandBars> bars = app->GetUserInterface()->GetCommandBars();
  bars->Add("Sledway")->GetControls()->Add(45061, withIcon->GetButtonDefinition());
  bars->Item("AMxAssemblyPanelCmdBar")->GetControls()->Add(45061, plain->GetButtonDefinition());

  QToolBar* own = toolbars.ToolbarOf("Sledway");
  ASSERT_NE(own, nullptr);
  ASSERT_EQ(own->actions().size(), 1);
  QAction* button = own->actions().front();
  EXPECT_FALSE(button->icon().isNull());
  EXPECT_EQ(button->toolTip(), "Tip with icon");
  QAction* named = toolbars.ToolbarOf("AMxAssemblyPanelCmdBar")->actions().front();
  EXPECT_TRUE(named->icon().isNull());
  EXPECT_EQ(named->text(), "Plain button");

  button->trigger();
  button->trigger();
  EXPECT_EQ(clicks, 2);

  // The assembly panel shows only while an assembly is active; an add-in's own bar always.
  QToolBar* panel = toolbars.ToolbarOf("AMxAssemblyPanelCmdBar");
  EXPECT_TRUE(panel->isHidden());
  toolbars.SetAssemblyActive(true);
  EXPECT_FALSE(panel->isHidden());
  EXPECT_FALSE(own->isHidden());
  EXPECT_TRUE(toolbars.ToolbarOf("PMxPartSketchCmdBar")->isHidden());
}

}  // namespace
}  // namespace sledway::app
