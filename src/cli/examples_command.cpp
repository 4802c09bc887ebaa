#include "cli/examples_command.hpp"

#include <CLI/CLI.hpp>

#include "modelhost/files/sample_assemblies.hpp"

namespace sledway::cli {

CLI::App* AddExamplesCommand(CLI::App& app) {
  return app.add_subcommand("examples", "List the sample assemblies built in");
}

int RunExamplesCommand(const Console& console) {
  bool first = true;
  for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
    console.out << sample.name << (first ? " (default)" : "") << ": " << sample.description << '\n'
                << "  --path " << sample.run.path << " --follow " << sample.run.follow;
    if (!sample.run.tangent.empty()) console.out << " --tangent " << sample.run.tangent;
    if (sample.run.drive) {
      console.out << " --drive " << sample.run.drive->parameter << " --from "
                  << sample.run.drive->from << " --to " << sample.run.drive->to;
    }
    console.out << '\n';
    first = false;
  }
  return 0;
}

}  // namespace sledway::cli
