#pragma once

#include <optional>
#include <string>

#include "cli/console.hpp"

namespace CLI {
class App;
}

namespace sledway::cli {

struct InspectOptions {
  std::optional<std::string> file;
  std::optional<std::string> example;
};

// `sledway inspect FILE|--example NAME`: what an assembly holds, under the names the run
// command takes: components, sketches and their curves, vertices, edges with their kind and
// length, work features, and the parameters that can be driven.
CLI::App* AddInspectCommand(CLI::App& app, InspectOptions& options);
int RunInspectCommand(const InspectOptions& options, const Console& console);

}  // namespace sledway::cli
