#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/object.hpp"
#include "modelhost/files/suggested_run.hpp"

namespace CLI {
class App;
}
namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::cli {

// An assembly the runner works on, with what it is called and the run it suggests.
struct OpenedAssembly {
  Ref<model::AssemblyDocument> document;
  std::string name;
  std::optional<model::SuggestedRun> run;
  std::vector<std::filesystem::path> files;  // every file read; none for a sample
};

// Which assembly a command works on: an assembly file or a sample, as the user named it.
struct AssemblyChoice {
  std::optional<std::string> file;
  std::optional<std::string> example;
};

// Adds the FILE argument and the --example option of a command that opens an assembly.
void AddAssemblyChoice(CLI::App& command, AssemblyChoice& choice);

// Opens the assembly file (JSON or STEP) or the sample of `choice`; with neither, the default
// sample. Throws UsageError naming what is wrong (both given, an unknown sample, a file that
// does not load).
OpenedAssembly OpenAssembly(const AssemblyChoice& choice);

}  // namespace sledway::cli
