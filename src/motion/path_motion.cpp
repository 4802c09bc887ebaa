#include "motion/path_motion.hpp"

#include <algorithm>
#include <cmath>
#include <gp.hxx>
#include <stdexcept>
#include <utility>

#include "host/document.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "platform/desktop.hpp"

namespace sledway::motion {
namespace {

// Of the three coordinate axes, the one furthest from lying along `direction`.
gp_Dir AcrossOf(const gp_Dir& direction) {
  const double x = std::abs(direction.X()), y = std::abs(direction.Y()),
               z = std::abs(direction.Z());
  if (x <= y && x <= z) return gp::DX();
  return y <= z ? gp::DY() : gp::DZ();
}

gp_Pnt FollowPointOf(const CPath& path) {
  const Ref<IVPoint> point = path.IsPointFromVertex() ? path.FollowVertex()->GetPoint()
                                                      : path.FollowWorkPoint()->GetPoint();
  return {point->X(), point->Y(), point->Z()};
}

// The follow point in the component's own coordinates, from where it stands in model space.
gp_XYZ InComponent(const gp_Trsf& placement, const gp_Pnt& point) {
  return placement.VectorialPart().Transposed() * (point.XYZ() - placement.TranslationPart());
}

// The frame of the component's up axis at the start of travel: the tangent, and of the
// component's axes the one nearest the up vector across the tangent, made perpendicular to it.
gp_Mat UpAxisFrame(const gp_Mat& rotation, const gp_Dir& tangent, const gp_Dir& up) {
  const gp_XYZ t = tangent.XYZ();
  const gp_XYZ across = up.XYZ() - t * t.Dot(up.XYZ());
  gp_XYZ best;
  double nearest = -1.0;
  for (int column = 1; column <= 3; ++column) {
    const gp_XYZ axis = rotation.Column(column);
    const double along = axis.Dot(across);
    if (std::abs(along) > nearest) {
      nearest = std::abs(along);
      best = along < 0.0 ? axis.Reversed() : axis;
    }
  }
  const gp_Dir normal(best - t * t.Dot(best));
  return gp_Mat(t, normal.XYZ(), tangent.Crossed(normal).XYZ());
}

}  // namespace

PathMotion::PathMotion(Ref<IVApplication> app, CPath& path, RollChoice roll,
                       std::vector<Follower> followers)
    : app_(std::move(app)),
      path_(path),
      roll_(roll),
      followers_(std::move(followers)),
      curve_(path),
      closed_(curve_.IsClosed()) {
  if (roll_.mode != RollMode::kAddIn && !path_.IsAligned()) {
    throw std::invalid_argument("a roll needs a tangent line");
  }
  if (roll_.mode == RollMode::kMinimal) {
    frame_ = std::make_unique<MinimalFrame>(curve_, AcrossOf(curve_.TangentAt(0.0)));
  } else if (roll_.mode == RollMode::kUp) {
    frame_ = std::make_unique<UpVectorFrame>(curve_, roll_.up);
  }
}

std::optional<double> PathMotion::FirstParallelFraction(std::span<const double> fractions) const {
  const auto* frame = dynamic_cast<const UpVectorFrame*>(frame_.get());
  if (!frame) return std::nullopt;
  for (const double fraction : fractions) {
    std::vector<double> distances{fraction * curve_.Length()};
    for (std::size_t i = 0; i < followers_.size(); ++i) {
      distances.push_back(FollowerFraction(i, fraction) * curve_.Length());
    }
    if (frame->FirstParallel(distances)) return fraction;
  }
  return std::nullopt;
}

double PathMotion::FollowerOffset(std::size_t index) const {
  const double behind = followers_[index].distance / curve_.Length();
  return path_.FlipPath() ? behind : -behind;
}

double PathMotion::FollowerFraction(std::size_t index, double fraction) const {
  const double at = fraction + FollowerOffset(index);
  if (closed_) return at - std::floor(at);
  return std::clamp(at, 0.0, 1.0);
}

std::optional<double> PathMotion::Holonomy() const {
  const auto* frame = dynamic_cast<const MinimalFrame*>(frame_.get());
  if (!frame || !closed_) return std::nullopt;
  return frame->Holonomy();
}

void PathMotion::Start() {
  const double start = path_.FlipPath() ? 1.0 : 0.0;
  const gp_Trsf placed = model::ToTrsf(path_.FollowComponent()->GetTransformation());
  const gp_Mat rotation = placed.VectorialPart();
  const gp_XYZ followPoint = InComponent(placed, FollowPointOf(path_));
  const gp_Dir tangent = curve_.TangentAt(start * curve_.Length());
  // The turn that carries the frame onto the component as "Position" left it (for the up vector,
  // turned about the tangent until its up axis lies in the plane of the tangent and the vector).
  gp_Mat turn;
  if (roll_.mode == RollMode::kMinimal) {
    turn = frame_->FrameAt(start * curve_.Length()).Transposed() * rotation;
  } else if (roll_.mode == RollMode::kUp) {
    turn = UpAxisFrame(rotation, tangent, roll_.up).Transposed() * rotation;
  }
  // The tangent line in the component's own coordinates, which followers share.
  const gp_XYZ line = path_.IsAligned() ? rotation.Transposed() * tangent.XYZ() : gp_XYZ();
  if (frame_) leader_ = std::make_unique<FramedPlacement>(curve_, *frame_, turn, followPoint);

  for (const Follower& follower : followers_) {
    const gp_Trsf own = model::ToTrsf(follower.component->GetTransformation());
    const gp_XYZ point = InComponent(own, follower.followPoint);
    followerPoints_.push_back(point);
    if (frame_) {
      trains_.push_back(std::make_unique<FramedPlacement>(curve_, *frame_, turn, point));
    } else {
      // Under the add-in's roll a follower with a line starts turned as the leader, then turns
      // as the add-in turns the leader; one without keeps its own orientation.
      trains_.push_back(std::make_unique<LeastTurnPlacement>(
          curve_, path_.IsAligned() ? rotation : own.VectorialPart(), line, point));
    }
  }
  if (!leader_ && trains_.empty()) return;
  if (leader_) Place(path_.FollowComponent(), leader_->At(start));
  PlaceFollowers(start);
  Recompute();
}

void PathMotion::MoveTo(double fraction) {
  PlaceFollowers(fraction);
  if (!leader_) {
    path_.MoveToPointOnPath(app_, fraction);
    return;
  }
  Place(path_.FollowComponent(), leader_->At(fraction));
  Recompute();
}

void PathMotion::PlaceFrom(const std::vector<Ref<IVMatrix>>& from, double fraction) {
  for (std::size_t i = 0; i < trains_.size(); ++i) {
    Place(followers_[i].component,
          trains_[i]->From(model::ToTrsf(from[i + 1]), FollowerFraction(i, fraction)));
  }
  if (!leader_) {
    path_.FollowComponent()->SetTransformation(from.front());
    path_.MoveToPointOnPath(app_, fraction);
    return;
  }
  Place(path_.FollowComponent(), leader_->From(model::ToTrsf(from.front()), fraction));
  Recompute();
}

std::vector<gp_Pnt> PathMotion::FollowerPoints() const {
  std::vector<gp_Pnt> points;
  for (std::size_t i = 0; i < followerPoints_.size(); ++i) {
    gp_Pnt point(followerPoints_[i]);
    point.Transform(model::ToTrsf(followers_[i].component->GetTransformation()));
    points.push_back(point);
  }
  return points;
}

void PathMotion::Place(const Ref<IVComponent>& component, const gp_Trsf& placement) {
  component->SetTransformation(std::make_shared<model::Matrix>(placement));
}

void PathMotion::PlaceFollowers(double fraction) {
  for (std::size_t i = 0; i < trains_.size(); ++i) {
    Place(followers_[i].component, trains_[i]->At(FollowerFraction(i, fraction)));
  }
}

void PathMotion::Recompute() {
  // As after the add-in's own move.
  path_.RecomputeHolding(app_, path_.FollowComponent());
}

}  // namespace sledway::motion
