#include "app/desktop/motion_panel.hpp"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "app/desktop/run_recording.hpp"
#include "desktop_fixture.hpp"
#include "video_reader.hpp"

namespace sledway::app::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MotionPanelTest : public DesktopTest {
 protected:
  // The bead's placement after the panel's run of the helix sample with `roll` in `steps`,
  // recorded into `video` when one is given.
  gp_Trsf RunHelix(const QString& roll, int steps, const std::filesystem::path& video = {}) {
    EXPECT_TRUE(window_->OpenSample("helix"));
    if (!video.empty()) {
      RepaintAtEachYield();
      window_->Recording().Arm(video);
    }
    MotionPanel& panel = window_->Motion();
    panel.Roll()->setCurrentText(roll);
    panel.Steps()->setValue(steps);
    QTest::mouseClick(panel.RunButton(), Qt::LeftButton);
    EXPECT_EQ(panel.Outcome()->text(), QString("%1 moves made.").arg(steps));
    return ComponentNamed("bead:1")->Placement();
  }
};

double LargestDifference(const gp_Trsf& a, const gp_Trsf& b) {
  double largest = 0.0;
  for (int row = 1; row <= 3; ++row) {
    for (int column = 1; column <= 4; ++column) {
      largest = std::max(largest, std::abs(a.Value(row, column) - b.Value(row, column)));
    }
  }
  return largest;
}

// The minimal roll puts the bead at the end of the helix the same way whatever the number of
// steps; the add-in's own turn does not, so this fails should the panel's roll not reach the
// motion. A recording armed takes the panel's run, a frame per move, "Position" left out.
// Settings that cannot be run are told in the panel's own words, and nothing moves.
TEST_F(MotionPanelTest, TheSettingsReachTheRunItsRecordingAndItsRefusals) {
  const QTemporaryDir folder;
  const std::filesystem::path video = folder.filePath("helix.mp4").toStdString();
  EXPECT_GT(LargestDifference(RunHelix("add-in", 10), RunHelix("add-in", 70)), 0.1);
  const gp_Trsf end = RunHelix("minimal", 10, video);
  EXPECT_LT(LargestDifference(RunHelix("minimal", 70), end), 1e-9);
  EXPECT_EQ(DecodeVideo(video).frames, 10);
  EXPECT_TRUE(shownMessages_.empty());

  MotionPanel& panel = window_->Motion();
  panel.Roll()->setCurrentText("up");
  panel.Up()->setText("0,0,0");
  panel.Run();
  panel.Roll()->setCurrentText("minimal");
  panel.Train()->setText("bead:1:30");
  panel.Run();
  EXPECT_EQ(LargestDifference(ComponentNamed("bead:1")->Placement(), end), 0.0);
  // The train's follow points reach the plan as the runner's --train-follow does.
  ASSERT_TRUE(window_->OpenSample("coil"));
  panel.Train()->setText("carriage:2:40");
  panel.TrainFollow()->setText("component:carriage:3/workpoint:hitch");
  panel.Run();
  panel.Train()->setText("carriage:2:40 carriage:3:80");
  panel.Run();
  EXPECT_THAT(shownMessages_,
              ElementsAre(HasSubstr("Roll up: '0,0,0' is the zero vector"),
                          HasSubstr("Train: 'bead:1' is the leader"),
                          HasSubstr("Follow points: 'component:carriage:3/workpoint:hitch' is "
                                    "not on the follower 'carriage:2'"),
                          "Follow points gives 1 follow point for 2 followers: give one for "
                          "each, in the order of Train"));
}

}  // namespace
}  // namespace sledway::app::test
