#include "clearance/motion_sweep.hpp"

#include <BRepBndLib.hxx>
#include <Bnd_Box.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Quaternion.hxx>

#include "modelhost/component/component.hpp"
#include "modelhost/part/part.hpp"
#include "path/path_definition.hpp"

namespace sledway::clearance {
namespace {

// Where an entity ends the next stretch starts this far on, on the next entity.
constexpr double kPastEntityEnd = 1e-12;
// A step the bound allows is taken at least this long, so that a distance that stays just above
// the tolerance does not stall the motion; the component moves by at most the path's length
// times it unmeasured.
constexpr double kLeastStep = 1e-12;

// The angle of the rotation from `from` to `to`.
double TurnBetween(const gp_Trsf& from, const gp_Trsf& to) {
  const gp_Quaternion turn(to.VectorialPart() * from.VectorialPart().Transposed());
  const double sine = std::sqrt(turn.X() * turn.X() + turn.Y() * turn.Y() + turn.Z() * turn.Z());
  return 2.0 * std::atan2(sine, std::abs(turn.W()));
}

}  // namespace

MotionSweep::MotionSweep(Ref<IVApplication> app, CPath& path, ClearanceCheck& check)
    : app_(std::move(app)), path_(path), check_(check), travel_(path) {}

std::vector<MotionSweep::Stretch> MotionSweep::Stretches(double from, double to) const {
  std::vector<Stretch> stretches;
  double start = from;
  const bool forwards = to >= from;
  for (const double end : travel_.EntityEndsBetween(from, to)) {
    // A fraction at an entity's end is still on that entity: going forwards the motion jumps
    // just past it, going backwards on reaching it.
    stretches.push_back({start, forwards ? end : end + kPastEntityEnd});
    start = forwards ? end + kPastEntityEnd : end;
  }
  stretches.push_back({start, to});
  stretches.erase(std::remove_if(stretches.begin(), stretches.end(),
                                 [](const Stretch& s) { return s.start == s.end; }),
                  stretches.end());
  return stretches;
}

MotionSweep::Sample MotionSweep::StartAtMove(double fraction, Clearance there) {
  atMove_ = check_.Moving()->GetTransformation();
  atMovePlace_ = check_.Moving()->Placement();
  return {fraction, std::move(there), 0.0};
}

MotionSweep::Sample MotionSweep::At(double fraction) {
  check_.Moving()->SetTransformation(atMove_);
  path_.MoveToPointOnPath(app_, fraction);
  ++measurements_;
  Clearance there = check_.Measure();
  return {fraction, std::move(there), TurnBetween(atMovePlace_, check_.Moving()->Placement())};
}

double MotionSweep::Radius() {
  const Ref<model::Part> part = check_.Moving()->Part();
  if (radiusGeneration_ == part->Generation()) return radius_;
  Bnd_Box box;
  BRepBndLib::Add(part->Shape(), box, false);
  const Ref<IVPoint> follow = path_.IsPointFromVertex() ? path_.FollowVertex()->GetPoint()
                                                        : path_.FollowWorkPoint()->GetPoint();
  const gp_Pnt own = gp_Pnt(follow->X(), follow->Y(), follow->Z())
                         .Transformed(check_.Moving()->Placement().Inverted());
  radius_ = 0.0;
  if (!box.IsVoid()) {
    double x[2], y[2], z[2];
    box.Get(x[0], y[0], z[0], x[1], y[1], z[1]);
    for (const double cx : x) {
      for (const double cy : y) {
        for (const double cz : z) radius_ = std::max(radius_, own.Distance(gp_Pnt(cx, cy, cz)));
      }
    }
  }
  radiusGeneration_ = part->Generation();
  return radius_;
}

std::optional<double> MotionSweep::Next(const Sample& from, double to) {
  const std::optional<double>& free = from.clearance.freeDistance;
  if (!free) return to;
  const double bounded =
      travel_.Step(from.fraction, to, *free - check_.Tolerance(), Radius(), from.turned);
  if (!(bounded > 0.0)) return std::nullopt;
  const double step = std::max(kLeastStep, bounded);
  if (step >= std::abs(to - from.fraction)) return to;
  return to >= from.fraction ? from.fraction + step : from.fraction - step;
}

}  // namespace sledway::clearance
