#include "ui/frm_path.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>

#include "common/reg_api.hpp"
#include "forwarding_application.hpp"
#include "host/host.hpp"
#include "modelhost/document/part_document.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "tool_window_fixture.hpp"
#include "ui/form/picture_numbers.hpp"

namespace sledway::test {
namespace {

using ::testing::ElementsAre;

constexpr double kPi = std::numbers::pi;

TEST_F(ToolWindowTest, OpensWithItsDefaultsAtItsDefaultPositionOwnedByTheHostWindow) {
  Open();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->Rect().left, 1000.0);
  EXPECT_EQ(form->Rect().top, 1000.0);
  EXPECT_EQ(form->CurrentOwner(), kHostWindow);
  EXPECT_EQ(Get("txtSteps").Text(), "50");
  EXPECT_EQ(Get("txtReps").Text(), "1");
  for (const char* toggle : {"chkSelect_3", "chkSelect_4"}) {
    EXPECT_FALSE(Get(toggle).Enabled());
    EXPECT_EQ(Get(toggle).Picture(), form::kPictureFlip);
  }
  EXPECT_EQ(Get("cmdSelect_0").Picture(), form::kPictureSlotToPick);
  EXPECT_EQ(Get("cmdSelect_1").Picture(), form::kPictureSlotToPick);
  EXPECT_EQ(Get("cmdSelect_2").Picture(), form::kPictureSlotOptional);
  EXPECT_EQ(Get("cmdHelp").Picture(), form::kPictureHelp);
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_FALSE(Get("picSelect_" + n).Visible());
    EXPECT_EQ(Get("picSelect_" + n).Rect(), Get("cmdSelect_" + n).Rect());
  }
  EXPECT_EQ(Get("lblInc").Text(), ". mm");  // the empty path's step size
  EXPECT_EQ(Path().Steps(), 50);
  EXPECT_EQ(Path().Reps(), 1);
  EXPECT_TRUE(Path().HidePath());
  // The cart holds no parameter that could be driven: only the empty entry.
  EXPECT_EQ(Get("cboParams").ListCount(), 1);
}

TEST_F(ToolWindowTest, ReopensWhereItWasClosedWhicheverWayAndNeverOffEveryScreen) {
  Open();
  form->Move(3000, 2250);
  Click("cmdControl_2");  // "Cancel"
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(window->PathDefinition());
  EXPECT_EQ(form->CurrentOwner(), 0);  // its previous owner back
  const RegValue top = CRegAPI().GetSetting("Sledway", "Settings", "Top");
  ASSERT_TRUE(std::holds_alternative<std::int32_t>(top));
  Open();
  EXPECT_EQ(form->Rect().left, 3000.0);
  EXPECT_EQ(form->Rect().top, 2250.0);
  EXPECT_EQ(Get("txtSteps").Text(), "50");  // fresh settings apart from the position

  // Escape in a number box closes the window as it does elsewhere in it.
  form->Move(1500, 1200);
  Type("txtSteps", "4\x1b");
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_FALSE(form->Visible());
  Open();
  EXPECT_EQ(form->Rect().left, 1500.0);

  // The host ending the session saves the position too, and says the window has closed.
  form->Move(2000, 1700);
  window->EndHostSession();
  EXPECT_EQ(sessionsEnded, 1);
  Open();
  EXPECT_EQ(form->Rect().top, 1700.0);
  form->Move(2500, 100);
  form->RequestClose(form::CloseReason::kOwner);
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_EQ(form->CurrentOwner(), kHostWindow);  // an owner that goes takes nothing back
  Open();
  EXPECT_EQ(form->Rect().left, 2500.0);

  // A position left behind by a screen that is gone.
  form->RequestClose(form::CloseReason::kUser);
  CRegAPI().SaveSetting("Sledway", "Settings", "Left", -90000.0);
  Open();
  EXPECT_EQ(form->Rect().left, 1000.0);
  EXPECT_TRUE(messages.empty());
}

TEST_F(ToolWindowTest, PicksASketchPathWholeAFollowPointAndATangentEdge) {
  Open();
  Pick(0, "sketch:track/curve:3");
  // One curve brings the sketch's whole profile path: three lines and three quarter circles of
  // 100 mm radius.
  const Ref<CPathEnts> chain = Path().PathEnts();
  ASSERT_EQ(chain->Count(), 6);
  EXPECT_NEAR(Path().Length(), (400.0 + 3 * 50.0 * kPi) / 10.0, 1e-9);
  EXPECT_EQ(Get("lblLength").Text(), "871.24 mm");
  EXPECT_EQ(Get("lblInc").Text(), "17.42 mm");
  EXPECT_EQ(Get("cmdSelect_0").Picture(), form::kPictureSlotPicked);
  EXPECT_TRUE(Get("chkSelect_3").Enabled());
  EXPECT_FALSE(Get("chkSelect_4").Enabled());

  Pick(1, "component:cart:1/workpoint:contact");
  EXPECT_TRUE(SameObject(Path().FollowWorkPoint(), Entity("component:cart:1/workpoint:contact")));
  EXPECT_EQ(Get("cmdSelect_1").Picture(), form::kPictureSlotPicked);

  Pick(2, "component:cart:1/edge:9");
  EXPECT_TRUE(SameObject(Path().TangentEdge(), Entity("component:cart:1/edge:9")));
  EXPECT_TRUE(Get("chkSelect_4").Enabled());

  // A vertex as the follow point replaces the work point.
  Pick(1, "component:cart:1/vertex:1");
  const auto vertex = As<IVVertex>(Entity("component:cart:1/vertex:1"));
  EXPECT_TRUE(Path().IsPointFromVertex());
  EXPECT_TRUE(SameObject(Path().FollowVertex(), vertex));
  EXPECT_TRUE(SameObject(Path().FollowComponent(), Entity("component:cart:1")));
  EXPECT_EQ(Path().FollowPoint()->DistanceTo(vertex->GetPoint()), 0.0);

  // Hide, the edge flip and the repetition mode reach the path definition.
  Click("chkHide");
  EXPECT_FALSE(Path().HidePath());
  Click("chkSelect_4");
  EXPECT_TRUE(Path().FlipEdge());
  Click("optRep_1");
  EXPECT_TRUE(Path().SES());
  Click("optRep_0");
  EXPECT_FALSE(Path().SES());
  EXPECT_TRUE(messages.empty());

  // Changing the steps from 50 to 100 halves the step size.
  Type("txtSteps", "100");
  EXPECT_EQ(Path().Steps(), 100);
  EXPECT_EQ(Get("lblInc").Text(), "8.71 mm");
}

TEST_F(ToolWindowTest, AStoppedPickLeavesTheSlotAsItWasAndAFlipStopsTheRunningPick) {
  Open();
  Pick(0, "sketch:track/curve:1");
  Pick(1, "component:cart:1/workpoint:contact");

  // A follow point pick that a path pick replaces returns nothing: the slot's button shows its
  // old picture again and the stored point stays.
  Click("cmdSelect_1");
  EXPECT_FALSE(Get("cmdSelect_1").Visible());
  EXPECT_TRUE(Get("picSelect_1").Visible());
  EXPECT_EQ(Get("picSelect_1").Picture(), form::kPictureSlotPicked);
  Click("cmdSelect_2");
  EXPECT_TRUE(Get("cmdSelect_1").Visible());
  EXPECT_FALSE(Get("picSelect_1").Visible());
  EXPECT_EQ(Get("cmdSelect_1").Picture(), form::kPictureSlotPicked);
  EXPECT_TRUE(SameObject(Path().FollowComponent(), Entity("component:cart:1")));

  // A flip toggle stops the tangent pick that runs.
  ASSERT_TRUE(app->Commands()->ActiveInteraction());
  Click("chkSelect_3");
  EXPECT_FALSE(app->Commands()->ActiveInteraction());
  EXPECT_TRUE(Get("cmdSelect_2").Visible());
  EXPECT_EQ(Get("cmdSelect_2").Picture(), form::kPictureSlotOptional);
  EXPECT_TRUE(Path().FlipPath());
  EXPECT_FALSE(Path().IsAligned());
  Click("chkSelect_3");
  EXPECT_FALSE(Path().FlipPath());

  // A click on the pressed picture shows the button again; the pick goes on and still counts.
  Click("cmdSelect_2");
  Click("picSelect_2");
  EXPECT_TRUE(Get("cmdSelect_2").Visible());
  const auto interaction = app->Commands()->ActiveInteraction();
  ASSERT_TRUE(interaction);
  interaction->Hover(Entity("component:cart:1/edge:9"));
  interaction->Click();
  EXPECT_TRUE(Path().IsAligned());
  EXPECT_TRUE(Get("chkSelect_4").Enabled());

  // A slot button pressed from the keyboard keeps the focus through the pick and gets it back.
  Get("cmdSelect_1").SetFocus();
  Click("cmdSelect_1");
  EXPECT_TRUE(Get("picSelect_1").HasFocus());
  Click("cmdSelect_0");
  EXPECT_TRUE(Get("cmdSelect_1").HasFocus());

  // Closing the window while a pick runs stops the pick and lets go of the picker, and with it
  // of the path definition.
  Click("cmdSelect_1");
  const std::weak_ptr<CPath> path = window->PathDefinition();
  Click("cmdControl_2");
  EXPECT_FALSE(app->Commands()->ActiveInteraction());
  EXPECT_TRUE(path.expired());
  EXPECT_TRUE(messages.empty());
}

TEST_F(ToolWindowTest, AClosedWindowInsideTheStopOfAPickStartsNoOtherPick) {
  Open();
  Pick(0, "sketch:track/curve:1");
  Click("cmdSelect_1");
  // The host delivers a close while the stopped pick yields to it; the window is dropped too.
  onYield = [&] {
    onYield = nullptr;
    Click("cmdControl_2");
    window.reset();
  };
  Click("cmdSelect_2");
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_FALSE(app->Commands()->ActiveInteraction());
  Open();
  Click("cmdSelect_1");
  onYield = [&] { form->RequestClose(form::CloseReason::kUser); };
  Click("chkSelect_3");  // disabled: no path picked in this window
  Get("chkSelect_3").Enabled(true);
  Click("chkSelect_3");
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_FALSE(app->Commands()->ActiveInteraction());
  EXPECT_TRUE(messages.empty());
}

// The application with its geometry factory refused on demand: a failure that real geometry
// cannot bring about half way through storing a path.
class GeometryRefusingApplication : public ForwardingApplication {
 public:
  using ForwardingApplication::ForwardingApplication;
  Ref<IVGeometryFactory> GetGeometryFactory() override {
    if (refuse) throw HostError(hresult::kFail, "the geometry factory is refused");
    return ForwardingApplication::GetGeometryFactory();
  }

  bool refuse = false;
};

TEST_F(ToolWindowTest, AFailedPathPickShowsWhatThePathDefinitionHolds) {
  const auto refusing = std::make_shared<GeometryRefusingApplication>(app);
  Open(refusing);
  Pick(0, "sketch:track/curve:1");
  Click("chkSelect_3");
  refusing->refuse = true;
  Pick(0, "sketch:track/curve:2");
  EXPECT_THAT(messages, ElementsAre("Sledway: the geometry factory is refused"));
  EXPECT_EQ(Path().PathEnts()->Count(), 0);
  EXPECT_EQ(Get("cmdSelect_0").Picture(), form::kPictureSlotToPick);
  EXPECT_FALSE(Get("chkSelect_3").Enabled());
  EXPECT_EQ(Get("lblLength").Text(), "");
  EXPECT_EQ(Get("lblInc").Text(), ". mm");
  EXPECT_TRUE(Get("cmdSelect_0").Visible());

  // "Position" says what is missing rather than blaming the constraints.
  refusing->refuse = false;
  Click("cmdControl_0");
  Pick(1, "component:cart:1/workpoint:contact");
  Click("cmdControl_0");
  Pick(0, "sketch:track/curve:1");
  Get("cmdControl_0").UserClick();
  EXPECT_THAT(messages, ElementsAre("Sledway: the geometry factory is refused",
                                    "Sledway: Select a path and a follow point first",
                                    "Sledway: Select a path first"));
  EXPECT_TRUE(Get("cmdControl_1").Enabled());
  EXPECT_EQ(Get("cmdSelect_0").Picture(), form::kPictureSlotPicked);
  EXPECT_TRUE(Get("chkSelect_3").Enabled());
}

TEST_F(ToolWindowTest, NumberBoxesFilterKeysAndPastedTextAndReadAnythingElseAsZero) {
  Open();
  const auto value = [&](const std::string& box) -> double {
    return box == "txtSteps" ? Path().Steps() : box == "txtReps" ? Path().Reps() : Path().Pause();
  };
  // Typed, then pasted: each character is judged against the text it joins. A second point, a
  // minus, an exponent, Enter and Ctrl+V are dropped; emptied or a lone point reads as 0.
  struct Row {
    std::string box, keys, pasted, text;
    double value;
  };
  for (const Row& row : std::vector<Row>{{"txtPause", "1.5.-2", "", "1.52", 1.52},
                                         {"txtSteps", "2.5", "", "25", 25},
                                         {"txtSteps", "-7e\r\x16", "", "7", 7},
                                         {"txtReps", "-7e\r\x16", "", "7", 7},
                                         {"txtPause", "-7e\r\x16", "", "7", 7},
                                         {"txtPause", "", "1a.2.3-\xc2\xbd", "1.23", 1.23},
                                         {"txtReps", "", "1.2\t3", "123", 123},
                                         {"txtSteps", "\b", "", "", 0},
                                         {"txtSteps", "0", "", "0", 0},
                                         {"txtPause", "\b.", "", ".", 0}}) {
    Type(row.box, row.keys);
    if (!row.pasted.empty()) Get(row.box).UserPaste(row.pasted);
    EXPECT_EQ(Get(row.box).Text(), row.text) << row.box << " " << row.keys << row.pasted;
    EXPECT_EQ(value(row.box), row.value) << row.box;
    // No steps, no step size at all.
    EXPECT_TRUE(row.box != "txtSteps" || row.value != 0 || Get("lblInc").Text().empty());
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(ToolWindowTest, RunStaysDisabledUntilPositionAndARunHidesTheWindow) {
  Open();
  Pick(0, "sketch:track/curve:1");
  Pick(1, "component:cart:1/workpoint:contact");
  // "Run" before "Position": the button takes no click, and a click that reaches the window
  // anyway moves nothing and waits for nothing, though every move would wait a second.
  Type("txtPause", "1");
  const auto cart = As<IVComponent>(Entity("component:cart:1"));
  const Ref<IVMatrix> placed = cart->GetTransformation();
  EXPECT_FALSE(Click("cmdControl_1"));
  Get("cmdControl_1").Click.Raise();
  EXPECT_TRUE(cart->GetTransformation()->IsEqualTo(placed, 0.0));
  EXPECT_TRUE(sleeps.empty());
  EXPECT_TRUE(cart->Visible());
  Click("cmdControl_0");  // "Position"
  EXPECT_TRUE(Get("cmdControl_1").Enabled());
  EXPECT_TRUE(messages.empty());

  // The window hides while the run moves (what a failed move shows is the run sequences').
  Type("txtSteps", "2");
  std::vector<bool> visible;
  onSleep = [&] { visible.push_back(form->Visible()); };
  Click("cmdControl_1");
  EXPECT_THAT(visible, ElementsAre(false, false));
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(form->TakesInput());
}

TEST_F(ToolWindowTest, AWindowShownAgainDuringARunTakesNoInputAndClosesWhenTheRunEnds) {
  Open();
  Pick(0, "sketch:track/curve:1");
  Pick(1, "component:cart:1/workpoint:contact");
  Click("cmdControl_0");
  Type("txtSteps", "4");
  Type("txtPause", "0.1");
  bool clickedDuringRun = true;
  onSleep = [&] {
    if (sleeps.size() != 1) return;
    // The host's button shows the hidden window again; the user clicks "Run" and closes it.
    window->Show();
    clickedDuringRun = Click("cmdControl_1");
    form->RequestClose(form::CloseReason::kUser);
    EXPECT_EQ(sessionsEnded, 0);
    EXPECT_TRUE(form->Visible());
  };
  Click("cmdControl_1");
  EXPECT_FALSE(clickedDuringRun);
  EXPECT_EQ(sleeps.size(), 4u);  // one run of four moves, not a second one inside it
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(messages.empty());
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

// The lift sample, whose "lift_height" can drive its column's height. The runs the drive makes
// are the run sequences' tests.
class LiftRunTest : public ToolWindowTest {
 protected:
  LiftRunTest() : ToolWindowTest("lift") {}

  int ItemOf(const std::string& name) const {
    for (int i = 0; i < Get("cboParams").ListCount(); ++i) {
      if (Get("cboParams").List(i) == name) return i;
    }
    return -1;
  }
};

TEST_F(LiftRunTest, OffersTheParametersADriveCanWriteAndTakesTheChosenOnesValues) {
  // A user parameter that nothing reads, so that it can be driven through 0, and one that reads
  // another, which a recompute would overwrite: it is not offered.
  document->Parameters().AddUserParameter("tilt", "5 mm", "mm");
  document->Parameters().AddUserParameter("twice", "tilt * 2", "mm");
  Open();
  RecordingControl& params = Get("cboParams");
  ASSERT_EQ(params.ListCount(), 4);
  EXPECT_EQ(params.List(0), "");
  EXPECT_EQ(params.List(1), "column_width");
  EXPECT_EQ(params.List(2), "lift_height");
  EXPECT_EQ(params.List(3), "tilt");

  // The proposal runs from the value to the value + 10.
  params.UserChoose(3);
  EXPECT_EQ(Get("txtDriveFrom").Text(), "5");
  EXPECT_EQ(Get("txtDriveTo").Text(), "15");
  EXPECT_TRUE(Get("txtDriveFrom").HasFocus());
  EXPECT_TRUE(Get("txtDriveTo").Enabled());
  EXPECT_TRUE(Get("lblFrom").Enabled());
  Type("txtDriveFrom", "0");
  Type("txtDriveTo", "10");
  EXPECT_EQ(Path().Driven(), "tilt");
  EXPECT_EQ(Path().DriveFrom(), 0.0);
  EXPECT_EQ(Path().DriveTo(), 10.0);

  // A parameter gone since the list was filled keeps its name as the driven one and the values.
  params.AddItem("gone");
  params.UserChoose(params.ListCount() - 1);
  EXPECT_EQ(Path().Driven(), "gone");
  EXPECT_EQ(Path().DriveFrom(), 0.0);
  EXPECT_EQ(Path().DriveTo(), 10.0);
  EXPECT_TRUE(messages.empty());

  // The empty entry turns the drive off; the boxes keep their numbers.
  params.UserChoose(0);
  EXPECT_EQ(Path().Driven(), "");
  EXPECT_EQ(Path().DriveTo(), 10.0);
  EXPECT_FALSE(Get("txtDriveFrom").Enabled());
  EXPECT_FALSE(Get("lblTo").Enabled());
  EXPECT_EQ(Get("txtDriveFrom").Text(), "0");
}

TEST_F(LiftRunTest, DriveValuesShowInTheUsersOwnNumberForm) {
  faces.locale = form::NumberLocale{",", "."};
  document->GetDefinition()->GetParameters()->Item("lift_height")->Expression("2.5");
  document->Update();
  Open();
  Get("cboParams").UserChoose(ItemOf("lift_height"));
  EXPECT_EQ(Get("txtDriveFrom").Text(), "2,5");
  EXPECT_EQ(Get("txtDriveTo").Text(), "12,5");
  EXPECT_EQ(Path().DriveFrom(), 2.5);
  EXPECT_EQ(Path().DriveTo(), 12.5);
  // A typed point still reads as the decimal separator it is.
  Type("txtDriveTo", "1.5");
  EXPECT_EQ(Path().DriveTo(), 1.5);
}

}  // namespace
}  // namespace sledway::test
