#include "cli/video_output.hpp"

#include <stdexcept>
#include <string>

#include "cli/option_checks.hpp"
#include "cli/usage_error.hpp"
#include "modelhost/component/component.hpp"
#include "motion/path_bounds.hpp"
#include "motion/path_curve.hpp"

namespace sledway::cli {

void AddVideoOptions(CLI::App& command, RunOptions& options) {
  command
      .add_option("--video", options.video,
                  "Record the view after \"Position\" and after every move as a video: MP4 "
                  "(H.264), GIF or WebM (VP9) by the file's extension (starts an Xvfb when "
                  "there is no display)")
      ->check(NonEmpty());
  command.add_option("--fps", options.fps, "Frames per second of the video")
      ->check(CLI::Range(1, 240))
      ->capture_default_str();
  command
      .add_option("--camera", options.camera,
                  "Where the pictures and the video look from: iso, front, top or right, fitted "
                  "to the whole travel of every moving component, or follow (as iso, keeping the "
                  "leader in the middle)")
      ->check(CLI::IsMember({"iso", "front", "top", "right", "follow"}))
      ->capture_default_str();
  command
      .add_option("--background", options.background,
                  "The background of the --frames pictures: view, or transparent (alpha 0 where "
                  "nothing is drawn, no axis triad)")
      ->check(CLI::IsMember({"view", "transparent"}))
      ->capture_default_str();
}

void CheckFramingOptions(const RunOptions& options) {
  if (options.camera != "iso" && !options.frames && !options.video) {
    throw UsageError("--camera " + options.camera +
                     ": no picture to frame; give --frames or --video");
  }
  if (options.background == "transparent" && !options.frames) {
    throw UsageError(
        "--background transparent: only the PNG pictures of --frames can be transparent (a video "
        "keeps the view's background); give --frames");
  }
}

app::RunFraming FramingOf(const RunOptions& options, CPath& path, const gp_Pnt& leaderFollow,
                          const std::vector<motion::Follower>& train) {
  app::RunFraming framing;
  const std::string& camera = options.camera;
  framing.camera = camera == "front"    ? app::CameraView::kFront
                   : camera == "top"    ? app::CameraView::kTop
                   : camera == "right"  ? app::CameraView::kRight
                   : camera == "follow" ? app::CameraView::kFollow
                                        : app::CameraView::kIso;
  framing.path = motion::PathBounds(motion::PathCurve(path));
  framing.travellers.push_back(
      {std::dynamic_pointer_cast<model::Component>(path.FollowComponent()), leaderFollow});
  for (const motion::Follower& follower : train) {
    framing.travellers.push_back(
        {std::dynamic_pointer_cast<model::Component>(follower.component), follower.followPoint});
  }
  return framing;
}

std::unique_ptr<app::VideoRecorder> MakeVideoRecorder(const std::string& file, int fps,
                                                      const Ref<model::AssemblyDocument>& document,
                                                      int width, int height) {
  try {
    return std::make_unique<app::VideoRecorder>(document, file, width, height, fps);
  } catch (const std::invalid_argument& error) {
    throw UsageError(std::string("--video: ") + error.what());
  }
}

}  // namespace sledway::cli
