#pragma once

#include <exception>
#include <string>

#include "platform/desktop.hpp"

namespace sledway {

// Runs a handler that the window system calls. A failure it throws is shown in a message box
// titled "Sledway" in the failing call's own words, and goes no further: an exception must not
// unwind through the window system's event dispatch. Returns whether the handler succeeded.
template <class Handler>
bool ReportingFailures(Handler&& handler) {
  std::string failure;
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    failure = error.what();
  } catch (...) {
    failure = "an unexpected failure";
  }
  platform::ShowMessage(failure, "Sledway");
  return false;
}

}  // namespace sledway
