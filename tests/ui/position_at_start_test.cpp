#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "run_fixture.hpp"
#include "ui/run_sequences.hpp"

namespace sledway::testing {
namespace {

using PositionAtStartTest = RunFixture;

TEST_F(PositionAtStartTest, PutsTheFollowPointAtTheStartOfTravel) {
  MotionOutcome outcome = PositionAtStart(app_, document_, *path_);
  EXPECT_EQ(outcome.end, MotionEnd::kCompleted);
  EXPECT_EQ(outcome.moves, 1);
  EXPECT_LT(Pin().Distance(PathPoint(0.0)), 1e-9);

  // With FlipPath, travel starts at the far end.
  path_->FlipPath(true);
  outcome = PositionAtStart(app_, document_, *path_);
  EXPECT_EQ(outcome.moves, 1);
  EXPECT_LT(Pin().Distance(PathPoint(1.0)), 1e-9);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(PositionAtStartTest, WritesDriveFromWithItsUnitsAndRecomputes) {
  Drive("height", 25.5, 40.0);
  PositionAtStart(app_, document_, *path_);
  EXPECT_EQ(Parameter("height")->Expression(), "25.5 mm");
  EXPECT_DOUBLE_EQ(Parameter("height")->Value(), 25.5);

  // Without a driven parameter the document is still recomputed: an edit made beforehand
  // takes effect.
  Drive("", 0.0, 10.0);
  Parameter("lift")->Expression("7 mm");
  PositionAtStart(app_, document_, *path_);
  EXPECT_DOUBLE_EQ(Parameter("lift")->Value(), 7.0);
  EXPECT_EQ(Parameter("height")->Expression(), "25.5 mm");
}

TEST_F(PositionAtStartTest, AFailureEndsTheActionWithAMessage) {
  // Nothing picked yet: the move itself fails, and "Run" must stay disabled.
  CPath empty;
  MotionOutcome outcome = PositionAtStart(app_, document_, empty);
  EXPECT_EQ(outcome.end, MotionEnd::kMoveFailed);
  EXPECT_EQ(outcome.moves, 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "Error updating assembly, check constraints on follow component");
  EXPECT_EQ(messages_[0].title, "Sledway");

  // The move was made but the driven parameter is gone: "Run" may be enabled, and the user
  // learns what failed.
  messages_.clear();
  Drive("gone", 0.0, 10.0);
  outcome = PositionAtStart(app_, document_, *path_);
  EXPECT_EQ(outcome.end, MotionEnd::kFailed);
  EXPECT_EQ(outcome.moves, 1);
  EXPECT_LT(Pin().Distance(PathPoint(0.0)), 1e-9);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_THAT(messages_[0].text, ::testing::HasSubstr("gone"));

  // A start value the model cannot be built with fails the recompute.
  messages_.clear();
  Drive("height", 0.0, 10.0);
  outcome = PositionAtStart(app_, document_, *path_);
  EXPECT_EQ(outcome.end, MotionEnd::kFailed);
  EXPECT_EQ(outcome.moves, 1);
  EXPECT_EQ(outcome.recomputeFailures, 0);  // the value is written after the move
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_THAT(messages_[0].text, ::testing::HasSubstr("cart"));
}

}  // namespace
}  // namespace sledway::testing
