#include "cli/video_output.hpp"

#include <stdexcept>
#include <string>

#include "cli/option_checks.hpp"
#include "cli/usage_error.hpp"

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
