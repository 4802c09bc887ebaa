#include "clearance/motion_sweep.hpp"

#include <BRepBndLib.hxx>
#include <Bnd_Box.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Quaternion.hxx>
#include <gp_Vec.hxx>

#include "modelhost/component/component.hpp"
#include "modelhost/part/part.hpp"
#include "motion/path_motion.hpp"
#include "motion/up_vector_frame.hpp"
#include "path/path_definition.hpp"

namespace sledway::clearance {
namespace {

// Where an entity ends the next stretch starts this far on, on the next entity.
constexpr double kPastEntityEnd = 1e-12;
// A step the bound allows is taken at least this long, so that a distance that stays just above
// the tolerance does not stall the motion; the component moves by at most the path's length
// times it unmeasured.
constexpr double kLeastStep = 1e-12;
// Nearer the up vector than this the up frame's roll is not bounded: twice the angle within
// which it has no roll at all.
constexpr double kLeastUpAngle = 2.0 * motion::UpVectorFrame::kParallelLimit;

// The angle of the rotation from `from` to `to`.
double TurnBetween(const gp_Trsf& from, const gp_Trsf& to) {
  const gp_Quaternion turn(to.VectorialPart() * from.VectorialPart().Transposed());
  const double sine = std::sqrt(turn.X() * turn.X() + turn.Y() * turn.Y() + turn.Z() * turn.Z());
  return 2.0 * std::atan2(sine, std::abs(turn.W()));
}

}  // namespace

MotionSweep::MotionSweep(Ref<IVApplication> app, CPath& path, std::vector<ClearanceCheck>& checks,
                         motion::PathMotion* motion)
    : app_(std::move(app)),
      path_(path),
      checks_(checks),
      motion_(motion),
      travel_(path),
      radiusGeneration_(checks.size(), -1),
      radius_(checks.size(), 0.0) {}

double MotionSweep::Offset(std::size_t member) const {
  return member == 0 ? 0.0 : motion_->FollowerOffset(member - 1);
}

bool MotionSweep::Waits(std::size_t member, double fraction) const {
  if (member == 0 || motion_->IsClosed()) return false;
  const double at = fraction + Offset(member);
  return at < 0.0 || at > 1.0;
}

double MotionSweep::MemberFraction(std::size_t member, double fraction) const {
  return member == 0 ? fraction : motion_->FollowerFraction(member - 1, fraction);
}

std::vector<MotionSweep::Stretch> MotionSweep::Stretches(double from, double to) const {
  const double low = std::min(from, to), high = std::max(from, to);
  // The leader's fractions where a member meets a fraction of the path at which it may jump or
  // set off, taken like an entity's end: from the lower of the two, inclusive, to the higher.
  std::vector<double> ends;
  const std::vector<double> entityEnds = travel_.EntityEndsBetween(0.0, 1.0);
  for (std::size_t member = 0; member < checks_.size(); ++member) {
    const double offset = Offset(member);
    std::vector<double> at = entityEnds;
    if (member > 0) {
      // A follower wraps round a closed path at its start, and on an open one sets off there
      // and stops at its end.
      at.push_back(0.0);
      if (!motion_->IsClosed()) at.push_back(1.0);
    }
    for (const double end : at) {
      double fraction = end - offset;
      if (member > 0 && motion_->IsClosed()) fraction -= std::floor(fraction - low);
      for (; fraction < high; fraction += 1.0) {
        if (fraction >= low) ends.push_back(fraction);
        if (member == 0 || !motion_->IsClosed()) break;
      }
    }
  }
  std::sort(ends.begin(), ends.end());
  ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
  if (to < from) std::reverse(ends.begin(), ends.end());

  std::vector<Stretch> stretches;
  double start = from;
  const bool forwards = to >= from;
  for (const double end : ends) {
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

std::vector<Ref<IVMatrix>> MotionSweep::Placements() const {
  std::vector<Ref<IVMatrix>> placements;
  for (const ClearanceCheck& check : checks_) {
    placements.push_back(check.Moving()->GetTransformation());
  }
  return placements;
}

void MotionSweep::PutBack(const std::vector<Ref<IVMatrix>>& placements) {
  for (std::size_t i = 0; i < checks_.size(); ++i)
    checks_[i].Moving()->SetTransformation(placements[i]);
}

MotionSweep::Sample MotionSweep::StartAtMove(double fraction, std::vector<Clearance> there) {
  atMove_ = Placements();
  atMovePlace_.clear();
  for (const ClearanceCheck& check : checks_) atMovePlace_.push_back(check.Moving()->Placement());
  return {fraction, std::move(there), std::vector<double>(checks_.size(), 0.0)};
}

MotionSweep::Sample MotionSweep::At(double fraction) {
  if (motion_) {
    motion_->PlaceFrom(atMove_, fraction);
  } else {
    checks_.front().Moving()->SetTransformation(atMove_.front());
    path_.MoveToPointOnPath(app_, fraction);
  }
  Sample there{fraction, {}, {}};
  for (std::size_t i = 0; i < checks_.size(); ++i) {
    ++measurements_;
    there.members.push_back(checks_[i].Measure());
    there.turned.push_back(TurnBetween(atMovePlace_[i], checks_[i].Moving()->Placement()));
  }
  return there;
}

double MotionSweep::Radius(std::size_t member) {
  const Ref<model::Component>& moving = checks_[member].Moving();
  const Ref<model::Part> part = moving->Part();
  if (radiusGeneration_[member] == part->Generation()) return radius_[member];
  Bnd_Box box;
  BRepBndLib::Add(part->Shape(), box, false);
  gp_Pnt follow;
  if (member == 0) {
    const Ref<IVPoint> point = path_.IsPointFromVertex() ? path_.FollowVertex()->GetPoint()
                                                         : path_.FollowWorkPoint()->GetPoint();
    follow = gp_Pnt(point->X(), point->Y(), point->Z());
  } else {
    follow = motion_->FollowerPoints()[member - 1];
  }
  const gp_Pnt own = follow.Transformed(moving->Placement().Inverted());
  double radius = 0.0;
  if (!box.IsVoid()) {
    double x[2], y[2], z[2];
    box.Get(x[0], y[0], z[0], x[1], y[1], z[1]);
    for (const double cx : x) {
      for (const double cy : y) {
        for (const double cz : z) radius = std::max(radius, own.Distance(gp_Pnt(cx, cy, cz)));
      }
    }
  }
  radiusGeneration_[member] = part->Generation();
  radius_[member] = radius;
  return radius;
}

std::optional<double> MotionSweep::MemberStep(std::size_t member, double from, double to,
                                              double distance, double turned) {
  const double radius = Radius(member);
  const motion::RollMode roll = motion_ ? motion_->Roll().mode : motion::RollMode::kAddIn;
  double step = 0.0;
  if (roll == motion::RollMode::kAddIn) {
    step = travel_.Step(from, to, distance, radius, turned);
  } else if (roll == motion::RollMode::kMinimal) {
    // The rotation-minimising frame turns at the tangent's own rate, about no other axis, from
    // wherever it stood: its turn does not grow with the angle turned.
    step = travel_.Step(from, to, distance, radius, 0.0);
  } else {
    // The up frame turns with the tangent and rolls about it at up to its turning rate times
    // |cos a| / sin a, a the angle between tangent and vector: at most that rate over sin a in
    // all. Over a step the angle falls by no more than the tangent turns.
    const double rate = travel_.TangentTurnRate(from, to);
    if (rate == 0.0 || radius == 0.0) {
      step = travel_.Step(from, to, distance, radius, 0.0);
    } else {
      const gp_Vec tangent(motion_->Curve().TangentAt(from * travel_.Length()));
      const gp_Vec up(motion_->Roll().up);
      const double angle = std::atan2(tangent.Crossed(up).Magnitude(), std::abs(tangent.Dot(up)));
      if (!(angle > kLeastUpAngle)) {
        refusal_ = "the path's tangent came within " + std::to_string(kLeastUpAngle) +
                   " rad of the up vector, where the roll about it has no bound";
        return std::nullopt;
      }
      const double upper = std::min(std::abs(to - from), 0.5 * angle / rate);
      const double least = angle - rate * upper;
      step = std::min(upper, distance / (travel_.Length() + radius * rate / std::sin(least)));
    }
  }
  if (!(step > 0.0)) {
    refusal_ = "a member stood turned too far from the earlier move for its turn to be bounded";
    return std::nullopt;
  }
  return step;
}

std::optional<double> MotionSweep::Next(const Sample& from, double to) {
  const double room = std::abs(to - from.fraction);
  const double middle = 0.5 * (from.fraction + to);
  std::vector<std::optional<double>> allowed(checks_.size());
  const auto allow = [&](std::size_t member, double distance) {
    allowed[member] = std::min(allowed[member].value_or(distance), distance);
  };
  for (std::size_t c = 0; c < checks_.size(); ++c) {
    const std::optional<double>& free = from.members[c].freeDistance;
    if (!free) continue;
    double distance = *free - checks_[c].Tolerance();
    // Members after it that move close the distance too: each may take half of it.
    bool shared = false;
    for (std::size_t j = c + 1; j < checks_.size(); ++j) shared = shared || !Waits(j, middle);
    if (shared) {
      distance *= 0.5;
      for (std::size_t j = c + 1; j < checks_.size(); ++j) allow(j, distance);
    }
    allow(c, distance);
  }
  double step = room;
  for (std::size_t member = 0; member < checks_.size(); ++member) {
    if (!allowed[member] || Waits(member, middle)) continue;
    // A member that moves moves with the leader, so by the same fractions.
    const double at = MemberFraction(member, middle) - (middle - from.fraction);
    const std::optional<double> bounded =
        MemberStep(member, at, at + (to - from.fraction), *allowed[member], from.turned[member]);
    if (!bounded) return std::nullopt;
    step = std::min(step, *bounded);
  }
  step = std::max(kLeastStep, step);
  if (step >= room) return to;
  return to >= from.fraction ? from.fraction + step : from.fraction - step;
}

}  // namespace sledway::clearance
