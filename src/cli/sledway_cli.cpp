#include "cli/sledway_cli.hpp"

#include <CLI/CLI.hpp>
#include <exception>
#include <string>

#include "cli/examples_command.hpp"
#include "cli/inspect_command.hpp"
#include "cli/run_command.hpp"
#include "cli/usage_error.hpp"
#include "host/echoed_text.hpp"

namespace sledway::cli {
namespace {

constexpr int kFailed = 1;
constexpr int kBadInput = 2;

// CLI11's own messages quote the arguments they refuse, which may be long or hold anything:
// such a message is escaped, and cut where CLI11's words and an echo of a sensible length would
// long have ended. Like every other message of the runner it is one line after "sledway: ".
std::string FailureMessage(const CLI::App* app, const CLI::Error& error) {
  std::string message = "sledway: " + EscapedText(error.what(), 4 * kEchoLimit);
  if (const CLI::Option* help = app->get_help_ptr()) {
    message += " (run with " + help->get_name() + " for more information)";
  }
  return message + "\n";
}

}  // namespace

int RunSledway(int argc, const char* const* argv, const Console& console) {
  CLI::App app("Sledway: make a component of an assembly follow a path", "sledway");
  app.require_subcommand(1);
  app.failure_message(FailureMessage);
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
    // Messages quote names and values from files and the command line, and a control character
    // among them must not act on the terminal. No message of the runner spans lines, so a
    // newline is escaped too.
    console.err << "sledway: " << EscapedText(error.what()) << '\n';
    return kBadInput;
  } catch (const std::exception& error) {
    console.err << "sledway: " << EscapedText(error.what()) << '\n';
    return kFailed;
  }
}

}  // namespace sledway::cli
