#include "app/video/video_encoder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/app/test_picture.hpp"
#include "tests/app/video_reader.hpp"
#include "tests/cli/invocation.hpp"

namespace sledway::app::test {
namespace {


// White with a red square of 8 pixels whose top left corner is at (x, y).
void Square(Picture& picture, int x, int y) {
  picture.Clear();
  for (int row = y; row < y + 8; ++row) {
    for (int column = x; column < x + 8; ++column) picture.Set(column, row, {255, 0, 0});
  }
}

using VideoEncoderTest = cli::test::WithDirectory;

bool Reddish(const std::vector<int>& rgb) {
  return rgb[0] > 180 && rgb[1] < 90 && rgb[2] < 90;
}
bool Whitish(const std::vector<int>& rgb) {
  return rgb[0] > 200 && rgb[1] > 200 && rgb[2] > 200;
}

TEST_F(VideoEncoderTest, EachContainerDecodesToItsFramesWithTheSquareWhereItWas) {
  struct Case {
    const char* name;
    const char* codec;
    PixelOrder order;
    bool bottomUp;
  };
  for (const Case& c : {Case{"run.mp4", "h264", PixelOrder::kBgr, true},
                        Case{"run.GIF", "gif", PixelOrder::kBgra, false},
                        Case{"run.webm", "vp9", PixelOrder::kRgba, false}}) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path file = directory_ / c.name;
    VideoEncoder encoder(file, 96, 64, 10);
    std::int64_t heard = 0;
    encoder.OnProgress([&](std::int64_t encoded) { heard = encoded; });
    Picture picture(96, 64, c.order, c.bottomUp);
    // 13 frames: the square moves 6 pixels right and 4 down each time.
    for (int i = 0; i < 13; ++i) {
      Square(picture, 2 + 6 * i, 2 + 4 * i);
      encoder.Add(picture.Pixels());
    }
    EXPECT_FALSE(std::filesystem::exists(file)) << "the video shows before it is whole";
    encoder.Finish();
    EXPECT_EQ(heard, 13 * encoder.PassesPerFrame());
    EXPECT_EQ(Names(), std::vector<std::string>{c.name});

    const DecodedVideo video = DecodeVideo(file);
    EXPECT_EQ(video.codec, c.codec);
    EXPECT_EQ(video.frames, 13);
    EXPECT_EQ(video.width, 96);
    EXPECT_EQ(video.height, 64);
    EXPECT_NEAR(video.fps, 10.0, 1e-9);
    EXPECT_TRUE(Reddish(video.Pixel(video.first, 6, 6)));
    EXPECT_TRUE(Whitish(video.Pixel(video.first, 2 + 6 * 12 + 4, 2 + 4 * 12 + 4)));
    EXPECT_TRUE(Whitish(video.Pixel(video.last, 6, 6)));
    EXPECT_TRUE(Reddish(video.Pixel(video.last, 2 + 6 * 12 + 4, 2 + 4 * 12 + 4)));
    std::filesystem::remove(file);
  }
}

TEST_F(VideoEncoderTest, OddSidesAreCroppedForFourTwoZeroColourAndKeptForGif) {
  Picture picture(41, 33, PixelOrder::kRgb);
  Square(picture, 0, 0);
  for (const char* name : {"odd.mp4", "odd.gif"}) {
    VideoEncoder encoder(directory_ / name, 41, 33, 25);
    encoder.Add(picture.Pixels());
    encoder.Finish();
  }
  const DecodedVideo mp4 = DecodeVideo(directory_ / "odd.mp4");
  EXPECT_EQ(mp4.width, 40);
  EXPECT_EQ(mp4.height, 32);
  EXPECT_EQ(mp4.frames, 1);
  const DecodedVideo gif = DecodeVideo(directory_ / "odd.gif");
  EXPECT_EQ(gif.width, 41);
  EXPECT_EQ(gif.height, 33);
}

TEST_F(VideoEncoderTest, BadRequestsAndFailedWritesLeaveNothingAndKeepTheOldFile) {
  EXPECT_THROW(VideoEncoder(directory_ / "run.avi", 64, 64, 25), std::invalid_argument);
  EXPECT_THROW(VideoEncoder(directory_ / "run", 64, 64, 25), std::invalid_argument);
  EXPECT_THROW(VideoEncoder(directory_ / "run.mp4", 8, 64, 25), std::invalid_argument);
  EXPECT_THROW(VideoEncoder(directory_ / "run.mp4", 64, 64, 0), std::invalid_argument);
  EXPECT_THROW(VideoEncoder(directory_ / "run.gif", 64, 64, 60), std::invalid_argument);
  EXPECT_TRUE(Names().empty());

  // An old video stays until a new one is whole; one abandoned leaves the old one as it was.
  const std::filesystem::path file = directory_ / "run.gif";
  std::ofstream(file) << "old";
  Picture picture(64, 48, PixelOrder::kRgb);
  Square(picture, 4, 4);
  {
    VideoEncoder encoder(file, 64, 48, 25);
    encoder.Add(picture.Pixels());
    EXPECT_THROW(encoder.Add(PicturePixels{nullptr, 0, 32, 32, PixelOrder::kRgb}),
                 std::invalid_argument);
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"run.gif"});
  EXPECT_EQ(std::filesystem::file_size(file), 3u);
  VideoEncoder empty(file, 64, 48, 25);
  EXPECT_THROW(empty.Finish(), std::runtime_error);
  EXPECT_EQ(Names(), std::vector<std::string>{"run.gif"});
}

}  // namespace
}  // namespace sledway::app::test
