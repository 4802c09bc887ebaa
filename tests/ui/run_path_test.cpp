#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "run_fixture.hpp"
#include "ui/run_sequences.hpp"

namespace sledway::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// What a run's observer saw after one move.
struct Observed {
  RunMove move;
  gp_Pnt pin;
  std::string liftExpression;
  double liftValue;
  bool railVisible;
};

class RunPathTest : public RunFixture {
 protected:
  MotionOutcome Run() {
    return RunPath(app_, document_, *path_, [this](const RunMove& move) {
      observed_.push_back({move, Pin(), Parameter("lift")->Expression(), Parameter("lift")->Value(),
                           rail_->Visible()});
    });
  }

  std::vector<double> Fractions() const {
    std::vector<double> fractions;
    for (const Observed& seen : observed_) fractions.push_back(seen.move.fraction);
    return fractions;
  }

  std::vector<std::string> LiftExpressions() const {
    std::vector<std::string> expressions;
    for (const Observed& seen : observed_) expressions.push_back(seen.liftExpression);
    return expressions;
  }

  // Every move put the pin on the path at the move's fraction.
  void ExpectPinOnPathAtEveryMove() const {
    for (const Observed& seen : observed_) {
      EXPECT_LT(seen.pin.Distance(PathPoint(seen.move.fraction)), 1e-9)
          << "move " << seen.move.index << " at " << seen.move.fraction;
    }
  }

  std::vector<Observed> observed_;
};

std::vector<double> Steps(std::int64_t from, std::int64_t to, double steps) {
  std::vector<double> fractions;
  for (std::int64_t j = from; from <= to ? j <= to : j >= to; j += from <= to ? 1 : -1) {
    fractions.push_back(static_cast<double>(j) / steps);
  }
  return fractions;
}

TEST_F(RunPathTest, StartEndMovesFiftyStepsFromOneStepAwayToTheEnd) {
  const MotionOutcome outcome = Run();

  EXPECT_EQ(outcome.end, MotionEnd::kCompleted);
  EXPECT_EQ(outcome.moves, 50);
  EXPECT_EQ(outcome.recomputeFailures, 0);
  ASSERT_EQ(observed_.size(), 50u);
  EXPECT_THAT(Fractions(), ElementsAreArray(Steps(1, 50, 50.0)));
  EXPECT_DOUBLE_EQ(observed_.front().move.fraction, 0.02);
  EXPECT_EQ(observed_.back().move.fraction, 1.0);
  for (std::size_t i = 0; i < observed_.size(); ++i) {
    EXPECT_EQ(observed_[i].move.index, static_cast<std::int64_t>(i + 1));
    EXPECT_EQ(observed_[i].move.pass, 1);
    EXPECT_EQ(observed_[i].move.repetition, 1);
    EXPECT_FALSE(observed_[i].move.drivenValue.has_value());
  }
  ExpectPinOnPathAtEveryMove();
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(sleeps_.empty());                        // a pause of 0 never calls Sleep
  EXPECT_EQ(Parameter("lift")->Expression(), "0 mm");  // nothing driven, nothing written
}

TEST_F(RunPathTest, StartEndStartComesBackStepByStepToTheStart) {
  path_->SES(true);
  const MotionOutcome outcome = Run();

  EXPECT_EQ(outcome.moves, 100);
  ASSERT_EQ(observed_.size(), 100u);
  const std::vector<double> fractions = Fractions();
  EXPECT_THAT(std::vector<double>(fractions.begin() + 50, fractions.end()),
              ElementsAreArray(Steps(49, 0, 50.0)));
  EXPECT_DOUBLE_EQ(fractions[50], 0.98);
  EXPECT_EQ(fractions.back(), 0.0);
  EXPECT_EQ(observed_[49].move.pass, 1);
  EXPECT_EQ(observed_[50].move.pass, 2);
  ExpectPinOnPathAtEveryMove();
  EXPECT_LT(Pin().Distance(PathPoint(0.0)), 1e-9);
}

TEST_F(RunPathTest, FlipPathTravelsFromTheFarEnd) {
  path_->FlipPath(true);
  path_->Steps(4);
  Run();
  EXPECT_THAT(Fractions(), ElementsAre(0.75, 0.5, 0.25, 0.0));
  ExpectPinOnPathAtEveryMove();

  observed_.clear();
  path_->SES(true);
  Run();
  EXPECT_THAT(Fractions(), ElementsAre(0.75, 0.5, 0.25, 0.0, 0.25, 0.5, 0.75, 1.0));
}

TEST_F(RunPathTest, DriveFollowsTheDistanceTravelledWhicheverEndTheRunStartsFrom) {
  Drive("lift", 0.0, 10.0);
  path_->Steps(5);
  path_->SES(true);
  const std::vector<std::string> expected{"2 mm", "4 mm", "6 mm", "8 mm", "10 mm",
                                          "8 mm", "6 mm", "4 mm", "2 mm", "0 mm"};

  Run();
  EXPECT_THAT(LiftExpressions(), ElementsAreArray(expected));
  EXPECT_THAT(Fractions(), ElementsAre(0.2, 0.4, 0.6, 0.8, 1.0, 0.8, 0.6, 0.4, 0.2, 0.0));
  for (const Observed& seen : observed_) {
    // The value written before a move takes effect in that move's recompute.
    ASSERT_TRUE(seen.move.drivenValue.has_value());
    EXPECT_DOUBLE_EQ(seen.liftValue, *seen.move.drivenValue);
  }

  observed_.clear();
  path_->FlipPath(true);
  Run();
  EXPECT_THAT(LiftExpressions(), ElementsAreArray(expected));
  EXPECT_THAT(Fractions(), ElementsAre(0.8, 0.6, 0.4, 0.2, 0.0, 0.2, 0.4, 0.6, 0.8, 1.0));
  ExpectPinOnPathAtEveryMove();
}

TEST_F(RunPathTest, EveryStartEndRepetitionRestartsAtTheFirstStep) {
  Drive("lift", 0.0, 10.0);
  path_->Steps(5);
  path_->Reps(2);
  const MotionOutcome outcome = Run();

  EXPECT_EQ(outcome.moves, 10);
  EXPECT_THAT(LiftExpressions(), ElementsAre("2 mm", "4 mm", "6 mm", "8 mm", "10 mm", "2 mm",
                                             "4 mm", "6 mm", "8 mm", "10 mm"));
  EXPECT_THAT(Fractions(), ElementsAre(0.2, 0.4, 0.6, 0.8, 1.0, 0.2, 0.4, 0.6, 0.8, 1.0));
  EXPECT_EQ(observed_[4].move.repetition, 1);
  EXPECT_EQ(observed_[5].move.repetition, 2);
  ExpectPinOnPathAtEveryMove();
}

TEST_F(RunPathTest, AFailedMoveShowsTheMessageOnceAndEndsTheRunAtOnce) {
  Drive("lift", 0.0, 10.0);
  path_->Steps(5);
  path_->SES(true);
  path_->Pause(0.25);
  // After the second move the run's Steps drop to 2: the third move (j = 3 of the pass that
  // started with 5 steps) asks for 3/2 of the path, which does not exist.
  const MotionOutcome outcome = RunPath(app_, document_, *path_, [this](const RunMove& move) {
    observed_.push_back({move, Pin(), "", 0.0, rail_->Visible()});
    if (move.index == 2) path_->Steps(2);
  });

  EXPECT_EQ(outcome.end, MotionEnd::kMoveFailed);
  EXPECT_EQ(outcome.moves, 2);
  EXPECT_FALSE(outcome.failure.empty());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "Error updating assembly, check constraints on follow component");
  EXPECT_EQ(messages_[0].title, "Sledway");
  // The third value (3/2 of the drive) was written before the failed move; no fourth came.
  EXPECT_EQ(Parameter("lift")->Expression(), "15 mm");
  EXPECT_EQ(sleeps_, (std::vector<std::uint32_t>{250, 250}));  // no pause after the failure
  EXPECT_LT(Pin().Distance(PathPoint(0.4)), 1e-9);             // where the last good move left it
  EXPECT_FALSE(observed_.back().railVisible);
  EXPECT_TRUE(rail_->Visible());
}

TEST_F(RunPathTest, StepsOrRepetitionsBelowOneMakeNoMoveAndNoWrite) {
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
    }
  }
  EXPECT_TRUE(observed_.empty());
  EXPECT_EQ(Parameter("lift")->Expression(), "0 mm");
  EXPECT_LT(Pin().Distance(start), 1e-12);
  EXPECT_TRUE(rail_->Visible());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(RunPathTest, PausesAfterEveryMoveAndNeverForANegativePause) {
  path_->Steps(3);
  path_->Pause(1.5);
  Run();
  EXPECT_EQ(sleeps_, (std::vector<std::uint32_t>{1500, 1500, 1500}));

  sleeps_.clear();
  path_->Pause(0.0625);  // 62.5 ms: the half goes to the even neighbour
  Run();
  EXPECT_EQ(sleeps_, (std::vector<std::uint32_t>{62, 62, 62}));

  sleeps_.clear();
  path_->Pause(-1.5);
  const MotionOutcome outcome = Run();
  EXPECT_EQ(outcome.moves, 3);
  EXPECT_TRUE(sleeps_.empty());
}

TEST_F(RunPathTest, HidesThePathsComponentForTheRunOnlyWhenAsked) {
  path_->Steps(3);
  Run();
  ASSERT_EQ(observed_.size(), 3u);
  for (const Observed& seen : observed_) EXPECT_FALSE(seen.railVisible);
  EXPECT_TRUE(rail_->Visible());

  // Without HidePath the component's visibility is left as it is, hidden or not.
  observed_.clear();
  path_->HidePath(false);
  rail_->Visible(false);
  Run();
  EXPECT_FALSE(rail_->Visible());
  rail_->Visible(true);
  observed_.clear();
  Run();
  ASSERT_EQ(observed_.size(), 3u);
  for (const Observed& seen : observed_) EXPECT_TRUE(seen.railVisible);
}

TEST_F(RunPathTest, APathOfTheAssemblyItselfHasNothingToHide) {
  const Ref<model::PlanarSketchDefinition> own = document_->AddSketch("own", gp_Ax3());
  own->AddLine(gp_Pnt2d(0, kRailY), gp_Pnt2d(kPathLength, kRailY));
  StoreSlotSelection(app_, *path_, SelectionSlot::kPath,
                     Selection({document_->Sketch("own")->Curve(1)}));
  ASSERT_EQ(path_->PathParent(), nullptr);
  path_->Steps(4);

  const MotionOutcome outcome = Run();
  EXPECT_EQ(outcome.end, MotionEnd::kCompleted);
  EXPECT_EQ(outcome.moves, 4);
  EXPECT_TRUE(messages_.empty());
  ExpectPinOnPathAtEveryMove();
}

TEST_F(RunPathTest, AFailureBesideTheMoveEndsTheRunAndShowsThePathAgain) {
  // A driven parameter that is not there: the lookup fails after the path was hidden.
  Drive("nope", 0.0, 10.0);
  MotionOutcome outcome = Run();
  EXPECT_EQ(outcome.end, MotionEnd::kFailed);
  EXPECT_EQ(outcome.moves, 0);
  EXPECT_THAT(outcome.failure, ::testing::HasSubstr("nope"));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, outcome.failure);
  EXPECT_EQ(messages_[0].title, "Sledway");
  EXPECT_TRUE(rail_->Visible());

  // An observer that fails ends the run the same way, after the move it heard.
  messages_.clear();
  Drive("", 0.0, 10.0);
  path_->Steps(5);
  outcome = RunPath(app_, document_, *path_, [](const RunMove& move) {
    if (move.index == 2) throw std::runtime_error("the display went away");
  });
  EXPECT_EQ(outcome.end, MotionEnd::kFailed);
  EXPECT_EQ(outcome.moves, 2);
  EXPECT_EQ(outcome.failure, "the display went away");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(rail_->Visible());
  EXPECT_LT(Pin().Distance(PathPoint(0.4)), 1e-9);
}

TEST_F(RunPathTest, AFailedRecomputeIsCountedAndTheRunGoesOn) {
  // The cart's height runs down to 0 mm: the last recompute cannot build the cart.
  Drive("height", 10.0, 0.0);
  path_->Steps(5);
  const MotionOutcome outcome = Run();

  EXPECT_EQ(outcome.end, MotionEnd::kCompleted);
  EXPECT_EQ(outcome.moves, 5);
  EXPECT_EQ(outcome.recomputeFailures, 1);
  ASSERT_EQ(observed_.size(), 5u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_TRUE(observed_[i].move.recomputed);
  EXPECT_FALSE(observed_[4].move.recomputed);
  EXPECT_TRUE(messages_.empty());
  EXPECT_DOUBLE_EQ(Parameter("height")->Value(), 2.0);  // the last value that could be built
}

}  // namespace
}  // namespace sledway::testing
