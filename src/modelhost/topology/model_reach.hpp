#pragma once

namespace sledway::model {

// How far from the origin (model units, centimetres) a coordinate or a size of the model may
// reach. The sketches' chain search numbers grid cells twice its joining tolerance wide in
// 64-bit integers, which run out some twenty times further out.
inline constexpr double kModelReach = 1e12;

}  // namespace sledway::model
