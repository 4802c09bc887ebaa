#pragma once

namespace sledway::model {

// How far from the origin (model units, centimetres) a coordinate or a size of the model may
// reach. Beyond it a double's rounding (over 1e-4 cm) outgrows the tolerance by which the model
// joins points (1e-6 cm) a hundredfold, and the kernel's own limits follow soon after.
inline constexpr double kModelReach = 1e12;

}  // namespace sledway::model
