#pragma once

#include "cli/assembly_source.hpp"
#include "cli/console.hpp"

namespace CLI {
class App;
}

namespace sledway::cli {

// `sledway inspect FILE|--example NAME`: what an assembly holds, under the names the run
// command takes: components, sketches and their curves, vertices, edges with their kind and
// length, work features, and the parameters that can be driven.
CLI::App* AddInspectCommand(CLI::App& app, AssemblyChoice& assembly);
int RunInspectCommand(const AssemblyChoice& assembly, const Console& console);

}  // namespace sledway::cli
