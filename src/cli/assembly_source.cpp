#include "cli/assembly_source.hpp"

#include <CLI/CLI.hpp>
#include <exception>
#include <filesystem>

#include "cli/option_checks.hpp"
#include "cli/usage_error.hpp"
#include "host/echoed_text.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/any_assembly.hpp"
#include "modelhost/files/sample_assemblies.hpp"

namespace sledway::cli {

void AddAssemblyChoice(CLI::App& command, AssemblyChoice& choice) {
  command.add_option("FILE", choice.file, "Assembly file (.json, .stp, .step)")->check(NonEmpty());
  command.add_option("--example", choice.example, "A sample assembly (see `sledway examples`)")
      ->check(NonEmpty());
}

OpenedAssembly OpenAssembly(const AssemblyChoice& choice) {
  const auto& [file, example] = choice;
  if (file && example) throw UsageError("give either an assembly FILE or --example, not both");
  try {
    if (file) {
      model::AssemblyFile opened = model::ReadAnyAssembly(*file);
      // The file's name heads listings and tables, where a control character in it must not
      // act on a terminal.
      return {opened.document, EscapedText(std::filesystem::path(*file).filename().string()),
              opened.run, opened.files};
    }
    const model::SampleAssembly sample =
        example ? model::FindSampleAssembly(*example) : model::SampleAssemblies().front();
    model::AssemblyFile opened = model::ReadSampleAssembly(sample);
    return {opened.document, sample.name, opened.run ? opened.run : sample.run, {}};
  } catch (const std::exception& error) {
    throw UsageError(error.what());
  }
}

}  // namespace sledway::cli
