#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sledway::cli {

// What a run prints before its first move.
struct RunHeader {
  std::string assembly;
  std::string lengthUnit;   // the display unit of the follow point and the path length
  double pathLength = 0.0;  // in the display unit
  std::int64_t plannedMoves = 0;
  std::string driven;       // the driven parameter's name; empty when none
  std::string drivenUnits;  // its unit text
  bool clearance = false;   // the moves carry clearance columns
};

// How close the moving component came to the others after a move (--clearance).
struct MoveClearance {
  std::optional<double> distance;  // in the display unit; none when nothing was measured
  // No other component is nearer than this (in the display unit): the meshes' bound, within
  // their deflections below `distance`; none when nothing was measured.
  std::optional<double> bound;
  std::string nearest;  // the nearest component's name
  std::string moving;   // the moving component nearest it: the leader or a follower
  bool contact = false;
};

// One measurement of a run's clearance: at "Position", at a move, or on the way between two
// moves (finding a contact's ends and following the nearest approach included).
struct ClearanceMeasurement {
  double fraction = 0.0;
  std::optional<std::int64_t> move;  // the move measured, 0 for "Position"; none between moves
  MoveClearance clearance;           // the least over the moving members
};

// The least clearance of a run and where the moving component touched others.
struct ClearanceSummary {
  std::string moving;
  // The moving component of the least: `moving`, or under --train the member nearest there.
  std::string leastMoving;
  std::optional<double> least;  // in the display unit; none when nothing was measured
  std::int64_t move = 0;        // 0: at "Position", before the first move
  double fraction = 0.0;
  // The least lies on the way from `move` to the next move, at `fraction`.
  bool leastBetweenMoves = false;
  std::string nearest;
  std::array<double, 3> onMoving{};  // the two closest points, in the display unit
  std::array<double, 3> onNearest{};
  // One contact interval with one component: the fractions where it began and ended along the
  // travel, found to within 1e-12 between the measurements that bracket them.
  struct Contact {
    std::string moving;  // the moving component that touched: the leader or a follower
    std::string component;
    double first = 0.0;
    double last = 0.0;
    // Both ends lie on the way from this move to the next, neither move touching.
    std::optional<std::int64_t> betweenMoves;
  };
  std::vector<Contact> contacts;
  // Why clearance was measured at the moves only; empty when it covered the whole motion.
  std::string atMovesOnly;
  // Over the whole motion, the stretches from one move to the next measured at their moves
  // only, and why the first of them was.
  std::int64_t stretchesAtMoves = 0;
  std::string stretchReason;
  std::int64_t measurements = 0;  // at moves, between them and in finding contacts' ends
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
  double distanceFromPath = 0.0;           // model units (cm)
  std::optional<double> misalignment;      // radians; only when a tangent line is aligned
  std::optional<MoveClearance> clearance;  // only with --clearance
  // Each follower's follow point (display unit), in the order of --train.
  std::vector<std::array<double, 3>> trainPoints;
};

// The motion options of a run, shown when one differs from the add-in's own.
struct MotionSummary {
  std::string roll;     // "minimal", "up 0,0,1", "add-in"
  std::string profile;  // "linear", "ease", "trapezoid:0.2"
  std::size_t followers = 0;
  // The minimal frame's twist after one loop of a closed path, degrees.
  std::optional<double> holonomyDegrees;
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
  std::optional<ClearanceSummary> clearance;  // only with --clearance
  std::optional<MotionSummary> motion;        // only with a motion option of its own
};

}  // namespace sledway::cli
