#pragma once

#include <vector>

#include "cli/run_report.hpp"

namespace sledway::app {

// The clearance of a run of the "Motion" panel as the runner's --clearance measures it: every
// measurement in the order made (at "Position", at the moves and on the way between them), and
// what they found: the least, the contact intervals and what the measurements covered.
struct RunClearanceRecord {
  std::vector<cli::ClearanceMeasurement> measurements;
  cli::ClearanceSummary summary;
};

}  // namespace sledway::app
