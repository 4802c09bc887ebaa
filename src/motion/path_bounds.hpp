#pragma once

#include <Bnd_Box.hxx>

#include "motion/path_curve.hpp"

namespace sledway::motion {

// A box that holds the whole path (model space). Points at equal arc-length steps h, each side
// widened by h/2: a point of the path between two of them lies within h/2 of one, along the
// path and so in space.
Bnd_Box PathBounds(const PathCurve& curve);

}  // namespace sledway::motion
