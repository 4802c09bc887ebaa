#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/interrupt_cleanup.hpp"
#include "cli/sledway_cli.hpp"

int main(int argc, char** argv) {
  // A reader that goes away (`sledway run | head`) makes writes fail, which the runner reports
  // with exit status 1, instead of ending it silently.
  std::signal(SIGPIPE, SIG_IGN);
  sledway::cli::EndCleanlyOnInterrupt();
  const sledway::cli::Console console{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
  return sledway::cli::RunSledway(argc, argv, console);
}
