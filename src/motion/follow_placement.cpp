#include "motion/follow_placement.hpp"

#include <gp_Vec.hxx>

#include "modelhost/geometry/rigid_motion.hpp"

namespace sledway::motion {

gp_Trsf FramedPlacement::At(double fraction) {
  const double distance = fraction * curve_.Length();
  const gp_Mat rotation = frame_.FrameAt(distance) * turn_;
  return model::RigidMotion(rotation, curve_.PointAt(distance).XYZ() - rotation * followPoint_);
}

gp_Trsf LeastTurnPlacement::At(double fraction) {
  const double distance = fraction * curve_.Length();
  if (line_.Modulus() > 0.0) {
    const gp_Vec line(rotation_ * line_);
    const gp_Vec tangent(curve_.TangentAt(distance));
    rotation_ =
        model::RotationBetween(line, tangent, line.Crossed(tangent)).VectorialPart() * rotation_;
  }
  const gp_Trsf placement =
      model::RigidMotion(rotation_, curve_.PointAt(distance).XYZ() - rotation_ * followPoint_);
  // The next turn starts from the exact rotation the component was given.
  rotation_ = placement.VectorialPart();
  return placement;
}

}  // namespace sledway::motion
