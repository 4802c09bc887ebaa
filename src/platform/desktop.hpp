#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace sledway::platform {

// Blocks the thread for `milliseconds`.
void Sleep(std::uint32_t milliseconds);

// A modal message box with an OK button only and no icon.
void ShowMessage(const std::string& text, const std::string& title);

// Lets the host's message loop process what is pending (repaint, input) once.
void YieldToMessageLoop();

// How the services above are carried out. A host installs its own (the desktop host shows a
// message box and processes window events); without one, messages go to standard error,
// sleeping blocks the thread and a yield does nothing.
struct DesktopServices {
  std::function<void(std::uint32_t)> sleep;
  std::function<void(const std::string& text, const std::string& title)> showMessage;
  std::function<void()> yieldToMessageLoop;
};

// Installs `services` for as long as the object lives; the previous ones come back after.
class ScopedDesktopServices {
 public:
  explicit ScopedDesktopServices(DesktopServices services);
  ~ScopedDesktopServices();
  ScopedDesktopServices(const ScopedDesktopServices&) = delete;
  ScopedDesktopServices& operator=(const ScopedDesktopServices&) = delete;

 private:
  DesktopServices previous_;
};

}  // namespace sledway::platform
