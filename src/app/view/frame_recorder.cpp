#include "app/view/frame_recorder.hpp"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include "app/view/offscreen_view.hpp"
#include "app/view/xvfb_display.hpp"

namespace sledway::app {

FrameRecorder::FrameRecorder(Ref<model::AssemblyDocument> document,
                             const std::filesystem::path& directory, int width, int height,
                             Background background)
    : directory_(directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error || !std::filesystem::is_directory(directory)) {
    throw std::runtime_error("cannot make the directory " + directory.string() +
                             (error ? ": " + error.message() : ""));
  }
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) display_ = std::make_unique<XvfbDisplay>(width, height);
  view_ = std::make_unique<OffscreenView>(std::move(document), width, height, background);
}

FrameRecorder::~FrameRecorder() {
  // The view lets go of its display connection before the display goes.
  view_.reset();
}

void FrameRecorder::Frame(const RunFraming& framing) {
  view_->Frame(framing);
}

void FrameRecorder::Capture() {
  view_->SavePicture(NextFile());
  ++frames_;
}

std::filesystem::path FrameRecorder::NextFile() const {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%05d.png", frames_ + 1);
  return directory_ / name;
}

}  // namespace sledway::app
