#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/desktop/run_clearance_record.hpp"
#include "host/object.hpp"
#include "modelhost/files/suggested_run.hpp"
#include "ui/run_sequences.hpp"

namespace sledway {
class CPath;
}
namespace sledway::cli {
class RunClearance;
class RunMotionPlan;
}  // namespace sledway::cli
namespace sledway::model {
class Application;
class AssemblyDocument;
}  // namespace sledway::model

namespace sledway::app {

// The run settings of the desktop's "Motion" panel, as its fields hold them.
struct MotionSettings {
  std::string roll = "add-in";  // add-in, minimal or up
  std::string up = "0,0,1";     // X,Y,Z of the up vector, for the up roll
  std::string profile = "linear";
  std::string ramp = "0.25";       // A of trapezoid:A
  std::vector<std::string> train;  // NAME:DISTANCE of each follower
  // Each follower's follow point, in the order of `train`; none for the leader's follow point
  // of the same name on each.
  std::vector<std::string> trainFollow;
  int steps = 50;
};

// The desktop's own run of the path, follow point, tangent line and drive the assembly
// suggests, with the motion of `settings`: "Position", then "Run" of one pass out.
class SuggestedMotionRun {
 public:
  // Picks the slots and reads the settings. Settings that cannot be run (a roll without a
  // tangent line, an up vector that is zero or parallel to the path's tangent at a move, a
  // follower that is the leader or missing, ...) throw std::runtime_error with the message to
  // show, before anything moves.
  SuggestedMotionRun(Ref<model::Application> app, Ref<model::AssemblyDocument> document,
                     const model::SuggestedRun& suggested, const MotionSettings& settings);
  ~SuggestedMotionRun();

  // "Position", and the roll and the train set off from there; a failure is shown as the
  // add-in shows it.
  MotionOutcome Position();
  MotionOutcome Run(const RunObserver& observer = {});
  // The roll's twist after one loop of a closed path under the minimal roll, in degrees.
  std::optional<double> HolonomyDegrees() const;

  // Before "Position": the run's clearance is measured too, over the whole motion, from
  // "Position" on. `probing` hears true when the measurements after a move begin and false when
  // they end: the placements they make on the way between moves are no moves of the run.
  void MeasureClearance(std::function<void(bool probing)> probing);
  // What the clearance measured so far; none unless MeasureClearance asked for it.
  std::optional<RunClearanceRecord> Clearance() const;

 private:
  Ref<model::Application> app_;
  Ref<model::AssemblyDocument> document_;
  Ref<CPath> path_;
  std::unique_ptr<cli::RunMotionPlan> plan_;
  std::unique_ptr<cli::RunClearance> clearance_;
  std::vector<cli::ClearanceMeasurement> measurements_;
  std::function<void(bool)> probing_;
};

}  // namespace sledway::app
