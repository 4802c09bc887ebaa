#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "cli/run_options.hpp"
#include "cli/run_report.hpp"
#include "host/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "motion/path_motion.hpp"
#include "motion/speed_profile.hpp"
#include "path/path_definition.hpp"
#include "ui/run_sequences.hpp"

namespace sledway::cli {

// --roll, --profile, --train and --train-follow.
void AddMotionOptions(CLI::App& command, RunOptions& options);

// The motion of a run beyond the add-in's own, read from the options once the slots are picked.
// Every refusal (a roll without a tangent line, a zero or parallel up vector, a follower that is
// the leader, missing or given a negative distance) is a UsageError thrown before anything moves.
class RunMotionPlan {
 public:
  // `leaderFollow`: the name of the leader's follow point, which followers share by default.
  RunMotionPlan(const RunOptions& options, const model::AssemblyDocument& document,
                const Ref<IVApplication>& app, CPath& path, const std::string& leaderFollow);

  // No option asks for anything but the add-in's own moves.
  bool IsAddInOnly() const { return !motion_ && profileText_ == "linear"; }
  // After "Position": the roll starts from the leader's placement and the followers take their
  // places.
  void Start();
  // The fractions and moves to hand to RunPath.
  RunMotion Hooks();
  MotionSummary Summary() const;
  // Each follower's follow point now, in `perUnit` model units.
  std::vector<std::array<double, 3>> TrainPoints(double perUnit) const;
  // The followers of the train, none without --train.
  std::vector<motion::Follower> Train() const;
  // The roll and the train, whose placements the motion between moves follows too; null when
  // the leader alone moves by the add-in's own follow motion.
  motion::PathMotion* Motion() { return motion_.get(); }

 private:
  motion::SpeedProfile profile_;
  std::string profileText_;
  std::string rollText_;
  std::size_t followers_ = 0;
  std::unique_ptr<motion::PathMotion> motion_;
};

}  // namespace sledway::cli
