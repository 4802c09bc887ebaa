#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "host/application.hpp"
#include "host/document.hpp"

namespace sledway {

class CPath;

// The text of the message box that ends a run whose move failed.
inline constexpr const char* kMoveFailedMessage =
    "Error updating assembly, check constraints on follow component";
// The title of every message box of Sledway.
inline constexpr const char* kMessageTitle = "Sledway";

// How "Position" or "Run" ended.
enum class MotionEnd {
  kCompleted,
  // A move failed: the message kMoveFailedMessage was shown.
  kMoveFailed,
  // Something besides a move failed (looking up or writing the driven parameter, hiding or
  // showing the path's component, the recompute of "Position", a pause too long to wait): the
  // failure's own text was shown.
  kFailed,
  // Stopped from outside (the host's session ending): nothing was shown.
  kStopped,
};

// The end of "Position" or "Run" asked from outside, when the host's session ends while the
// motion is under way (the host deactivating the add-in from inside one of its calls). Request
// puts back at once what the run hid, while the host's objects are still held; the motion then
// ends before its next move and shows no message, whatever fails after.
class MotionStop {
 public:
  void Request();
  bool Requested() const { return requested_; }
  // What Request puts back: the run registers it when it hides something, and clears it (null)
  // once it has put it back itself.
  void PutBackOnRequest(std::function<void()> putBack) { putBack_ = std::move(putBack); }

 private:
  bool requested_ = false;
  std::function<void()> putBack_;
};

struct MotionOutcome {
  MotionEnd end = MotionEnd::kCompleted;
  // Moves that returned normally.
  std::int64_t moves = 0;
  // Moves whose recompute failed (the path raised UpdateError); the run went on after them.
  std::int64_t recomputeFailures = 0;
  // What failed, in the failing call's own words, when `end` is not kCompleted.
  std::string failure;
};

// One move of a run, as an observer of the run hears it after the move returned.
struct RunMove {
  std::int64_t index = 0;       // 1 for the run's first move
  std::int64_t repetition = 0;  // 1 to Reps
  int pass = 0;                 // 1 for the first pass, 2 for the way back of Start/End/Start
  std::int64_t step = 0;        // j: the move went to the fraction step / Steps
  double fraction = 0.0;
  std::optional<double> drivenValue;  // the value written to the driven parameter before it
  bool recomputed = true;             // false when the recompute after the move failed
};

using RunObserver = std::function<void(const RunMove&)>;

// Moves of a run other than the add-in's own, for the hosts' run options: the fraction that
// step j of Steps goes to (the drive value follows it), and the move itself, which reports a
// failed recompute through the path's UpdateError as CPath::MoveToPointOnPath does. What is
// left empty stays the add-in's: j / Steps, and MoveToPointOnPath.
struct RunMotion {
  std::function<double(std::int64_t step, std::int64_t steps)> fractionAt;
  std::function<void(double fraction)> moveTo;
};

// "Position": puts the follow component at the start of travel (the path's start, or its end
// with FlipPath), writes DriveFrom to the driven parameter when there is one, and recomputes
// `document`. A failure ends the action at once and is shown in a message box titled "Sledway"
// (kMoveFailedMessage for the move itself). The caller enables "Run" once `moves` is 1.
// `stop`, when given, ends the action early as MotionStop tells.
MotionOutcome PositionAtStart(const Ref<IVApplication>& app,
                              const Ref<IVAssemblyDocument>& document, CPath& path,
                              MotionStop* stop = nullptr);

// "Run": Reps repetitions of Steps moves out (and as many back with SES), each after writing
// the drive value and followed by the pause, with the path's component hidden throughout when
// HidePath is set. A failed move shows kMoveFailedMessage once and ends the run; any other
// failure shows its own text and ends the run too. However the run ends, the path's component
// is shown again. `observer` hears every move that returned; a failure it throws ends the run
// like any other. `motion` replaces the add-in's fractions or moves. `stop`, when given, ends the
// run early as MotionStop tells.
MotionOutcome RunPath(const Ref<IVApplication>& app, const Ref<IVAssemblyDocument>& document,
                      CPath& path, const RunObserver& observer = {}, const RunMotion& motion = {},
                      MotionStop* stop = nullptr);

}  // namespace sledway
