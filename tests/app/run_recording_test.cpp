// File > "Record run..." of the desktop host, with the Sledway add-in loaded from its built
// library: the run the add-in makes is recorded from the view, one frame per move.
#include "app/desktop/run_recording.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QStatusBar>
#include <QTimer>
#include <filesystem>

#include "app/desktop/add_in_manager.hpp"
#include "modelhost/files/entity_names.hpp"
#include "tests/app/sledway_in_cart_fixture.hpp"
#include "tests/app/video_reader.hpp"

namespace sledway::app::test {
namespace {

using ::testing::HasSubstr;

// The cart sample in the desktop host, its tool window open with the track picked as the path
// and the cart's work point "contact" as the follow point, and "Position" done; the run left
// to make is 50 steps, the tool window's default.
class RunRecordingTest : public SledwayInCartTest {
 protected:
  void SetUp() override {
    SledwayInCartTest::SetUp();

    OpenToolWindow();
    Pick("cmdSelect_0", "sketch:track/curve:1");
    Pick("cmdSelect_1", "component:cart:1/workpoint:contact");
    Click("cmdControl_0");  // "Position"
    ASSERT_TRUE(Get("cmdControl_1")->isEnabled());
    folder_ = std::filesystem::path(settingsDir_.path().toStdString()) / "videos";
    std::filesystem::create_directories(folder_);
  }

  void Pick(const char* slot, const std::string& entity) {
    Click(slot);
    View().Offer(model::ResolveEntity(Document(), entity), true);
  }
  // "Run", and then the turn of the message loop that follows it in the host.
  void Run() {
    Click("cmdControl_1");
    QApplication::processEvents();
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_),
                                                  std::filesystem::directory_iterator()));
  }

  std::filesystem::path folder_;
};

TEST_F(RunRecordingTest, TheNextRunIsRecordedOneFramePerMoveAtTheViewsSize) {
  const std::filesystem::path file = folder_ / "cart run.mp4";
  window_->Recording().Arm(file);
  // "Position" again is no run: nothing is recorded.
  Click("cmdControl_0");
  QApplication::processEvents();
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(window_->Recording().Armed());

  Run();
  EXPECT_FALSE(window_->Recording().Armed());
  EXPECT_THAT(window_->statusBar()->currentMessage().toStdString(),
              HasSubstr("(50 frames) is in " + file.string()));
  const DecodedVideo video = DecodeVideo(file);
  EXPECT_EQ(video.frames, 50);
  EXPECT_EQ(video.width, View().width() & ~1);
  EXPECT_EQ(video.height, View().height() & ~1);
  EXPECT_EQ(FilesInFolder(), 1u);

  // Only the next run: the one after it is not recorded.
  std::filesystem::remove(file);
  Click("cmdControl_0");
  Run();
  EXPECT_EQ(FilesInFolder(), 0u);
  EXPECT_TRUE(boxes_.empty()) << boxes_.front();
}

TEST_F(RunRecordingTest, ClosingTheDocumentDuringTheRunStopsTheRecordingAndRemovesTheFile) {
  window_->Recording().Arm(folder_ / "cart.gif");
  // Once the recording made its file, the next yield of the run opens another assembly in place
  // of the cart's.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (FilesInFolder() == 0) return;
    closer.stop();
    window_->OpenSample("helix");
  });
  closer.start(0);
  Run();
  ASSERT_FALSE(closer.isActive()) << "the recording never started";
  EXPECT_EQ(FilesInFolder(), 0u);
  EXPECT_EQ(window_->statusBar()->currentMessage(),
            "The recording stopped: the document was closed");
  EXPECT_FALSE(window_->Recording().Armed());
}

}  // namespace
}  // namespace sledway::app::test
