#pragma once

#include <gp_Pnt.hxx>
#include <optional>
#include <string>
#include <vector>

#include "host/profiles.hpp"
#include "modelhost/topology/curve_chains.hpp"

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
//
// Ends closer than 1e-6 cm are joined. A group of curves joined at a branch point (three or more
// ends meeting) offers no single way along it and forms no path in either build. Each build
// makes new profile objects; within one build, a path and its entities are the same objects at
// every Item call.
class SketchProfiles : public IVProfiles, public IVProfiles3D {
 public:
  explicit SketchProfiles(std::vector<ProfileCurve> curves);
  // `sketchName` names the sketch in error messages.
  SketchProfiles(std::vector<ProfileCurve> curves, std::string sketchName);

  // One path per closed loop of curves, each listed in order along it; fails when there is none.
  Ref<IVProfile> AddClosedProfile() override;
  // One path per open chain (curves joined end to end with two free ends); fails when there
  // is none.
  Ref<IVProfile> AddOpenProfile() override;

 private:
  enum class Build { kClosed, kOpen };
  Ref<IVProfile> MakeProfile(Build build);
  // The chains both builds draw on, found at the first build.
  const CurveChains& Chains();
  std::string SketchLabel() const;

  std::vector<ProfileCurve> curves_;
  std::string sketchName_;
  std::optional<CurveChains> chains_;
};

}  // namespace sledway::model
