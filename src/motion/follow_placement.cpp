#include "motion/follow_placement.hpp"

#include <gp_Vec.hxx>

#include "modelhost/geometry/rigid_motion.hpp"

namespace sledway::motion {

gp_Trsf FramedPlacement::From(const gp_Trsf&, double fraction) const {
  const double distance = fraction * curve_.Length();
  const gp_Mat rotation = frame_.FrameAt(distance) * turn_;
  return model::RigidMotion(rotation, curve_.PointAt(distance).XYZ() - rotation * followPoint_);
}

gp_Trsf LeastTurnPlacement::At(double fraction) {
  const gp_Trsf placement = TurnedFrom(rotation_, fraction);
  // The next turn starts from the exact rotation the component was given.
  rotation_ = placement.VectorialPart();
  return placement;
}

gp_Trsf LeastTurnPlacement::From(const gp_Trsf& standing, double fraction) const {
  return TurnedFrom(standing.VectorialPart(), fraction);
}

gp_Trsf LeastTurnPlacement::TurnedFrom(gp_Mat rotation, double fraction) const {
  const double distance = fraction * curve_.Length();
  if (line_.Modulus() > 0.0) {
    const gp_Vec line(rotation * line_);
    const gp_Vec tangent(curve_.TangentAt(distance));
    rotation =
        model::RotationBetween(line, tangent, line.Crossed(tangent)).VectorialPart() * rotation;
  }
  return model::RigidMotion(rotation, curve_.PointAt(distance).XYZ() - rotation * followPoint_);
}

}  // namespace sledway::motion
