#pragma once

// Sketches, their curves and profiles over the host's PlanarSketch, Sketch3D, the sketch curves
// and their geometry, Profiles, Profiles3D, Profile(3D), ProfilePath(3D) and ProfileEntity(3D).

#include "automation/curve_evaluator_objects.hpp"
#include "automation/part_entity_objects.hpp"
#include "host/profiles.hpp"
#include "host/sketch.hpp"

namespace sledway::automation {

class PlanarSketchObject final : public OccurrenceMemberObject<IVPlanarSketch> {
 public:
  using OccurrenceMemberObject::OccurrenceMemberObject;
  Ref<IVPoint> SketchToModel(const Ref<IVPoint2d>& point) override;
  Ref<IVMatrix> SketchToModelTransform() override;
  Ref<IVProfiles> GetProfiles() override;
};

class Sketch3DObject final : public OccurrenceMemberObject<IVSketch3D> {
 public:
  using OccurrenceMemberObject::OccurrenceMemberObject;
  Ref<IVProfiles3D> GetProfiles3D() override;
};

template <IVCurveKind Kind>
class CurveGeometry2dObject final : public HostObject, public IVCurveGeometry2dOf<Kind> {
 public:
  using HostObject::HostObject;
  Ref<IVCurveEvaluator2d> GetEvaluator() override {
    return ReadObject<IVCurveEvaluator2d>(member::kEvaluator, Role::kCurveEvaluator2d);
  }
};

template <IVCurveKind Kind>
class CurveGeometry3dObject final : public HostObject, public IVCurveGeometry3dOf<Kind> {
 public:
  using HostObject::HostObject;
  Ref<IVCurveEvaluator> GetEvaluator() override {
    return ReadObject<IVCurveEvaluator>(member::kEvaluator, Role::kCurveEvaluator);
  }
};

// A sketch curve of one kind: Curve is IVSketchCurveOf<Kind> or IVSketchCurve3DOf<Kind>, Seen the
// interface of its geometry and Geometry the binding class of that. `type` is the code the host
// gave it: the kind's proxy code, or the kind's own for a curve of the assembly's own sketch.
template <class Curve, class Seen, class Geometry>
class SketchCurveObject final : public OccurrenceMemberObject<Curve> {
 public:
  SketchCurveObject(std::shared_ptr<Session> session, DispatchObject object, IVCurveKind type)
      : OccurrenceMemberObject<Curve>(std::move(session), std::move(object)), type_(type) {}
  IVCurveKind ObjectType() override { return type_; }
  Ref<IVObject> Parent() override {
    return this->template ReadObject<IVObject>(member::kParent, Role::kSketch);
  }
  Ref<Seen> GetGeometry() override {
    const Variant geometry = this->Host().Read(member::kGeometry);
    const Ref<IVObject> bound =
        this->Binding().template BindAs<Geometry>(geometry.AsObject(member::kGeometry.role));
    return std::dynamic_pointer_cast<Seen>(bound);
  }

 private:
  IVCurveKind type_;
};

template <IVCurveKind Kind>
using SketchCurve2dObject = SketchCurveObject<IVSketchCurveOf<Kind>, IVCurveGeometry2dOf<Kind>,
                                              CurveGeometry2dObject<Kind>>;
template <IVCurveKind Kind>
using SketchCurve3dObject = SketchCurveObject<IVSketchCurve3DOf<Kind>, IVCurveGeometry3dOf<Kind>,
                                              CurveGeometry3dObject<Kind>>;

// Profiles of a 2D sketch (AddForSolid, AddForSurface) or of a 3D sketch (AddClosed, AddOpen).
template <class Interface>
class ProfilesObject final : public HostObject, public Interface {
 public:
  ProfilesObject(std::shared_ptr<Session> session, DispatchObject object, const Member& closed,
                 const Member& open)
      : HostObject(std::move(session), std::move(object)), closed_(closed), open_(open) {}
  Ref<IVProfile> AddClosedProfile() override {
    return CallObject<IVProfile>(closed_, Role::kProfile, {});
  }
  Ref<IVProfile> AddOpenProfile() override {
    return CallObject<IVProfile>(open_, Role::kProfile, {});
  }

 private:
  const Member& closed_;
  const Member& open_;
};

class ProfileObject final : public HostObject, public IVProfile {
 public:
  using HostObject::HostObject;
  int Count() override;
  Ref<IVProfilePath> Item(int index) override;
};

class ProfilePathObject final : public HostObject, public IVProfilePath {
 public:
  using HostObject::HostObject;
  int Count() override;
  Ref<IVProfileEntity> Item(int index) override;
};

class ProfileEntityObject final : public HostObject, public IVProfileEntity {
 public:
  using HostObject::HostObject;
  Ref<IVObject> GetSketchEntity() override;
};

}  // namespace sledway::automation
