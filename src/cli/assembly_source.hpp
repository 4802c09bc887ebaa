#pragma once

#include <optional>
#include <string>

#include "host/object.hpp"
#include "modelhost/files/suggested_run.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::cli {

// An assembly the runner works on, with what it is called and the run it suggests.
struct OpenedAssembly {
  Ref<model::AssemblyDocument> document;
  std::string name;
  std::optional<model::SuggestedRun> run;
};

// Opens the assembly file `file` (JSON or STEP) or the sample `example`; with neither, the
// default sample. Throws UsageError naming what is wrong (both given, an unknown sample, a
// file that does not load).
OpenedAssembly OpenAssembly(const std::optional<std::string>& file,
                            const std::optional<std::string>& example);

}  // namespace sledway::cli
