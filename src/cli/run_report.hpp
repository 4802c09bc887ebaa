#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sledway::cli {

// What a run prints before its first move.
struct RunHeader {
  std::string assembly;
  std::string lengthUnit;   // the display unit of the follow point and the path length
  double pathLength = 0.0;  // in the display unit
  std::int64_t plannedMoves = 0;
  std::string driven;       // the driven parameter's name; empty when none
  std::string drivenUnits;  // its unit text
};

// One move of a run as the runner prints it.
struct MoveRow {
  std::int64_t index = 0;  // 1 for the run's first move
  std::int64_t repetition = 0;
  int pass = 0;  // 1 out, 2 back
  std::int64_t step = 0;
  double fraction = 0.0;
  std::array<double, 3> followPoint{};  // in the display unit
  // The follow component's rotation as a unit axis and an angle in degrees (0 to 180).
  std::array<double, 3> rotationAxis{};
  double rotationAngle = 0.0;
  std::optional<double> drivenValue;
  bool recomputed = true;
  double distanceFromPath = 0.0;       // model units (cm)
  std::optional<double> misalignment;  // radians; only when a tangent line is aligned
};

// The closing check over all moves of a run, with how far the run got: a run that stopped
// early or left the assembly unrecomputed has not passed, however close the moves it made.
struct RunCheck {
  double maxDistance = 0.0;               // model units (cm)
  std::optional<double> maxMisalignment;  // radians; only when a tangent line is aligned
  double maxTravelError = 0.0;            // relative to the path's length
  bool pathChangedLength = false;         // the path's own geometry changed during the run
  std::int64_t moves = 0;                 // moves made
  std::int64_t plannedMoves = 0;
  std::int64_t recomputeFailures = 0;  // moves after which the assembly was not recomputed
  std::string failure;                 // why the run stopped early; empty when it did not
  bool passed = true;
};

}  // namespace sledway::cli
