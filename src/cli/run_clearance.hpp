#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "clearance/clearance_check.hpp"
#include "clearance/motion_sweep.hpp"
#include "cli/run_options.hpp"
#include "cli/run_report.hpp"
#include "host/application.hpp"
#include "host/component.hpp"

namespace sledway {
class CPath;
}
namespace sledway::motion {
class PathMotion;
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

// The clearance check of a run (--clearance): measured after "Position", after every move and,
// over the whole motion, on the way between two moves next to each other along the path, where
// the members stand as the run's own motion puts them from the earlier move (the add-in's
// follow motion, or the chosen roll and the train). There it steps on from each measurement no
// farther than lets a member come within the tolerance of a component it cleared
// (MotionSweep), so no contact between moves is missed. Where contact begins or ends between
// two measurements, the members are put at fractions between them, halving the gap until it
// is under 1e-12, so each contact interval's ends are the fractions where it truly begins and
// ends. Within a contact no distance bounds the step, so where the same two components part and
// touch again before the next measurement the two contacts count as one; once a contact has
// ended the motion is measured on from its end, so no contact after it is missed. The members
// are put back where the move left them. --clearance-at-moves measures at the moves (and the
// halvings) only.
//
// With a train (--train) every member that moves, the leader and each follower, is measured
// against the components that stand still and against the members behind it, so each pair of
// members is measured once.
class RunClearance {
 public:
  // Fails with UsageError naming a component that is not in the assembly or is the moving one,
  // or a tolerance that is not a length of 0 or more. `motion`: the run's roll and train, whose
  // placements the motion between moves follows; null for the add-in's own motion of the
  // leader alone. It must outlive the check.
  RunClearance(const RunOptions& options, model::AssemblyDocument& document, CPath& path,
               Ref<IVApplication> app, motion::PathMotion* motion = nullptr);

  // After "Position", at the start of travel (step 0, or Steps with FlipPath).
  void AtStart(std::int64_t step, double fraction);
  // After a move to step `step`, its columns of the row.
  MoveClearance AfterMove(std::int64_t move, std::int64_t step, double fraction);
  // The message that ends the run when --stop-at-contact asks for it: the last move touched, or
  // a contact began and ended on the way to it.
  std::optional<std::string> StopMessage() const { return stop_; }
  // The run's summary so far: open contact intervals end at the last fraction measured.
  ClearanceSummary Summary() const;
  // `measured` hears every measurement from now on, in the order made.
  void OnMeasurement(std::function<void(const ClearanceMeasurement&)> measured) {
    measured_ = std::move(measured);
  }

 private:
  using Sample = clearance::MotionSweep::Sample;
  // A contact: the moving member and the component it touches.
  using Touch = std::pair<std::string, std::string>;
  struct Measured {
    std::string moving;
    const clearance::Clearance& clearance;
  };

  // The leader's clearance in `there`, then each follower's.
  std::vector<Measured> Members(const Sample& there) const;
  std::vector<clearance::Clearance> MeasureAll();
  // The members put where the motion puts them at `fraction`, and measured there.
  Sample Probe(double fraction);
  // The least over the members in `there`: what a move's row shows.
  MoveClearance Least(const Sample& there) const;
  void Heard(const Sample& there, std::optional<std::int64_t> move) const;
  std::vector<int> Generations() const;

  void Visit(const Sample& there, bool refine, bool atMove);
  void NoteLeast(const Sample& there, bool atMove);
  // Adds `there` to the measurements on the way the nearest approach is sought among.
  void Remember(const Sample& there);
  // False when a stretch on the way could not be bounded and was left to the moves.
  bool SweepFrom(const Sample& atMove);
  void FollowApproach(std::vector<std::pair<double, double>> seen);
  // Where `touch` begins or ends between `outside` and `inside`: the fractions in contact and
  // out of it either side of the boundary, within 1e-12 of each other.
  std::pair<double, double> Boundary(double outside, double inside, const Touch& touch);
  std::set<Touch> Touches(const Sample& there) const;
  // The earliest end on the way from the last measurement to `there` of a contact that held at
  // the last and not at `there`, as Boundary gives it; none when every such contact holds.
  std::optional<std::pair<double, double>> FirstExit(const Sample& there);

  CPath& path_;
  Ref<model::Component> moving_;
  Ref<model::Component> pathComponent_;            // the component whose edges are the path, if any
  std::vector<clearance::ClearanceCheck> checks_;  // the leader's, then each follower's
  std::vector<std::string> names_;                 // of the members, in the same order
  std::optional<clearance::MotionSweep> sweep_;
  double perUnit_ = 1.0;
  bool stopAtContact_ = false;
  ClearanceSummary summary_;
  std::optional<Sample> last_;            // the last measurement along the travel
  std::optional<std::int64_t> lastStep_;  // the step of the last move
  std::vector<int> generations_;          // of the parts at the last move
  std::int64_t move_ = 0;                 // the last move, 0 for "Position"
  std::int64_t arriving_ = 0;             // the move being measured
  std::set<Touch> touching_;              // in contact at the last fraction measured
  std::map<Touch, std::size_t> open_;     // contact to its open interval in summary_
  std::set<Touch> openedOnTheWay_;        // began after the last move, before this one
  std::optional<std::string> stop_;
  // Fractions and distances measured on the way from the last move to this one, both moves and
  // the halvings of contacts' ends too.
  std::vector<std::pair<double, double>> seen_;
  std::function<void(const ClearanceMeasurement&)> measured_;
};

}  // namespace sledway::cli
