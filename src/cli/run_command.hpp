#pragma once

#include "cli/console.hpp"
#include "cli/run_options.hpp"

namespace CLI {
class App;
}

namespace sledway::cli {

// `sledway run FILE|--example NAME [options]`: picks the path, the follow point and the tangent
// line through the add-in's picker, runs "Position" then "Run", and prints one row per move
// and the check line. Returns the exit status: 0 when every move was made, recomputed and
// passed the check, 1 when one did not. Bad input throws UsageError.
CLI::App* AddRunCommand(CLI::App& app, RunOptions& options);
int RunRunCommand(const RunOptions& options, const Console& console);

}  // namespace sledway::cli
