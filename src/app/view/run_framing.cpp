#include "app/view/run_framing.hpp"

#include <algorithm>
#include <stdexcept>

#include "app/view/assembly_scene.hpp"
#include "modelhost/component/component.hpp"

namespace sledway::app {
namespace {

// Room left round what a picture must hold, as a fraction of the picture.
constexpr double kMargin = 0.05;
// The follow camera shows this many times the room the leader needs in any turn, for the scene
// round it.
constexpr double kFollowRoom = 1.5;

V3d_TypeOfOrientation Orientation(CameraView camera) {
  switch (camera) {
    case CameraView::kFront:
      return V3d_Yneg;
    case CameraView::kTop:
      return V3d_Zpos;
    case CameraView::kRight:
      return V3d_Xpos;
    case CameraView::kIso:
    case CameraView::kFollow:
      break;
  }
  return V3d_XposYnegZpos;
}

// The farthest corner of `box` from `point`.
double Reach(const Bnd_Box& box, const gp_Pnt& point) {
  double xmin, ymin, zmin, xmax, ymax, zmax;
  box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
  const double dx = std::max(point.X() - xmin, xmax - point.X());
  const double dy = std::max(point.Y() - ymin, ymax - point.Y());
  const double dz = std::max(point.Z() - zmin, zmax - point.Z());
  return gp_Vec(dx, dy, dz).Magnitude();
}

// `box` widened by `by` on every side.
Bnd_Box Widened(const Bnd_Box& box, double by) {
  double xmin, ymin, zmin, xmax, ymax, zmax;
  box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
  Bnd_Box wide;
  wide.Update(xmin - by, ymin - by, zmin - by, xmax + by, ymax + by, zmax + by);
  return wide;
}

Bnd_Box Cube(const gp_Pnt& centre, double half) {
  Bnd_Box cube;
  cube.Set(centre);
  return Widened(cube, half);
}

}  // namespace

RunCamera::RunCamera(const RunFraming& framing, const AssemblyScene& scene,
                     const Handle(V3d_View) & view)
    : follow_(framing.camera == CameraView::kFollow) {
  if (framing.travellers.empty() || framing.path.IsVoid()) {
    throw std::invalid_argument("a run's pictures need the path and the leader");
  }
  view->SetProj(Orientation(framing.camera), false);
  if (follow_) {
    const TravellingComponent& leader = framing.travellers.front();
    const Bnd_Box own = scene.OwnBoxOf(leader.component);
    if (own.IsVoid()) throw std::invalid_argument("the leader is not in the picture");
    leader_ = leader.component;
    leaderCentre_ = (own.CornerMin().XYZ() + own.CornerMax().XYZ()) / 2.0;
    leaderReach_ = Reach(own, leaderCentre_);
    Aim(view);
    return;
  }
  std::vector<Ref<model::Component>> moving;
  for (const TravellingComponent& traveller : framing.travellers) {
    moving.push_back(traveller.component);
  }
  Bnd_Box all = scene.ShownBox(moving);
  for (const TravellingComponent& traveller : framing.travellers) {
    const Bnd_Box own = scene.OwnBoxOf(traveller.component);
    if (own.IsVoid()) continue;
    const gp_Pnt followOwn =
        traveller.followPoint.Transformed(traveller.component->Placement().Inverted());
    all.Add(Widened(framing.path, Reach(own, followOwn)));
  }
  view->FitAll(all, kMargin, false);
  view->ZFitAll();
}

void RunCamera::Aim(const Handle(V3d_View) & view) const {
  if (!follow_) return;
  const gp_Pnt centre = leaderCentre_.Transformed(leader_->Placement());
  view->FitAll(Cube(centre, kFollowRoom * leaderReach_), kMargin, false);
  view->ZFitAll();
}

}  // namespace sledway::app
