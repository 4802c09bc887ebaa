#pragma once

#include <filesystem>
#include <memory>

#include "app/view/offscreen_view.hpp"
#include "host/object.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::app {

class XvfbDisplay;

// Pictures of a run: each Capture draws the assembly as it stands into the next file
// DIR/frame-00001.png, DIR/frame-00002.png, ... with the view of the desktop host, offscreen.
// Without a display (DISPLAY unset) it starts an Xvfb of its own for as long as it lives.
class FrameRecorder {
 public:
  // Makes the directory when it is missing. Throws std::runtime_error naming what is wrong
  // (a directory that cannot be made, no display and no Xvfb, a size that is not positive).
  FrameRecorder(Ref<model::AssemblyDocument> document, const std::filesystem::path& directory,
                int width, int height, Background background = Background::kView);
  ~FrameRecorder();

  // Frames every picture from now on for a run (OffscreenView::Frame).
  void Frame(const RunFraming& framing);
  // Throws std::runtime_error naming the file that could not be written.
  void Capture();
  // The file the next Capture writes.
  std::filesystem::path NextFile() const;

 private:
  std::filesystem::path directory_;
  int frames_ = 0;
  std::unique_ptr<XvfbDisplay> display_;
  std::unique_ptr<OffscreenView> view_;
};

}  // namespace sledway::app
