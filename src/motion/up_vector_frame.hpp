#pragma once

#include <gp_Dir.hxx>
#include <optional>
#include <span>

#include "motion/path_curve.hpp"
#include "motion/path_frame.hpp"

namespace sledway::motion {

// The frame of a follow path with an up vector: the tangent, and as normal the up vector made
// perpendicular to it, so that the normal stays in the plane of the tangent and the vector.
class UpVectorFrame final : public PathFrame {
 public:
  // The tangent counts as parallel to the vector within this angle (radians).
  static constexpr double kParallelLimit = 1e-6;

  UpVectorFrame(const PathCurve& curve, const gp_Dir& up) : curve_(curve), up_(up) {}

  // Fails with HostError kInvalidArg where the tangent is parallel to the vector.
  gp_Mat FrameAt(double distance) const override;
  // The first of `distances` where the tangent is parallel to the vector, if any.
  std::optional<double> FirstParallel(std::span<const double> distances) const;

 private:
  const PathCurve& curve_;
  gp_Dir up_;
};

}  // namespace sledway::motion
