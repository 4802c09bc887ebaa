#include "app/view/xvfb_display.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace sledway::app {

XvfbDisplay::XvfbDisplay(int width, int height) {
  int pipe[2];
  if (::pipe(pipe) != 0) throw std::runtime_error("cannot start Xvfb: no pipe");
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string displayFd = std::to_string(pipe[1]);
  server_ = ::fork();
  if (server_ == 0) {
    ::close(pipe[0]);
    // The server ends with the program that started it, even one that is killed.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Xvfb reports the display numbers it passes over on its way to a free one: noise here.
    const int quiet = ::open("/dev/null", O_WRONLY);
    if (quiet >= 0) ::dup2(quiet, STDERR_FILENO);
    ::execlp("Xvfb", "Xvfb", "-displayfd", displayFd.c_str(), "-screen", "0", screen.c_str(),
             "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipe[1]);
  if (server_ < 0) {
    ::close(pipe[0]);
    throw std::runtime_error("cannot start Xvfb: fork failed");
  }
  // Xvfb writes its display number once it accepts connections.
  std::string number;
  pollfd ready{pipe[0], POLLIN, 0};
  while (::poll(&ready, 1, 20000) > 0) {
    char c = 0;
    if (::read(pipe[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  ::close(pipe[0]);
  if (number.empty()) {
    ::kill(server_, SIGTERM);
    ::waitpid(server_, nullptr, 0);
    throw std::runtime_error("cannot start Xvfb (is the xvfb package installed?)");
  }
  if (const char* display = std::getenv("DISPLAY")) previous_ = display;
  ::setenv("DISPLAY", (":" + number).c_str(), 1);
}

XvfbDisplay::~XvfbDisplay() {
  previous_ ? ::setenv("DISPLAY", previous_->c_str(), 1) : ::unsetenv("DISPLAY");
  ::kill(server_, SIGTERM);
  ::waitpid(server_, nullptr, 0);
}

}  // namespace sledway::app
