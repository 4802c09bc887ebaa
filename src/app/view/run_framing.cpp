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
    : scene_(scene), follow_(framing.camera == CameraView::kFollow), path_(framing.path) {
  if (framing.travellers.empty() || framing.path.IsVoid()) {
    throw std::invalid_argument("a run's pictures need the path and the leader");
  }
  if (scene.OwnBoxOf(framing.travellers.front().component).IsVoid()) {
    throw std::invalid_argument("the leader is not in the picture");
  }
  std::vector<Ref<model::Component>> moving;
  for (const TravellingComponent& traveller : framing.travellers) {
    travellers_.push_back({traveller.component, traveller.followPoint.Transformed(
                                                    traveller.component->Placement().Inverted())});
    moving.push_back(traveller.component);
  }
  still_ = scene.ShownBox(moving);
  view->SetProj(Orientation(framing.camera), false);
  Aim(view);
}

void RunCamera::Aim(const Handle(V3d_View) & view) {
  if (follow_) {
    const Traveller& leader = travellers_.front();
    const Bnd_Box own = scene_.OwnBoxOf(leader.component);
    const gp_Pnt centre = (own.CornerMin().XYZ() + own.CornerMax().XYZ()) / 2.0;
    view->FitAll(
        Cube(centre.Transformed(leader.component->Placement()), kFollowRoom * Reach(own, centre)),
        kMargin, false);
    view->ZFitAll();
    return;
  }
  bool grown = false;
  for (Traveller& traveller : travellers_) {
    const Bnd_Box own = scene_.OwnBoxOf(traveller.component);
    if (own.IsVoid()) continue;
    const double reach = Reach(own, traveller.followPoint);
    if (reach > traveller.reach) {
      traveller.reach = reach;
      grown = true;
    }
  }
  if (!grown) return;
  Bnd_Box all = still_;
  for (const Traveller& traveller : travellers_) {
    if (traveller.reach > 0.0) all.Add(Widened(path_, traveller.reach));
  }
  view->FitAll(all, kMargin, false);
  view->ZFitAll();
}

}  // namespace sledway::app
