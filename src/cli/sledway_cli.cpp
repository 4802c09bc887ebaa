#include "cli/sledway_cli.hpp"

#include <CLI/CLI.hpp>
#include <exception>
#include <string>

#include "cli/examples_command.hpp"
#include "cli/inspect_command.hpp"
#include "cli/run_command.hpp"
#include "cli/usage_error.hpp"

namespace sledway::cli {
namespace {

constexpr int kFailed = 1;
constexpr int kBadInput = 2;

// A message as it may go to a terminal: names and values it quotes come from files and the
// command line, and a control character among them must not act on the terminal.
std::string Printable(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\n') || byte == 0x7f) c = '?';
  }
  return text;
}

}  // namespace

int RunSledway(int argc, const char* const* argv, const Console& console) {
  CLI::App app("Sledway: make a component of an assembly follow a path", "sledway");
  app.require_subcommand(1);
  AssemblyChoice inspectAssembly;
  RunOptions runOptions;
  CLI::App* examples = AddExamplesCommand(app);
  CLI::App* inspect = AddInspectCommand(app, inspectAssembly);
  CLI::App* run = AddRunCommand(app, runOptions);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error, console.out, console.err);
    return status == 0 ? 0 : kBadInput;
  }
  try {
    int status = kBadInput;
    if (examples->parsed()) status = RunExamplesCommand(console);
    if (inspect->parsed()) status = RunInspectCommand(inspectAssembly, console);
    if (run->parsed()) status = RunRunCommand(runOptions, console);
    // Output lost on a full disk or a closed pipe is a failure, whatever the command made of it.
    if (!console.out.flush()) {
      console.err << "sledway: standard output cannot be written\n";
      return kFailed;
    }
    return status;
  } catch (const UsageError& error) {
    console.err << "sledway: " << Printable(error.what()) << '\n';
    return kBadInput;
  } catch (const std::exception& error) {
    console.err << "sledway: " << Printable(error.what()) << '\n';
    return kFailed;
  }
}

}  // namespace sledway::cli
