#pragma once

#include <gp_Pnt.hxx>
#include <vector>

#include "host/profiles.hpp"

namespace sledway::model {

// One curve of a sketch as the profile builds see it: the host object the user picks and its
// two own ends in model space.
struct ProfileCurve {
  Ref<IVObject> entity;
  gp_Pnt start;
  gp_Pnt end;
};

// The profile builds of one sketch, 2D or 3D, over the sketch's curves as they are when the
// profiles are asked for.
class SketchProfiles : public IVProfiles, public IVProfiles3D {
 public:
  explicit SketchProfiles(std::vector<ProfileCurve> curves);

  // One path per closed loop of curves, each listed in order along it; fails when there is none.
  Ref<IVProfile> AddClosedProfile() override;
  // One path per open chain (curves joined end to end with two free ends); fails when there
  // is none.
  Ref<IVProfile> AddOpenProfile() override;

 private:
  std::vector<ProfileCurve> curves_;
};

}  // namespace sledway::model
