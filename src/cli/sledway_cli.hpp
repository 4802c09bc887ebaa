#pragma once

#include "cli/console.hpp"

namespace sledway::cli {

// The `sledway` command line: parses the arguments, runs the command and returns the exit
// status: 0 on success, 1 when a move failed, 2 for bad input (with a message naming it).
int RunSledway(int argc, const char* const* argv, const Console& console);

}  // namespace sledway::cli
