#include "motion/speed_profile.hpp"

#include <stdexcept>

namespace sledway::motion {

SpeedProfile SpeedProfile::Linear() {
  return {Kind::kLinear, 0.0};
}

SpeedProfile SpeedProfile::Ease() {
  return {Kind::kEase, 0.0};
}

SpeedProfile SpeedProfile::Trapezoid(double ramp) {
  if (!(ramp > 0.0 && ramp <= 0.5)) {
    throw std::invalid_argument("the ramp of a trapezoid is a fraction above 0 and at most 0.5");
  }
  return {Kind::kTrapezoid, ramp};
}

double SpeedProfile::FractionAt(std::int64_t step, std::int64_t steps) const {
  // The linear profile is exactly the add-in's division, not u computed first.
  if (kind_ == Kind::kLinear) return static_cast<double>(step) / static_cast<double>(steps);
  if (step <= 0) return 0.0;
  if (step >= steps) return 1.0;
  return FractionAtTime(static_cast<double>(step) / static_cast<double>(steps));
}

double SpeedProfile::FractionAtTime(double u) const {
  switch (kind_) {
    case Kind::kLinear:
      return u;
    case Kind::kEase:
      return u * u * u * (10.0 + u * (-15.0 + 6.0 * u));
    case Kind::kTrapezoid: {
      // The ramp of distance a takes the time share t = 2a / (1 + 2a) at the cruising speed
      // v = 1 + 2a, which covers the remaining 1 - 2a in the time 1 - 2t.
      const double a = ramp_;
      const double t = 2.0 * a / (1.0 + 2.0 * a);
      const double v = 1.0 + 2.0 * a;
      if (u < t) return v * u * u / (2.0 * t);
      if (u > 1.0 - t) return 1.0 - v * (1.0 - u) * (1.0 - u) / (2.0 * t);
      return a + v * (u - t);
    }
  }
  return u;
}

}  // namespace sledway::motion
