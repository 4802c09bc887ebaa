#include "ui/run_sequences.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host_fixture.hpp"
#include "modelhost/collections/entity_collection.hpp"
#include "path/path_definition.hpp"
#include "tests/modelhost/model_test_helpers.hpp"
#include "ui/selection_slots.hpp"

namespace sledway {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A cart on a straight rail: the rail's sketch line runs 100 cm from (0, 50, 0) to (100, 50, 0)
// cm, and the cart's work point "pin" follows it. The user parameter "lift" (mm) drives nothing;
// the model parameter "height" (mm) is the cart's height. Message boxes and sleeps are recorded,
// never shown or waited (the fixture's sample assembly is not the active document).
class RunSequencesTest : public ::testing::Test, public test::HostFixture {
 protected:
  RunSequencesTest() {
    app->SetActiveDocument(document_);
    document_->Parameters().AddModelParameter("height", "10 mm", "mm");
    document_->Parameters().AddUserParameter("lift", "0 mm", "mm");
    const Ref<model::Part> rail = document_->AddBoxPart("rail", "1000 mm", "20 mm", "5 mm");
    rail->AddSketch("track", gp_Ax3())->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(100, 0));
    gp_Trsf placement;
    placement.SetTranslation(gp_Vec(0, 50, 0));
    rail_ = document_->AddComponent("rail:1", rail, placement);
    const Ref<model::Part> cart = document_->AddBoxPart("cart", "20 mm", "10 mm", "height");
    cart->AddWorkPoint("pin", gp_Pnt(1.0, 0.5, 0.0));
    placement.SetTranslation(gp_Vec(7, -3, 2));
    cart_ = document_->AddComponent("cart:1", cart, placement);
    Pick(SelectionSlot::kPath, rail_->Sketch("track")->Curve(1));
    Pick(SelectionSlot::kFollowPoint, cart_->WorkPoint("pin"));
    path_->Steps(50);  // the tool window's defaults
    path_->Reps(1);
    path_->HidePath(true);
  }

  void Pick(SelectionSlot slot, const Ref<IVObject>& entity) {
    StoreSlotSelection(
        app, *path_, slot,
        std::make_shared<model::EntityCollection>(std::vector<Ref<IVObject>>{entity}));
  }

  gp_Pnt Pin() const { return model::ModelPoint(cart_->WorkPoint("pin")->GetPoint()); }

  static gp_Pnt PathPoint(double fraction) { return gp_Pnt(100.0 * fraction, 50.0, 0.0); }

  Ref<IVParameter> Parameter(const std::string& name) const {
    return document_->GetDefinition()->GetParameters()->Item(name);
  }

  void Drive(const std::string& name, double from, double to) {
    path_->Driven(name);
    path_->DriveFrom(from);
    path_->DriveTo(to);
  }

  // Runs the path and records every move, which must come in order and leave the pin on the
  // path at the move's fraction; `then` hears the move last.
  MotionOutcome Run(const RunObserver& then = {}) {
    moves_.clear();
    fractions_.clear();
    lifts_.clear();
    railVisible_.clear();
    return RunPath(app, document_, *path_, [&](const RunMove& move) {
      EXPECT_EQ(move.index, static_cast<std::int64_t>(moves_.size() + 1));
      EXPECT_LT(Pin().Distance(PathPoint(move.fraction)), 1e-9) << "move " << move.index;
      moves_.push_back(move);
      fractions_.push_back(move.fraction);
      lifts_.push_back(Parameter("lift")->Expression());
      railVisible_.push_back(rail_->Visible());
      if (then) then(move);
    });
  }

  Ref<model::AssemblyDocument> document_ = model::AssemblyDocument::Create("runs");
  Ref<model::Component> rail_;
  Ref<model::Component> cart_;
  Ref<CPath> path_ = std::make_shared<CPath>();
  std::vector<RunMove> moves_;
  std::vector<double> fractions_;
  std::vector<std::string> lifts_;
  std::vector<bool> railVisible_;
};

constexpr const char* kMoveFailed =
    "Sledway: Error updating assembly, check constraints on follow component";

TEST_F(RunSequencesTest, RunsStepByStepOutAndBackFromEitherEnd) {
  const MotionOutcome outcome = Run();
  EXPECT_EQ(outcome.end, MotionEnd::kCompleted);
  EXPECT_EQ(outcome.moves, 50);
  ASSERT_EQ(fractions_.size(), 50u);
  for (int j = 1; j <= 50; ++j) EXPECT_EQ(fractions_[j - 1], j / 50.0);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(sleeps.empty());                         // a pause of 0 never calls Sleep
  EXPECT_EQ(Parameter("lift")->Expression(), "0 mm");  // nothing driven, nothing written

  path_->SES(true);
  EXPECT_EQ(Run().moves, 100);
  ASSERT_EQ(fractions_.size(), 100u);
  for (int j = 49; j >= 0; --j) EXPECT_EQ(fractions_[99 - j], j / 50.0);
  EXPECT_EQ(moves_[49].pass, 1);
  EXPECT_EQ(moves_[50].pass, 2);

  // Flipped without the way back (flipped with it: the drive test below).
  path_->Steps(4);
  path_->FlipPath(true);
  path_->SES(false);
  Run();
  EXPECT_THAT(fractions_, ElementsAre(0.75, 0.5, 0.25, 0.0));
}

TEST_F(RunSequencesTest, DrivesTheParameterWithTheDistanceTravelled) {
  Drive("lift", 0.0, 10.0);
  path_->Steps(5);
  path_->SES(true);
  const std::vector<std::string> outAndBack{"2 mm", "4 mm", "6 mm", "8 mm", "10 mm",
                                            "8 mm", "6 mm", "4 mm", "2 mm", "0 mm"};
  Run();
  EXPECT_EQ(lifts_, outAndBack);
  EXPECT_THAT(fractions_, ElementsAre(0.2, 0.4, 0.6, 0.8, 1.0, 0.8, 0.6, 0.4, 0.2, 0.0));
  path_->FlipPath(true);
  Run();
  EXPECT_EQ(lifts_, outAndBack);
  EXPECT_THAT(fractions_, ElementsAre(0.8, 0.6, 0.4, 0.2, 0.0, 0.2, 0.4, 0.6, 0.8, 1.0));

  // Every start-end repetition starts over from the first step.
  path_->FlipPath(false);
  path_->SES(false);
  path_->Reps(2);
  EXPECT_EQ(Run().moves, 10);
  EXPECT_THAT(lifts_, ElementsAre("2 mm", "4 mm", "6 mm", "8 mm", "10 mm", "2 mm", "4 mm", "6 mm",
                                  "8 mm", "10 mm"));
  EXPECT_EQ(moves_[4].repetition, 1);
  EXPECT_EQ(moves_[5].repetition, 2);
  EXPECT_EQ(moves_[5].fraction, 0.2);
}

TEST_F(RunSequencesTest, EachMoveRebuildsOnlyThePartTheDrivenParameterSizes) {
  const Ref<model::Part> cart = document_->FindPart("cart");
  const Ref<model::Part> rail = document_->FindPart("rail");
  Drive("height", 10.0, 60.0);
  path_->Steps(5);
  path_->SES(true);
  const int cartBefore = cart->Generation();
  Run([&](const RunMove& move) {
    EXPECT_EQ(cart->Generation(), cartBefore + move.index) << "move " << move.index;
    EXPECT_EQ(rail->Generation(), 1) << "move " << move.index;
  });
  EXPECT_EQ(moves_.size(), 10u);

  // A parameter that sizes nothing: the moves recompute, and no part is rebuilt.
  Drive("lift", 0.0, 10.0);
  const int cartAfter = cart->Generation();
  Run();
  EXPECT_EQ(lifts_.back(), "0 mm");
  EXPECT_EQ(cart->Generation(), cartAfter);
  EXPECT_EQ(rail->Generation(), 1);
}

TEST_F(RunSequencesTest, AFailureShowsOneMessageEndsTheRunAndShowsThePathAgain) {
  Drive("lift", 0.0, 10.0);
  path_->Steps(5);
  path_->SES(true);
  path_->Pause(0.25);
  // After the second move the run's Steps drop to 2: the third move (j = 3 of the pass that
  // started with 5 steps) asks for 3/2 of the path, which does not exist.
  MotionOutcome outcome = Run([this](const RunMove& move) {
    if (move.index == 2) path_->Steps(2);
  });
  EXPECT_EQ(outcome.end, MotionEnd::kMoveFailed);
  EXPECT_EQ(outcome.moves, 2);
  EXPECT_THAT(messages, ElementsAre(kMoveFailed));
  // The third value (3/2 of the drive) was written before the failed move; no fourth came.
  EXPECT_EQ(Parameter("lift")->Expression(), "15 mm");
  EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{250, 250}));  // no pause after the failure
  EXPECT_LT(Pin().Distance(PathPoint(0.4)), 1e-9);            // where the last good move left it
  EXPECT_FALSE(railVisible_.back());
  EXPECT_TRUE(rail_->Visible());

  // A failure beside the move shows its own text: a driven parameter that is not there, looked
  // up after the path was hidden.
  Drive("nope", 0.0, 10.0);
  outcome = Run();
  EXPECT_EQ(outcome.end, MotionEnd::kFailed);
  EXPECT_EQ(outcome.moves, 0);
  EXPECT_THAT(outcome.failure, HasSubstr("nope"));
  EXPECT_THAT(messages, ElementsAre(kMoveFailed, "Sledway: " + outcome.failure));
  EXPECT_TRUE(rail_->Visible());
}

TEST_F(RunSequencesTest, StepsOrRepetitionsBelowOneMakeNoMoveAndNoWrite) {
  Drive("lift", 0.0, 10.0);
  path_->SES(true);
  const gp_Pnt start = Pin();
  for (const auto& [steps, reps] :
       std::vector<std::pair<int, int>>{{0, 1}, {-2, 1}, {5, 0}, {5, -3}}) {
    for (const bool flip : {false, true}) {
      path_->Steps(steps);
      path_->Reps(reps);
      path_->FlipPath(flip);
      const MotionOutcome outcome = Run();
      EXPECT_EQ(outcome.end, MotionEnd::kCompleted) << steps << " steps, " << reps << " reps";
      EXPECT_EQ(outcome.moves, 0);
      EXPECT_TRUE(moves_.empty());
    }
  }
  EXPECT_EQ(Parameter("lift")->Expression(), "0 mm");
  EXPECT_LT(Pin().Distance(start), 1e-12);
  EXPECT_TRUE(rail_->Visible());
  EXPECT_TRUE(messages.empty());
}

TEST_F(RunSequencesTest, PausesAfterEveryMoveAndHidesThePathsComponentOnlyWhenAsked) {
  path_->Steps(3);
  for (const auto& [pause, expected] : std::vector<std::pair<double, std::vector<std::uint32_t>>>{
           {1.5, {1500, 1500, 1500}},
           {0.0001, {0, 0, 0}},  // below half a millisecond, yet above zero: Sleep(0)
           {-1.5, {}}}) {
    sleeps.clear();
    path_->Pause(pause);
    EXPECT_EQ(Run().moves, 3);
    EXPECT_EQ(sleeps, expected) << pause;
  }

  // The path's component is hidden for the run only when asked.
  path_->Pause(0.0);
  Run();
  EXPECT_THAT(railVisible_, ElementsAre(false, false, false));
  EXPECT_TRUE(rail_->Visible());

  // Without HidePath the component's visibility is left as it is, hidden or not.
  path_->HidePath(false);
  rail_->Visible(false);
  Run();
  EXPECT_FALSE(rail_->Visible());
  rail_->Visible(true);
  Run();
  EXPECT_THAT(railVisible_, ElementsAre(true, true, true));

  // A path in a sketch of the assembly itself has no component to hide.
  document_->AddSketch("own", gp_Ax3())->AddLine(gp_Pnt2d(0, 50), gp_Pnt2d(100, 50));
  Pick(SelectionSlot::kPath, document_->Sketch("own")->Curve(1));
  ASSERT_EQ(path_->PathParent(), nullptr);
  path_->HidePath(true);
  const MotionOutcome outcome = Run();
  EXPECT_EQ(outcome.end, MotionEnd::kCompleted);
  EXPECT_EQ(outcome.moves, 3);
  EXPECT_TRUE(messages.empty());
}

TEST_F(RunSequencesTest, PositionGoesToTheStartOfTravelAndWritesDriveFrom) {
  Drive("height", 25.5, 40.0);
  MotionOutcome outcome = PositionAtStart(app, document_, *path_);
  EXPECT_EQ(outcome.end, MotionEnd::kCompleted);
  EXPECT_EQ(outcome.moves, 1);
  EXPECT_LT(Pin().Distance(PathPoint(0.0)), 1e-9);
  EXPECT_EQ(Parameter("height")->Expression(), "25.5 mm");
  EXPECT_DOUBLE_EQ(Parameter("height")->Value(), 25.5);

  // With FlipPath travel starts at the far end. Without a driven parameter the document is
  // still recomputed: an edit made beforehand takes effect.
  path_->FlipPath(true);
  Drive("", 0.0, 10.0);
  Parameter("lift")->Expression("7 mm");
  outcome = PositionAtStart(app, document_, *path_);
  EXPECT_EQ(outcome.moves, 1);
  EXPECT_LT(Pin().Distance(PathPoint(1.0)), 1e-9);
  EXPECT_DOUBLE_EQ(Parameter("lift")->Value(), 7.0);
  EXPECT_EQ(Parameter("height")->Expression(), "25.5 mm");
  EXPECT_TRUE(messages.empty());

  // Nothing picked yet: the move itself fails, no move counts, and "Run" must stay disabled.
  CPath empty;
  outcome = PositionAtStart(app, document_, empty);
  EXPECT_EQ(outcome.end, MotionEnd::kMoveFailed);
  EXPECT_EQ(outcome.moves, 0);
}

}  // namespace
}  // namespace sledway
