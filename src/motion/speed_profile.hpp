#pragma once

#include <cstdint>

namespace sledway::motion {

// How a run spreads its moves over the path: the fraction of the travel reached at step j of
// `steps`. Every profile goes from 0 to 1 and is symmetric (the fraction at steps - j is one
// less the fraction at j), so a pass against the path's direction spreads its moves the same way.
class SpeedProfile {
 public:
  // Equal fractions, j / steps: the add-in's own.
  static SpeedProfile Linear();
  // The quintic 10u^3 - 15u^4 + 6u^5: zero speed and acceleration at both ends.
  static SpeedProfile Ease();
  // Constant acceleration over the first fraction `ramp` of the travel (0 < ramp <= 0.5),
  // constant speed between, and the mirror image at the end.
  static SpeedProfile Trapezoid(double ramp);

  double FractionAt(std::int64_t step, std::int64_t steps) const;
  // The fraction of the travel at the share `u` (0 to 1) of the run's time.
  double FractionAtTime(double u) const;

 private:
  enum class Kind { kLinear, kEase, kTrapezoid };
  SpeedProfile(Kind kind, double ramp) : kind_(kind), ramp_(ramp) {}

  Kind kind_;
  double ramp_;
};

}  // namespace sledway::motion
