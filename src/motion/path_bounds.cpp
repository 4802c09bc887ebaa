#include "motion/path_bounds.hpp"

namespace sledway::motion {
namespace {

// Enough for the picture: a path of 1 m is held to within 0.5 mm.
constexpr int kSamples = 1024;

}  // namespace

Bnd_Box PathBounds(const PathCurve& curve) {
  Bnd_Box box;
  const double step = curve.Length() / kSamples;
  for (int i = 0; i <= kSamples; ++i) box.Add(curve.PointAt(i * step));
  box.Enlarge(step / 2.0);
  return box;
}

}  // namespace sledway::motion
