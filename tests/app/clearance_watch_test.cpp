#include "app/desktop/clearance_watch.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <string>

#include "app/desktop/clearance_plot.hpp"
#include "app/view/assembly_scene.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "tests/app/desktop_fixture.hpp"

namespace sledway::app::test {
namespace {

class ClearanceWatchTest : public DesktopTest {
 protected:
  QAction* WatchAction() {
    for (QAction* menu : window_->menuBar()->actions()) {
      for (QAction* action : menu->menu()->actions()) {
        if (action->text() == "&Clearance Watch") return action;
      }
    }
    return nullptr;
  }

  // The shuttle of the pass sample with its foot at `x` mm along the track.
  void PlaceShuttle(double x) {
    gp_Trsf placement;
    placement.SetTranslation(gp_Vec((x - 10.0) / 10.0, -0.5, 0.0));
    ComponentNamed("shuttle:1")->SetTransformation(std::make_shared<model::Matrix>(placement));
    Settle();
  }

  Quantity_Color ShownColour(const std::string& component) {
    Quantity_Color colour;
    View().Scene()->BodyOf(ComponentNamed(component))->Color(colour);
    return colour;
  }
};

TEST_F(ClearanceWatchTest, ContactIsRedTheClosestPairMeasuredAndTheRunPlotted) {
  ASSERT_TRUE(window_->OpenSample("pass"));
  Settle();
  QAction* action = WatchAction();
  ASSERT_NE(action, nullptr);
  action->setChecked(true);
  EXPECT_TRUE(settings_.value("ClearanceWatch").toBool());
  const Quantity_Color bumperColour = ShownColour("bumper:1");
  const Quantity_Color postColour = ShownColour("post:1");

  PlaceShuttle(90.0);   // beside the post, 20 - 10 - 5 mm off
  PlaceShuttle(150.0);  // along the bumper's face
  const auto& samples = window_->Watch().Samples();
  ASSERT_EQ(samples.size(), 2u);
  EXPECT_NEAR(*samples[0].distance, 5.0, 1e-6);
  EXPECT_EQ(samples[0].nearest, "post:1");
  EXPECT_FALSE(samples[0].contact);
  EXPECT_EQ(*samples[1].distance, 0.0);
  EXPECT_TRUE(samples[1].contact);
  EXPECT_EQ(ShownColour("bumper:1"), Quantity_Color(Quantity_NOC_RED));
  EXPECT_EQ(ShownColour("post:1"), postColour);

  PlaceShuttle(175.0);  // 5 mm past the bumper: its own colour again
  EXPECT_NEAR(*window_->Watch().Samples().back().distance, 5.0, 1e-6);
  EXPECT_EQ(ShownColour("bumper:1"), bumperColour);

  ClearancePlot plot(window_->Watch().Samples(), "mm");
  EXPECT_EQ(plot.Describe(1).toStdString(), "move 1: 5 mm from 'shuttle:1' to 'post:1'");
  EXPECT_EQ(plot.Describe(2).toStdString(),
            "move 2: 0 mm from 'shuttle:1' to 'bumper:1', in contact");
  const QString file = settingsDir_.filePath("plot.png");
  ASSERT_TRUE(plot.SavePng(file));
  EXPECT_FALSE(QImage(file).isNull());
  EXPECT_FALSE(plot.SavePng(settingsDir_.filePath("no-such-folder/plot.png")));

  // Off, the view is as it was, and the next window starts with the watch as it was left.
  action->setChecked(false);
  PlaceShuttle(150.0);
  EXPECT_EQ(ShownColour("bumper:1"), bumperColour);
  EXPECT_EQ(window_->Watch().Samples().size(), 3u);
  action->setChecked(true);
  MainWindow again(app_, settings_);
  EXPECT_TRUE(again.Watch().Enabled());
}

}  // namespace
}  // namespace sledway::app::test
