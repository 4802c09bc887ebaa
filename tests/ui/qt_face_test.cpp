#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>
#include <memory>

#include "common/reg_api.hpp"
#include "modelhost/interaction/command_manager.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "qt_host_fixture.hpp"
#include "ui/frm_path.hpp"
#include "ui/frm_sledway_help.hpp"
#include "ui/qt/qt_form.hpp"
#include "ui/qt/qt_form_factory.hpp"

namespace sledway::test {
namespace {

using ::testing::ElementsAre;

template <class Widget>
Widget* Find(const QWidget& parent, const char* name) {
  auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) throw std::logic_error(std::string("no control ") + name);
  return widget;
}

class QtFaceTest : public ::testing::Test, public QtHostFixture {
 protected:
  QtFaceTest() { mainWindow->show(); }
  ~QtFaceTest() override {
    window.reset();
    ProcessEvents();
  }

  QDialog& Open() {
    window = std::make_shared<frmPath>(faces);
    window->IVApp(app);
    endSession = window->EndSession.Connect([this] { ++sessionsEnded; });
    window->Show();
    dialog = static_cast<qtface::QtForm&>(window->Window()).Dialog();
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    return *dialog;
  }

  template <class Widget = QWidget>
  Widget* Get(const char* name) const {
    return Find<Widget>(*dialog, name);
  }

  qtface::QtFormFactory faces;
  std::shared_ptr<frmPath> window;
  QDialog* dialog = nullptr;
  Connection endSession;
  int sessionsEnded = 0;
};

TEST_F(QtFaceTest, TheToolWindowsControlsSitWhereTheDesignPutsThem) {
  const std::unique_ptr<form::Form> form = faces.CreateForm(form::FormKind::kPath);
  QDialog& shown = *static_cast<qtface::QtForm&>(*form).Dialog();
  EXPECT_EQ(shown.windowTitle(), "Sledway 2.0");
  EXPECT_EQ(shown.font().family(), "Verdana");
  EXPECT_EQ(shown.font().pointSizeF(), 8.25);
  const double pixel = 1440.0 / shown.logicalDpiX();
  EXPECT_NEAR(shown.width() * pixel, 6075, pixel);
  EXPECT_NEAR(shown.height() * pixel, 3930, pixel);
  const struct {
    const char* name;
    form::TwipsRect rect;
  } places[] = {
      // A frame, controls of each kind within frames (in twips of their frame), one on the form.
      {"Frame3", {3000, 60, 2955, 1260}},    {"cmdSelect_2", {180, 900, 405, 405}},
      {"chkSelect_4", {2220, 900, 405, 405}}, {"txtSteps", {1140, 300, 855, 285}},
      {"cboParams", {150, 285, 2655, 315}},  {"optRep_1", {900, 495, 1950, 255}},
      {"cmdControl_2", {5010, 3420, 945, 375}},
  };
  for (const auto& place : places) {
    const form::TwipsRect rect = form->Controls(place.name).Rect();
    EXPECT_NEAR(rect.left, place.rect.left, pixel) << place.name;
    EXPECT_NEAR(rect.top, place.rect.top, pixel) << place.name;
    EXPECT_NEAR(rect.width, place.rect.width, 2 * pixel) << place.name;
    EXPECT_NEAR(rect.height, place.rect.height, 2 * pixel) << place.name;
  }
  EXPECT_EQ(form->Controls("Frame5").Text(), "Drive");
  EXPECT_FALSE(form->Controls("cmdControl_1").Enabled());
  EXPECT_FALSE(form->Controls("picSelect_0").Visible());
  EXPECT_TRUE(form->Controls("optRep_0").Value());
}

TEST_F(QtFaceTest, TheToolWindowsControlsReachTheLogic) {
  Open();
  EXPECT_EQ(dialog->parentWidget(), mainWindow.get());
  EXPECT_EQ(dialog->pos(), QPoint(std::lround(1000 * dialog->logicalDpiX() / 1440.0),
                                  std::lround(1000 * dialog->logicalDpiY() / 1440.0)));
  // A slot button pressed with Space starts the pick and keeps the focus on the slot.
  Get("cmdSelect_1")->setFocus();
  QTest::keyClick(Get("cmdSelect_1"), Qt::Key_Space);
  EXPECT_TRUE(app->Commands()->ActiveInteraction());
  EXPECT_TRUE(Get("picSelect_1")->isVisible());
  EXPECT_TRUE(Get("picSelect_1")->hasFocus());
  QTest::keyClick(Get("picSelect_1"), Qt::Key_Space);
  EXPECT_TRUE(Get("cmdSelect_1")->hasFocus());

  // Typed keys and pasted text pass the number rules; entering a box selects its text.
  auto* steps = Get<QLineEdit>("txtSteps");
  QTest::mouseClick(steps, Qt::LeftButton);
  ProcessEvents();
  EXPECT_EQ(steps->selectedText(), "50");
  QTest::keyClicks(steps, "2.5-");
  EXPECT_EQ(steps->text(), "25");
  EXPECT_EQ(window->PathDefinition()->Steps(), 25);
  QApplication::clipboard()->setText("1a.2.3-");
  auto* pause = Get<QLineEdit>("txtPause");
  pause->clear();
  pause->paste();
  EXPECT_EQ(pause->text(), "1.23");
  EXPECT_EQ(window->PathDefinition()->Pause(), 1.23);

  // The closed parameter list chooses nothing by cursor keys or the wheel.
  document->Parameters().AddUserParameter("tilt", "5 mm", "mm");
  auto* params = Get<QComboBox>("cboParams");
  params->addItem("tilt");
  params->setFocus();
  QTest::keyClick(params, Qt::Key_Down);
  QTest::keyClick(params, Qt::Key_End);
  QWheelEvent wheel(QPointF(5, 5), params->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(params, &wheel);
  EXPECT_EQ(params->currentIndex(), 0);
  EXPECT_EQ(window->PathDefinition()->Driven(), "");
  // Enter in the open list chooses.
  params->showPopup();
  QTest::keyClick(params->view(), Qt::Key_End);
  QTest::keyClick(params->view(), Qt::Key_Return);
  EXPECT_EQ(window->PathDefinition()->Driven(), "tilt");
  EXPECT_EQ(Get<QLineEdit>("txtDriveTo")->text(), "15");

  // Escape in a number box closes the window as anywhere else in it.
  QTest::keyClick(steps, Qt::Key_Escape);
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(app->Commands()->ActiveInteraction());
  EXPECT_TRUE(messages.empty());
}

TEST_F(QtFaceTest, AWindowTakenAlongByItsOwnerEndsItsSessionAndKeepsItsPlace) {
  Open();
  dialog->move(120, 90);
  const double top = 90 * 1440.0 / dialog->logicalDpiY();
  mainWindow.reset();
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_FALSE(window->PathDefinition());
  const RegValue saved = CRegAPI().GetSetting("Sledway", "Settings", "Top");
  EXPECT_NEAR(NumberIn(saved).value_or(0.0), top, 1.0);
  window.reset();  // no dialog is left to delete
}

TEST_F(QtFaceTest, TheAboutWindowShowsTheLogosGreenTransparentModallyFromTheHelpButton) {
  Open();
  bool checked = false;
  QTimer::singleShot(0, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle(), " Sledway contributors Sledway 2.0.0");
    EXPECT_EQ(Find<QLabel>(*shown, "lblTitle")->text(), "Sledway 2.0.0");
    // Where the logo is pure green, the window's own background shows.
    const QImage logo = Find<QLabel>(*shown, "picLogo")->pixmap().toImage();
    const QImage drawn = Find<QLabel>(*shown, "picViz")->grab().toImage();
    const QColor background = shown->palette().color(QPalette::Window);
    int green = 0, opaque = 0;
    for (int y = 0; y < logo.height(); ++y) {
      for (int x = 0; x < logo.width(); ++x) {
        const bool isGreen = logo.pixelColor(x, y) == QColor(0, 255, 0);
        (isGreen ? green : opaque)++;
        EXPECT_EQ(drawn.pixelColor(x, y), isGreen ? background : logo.pixelColor(x, y));
      }
    }
    EXPECT_GT(green, 0);
    EXPECT_GT(opaque, 0);
    checked = true;
    QTest::mouseClick(Find<QWidget>(*shown, "cmdClose"), Qt::LeftButton);
  });
  QTest::mouseClick(Get("cmdHelp"), Qt::LeftButton);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace sledway::test
