#include "ui/run_sequences.hpp"

#include <exception>
#include <utility>

#include "host/parameters.hpp"
#include "path/path_definition.hpp"
#include "platform/desktop.hpp"
#include "ui/drive_value.hpp"
#include "ui/pause.hpp"

namespace sledway {
namespace {

// Runs `action`. A failure it throws is recorded in `outcome` as `failureEnd` and shown to the
// user: a failed move with the fixed move message, anything else in its own words. Returns
// whether the action succeeded.
template <class Action>
bool Attempt(Action&& action, MotionEnd failureEnd, MotionOutcome& outcome) {
  std::string failure;
  try {
    std::forward<Action>(action)();
    return true;
  } catch (const std::exception& error) {
    failure = error.what();
  } catch (...) {
    failure = "an unexpected failure";
  }
  if (outcome.end == MotionEnd::kCompleted) {
    outcome.end = failureEnd;
    outcome.failure = failure;
  }
  platform::ShowMessage(failureEnd == MotionEnd::kMoveFailed ? kMoveFailedMessage : failure,
                        kMessageTitle);
  return false;
}

Ref<IVParameter> DrivenParameter(const Ref<IVAssemblyDocument>& document, const std::string& name) {
  return document->GetDefinition()->GetParameters()->Item(name);
}

void WriteDriveValue(const Ref<IVParameter>& parameter, double value) {
  parameter->Expression(DriveExpression(value, parameter->Units()));
}

// Hides or shows the path's component when the path asks for hiding. A path without a
// component (a sketch of the assembly itself) has nothing to hide.
void SetPathComponentVisible(CPath& path, bool visible) {
  if (!path.HidePath()) return;
  if (const Ref<IVComponent> parent = path.PathParent()) parent->Visible(visible);
}

// The values j takes in one pass: from `first` to `last` in steps of `step` (+1 or -1).
struct PassBounds {
  std::int64_t first;
  std::int64_t last;
  std::int64_t step;

  bool Contains(std::int64_t j) const { return step > 0 ? j <= last : j >= last; }
};

// The moves of one "Run", repetition after repetition.
class RunLoop {
 public:
  RunLoop(const Ref<IVApplication>& app, CPath& path, const RunObserver& observer,
          const RunMotion& motion, MotionOutcome& outcome)
      : app_(app), path_(path), observer_(observer), motion_(motion), outcome_(outcome) {}

  // Throws what fails outside the moves; returns normally after a failed move, which has
  // already been shown and recorded.
  void Run(const Ref<IVAssemblyDocument>& document) {
    const std::int64_t steps = path_.Steps();
    const PassBounds forward{1, steps, +1};
    const PassBounds backward{steps - 1, 0, -1};
    const PassBounds out = path_.FlipPath() ? backward : forward;
    const PassBounds back = path_.FlipPath() ? forward : backward;
    if (!path_.Driven().empty()) parameter_ = DrivenParameter(document, path_.Driven());

    const std::int64_t reps = path_.Reps();
    for (std::int64_t repetition = 1; repetition <= reps; ++repetition) {
      std::int64_t k = 1;
      for (std::int64_t j = out.first; out.Contains(j); j += out.step) {
        std::optional<double> value;
        if (parameter_) value = DriveValueAt(k++);
        if (!Move(repetition, 1, j, value)) return;
      }
      if (parameter_) --k;
      if (!path_.SES()) continue;
      for (std::int64_t j = back.first; back.Contains(j); j += back.step) {
        std::optional<double> value;
        if (parameter_) value = DriveValueAt(--k);
        if (!Move(repetition, 2, j, value)) return;
      }
    }
  }

 private:
  double Fraction(std::int64_t j) const {
    if (motion_.fractionAt) return motion_.fractionAt(j, path_.Steps());
    return static_cast<double>(j) / static_cast<double>(path_.Steps());
  }

  // The drive value follows the fraction of drive step k.
  double DriveValueAt(std::int64_t k) const {
    if (!motion_.fractionAt)
      return DriveValue(k, path_.Steps(), path_.DriveFrom(), path_.DriveTo());
    return Fraction(k) * (path_.DriveTo() - path_.DriveFrom()) + path_.DriveFrom();
  }

  // One move with its drive value and pause; false when the move failed and the run ends.
  bool Move(std::int64_t repetition, int pass, std::int64_t j, std::optional<double> value) {
    if (value) WriteDriveValue(parameter_, *value);
    const double fraction = Fraction(j);
    bool recomputed = true;
    const Connection updateError = path_.UpdateError.Connect([&recomputed] { recomputed = false; });
    const bool moved = Attempt(
        [&] {
          if (motion_.moveTo) {
            motion_.moveTo(fraction);
          } else {
            path_.MoveToPointOnPath(app_, fraction);
          }
        },
        MotionEnd::kMoveFailed, outcome_);
    if (!moved) return false;
    ++outcome_.moves;
    if (!recomputed) ++outcome_.recomputeFailures;
    if (observer_) {
      observer_(RunMove{.index = outcome_.moves,
                        .repetition = repetition,
                        .pass = pass,
                        .step = j,
                        .fraction = fraction,
                        .drivenValue = value,
                        .recomputed = recomputed});
    }
    PauseAfterMove(path_.Pause());
    return true;
  }

  const Ref<IVApplication>& app_;
  CPath& path_;
  const RunObserver& observer_;
  const RunMotion& motion_;
  MotionOutcome& outcome_;
  Ref<IVParameter> parameter_;
};

}  // namespace

MotionOutcome PositionAtStart(const Ref<IVApplication>& app,
                              const Ref<IVAssemblyDocument>& document, CPath& path) {
  MotionOutcome outcome;
  bool recomputed = true;
  const Connection updateError = path.UpdateError.Connect([&recomputed] { recomputed = false; });
  if (!Attempt([&] { path.MoveToPointOnPath(app, -1.0); }, MotionEnd::kMoveFailed, outcome)) {
    return outcome;
  }
  outcome.moves = 1;
  if (!recomputed) outcome.recomputeFailures = 1;
  Attempt(
      [&] {
        if (!path.Driven().empty()) {
          WriteDriveValue(DrivenParameter(document, path.Driven()), path.DriveFrom());
        }
        document->Update();
      },
      MotionEnd::kFailed, outcome);
  return outcome;
}

MotionOutcome RunPath(const Ref<IVApplication>& app, const Ref<IVAssemblyDocument>& document,
                      CPath& path, const RunObserver& observer, const RunMotion& motion) {
  MotionOutcome outcome;
  Attempt(
      [&] {
        SetPathComponentVisible(path, false);
        RunLoop(app, path, observer, motion, outcome).Run(document);
      },
      MotionEnd::kFailed, outcome);
  // However the run ended, the path's component comes back.
  Attempt([&] { SetPathComponentVisible(path, true); }, MotionEnd::kFailed, outcome);
  return outcome;
}

}  // namespace sledway
