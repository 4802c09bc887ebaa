#include "motion/up_vector_frame.hpp"

#include <cmath>
#include <gp_Vec.hxx>
#include <string>

#include "host/host_error.hpp"

namespace sledway::motion {

gp_Mat UpVectorFrame::FrameAt(double distance) const {
  const gp_Dir tangent = curve_.TangentAt(distance);
  const gp_Vec normal = gp_Vec(up_) - gp_Vec(tangent) * gp_Vec(tangent).Dot(gp_Vec(up_));
  if (normal.Magnitude() <= std::sin(kParallelLimit)) {
    throw HostError(hresult::kInvalidArg,
                    "the path's tangent is parallel to the up vector at "
                    "distance " +
                        std::to_string(distance));
  }
  const gp_Dir n(normal);
  return gp_Mat(tangent.XYZ(), n.XYZ(), tangent.Crossed(n).XYZ());
}

std::optional<double> UpVectorFrame::FirstParallel(std::span<const double> distances) const {
  for (const double distance : distances) {
    if (curve_.TangentAt(distance).IsParallel(up_, kParallelLimit)) return distance;
  }
  return std::nullopt;
}

}  // namespace sledway::motion
