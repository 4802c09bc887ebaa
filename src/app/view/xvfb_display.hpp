#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace sledway::app {

// A virtual X display (Xvfb) of its own for as long as the object lives, with DISPLAY pointing
// at it; the previous DISPLAY comes back after. Xvfb picks a free display number itself, so
// several of these can run side by side.
class XvfbDisplay {
 public:
  // Throws std::runtime_error when Xvfb cannot be started.
  explicit XvfbDisplay(int width = 1280, int height = 1024);
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

 private:
  pid_t server_ = -1;
  std::optional<std::string> previous_;
};

}  // namespace sledway::app
