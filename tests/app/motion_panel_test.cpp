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

using ::testing::HasSubstr;

class MotionPanelTest : public DesktopTest {
 protected:
  // The bead's placement after the panel's run of the helix sample with `roll` in `steps`.
  gp_Trsf RunHelix(const QString& roll, int steps) {
    EXPECT_TRUE(window_->OpenSample("helix"));
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
// motion.
TEST_F(MotionPanelTest, TheRollChosenMovesTheBeadAsItSays) {
  EXPECT_LT(LargestDifference(RunHelix("minimal", 10), RunHelix("minimal", 70)), 1e-9);
  EXPECT_GT(LargestDifference(RunHelix("add-in", 10), RunHelix("add-in", 70)), 0.1);
  EXPECT_TRUE(shownMessages_.empty());
}

// A recording armed takes the panel's run: a frame per move, "Position" left out.
TEST_F(MotionPanelTest, ARecordingArmedTakesThePanelsRun) {
  const QTemporaryDir folder;
  const std::filesystem::path file = folder.filePath("helix.mp4").toStdString();
  // The host's own yield, which repaints the view after each move, as the main window's does.
  messages_.reset();
  messages_ = std::make_unique<platform::ScopedDesktopServices>(platform::DesktopServices{
      .sleep = {},
      .showMessage = [this](const std::string& text,
                            const std::string&) { shownMessages_.push_back(text); },
      .yieldToMessageLoop =
          [this] {
            QApplication::processEvents();
            View().RedrawNow();
          }});
  ASSERT_TRUE(window_->OpenSample("helix"));
  window_->Recording().Arm(file);
  window_->Motion().Steps()->setValue(6);
  window_->Motion().Run();
  EXPECT_FALSE(window_->Recording().Armed());
  EXPECT_EQ(DecodeVideo(file).frames, 6);
}

// Settings that cannot be run are told in the panel's own words, and nothing moves.
TEST_F(MotionPanelTest, SettingsThatCannotBeRunAreToldAndMoveNothing) {
  ASSERT_TRUE(window_->OpenSample("helix"));
  MotionPanel& panel = window_->Motion();
  const gp_Trsf before = ComponentNamed("bead:1")->Placement();
  panel.Roll()->setCurrentText("up");
  panel.Up()->setText("0,0,0");
  panel.Run();
  panel.Roll()->setCurrentText("minimal");
  panel.Train()->setText("bead:1:30");
  panel.Run();
  ASSERT_EQ(shownMessages_.size(), 2u);
  EXPECT_THAT(shownMessages_[0], HasSubstr("Roll up: '0,0,0' is the zero vector"));
  EXPECT_THAT(shownMessages_[1], HasSubstr("Train: 'bead:1' is the leader"));
  EXPECT_TRUE(ComponentNamed("bead:1")->Placement().TranslationPart().IsEqual(
      before.TranslationPart(), 0.0));
  EXPECT_TRUE(panel.RunButton()->isEnabled());
}

}  // namespace
}  // namespace sledway::app::test
