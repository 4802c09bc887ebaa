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

bool StopRequested(const MotionStop* stop) {
  return stop != nullptr && stop->Requested();
}

// Runs `action`. A failure it throws is recorded in `outcome` as `failureEnd` and shown to the
// user: a failed move with the fixed move message, anything else in its own words. Once a stop is
// requested a failure ends the motion as stopped, unshown: the host's objects are gone by then.
// Returns whether the action succeeded.
template <class Action>
bool Attempt(Action&& action, MotionEnd failureEnd, MotionOutcome& outcome,
             const MotionStop* stop) {
  std::string failure;
  try {
    std::forward<Action>(action)();
    return true;
  } catch (const std::exception& error) {
    failure = error.what();
  } catch (...) {
    failure = "an unexpected failure";
  }
  if (StopRequested(stop)) failureEnd = MotionEnd::kStopped;
  if (outcome.end == MotionEnd::kCompleted) {
    outcome.end = failureEnd;
    outcome.failure = failure;
  }
  if (failureEnd == MotionEnd::kStopped) return false;
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
          const RunMotion& motion, MotionOutcome& outcome, const MotionStop* stop)
      : app_(app),
        path_(path),
        observer_(observer),
        motion_(motion),
        outcome_(outcome),
        stop_(stop) {}

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

  // One move with its drive value and pause; false when the move failed or a stop was requested,
  // and the run ends.
  bool Move(std::int64_t repetition, int pass, std::int64_t j, std::optional<double> value) {
    if (Stopped()) return false;
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
        MotionEnd::kMoveFailed, outcome_, stop_);
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
    if (Stopped()) return false;
    PauseAfterMove(path_.Pause());
    return true;
  }

  bool Stopped() {
    if (!StopRequested(stop_)) return false;
    if (outcome_.end == MotionEnd::kCompleted) outcome_.end = MotionEnd::kStopped;
    return true;
  }

  const Ref<IVApplication>& app_;
  CPath& path_;
  const RunObserver& observer_;
  const RunMotion& motion_;
  MotionOutcome& outcome_;
  const MotionStop* stop_;
  Ref<IVParameter> parameter_;
};

}  // namespace

void MotionStop::Request() {
  requested_ = true;
  if (const auto putBack = std::exchange(putBack_, nullptr)) {
    try {
      putBack();
    } catch (...) {
      // The session is ending: there is no one left to tell.
    }
  }
}

MotionOutcome PositionAtStart(const Ref<IVApplication>& app,
                              const Ref<IVAssemblyDocument>& document, CPath& path,
                              MotionStop* stop) {
  MotionOutcome outcome;
  bool recomputed = true;
  const Connection updateError = path.UpdateError.Connect([&recomputed] { recomputed = false; });
  if (!Attempt([&] { path.MoveToPointOnPath(app, -1.0); }, MotionEnd::kMoveFailed, outcome, stop)) {
    return outcome;
  }
  outcome.moves = 1;
  if (!recomputed) outcome.recomputeFailures = 1;
  if (StopRequested(stop)) {
    outcome.end = MotionEnd::kStopped;
    return outcome;
  }
  Attempt(
      [&] {
        if (!path.Driven().empty()) {
          WriteDriveValue(DrivenParameter(document, path.Driven()), path.DriveFrom());
        }
        document->Update();
      },
      MotionEnd::kFailed, outcome, stop);
  return outcome;
}

MotionOutcome RunPath(const Ref<IVApplication>& app, const Ref<IVAssemblyDocument>& document,
                      CPath& path, const RunObserver& observer, const RunMotion& motion,
                      MotionStop* stop) {
  MotionOutcome outcome;
  Attempt(
      [&] {
        if (stop != nullptr)
          stop->PutBackOnRequest([&path] { SetPathComponentVisible(path, true); });
        SetPathComponentVisible(path, false);
        RunLoop(app, path, observer, motion, outcome, stop).Run(document);
      },
      MotionEnd::kFailed, outcome, stop);
  // However the run ended, the path's component comes back: here, or by the stop at its request.
  if (StopRequested(stop)) return outcome;
  if (stop != nullptr) stop->PutBackOnRequest(nullptr);
  Attempt([&] { SetPathComponentVisible(path, true); }, MotionEnd::kFailed, outcome, stop);
  return outcome;
}

}  // namespace sledway
