#include <unistd.h>

#include <iostream>

#include "cli/sledway_cli.hpp"

int main(int argc, char** argv) {
  const sledway::cli::Console console{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
  return sledway::cli::RunSledway(argc, argv, console);
}
