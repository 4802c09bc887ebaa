#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "modelhost/files/assembly_file.hpp"
#include "modelhost/files/suggested_run.hpp"

namespace sledway::model {

// A sample assembly built into the program: its name, what it shows, its JSON text and the
// slots of the run it suggests.
struct SampleAssembly {
  std::string name;
  std::string description;
  std::string json;
  SuggestedRun run;
};

// The samples, the default one ("cart") first.
std::vector<SampleAssembly> SampleAssemblies();

// The sample of that name; fails with an AssemblyFileError naming it and the samples there are.
SampleAssembly FindSampleAssembly(std::string_view name);

// Opens a sample as if from the file "<name>.json".
AssemblyFile ReadSampleAssembly(const SampleAssembly& sample);

}  // namespace sledway::model
