#include "app/view/video_recorder.hpp"

#include <cstdlib>

#include "app/video/video_encoder.hpp"
#include "app/view/offscreen_view.hpp"
#include "app/view/picture_pixels.hpp"
#include "app/view/xvfb_display.hpp"

namespace sledway::app {

VideoRecorder::VideoRecorder(Ref<model::AssemblyDocument> document,
                             const std::filesystem::path& file, int width, int height, int fps)
    // The file first: a name or size that no video takes is refused before Xvfb starts.
    : encoder_(std::make_unique<VideoEncoder>(file, width, height, fps)) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) display_ = std::make_unique<XvfbDisplay>(width, height);
  view_ = std::make_unique<OffscreenView>(std::move(document), width, height);
}

VideoRecorder::~VideoRecorder() {
  // The view lets go of its display connection before the display goes.
  view_.reset();
}

void VideoRecorder::OnProgress(std::function<void(std::int64_t)> progress) {
  encoder_->OnProgress(std::move(progress));
}

int VideoRecorder::PassesPerFrame() const {
  return encoder_->PassesPerFrame();
}

void VideoRecorder::Frame(const RunFraming& framing) {
  view_->Frame(framing);
}

void VideoRecorder::Capture() {
  encoder_->Add(PixelsOf(view_->Draw()));
}

const std::string& VideoRecorder::TemporaryPath() const {
  return encoder_->TemporaryPath();
}

void VideoRecorder::Finish() {
  encoder_->Finish();
}

}  // namespace sledway::app
