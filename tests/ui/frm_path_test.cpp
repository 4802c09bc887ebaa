#include "ui/frm_path.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <numbers>

#include "common/reg_api.hpp"
#include "host/host.hpp"
#include "modelhost/document/part_document.hpp"
#include "modelhost/interaction/command_manager.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "ui/numeric_text_box.hpp"
#include "ui/pictures.hpp"
#include "window_test_support.hpp"

namespace sledway::test {
namespace {

using ::testing::ElementsAre;

constexpr double kPi = std::numbers::pi;

bool ShowsPicture(const QToolButton& button, int number) {
  return button.icon().pixmap(button.iconSize()).toImage().convertToFormat(QImage::Format_ARGB32) ==
         Picture(number).toImage().convertToFormat(QImage::Format_ARGB32);
}

QPoint Pixels(const QWidget& window, double leftTwips, double topTwips) {
  return QPoint(static_cast<int>(std::lround(leftTwips * window.logicalDpiX() / 1440.0)),
                static_cast<int>(std::lround(topTwips * window.logicalDpiY() / 1440.0)));
}

class ToolWindowTest : public ::testing::Test, public HostFixture {
 protected:
  explicit ToolWindowTest(const std::string& sample = "cart") : HostFixture(sample) {}
  ~ToolWindowTest() override {
    if (window) window->close();
    ProcessEvents();
  }

  frmPath& Open() {
    window = new frmPath();
    window->IVApp(app);
    sessionsEnded = 0;
    endSession = window->EndSession.Connect([this] { ++sessionsEnded; });
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    return *window;
  }

  template <class Control>
  Control* Get(const char* name) const {
    return Find<Control>(*window, name);
  }
  NumericTextBox* Box(const char* name) const { return Get<NumericTextBox>(name); }
  CPath& Path() const { return *window->PathDefinition(); }

  void Click(const char* name) { QTest::mouseClick(Get<QWidget>(name), Qt::LeftButton); }

  // Starts the slot's pick with its button, then points at `entity` and clicks it in the host.
  void Pick(int slot, const std::string& entity) {
    const std::string button = "cmdSelect_" + std::to_string(slot);
    Click(button.c_str());
    const auto interaction = app->Commands()->ActiveInteraction();
    ASSERT_TRUE(interaction) << "no pick runs for slot " << slot;
    interaction->Hover(Entity(entity));
    ASSERT_TRUE(interaction->Click()) << entity << " was not picked";
  }

  // Enters the box with the mouse, which selects its text, and types over it.
  void Type(const char* name, const QString& keys) {
    NumericTextBox* box = Box(name);
    // Only entering the box selects its text.
    if (box->hasFocus()) box->clearFocus();
    QTest::mouseClick(box, Qt::LeftButton);
    ProcessEvents();
    QTest::keyClicks(box, keys);
  }

  QPointer<frmPath> window;
  Connection endSession;
  int sessionsEnded = 0;
};

TEST_F(ToolWindowTest, OpensWithItsDefaultsAtItsDefaultPositionOwnedByTheHostWindow) {
  frmPath& w = Open();
  EXPECT_EQ(w.windowTitle(), "Sledway 2.0");
  EXPECT_EQ(w.pos(), Pixels(w, 1000, 1000));
  EXPECT_EQ(w.parentWidget(), &mainWindow);
  EXPECT_TRUE(w.isWindow());
  EXPECT_EQ(Box("txtSteps")->text(), "50");
  EXPECT_EQ(Box("txtReps")->text(), "1");
  EXPECT_EQ(Box("txtPause")->text(), "0.0");
  EXPECT_EQ(Box("txtDriveFrom")->text(), "0");
  EXPECT_EQ(Box("txtDriveTo")->text(), "10");
  for (const char* drive : {"lblFrom", "lblTo", "txtDriveFrom", "txtDriveTo"}) {
    EXPECT_FALSE(Get<QWidget>(drive)->isEnabled()) << drive;
  }
  EXPECT_TRUE(Get<QRadioButton>("optRep_0")->isChecked());
  EXPECT_TRUE(Get<QCheckBox>("chkHide")->isChecked());
  for (const char* toggle : {"chkSelect_3", "chkSelect_4"}) {
    EXPECT_FALSE(Get<QToolButton>(toggle)->isEnabled()) << toggle;
    EXPECT_FALSE(Get<QToolButton>(toggle)->isChecked()) << toggle;
    EXPECT_TRUE(ShowsPicture(*Get<QToolButton>(toggle), kPictureFlip));
  }
  EXPECT_TRUE(ShowsPicture(*Get<QToolButton>("cmdSelect_0"), kPictureSlotToPick));
  EXPECT_TRUE(ShowsPicture(*Get<QToolButton>("cmdSelect_1"), kPictureSlotToPick));
  EXPECT_TRUE(ShowsPicture(*Get<QToolButton>("cmdSelect_2"), kPictureSlotOptional));
  EXPECT_TRUE(ShowsPicture(*Get<QToolButton>("cmdHelp"), kPictureHelp));
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_FALSE(Get<QLabel>(("picSelect_" + n).c_str())->isVisible());
    EXPECT_EQ(Get<QLabel>(("picSelect_" + n).c_str())->geometry(),
              Get<QToolButton>(("cmdSelect_" + n).c_str())->geometry());
  }
  EXPECT_TRUE(Get<QPushButton>("cmdControl_0")->isEnabled());
  EXPECT_FALSE(Get<QPushButton>("cmdControl_1")->isEnabled());
  EXPECT_TRUE(Get<QPushButton>("cmdControl_2")->isEnabled());
  EXPECT_EQ(Get<QLabel>("lblLength")->text(), "");
  EXPECT_EQ(Get<QLabel>("lblInc")->text(), ". mm");  // the empty path's step size

  EXPECT_EQ(Path().Steps(), 50);
  EXPECT_EQ(Path().Reps(), 1);
  EXPECT_TRUE(Path().HidePath());
  EXPECT_FALSE(Path().SES());
  EXPECT_EQ(Path().Pause(), 0.0);
  // The cart holds no parameter that could be driven: only the empty entry.
  EXPECT_EQ(Get<QComboBox>("cboParams")->count(), 1);
  EXPECT_EQ(Get<QComboBox>("cboParams")->itemText(0), "");
}

TEST_F(ToolWindowTest, ReopensWhereItWasClosedAndNeverOffEveryScreen) {
  Open().move(200, 150);
  Click("cmdControl_2");  // "Cancel"
  EXPECT_EQ(sessionsEnded, 1);
  ProcessEvents();
  EXPECT_TRUE(window.isNull());  // closed windows are deleted
  const RegValue top = CRegAPI().GetSetting("Sledway", "Settings", "Top");
  ASSERT_TRUE(std::holds_alternative<std::int32_t>(top));
  EXPECT_EQ(Open().pos(), QPoint(200, 150));
  // Fresh settings apart from the position.
  EXPECT_EQ(Box("txtSteps")->text(), "50");

  // The close box too; then a position left behind by a screen that is gone.
  window->close();
  EXPECT_EQ(sessionsEnded, 1);
  ProcessEvents();
  CRegAPI().SaveSetting("Sledway", "Settings", "Left", -90000.0);
  Open();
  EXPECT_EQ(window->pos(), Pixels(*window, 1000, 1000));
}

TEST_F(ToolWindowTest, PicksASketchPathWholeAFollowPointAndATangentEdge) {
  Open();
  Pick(0, "sketch:track/curve:3");
  // One curve brings the sketch's whole profile path: three lines and three quarter circles of
  // 100 mm radius.
  const Ref<CPathEnts> chain = Path().PathEnts();
  ASSERT_EQ(chain->Count(), 6);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(chain->Item(i)->EntType(), 0);
    EXPECT_EQ(chain->Item(i)->IVCurveType(),
              As<IVSketchEntity>(chain->Item(i)->IVCurve())->ObjectType());
  }
  const double lengthCm = (400.0 + 3 * 50.0 * kPi) / 10.0;
  EXPECT_NEAR(Path().Length(), lengthCm, 1e-9);
  EXPECT_EQ(Get<QLabel>("lblLength")->text(), "871.24 mm");
  EXPECT_EQ(Get<QLabel>("lblInc")->text(), "17.42 mm");
  EXPECT_TRUE(ShowsPicture(*Get<QToolButton>("cmdSelect_0"), kPictureSlotPicked));
  EXPECT_TRUE(Get<QToolButton>("chkSelect_3")->isEnabled());
  EXPECT_FALSE(Get<QToolButton>("chkSelect_4")->isEnabled());

  Pick(1, "component:cart:1/workpoint:contact");
  EXPECT_FALSE(Path().IsPointFromVertex());
  EXPECT_TRUE(SameObject(Path().FollowWorkPoint(), Entity("component:cart:1/workpoint:contact")));
  EXPECT_TRUE(SameObject(Path().FollowComponent(), Entity("component:cart:1")));
  EXPECT_TRUE(ShowsPicture(*Get<QToolButton>("cmdSelect_1"), kPictureSlotPicked));

  Pick(2, "component:cart:1/edge:9");
  EXPECT_TRUE(Path().IsAligned());
  EXPECT_TRUE(Path().IsTangentFromEdge());
  EXPECT_TRUE(SameObject(Path().TangentEdge(), Entity("component:cart:1/edge:9")));
  EXPECT_TRUE(Get<QToolButton>("chkSelect_4")->isEnabled());
  EXPECT_TRUE(messages.empty());

  // Changing the steps from 50 to 100 halves the step size.
  Type("txtSteps", "100");
  EXPECT_EQ(Path().Steps(), 100);
  EXPECT_EQ(Get<QLabel>("lblInc")->text(), "8.71 mm");
}

TEST_F(ToolWindowTest, AStoppedPickLeavesTheSlotAsItWasAndAFlipStopsTheRunningPick) {
  Open();
  Pick(0, "sketch:track/curve:1");
  Pick(1, "component:cart:1/workpoint:contact");

  // A follow point pick that a path pick replaces returns nothing: the slot's button shows its
  // old picture again and the stored point stays.
  Click("cmdSelect_1");
  EXPECT_FALSE(Get<QToolButton>("cmdSelect_1")->isVisible());
  EXPECT_TRUE(Get<QLabel>("picSelect_1")->isVisible());
  Click("cmdSelect_2");
  EXPECT_TRUE(Get<QToolButton>("cmdSelect_1")->isVisible());
  EXPECT_FALSE(Get<QLabel>("picSelect_1")->isVisible());
  EXPECT_TRUE(ShowsPicture(*Get<QToolButton>("cmdSelect_1"), kPictureSlotPicked));
  EXPECT_TRUE(SameObject(Path().FollowComponent(), Entity("component:cart:1")));

  // A flip toggle stops the tangent pick that runs.
  ASSERT_TRUE(app->Commands()->ActiveInteraction());
  Click("chkSelect_3");
  EXPECT_FALSE(app->Commands()->ActiveInteraction());
  EXPECT_TRUE(Get<QToolButton>("cmdSelect_2")->isVisible());
  EXPECT_TRUE(ShowsPicture(*Get<QToolButton>("cmdSelect_2"), kPictureSlotOptional));
  EXPECT_TRUE(Path().FlipPath());
  EXPECT_FALSE(Path().IsAligned());
  Click("chkSelect_3");
  EXPECT_FALSE(Path().FlipPath());

  // A click on the pressed picture shows the button again; the pick goes on and still counts.
  Click("cmdSelect_2");
  QTest::mouseClick(Get<QLabel>("picSelect_2"), Qt::LeftButton);
  EXPECT_TRUE(Get<QToolButton>("cmdSelect_2")->isVisible());
  const auto interaction = app->Commands()->ActiveInteraction();
  ASSERT_TRUE(interaction);
  interaction->Hover(Entity("component:cart:1/edge:9"));
  interaction->Click();
  EXPECT_TRUE(Path().IsAligned());
  EXPECT_TRUE(Get<QToolButton>("chkSelect_4")->isEnabled());

  // Closing the window while a pick runs stops the pick.
  Click("cmdSelect_1");
  window->close();
  EXPECT_FALSE(app->Commands()->ActiveInteraction());
}

TEST_F(ToolWindowTest, NumberBoxesFilterKeysAndPastedTextAndReadAnythingElseAsZero) {
  Open();
  Type("txtPause", "1.5");
  EXPECT_EQ(Box("txtPause")->text(), "1.5");
  EXPECT_EQ(Path().Pause(), 1.5);
  QTest::keyClicks(Box("txtPause"), ".-2");
  EXPECT_EQ(Box("txtPause")->text(), "1.52");
  Type("txtSteps", "2.5");
  EXPECT_EQ(Box("txtSteps")->text(), "25");
  EXPECT_EQ(Path().Steps(), 25);
  for (const char* name : {"txtSteps", "txtReps", "txtPause"}) {
    Type(name, "-7");
    EXPECT_EQ(Box(name)->text(), "7") << name;
  }
  // Enter with the Tab key: the whole text is selected.
  Box("txtSteps")->setFocus();
  QTest::keyClick(Box("txtSteps"), Qt::Key_Tab);
  ProcessEvents();
  EXPECT_TRUE(Box("txtPause")->hasFocus());
  EXPECT_EQ(Box("txtPause")->selectedText(), "7");

  // Pasted through the context menu's action: the same filter as typing.
  QApplication::clipboard()->setText("1a.2.3-");
  Type("txtPause", "");
  Box("txtPause")->paste();
  EXPECT_EQ(Box("txtPause")->text(), "1.23");
  EXPECT_EQ(Path().Pause(), 1.23);
  Type("txtReps", "");
  Box("txtReps")->paste();
  EXPECT_EQ(Box("txtReps")->text(), "123");
  EXPECT_EQ(Path().Reps(), 123);

  // Emptied, or a lone point: 0, and no step size at all for no steps.
  Type("txtSteps", "");
  QTest::keyClick(Box("txtSteps"), Qt::Key_Backspace);
  EXPECT_EQ(Box("txtSteps")->text(), "");
  EXPECT_EQ(Path().Steps(), 0);
  EXPECT_EQ(Get<QLabel>("lblInc")->text(), "");
  Type("txtSteps", "0");
  EXPECT_EQ(Get<QLabel>("lblInc")->text(), "");
  // A point typed over a selection that holds one is dropped, as the box's text holds a point.
  Type("txtPause", ".");
  EXPECT_EQ(Box("txtPause")->text(), "1.23");
  QTest::keyClick(Box("txtPause"), Qt::Key_Backspace);
  QTest::keyClick(Box("txtPause"), Qt::Key_Period);
  EXPECT_EQ(Box("txtPause")->text(), ".");
  EXPECT_EQ(Path().Pause(), 0.0);
  EXPECT_TRUE(messages.empty());
}

TEST_F(ToolWindowTest, RunStaysDisabledUntilPositionAndARunIsHiddenAndEndsAtOneMessage) {
  Open();
  Pick(0, "sketch:track/curve:1");
  Pick(1, "component:cart:1/workpoint:contact");
  Click("cmdControl_1");
  EXPECT_TRUE(sleeps.empty());
  Click("cmdControl_0");  // "Position"
  EXPECT_TRUE(Get<QPushButton>("cmdControl_1")->isEnabled());
  EXPECT_TRUE(messages.empty());

  // With a delay every move waits; the third move asks for a point beyond the path's end once
  // the steps drop from 5 to 2, which fails the move.
  Type("txtSteps", "5");
  Type("txtPause", "0.5");
  std::vector<bool> visible;
  onSleep = [&] {
    visible.push_back(window->isVisible());
    if (sleeps.size() == 2) window->PathDefinition()->Steps(2);
  };
  Click("cmdControl_1");
  EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{500, 500}));
  EXPECT_THAT(visible, ElementsAre(false, false));
  EXPECT_THAT(
      messages,
      ElementsAre("Sledway: Error updating assembly, check constraints on follow component"));
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isEnabled());
}

TEST_F(ToolWindowTest, AWindowShownAgainDuringARunTakesNoInputAndClosesWhenTheRunEnds) {
  Open();
  Pick(0, "sketch:track/curve:1");
  Pick(1, "component:cart:1/workpoint:contact");
  Click("cmdControl_0");
  Type("txtSteps", "4");
  Type("txtPause", "0.1");
  bool enabledWhileRunning = true;
  onSleep = [&] {
    if (sleeps.size() != 1) return;
    // The host's button shows the hidden window again; the user clicks "Run" and closes it.
    window->show();
    enabledWhileRunning = window->isEnabled();
    Click("cmdControl_1");
    window->close();
    EXPECT_EQ(sessionsEnded, 0);
  };
  Click("cmdControl_1");
  EXPECT_FALSE(enabledWhileRunning);
  EXPECT_EQ(sleeps.size(), 4u);  // one run of four moves, not a second one inside it
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_TRUE(messages.empty());
  ProcessEvents();
  EXPECT_TRUE(window.isNull());
}

TEST_F(ToolWindowTest, OpenedOutsideAnAssemblyItSaysSoAndOnlyCloses) {
  app->SetActiveDocument(model::PartDocument::Create("bracket"));
  Open();
  EXPECT_THAT(messages, ElementsAre("Sledway: the active document is not an assembly document"));
  EXPECT_FALSE(window->PathDefinition());
  Type("txtSteps", "12");
  Click("cmdControl_0");
  Click("cmdSelect_0");
  EXPECT_FALSE(app->Commands()->ActiveInteraction());
  EXPECT_EQ(messages.size(), 1u);
  Click("cmdControl_2");
  EXPECT_EQ(sessionsEnded, 1);
}

// The lift sample: a column that travels a U of a 300 mm line, a half circle of 150 mm radius
// about (300, 150) and a line back, while "lift_height" can drive its height.
class LiftRunTest : public ToolWindowTest {
 protected:
  LiftRunTest() : ToolWindowTest("lift") {}

  // The point of the U at a fraction of its length, in centimetres.
  static gp_Pnt TrackPoint(double fraction) {
    const double arc = 150.0 * kPi;
    double s = fraction * (600.0 + arc);
    gp_Pnt mm;
    if (s <= 300.0) {
      mm = gp_Pnt(s, 0, 0);
    } else if ((s -= 300.0) <= arc) {
      const double angle = -kPi / 2 + s / 150.0;
      mm = gp_Pnt(300.0 + 150.0 * std::cos(angle), 150.0 + 150.0 * std::sin(angle), 0);
    } else {
      mm = gp_Pnt(300.0 - (s - arc), 300.0, 0);
    }
    return gp_Pnt(mm.X() / 10.0, mm.Y() / 10.0, 0.0);
  }

  gp_Pnt Foot() const {
    const Ref<IVPoint> p = As<IVWorkPoint>(Entity("component:column:1/workpoint:foot"))->GetPoint();
    return gp_Pnt(p->X(), p->Y(), p->Z());
  }

  double Tilt() const { return document->GetDefinition()->GetParameters()->Item("tilt")->Value(); }
};

TEST_F(LiftRunTest, RunsOutAndBackDrivingTheChosenParameterInStep) {
  // A user parameter that nothing reads, so that it can be driven through 0.
  document->Parameters().AddUserParameter("tilt", "5 mm", "mm");
  Open();
  auto* params = Get<QComboBox>("cboParams");
  ASSERT_EQ(params->count(), 4);
  EXPECT_EQ(params->itemText(0), "");
  EXPECT_EQ(params->itemText(1), "column_width");
  EXPECT_EQ(params->itemText(2), "lift_height");
  EXPECT_EQ(params->itemText(3), "tilt");
  Pick(0, "sketch:track/curve:2");
  Pick(1, "component:column:1/workpoint:foot");

  // Choose with the keyboard: the proposal runs from the value to the value + 10.
  params->setFocus();
  QTest::keyClick(params, Qt::Key_End);
  ASSERT_EQ(params->currentText(), "tilt");
  EXPECT_EQ(Box("txtDriveFrom")->text(), "5");
  EXPECT_EQ(Box("txtDriveTo")->text(), "15");
  EXPECT_TRUE(Box("txtDriveFrom")->hasFocus());
  EXPECT_TRUE(Box("txtDriveTo")->isEnabled());
  Type("txtDriveFrom", "0");
  Type("txtDriveTo", "10");
  EXPECT_EQ(Path().Driven(), "tilt");
  EXPECT_EQ(Path().DriveFrom(), 0.0);
  EXPECT_EQ(Path().DriveTo(), 10.0);
  Type("txtSteps", "5");
  Type("txtPause", "1");
  Click("optRep_1");
  EXPECT_TRUE(Path().SES());

  Click("cmdControl_0");
  EXPECT_EQ(Tilt(), 0.0);
  EXPECT_LT(Foot().Distance(TrackPoint(0.0)), 1e-9);
  std::vector<double> tilts;
  onSleep = [&] {
    const auto move = static_cast<double>(sleeps.size());
    const double fraction = move <= 5 ? move / 5.0 : (10 - move) / 5.0;
    EXPECT_LT(Foot().Distance(TrackPoint(fraction)), 1e-9) << "move " << move;
    EXPECT_FALSE(window->isVisible());
    tilts.push_back(Tilt());
  };
  Click("cmdControl_1");
  EXPECT_THAT(tilts, ElementsAre(2, 4, 6, 8, 10, 8, 6, 4, 2, 0));
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(messages.empty());

  // The empty entry turns the drive off; the boxes keep their numbers.
  params->setFocus();
  QTest::keyClick(params, Qt::Key_Home);
  EXPECT_EQ(Path().Driven(), "");
  EXPECT_EQ(Path().DriveTo(), 10.0);
  EXPECT_FALSE(Box("txtDriveFrom")->isEnabled());
  EXPECT_EQ(Box("txtDriveFrom")->text(), "0");
}

TEST_F(LiftRunTest, DriveValuesShowInTheUsersOwnNumberForm) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  document->GetDefinition()->GetParameters()->Item("lift_height")->Expression("2.5");
  document->Update();
  Open();
  auto* params = Get<QComboBox>("cboParams");
  params->setFocus();
  QTest::keyClick(params, Qt::Key_End);
  ASSERT_EQ(params->currentText(), "lift_height");
  EXPECT_EQ(Box("txtDriveFrom")->text(), "2,5");
  EXPECT_EQ(Box("txtDriveTo")->text(), "12,5");
  EXPECT_EQ(Path().DriveFrom(), 2.5);
  EXPECT_EQ(Path().DriveTo(), 12.5);
  // A typed point still reads as the decimal separator it is.
  Type("txtDriveTo", "1.5");
  EXPECT_EQ(Path().DriveTo(), 1.5);
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// The slot sample: a slider over a plate whose rounded slot is a tangent chain of two 80 mm
// lines and two half circles of 15 mm radius.
class SlotPickTest : public ToolWindowTest {
 protected:
  SlotPickTest() : ToolWindowTest("slot") {}
};

TEST_F(SlotPickTest, AnEdgePathTakesItsTangentChainAfterAFollowPointOnAnotherComponent) {
  Open();
  // The follow point first: the path's edges lie on the plate, not on the slider.
  Pick(1, "component:slider:1/workpoint:pin");
  Pick(0, "component:plate:1/edge:24");
  const Ref<CPathEnts> chain = Path().PathEnts();
  ASSERT_EQ(chain->Count(), 4);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(chain->Item(i)->EntType(), 2);
    EXPECT_EQ(static_cast<std::int32_t>(chain->Item(i)->IVCurveType()), 67120288);
  }
  EXPECT_NEAR(Path().Length(), (160.0 + 30.0 * kPi) / 10.0, 1e-9);
  EXPECT_EQ(Get<QLabel>("lblLength")->text(), "254.25 mm");
  EXPECT_TRUE(SameObject(Path().PathParent(), Entity("component:plate:1")));

  // The slider's own edges are no path.
  Click("cmdSelect_0");
  const auto interaction = app->Commands()->ActiveInteraction();
  EXPECT_FALSE(interaction->Hover(Entity("component:slider:1/edge:1")));
}

}  // namespace
}  // namespace sledway::test
