#pragma once

#include <optional>
#include <string>

#include "cli/run_options.hpp"
#include "modelhost/files/suggested_run.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::cli {

// The parameter a run drives, from one value to the other in its own units.
struct DriveChoice {
  std::string parameter;
  std::string units;
  double from = 0.0;
  double to = 0.0;
};

// The drive of a run: --drive NAME (or `none`), else the one the assembly suggests. The values
// are --from and --to, else the suggestion's for the same parameter, else what the tool window
// proposes when a parameter is chosen: its value now, and that plus 10. Throws UsageError for
// a parameter that does not exist or reads other parameters (it could not be driven), and for
// --from or --to without a parameter to drive.
std::optional<DriveChoice> ChooseDrive(model::AssemblyDocument& document, const RunOptions& options,
                                       const std::optional<model::SuggestedRun>& suggested);

}  // namespace sledway::cli
