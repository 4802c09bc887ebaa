#pragma once

#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "host/application.hpp"
#include "host/component.hpp"
#include "motion/follow_placement.hpp"
#include "motion/minimal_frame.hpp"
#include "motion/path_curve.hpp"
#include "motion/up_vector_frame.hpp"
#include "path/path_definition.hpp"

namespace sledway::motion {

// How the follow component rolls about the path's tangent.
enum class RollMode {
  kAddIn,    // the add-in's own least turn from wherever the component stands
  kMinimal,  // the rotation-minimising frame, started from the placement at "Position"
  kUp,       // the up axis kept in the plane of the tangent and an up vector
};

struct RollChoice {
  RollMode mode = RollMode::kAddIn;
  gp_Dir up;  // the up vector of kUp
};

// A component that travels the path at a fixed distance behind the leader.
struct Follower {
  Ref<IVComponent> component;
  gp_Pnt followPoint;  // where its follow point is before the run (model space)
  double distance;     // behind the leader along the path, model units, 0 or more
};

// The moves of a run beyond the add-in's own: the leader (CPath's follow component) rolled as
// chosen, and a train of followers, each placed by the same roll mode with its follow point at
// its distance behind the leader. On a closed path a follower wraps round; on an open one it
// waits at the start of travel until the leader is far enough along. The add-in's roll leaves
// the leader's moves to CPath::MoveToPointOnPath itself, unchanged.
class PathMotion {
 public:
  // The path must be picked and measured, with a tangent line unless the roll is the add-in's.
  PathMotion(Ref<IVApplication> app, CPath& path, RollChoice roll, std::vector<Follower> followers);

  // The first of the leader's fractions at which the leader or a follower would stand where the
  // path's tangent is parallel to the up vector (none for other roll modes).
  std::optional<double> FirstParallelFraction(std::span<const double> fractions) const;

  // After "Position" has put the leader at the start of travel: reads its placement, from which
  // the roll starts, and places the followers at their own places; recomputes when a follower
  // or the roll moved anything.
  void Start();
  // Moves the leader to `fraction` and the train behind it, then recomputes; a failed recompute
  // raises the path's UpdateError, as the add-in's own move does.
  void MoveTo(double fraction);

  // Puts the leader at `fraction` and the train behind it where the motion from `from` (the
  // leader's placement, then each follower's) carries them, by the same placements as MoveTo,
  // then recomputes. The next move still starts where the last one left the members: this is
  // the motion on the way.
  void PlaceFrom(const std::vector<Ref<IVMatrix>>& from, double fraction);

  // The fraction at which follower `index` stands while the leader is at `fraction`.
  double FollowerFraction(std::size_t index, double fraction) const;
  // That fraction less the leader's before it is wrapped round a closed path or held at the
  // start of an open one.
  double FollowerOffset(std::size_t index) const;
  const RollChoice& Roll() const { return roll_; }
  const PathCurve& Curve() const { return curve_; }
  bool IsClosed() const { return closed_; }
  // Where each follower's follow point stands now, model space, in the order given.
  std::vector<gp_Pnt> FollowerPoints() const;
  // The train as given, each follow point where it stood before the run.
  const std::vector<Follower>& Followers() const { return followers_; }
  // The minimal frame's twist after one loop, radians (-pi to pi); only for a closed path under
  // the minimal roll.
  std::optional<double> Holonomy() const;

 private:
  void Place(const Ref<IVComponent>& component, const gp_Trsf& placement);
  void PlaceFollowers(double fraction);
  void Recompute();

  Ref<IVApplication> app_;
  CPath& path_;
  RollChoice roll_;
  std::vector<Follower> followers_;
  PathCurve curve_;
  bool closed_;
  std::unique_ptr<PathFrame> frame_;
  std::unique_ptr<FollowPlacement> leader_;
  std::vector<std::unique_ptr<FollowPlacement>> trains_;
  std::vector<gp_XYZ> followerPoints_;  // in each follower's own coordinates
};

}  // namespace sledway::motion
