// A designer's session in the desktop host, with the Sledway add-in loaded from its built
// library: the toolbar button opens the tool window, the path, the follow point and the tangent
// line are picked with the mouse, then "Position". (The run is the run sequences' tests, and
// the desktop's "Run" the recording's.)
#include <gtest/gtest.h>

#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <numbers>

#include "app/desktop/add_in_manager.hpp"
#include "app/desktop/model_browser.hpp"
#include "modelhost/files/entity_names.hpp"
#include "tests/app/sledway_in_cart_fixture.hpp"

namespace sledway::app::test {
namespace {

// The cart sample: the cart's work point "contact" follows the track, an open profile of three
// lines and three quarter circles of 100 mm radius sketched on a tilted plane, from (0, 0) to
// (0, 400) mm of the sketch.
class DesktopScenarioTest : public SledwayInCartTest {
 protected:
  // Points at a spot of the view and clicks there.
  void PickAt(const gp_Pnt& point) {
    const QPoint spot = ScreenPoint(point);
    MoveMouse(spot);
    QTest::mouseClick(&View(), Qt::LeftButton, Qt::NoModifier, spot);
  }

  gp_Pnt TrackPoint(double xMm, double yMm) {
    return Document().Sketch("track")->ToModel(gp_Pnt2d(xMm / 10.0, yMm / 10.0));
  }

  gp_Pnt Contact() {
    return model::ModelPoint(
        As<IVWorkPoint>(model::ResolveEntity(Document(), "component:cart:1/workpoint:contact"))
            ->GetPoint());
  }
};

TEST_F(DesktopScenarioTest, TheToolbarButtonOpensTheToolWindowWhereMousePicksLeadToPosition) {
  OpenToolWindow();
  EXPECT_EQ(tool_->parentWidget(), window_.get());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(tool_));
  Settle();

  // The path: a point of the track's line from (300, 100) to (300, 200) mm brings the profile.
  Click("cmdSelect_0");
  PickAt(TrackPoint(300.0, 150.0));
  const double lengthMm = 400.0 + 150.0 * std::numbers::pi;
  QString shown = Get<QLabel>("lblLength")->text();
  ASSERT_TRUE(shown.endsWith(" mm")) << shown.toStdString();
  shown.chop(3);
  EXPECT_NEAR(shown.toDouble(), lengthMm, 0.005) << shown.toStdString();

  // The follow point, too small to hit, from the model browser: a double click selects it.
  Click("cmdSelect_1");
  ModelBrowser& browser = window_->Browser();
  QTreeWidgetItem* contact = browser.ItemNamed("component:cart:1/workpoint:contact");
  ASSERT_NE(contact, nullptr);
  browser.scrollToItem(contact);
  const QPoint entry = browser.visualItemRect(contact).center();
  QTest::mouseClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, entry);
  QTest::mouseDClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, entry);

  // The tangent line: the middle of the cart's bottom edge 9.
  Click("cmdSelect_2");
  PickAt(EdgeMiddle(ComponentNamed("cart:1"), 9));
  EXPECT_TRUE(Get<QToolButton>("chkSelect_4")->isEnabled()) << "no tangent line was picked";

  Click("cmdControl_0");  // "Position"
  EXPECT_LT(Contact().Distance(TrackPoint(0.0, 0.0)), 1e-9);
  EXPECT_TRUE(Get("cmdControl_1")->isEnabled());
  EXPECT_TRUE(tool_->isVisible());
  EXPECT_TRUE(boxes_.empty()) << boxes_.front();
}

}  // namespace
}  // namespace sledway::app::test
