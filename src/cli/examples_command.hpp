#pragma once

#include "cli/console.hpp"

namespace CLI {
class App;
}

namespace sledway::cli {

// `sledway examples`: the sample assemblies built in, the default first, with the run each
// suggests.
CLI::App* AddExamplesCommand(CLI::App& app);
int RunExamplesCommand(const Console& console);

}  // namespace sledway::cli
