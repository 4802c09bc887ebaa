#pragma once

#include <Bnd_Box.hxx>
#include <V3d_View.hxx>
#include <gp_Pnt.hxx>
#include <vector>

#include "host/object.hpp"

namespace sledway::model {
class Component;
}

namespace sledway::app {

class AssemblyScene;

// Where the camera of a run's pictures looks from. kFollow looks as kIso does and keeps the
// leader in the middle of the picture.
enum class CameraView { kIso, kFront, kTop, kRight, kFollow };

// A component that moves during a run, keeping `followPoint` (model space, where that point of
// it stands now) on the path.
struct TravellingComponent {
  Ref<model::Component> component;
  gp_Pnt followPoint;
};

// What the pictures of a run show: a box that holds the path, and the components that travel
// along it, the leader first.
struct RunFraming {
  CameraView camera = CameraView::kIso;
  Bnd_Box path;
  std::vector<TravellingComponent> travellers;
};

// Aims a view at a run. A fixed camera is fitted to the rest of the assembly as it stands
// together with the whole travel: each travelling component stays within the ball about its
// follow point that holds it, and that point stays on the path, so the path's box widened by the
// ball's radius holds the component at every move, whatever its roll. It is fitted again, wider,
// before a picture in which a component has grown beyond its ball (a driven dimension). The
// follow camera is fitted, before each picture, to the cube about the leader's own centre that
// holds it in any turn.
class RunCamera {
 public:
  // `scene` must outlive the camera.
  RunCamera(const RunFraming& framing, const AssemblyScene& scene, const Handle(V3d_View) & view);

  // Before each picture.
  void Aim(const Handle(V3d_View) & view);

 private:
  struct Traveller {
    Ref<model::Component> component;
    gp_Pnt followPoint;  // in its own coordinates
    double reach = 0.0;  // the radius of the ball the camera was last fitted to
  };

  const AssemblyScene& scene_;
  bool follow_;
  Bnd_Box path_;
  Bnd_Box still_;  // everything shown that does not travel
  std::vector<Traveller> travellers_;
};

}  // namespace sledway::app
