#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "clearance/clearance_check.hpp"
#include "cli/run_options.hpp"
#include "cli/run_report.hpp"
#include "host/application.hpp"

namespace sledway {
class CPath;
}
namespace sledway::model {
class AssemblyDocument;
class Component;
}  // namespace sledway::model

namespace sledway::cli {

// The contact tolerance of --clearance-tolerance: a length in the document's display unit, or
// with a unit of its own ("0.01 mm", "1e-4 in"); 0.001 mm when none is given. Throws UsageError
// for text that is no length, or a negative one. Model units (cm).
double ContactTolerance(const std::optional<std::string>& text, model::AssemblyDocument& document);

// The clearance check of a run (--clearance): measured after "Position" and after every move.
// Where contact with a component begins or ends between two neighbouring moves, the component
// is put at fractions between them, halving the gap until it is under 1e-12, so each contact
// interval's ends are the fractions where it truly begins and ends, not the moves around them.
// The component is put back where the move left it.
class RunClearance {
 public:
  // Fails with UsageError naming a component that is not in the assembly or is the moving one,
  // or a tolerance that is not a length of 0 or more.
  RunClearance(const RunOptions& options, model::AssemblyDocument& document, CPath& path,
               Ref<IVApplication> app);

  // After "Position", at the start of travel.
  void AtStart(double fraction);
  // After a move, its columns of the row.
  MoveClearance AfterMove(std::int64_t move, double fraction);
  // The message that ends the run when --stop-at-contact asks for it and the last move touched.
  std::optional<std::string> StopMessage() const;
  // The run's summary so far: open contact intervals end at the last move measured.
  ClearanceSummary Summary() const;

 private:
  clearance::Clearance MeasureAt(double fraction);
  void Follow(const clearance::Clearance& now, double fraction);
  double Boundary(double outside, double inside, const std::string& component);
  bool Neighbours(double before, double after) const;

  Ref<IVApplication> app_;
  CPath& path_;
  Ref<model::Component> moving_;
  std::optional<clearance::ClearanceCheck> check_;
  double perUnit_ = 1.0;
  bool stopAtContact_ = false;
  ClearanceSummary summary_;
  std::optional<double> lastFraction_;
  std::set<std::string> touching_;           // in contact at the last fraction measured
  std::map<std::string, std::size_t> open_;  // component to its open interval in summary_
  std::int64_t lastMove_ = 0;
  std::vector<std::string> lastContacts_;
};

}  // namespace sledway::cli
