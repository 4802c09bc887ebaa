// `sledway run --video`: the runner's videos decoded with FFmpeg's own libraries, its refusals,
// a full disk, and its memory over a long run, read from the runner's process.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/view/offscreen_view.hpp"
#include "cli/slot_picking.hpp"
#include "cli/video_output.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "tests/app/runner_process.hpp"
#include "tests/app/video_reader.hpp"
#include "tests/cli/invocation.hpp"
#include "tests/modelhost/model_test_helpers.hpp"

namespace sledway::app::test {
namespace {

using ::testing::HasSubstr;

using cli::test::Sledway;

RunnerProcess RunRunner(const std::vector<std::string>& args, rlim_t fileLimit = RLIM_INFINITY) {
  return RunProcess(SLEDWAY_RUNNER, args, fileLimit);
}

using RunVideoTest = cli::test::WithDirectory;

int Difference(const std::vector<int>& a, const std::vector<int>& b) {
  return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

// The default sample, the cart: its work point "contact" travels the track from (0, 0) to
// (0, 400) mm of the track's sketch. The video's first frame is "Position", its last the end.
TEST_F(RunVideoTest, EachContainerHoldsAFramePerMoveWithTheCartLeavingTheStartForTheEnd) {
  const Ref<model::AssemblyDocument> cart =
      model::ReadSampleAssembly(model::FindSampleAssembly("cart")).document;
  const Ref<model::PlanarSketch> track = cart->Sketch("track");
  // The runner's view, framed to the run as the runner frames it: where the ends of the track
  // appear in its pictures.
  const Ref<model::Application> app = model::Application::Create();
  app->SetActiveDocument(cart);
  const auto path = std::make_shared<CPath>();
  for (const auto& [slot, name] :
       {std::pair{SelectionSlot::kPath, "sketch:track/curve:1"},
        std::pair{SelectionSlot::kFollowPoint, "component:cart:1/workpoint:contact"}}) {
    cli::PickSlot(app, path, slot, model::ResolveEntity(*cart, name), name);
  }
  path->Length();
  const Ref<IVPoint> contact = cart->FindComponent("cart:1")->WorkPoint("contact")->GetPoint();
  OffscreenView view(cart, 160, 120);
  view.Frame(
      cli::FramingOf(cli::RunOptions{}, *path, {contact->X(), contact->Y(), contact->Z()}, {}));
  const auto pixelOf = [&](const gp_Pnt& point) {
    int x = 0, y = 0;
    view.View()->Convert(point.X(), point.Y(), point.Z(), x, y);
    return std::pair{x, y};
  };
  const auto [startX, startY] = pixelOf(track->ToModel(gp_Pnt2d(0.0, 0.0)));
  const auto [endX, endY] = pixelOf(track->ToModel(gp_Pnt2d(0.0, 40.0)));

  for (const auto& [name, codec] : {std::pair{"cart.mp4", "h264"}, std::pair{"cart.gif", "gif"},
                                    std::pair{"cart.webm", "vp9"}}) {
    SCOPED_TRACE(name);
    const std::filesystem::path file = directory_ / name;
    const cli::test::Invocation run = Sledway(
        {"run", "--steps", "6", "--video", file.string(), "--size", "160x120", "--fps", "10"},
        true);
    ASSERT_EQ(run.status, 0) << run.err;
    // The bar counts the frames encoded: "Position" and each move, twice for a GIF's two passes.
    const std::string frames = std::string(codec) == "gif" ? "14" : "7";
    EXPECT_THAT(run.err, HasSubstr("100% " + frames + "/" + frames));
    const DecodedVideo video = DecodeVideo(file);
    EXPECT_EQ(video.codec, codec);
    EXPECT_EQ(video.frames, 7);
    EXPECT_EQ(video.width, 160);
    EXPECT_EQ(video.height, 120);
    EXPECT_NEAR(video.fps, 10.0, 1e-9);
    // The cart stands at the start first and at the end last; where it went, it left the
    // background, which is the same in both pictures.
    EXPECT_GT(Difference(video.Pixel(video.first, startX, startY),
                         video.Pixel(video.last, startX, startY)),
              60);
    EXPECT_GT(Difference(video.Pixel(video.first, endX, endY), video.Pixel(video.last, endX, endY)),
              60);
    EXPECT_LT(Difference(video.Pixel(video.first, 2, 2), video.Pixel(video.last, 2, 2)), 24);
  }
  EXPECT_EQ(Names().size(), 3u) << "a temporary file was left behind";
}

TEST_F(RunVideoTest, BadRequestsAreRefusedBeforeTheRunAndFailedWritesLeaveNothing) {
  using cli::test::ExpectRefused;
  const std::string video = (directory_ / "cart.mp4").string();
  ExpectRefused({"run", "--video", (directory_ / "cart.avi").string()},
                "--video: '" + (directory_ / "cart.avi").string() +
                    "' is not a video file name: its name ends in .mp4, .gif or .webm");
  ExpectRefused({"run", "--video", video, "--size", "160x8"}, "--size: '160x8' is not WxH");
  ExpectRefused({"run", "--video", video, "--fps", "0"}, "--fps");
  ExpectRefused({"run", "--video", (directory_ / "cart.gif").string(), "--fps", "60"},
                "shows 1 to 50 frames per second, not 60");
  EXPECT_TRUE(Names().empty());

  const cli::test::Invocation unwritable = Sledway({"run", "--video", "/proc/self/cart.mp4"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_THAT(unwritable.err, HasSubstr("cannot write '/proc/self/cart.mp4'"));

  // A disk that fills during the run: the runner fails and leaves neither the video nor its
  // temporary files, nor a GIF's frames set aside.
  for (const char* name : {"full.mp4", "full.gif"}) {
    SCOPED_TRACE(name);
    const RunnerProcess run = RunRunner(
        {"run", "--steps", "40", "--video", (directory_ / name).string(), "--size", "320x240"}, 32);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Names().empty());
  }
}

// A leak of as little as a compressed frame per move would add more than the bound over the
// 4,500 moves between the two runs.
TEST_F(RunVideoTest, MemoryStaysFlatFromFiveHundredToFiveThousandSteps) {
  long peak[2] = {};
  int index = 0;
  for (const char* steps : {"500", "5000"}) {
    const RunnerProcess run = RunRunner({"run", "--steps", steps, "--video",
                                         (directory_ / "long.mp4").string(), "--size", "160x120"});
    ASSERT_EQ(run.status, 0) << steps;
    peak[index++] = run.peakKilobytes;
  }
  EXPECT_EQ(DecodeVideo(directory_ / "long.mp4").frames, 5001);
  EXPECT_LT(peak[1], peak[0] + 16 * 1024)
      << peak[0] << " KB for 500 steps, " << peak[1] << " KB for 5,000";
}

// The reading starts at the exec: before it the child is a copy of this test, whose memory
// would otherwise pass for the child's peak.
TEST(RunnerProcessTest, PeakMemoryIsTheChildsOwnNotItsParents) {
  std::vector<char> held(std::size_t{256} << 20);
  std::fill(held.begin(), held.end(), 1);
  const RunnerProcess run = RunProcess("/bin/sleep", {"0.2"});
  EXPECT_EQ(run.status, 0);
  EXPECT_GT(run.peakKilobytes, 0);
  EXPECT_LT(run.peakKilobytes, 32 * 1024) << "the forking test's memory was read";
  EXPECT_EQ(held.back(), 1);
}

}  // namespace
}  // namespace sledway::app::test
