#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clearance/clearance_check.hpp"
#include "clearance/travel_bound.hpp"
#include "host/application.hpp"
#include "host/geometry.hpp"

namespace sledway {
class CPath;
}
namespace sledway::motion {
class PathMotion;
}

namespace sledway::clearance {

// The clearance of the moving members of a run over the motion between two moves: at any
// fraction between them each member stands where the run's own motion puts it, started from
// the placements of the earlier move (the add-in's follow motion, or the chosen roll and the
// train behind the leader). Measuring at a fraction and stepping on no farther than the
// distances measured allow (the travel bound of every member that moves), the stretch is
// covered without a gap.
class MotionSweep {
 public:
  // `checks`: one per moving member, the leader's (the path's follow component) first, then
  // one for each follower of `motion`'s train in its order; each measures its member against
  // what stands still and the members after it. `motion`: the run's motion beyond the add-in's
  // own, whose placements the sweep uses; null for the add-in's follow motion of the leader
  // alone. Both must outlive the sweep.
  MotionSweep(Ref<IVApplication> app, CPath& path, std::vector<ClearanceCheck>& checks,
              motion::PathMotion* motion);

  // Why the motion between moves has no bound; empty when it has one.
  const std::string& Unbounded() const { return travel_.Unbounded(); }

  // The fractions that start each stretch of the motion from `from` to `to` that every member
  // makes without a jump, with where each ends: a stretch ends where a member reaches an
  // entity's end (where its turn may jump, so the next stretch starts just past it), where a
  // follower wraps round a closed path, and where a follower waiting at the start of an open
  // one sets off.
  struct Stretch {
    double start;
    double end;
  };
  std::vector<Stretch> Stretches(double from, double to) const;

  // A measurement on the way: each member's clearance, in the order of the checks, and how far
  // each stood turned from the earlier move.
  struct Sample {
    double fraction = 0.0;
    std::vector<Clearance> members;
    std::vector<double> turned;  // radians
  };

  // Remembers the placements the members have now, at the earlier move of a stretch, where
  // `there` was measured at `fraction`.
  Sample StartAtMove(double fraction, std::vector<Clearance> there);
  // Every member put where the motion from the earlier move's placements puts it with the
  // leader at `fraction`, and measured there. They are left there.
  Sample At(double fraction);
  // The next fraction to measure after `from` on the way to `to` within one stretch: as far as
  // no point of any member can come within the tolerance of a component it did not touch at
  // `from`, a member measured against another that moves sharing the distance between them
  // with it; where every member touched every component, `to`. None when a member's turn
  // cannot be bounded there, and Refusal says why.
  std::optional<double> Next(const Sample& from, double to);
  const std::string& Refusal() const { return refusal_; }

  // The members' placements now, and put back as they were.
  std::vector<Ref<IVMatrix>> Placements() const;
  void PutBack(const std::vector<Ref<IVMatrix>>& placements);

  // Every measurement made so far, at moves and between them, one per member measured.
  std::int64_t Measurements() const { return measurements_; }
  // Counts a measurement made at a move.
  void CountMeasurement() { ++measurements_; }

 private:
  // The member's fraction less the leader's before it is wrapped or held (0 for the leader).
  double Offset(std::size_t member) const;
  // The member waits at the start of an open path while the leader is at `fraction`.
  bool Waits(std::size_t member, double fraction) const;
  double MemberFraction(std::size_t member, double fraction) const;
  double Radius(std::size_t member);
  // The largest step of the member from its fraction `from` towards `to` over which none of its
  // points moves more than `distance`; none where its turn has no bound.
  std::optional<double> MemberStep(std::size_t member, double from, double to, double distance,
                                   double turned);

  Ref<IVApplication> app_;
  CPath& path_;
  std::vector<ClearanceCheck>& checks_;
  motion::PathMotion* motion_;
  TravelBound travel_;
  std::vector<Ref<IVMatrix>> atMove_;
  std::vector<gp_Trsf> atMovePlace_;
  std::vector<int> radiusGeneration_;
  std::vector<double> radius_;
  std::string refusal_;
  std::int64_t measurements_ = 0;
};

}  // namespace sledway::clearance
