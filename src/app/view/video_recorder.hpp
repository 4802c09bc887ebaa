#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/view/offscreen_view.hpp"
#include "host/object.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::app {

class VideoEncoder;
class XvfbDisplay;

// A video of a run: each Capture draws the assembly as it stands with the view of the desktop
// host, offscreen, and encodes the picture as the next frame at once, so nothing but the video
// file grows with the run. Without a display (DISPLAY unset) it starts an Xvfb of its own for
// as long as it lives. The file appears when Finish() completes it; otherwise nothing is left.
class VideoRecorder {
 public:
  // Throws std::invalid_argument for a file name or size no video takes (see VideoEncoder),
  // std::runtime_error when the file cannot be made or there is no display and no Xvfb.
  VideoRecorder(Ref<model::AssemblyDocument> document, const std::filesystem::path& file, int width,
                int height, int fps);
  ~VideoRecorder();

  // Frames encoded so far, counting each pass over a frame (VideoEncoder::OnProgress).
  void OnProgress(std::function<void(std::int64_t encoded)> progress);
  // Encoding passes per frame: the progress counts frames x this.
  int PassesPerFrame() const;
  // Where the video is written until Finish() puts it in place.
  const std::string& TemporaryPath() const;

  // Frames every picture from now on for a run (OffscreenView::Frame).
  void Frame(const RunFraming& framing);
  // Throws std::runtime_error when the picture cannot be drawn or the frame not written.
  void Capture();
  void Finish();

 private:
  std::unique_ptr<VideoEncoder> encoder_;
  std::unique_ptr<XvfbDisplay> display_;
  std::unique_ptr<OffscreenView> view_;
};

}  // namespace sledway::app
