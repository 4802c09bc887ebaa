#include "sketch_objects.hpp"

#include "curve_objects.hpp"
#include "geometry_objects.hpp"
#include "list_objects.hpp"
#include "object_types.hpp"

namespace sledway::automation_host {

namespace {

class ProfileEntityObject final : public Object<::ProfileEntity> {
 public:
  ProfileEntityObject(IDispatch* application, long type, IDispatch* curve)
      : Object(type, application), curve_(curve) {}

  HRESULT STDMETHODCALLTYPE get_SketchEntity(IDispatch** value) override {
    return Give(curve_, value);
  }

 private:
  ComPtr<IDispatch> curve_;
};

struct ProfileTypes {
  long profile;
  long path;
  long entity;
};

// A profile of the sketch's chains, one path per chain: only the closed ones for a solid, all
// of them for a surface. Profiles are handed to the caller, not kept by the sketch, so nothing
// the add-in builds outlives its use.
HRESULT BuildProfile(IDispatch* application, const std::vector<CurveChain>& chains, bool closedOnly,
                     const ProfileTypes& types, IDispatch** value) {
  std::vector<ComPtr<IDispatch>> paths;
  for (const CurveChain& chain : chains) {
    if (closedOnly && !chain.closed) continue;
    std::vector<ComPtr<IDispatch>> entities;
    for (SketchEntityProxyObject* curve : chain.curves) {
      entities.push_back(Make<ProfileEntityObject>(application, types.entity,
                                                   static_cast<::SketchEntityProxy*>(curve)));
    }
    paths.push_back(NewObjectsEnumerator(application, entities, types.path));
  }
  if (paths.empty()) {
    return Failure(E_FAIL, closedOnly ? L"the sketch has no closed loop to make a profile of"
                                      : L"the sketch has no curves to make a profile of");
  }
  return Give(NewObjectsEnumerator(application, paths, types.profile), value);
}

constexpr ProfileTypes kPlanarProfile{object_type::kProfile, object_type::kProfilePath,
                                      object_type::kProfileEntity};
constexpr ProfileTypes kProfile3D{object_type::kProfile3D, object_type::kProfilePath3D,
                                  object_type::kProfileEntity3D};

class ProfilesObject final : public List<::Profiles> {
 public:
  ProfilesObject(IDispatch* application, std::vector<CurveChain>& chains)
      : List(object_type::kProfiles, application, L"Profiles"), chains_(chains) {}

  HRESULT STDMETHODCALLTYPE AddForSolid(VARIANT, VARIANT, VARIANT, IDispatch** value) override {
    return BuildProfile(application(), chains_, true, kPlanarProfile, value);
  }
  HRESULT STDMETHODCALLTYPE AddForSurface(VARIANT, IDispatch** value) override {
    return BuildProfile(application(), chains_, false, kPlanarProfile, value);
  }

 private:
  std::vector<CurveChain>& chains_;
};

class Profiles3DObject final : public List<::Profiles3D> {
 public:
  Profiles3DObject(IDispatch* application, std::vector<CurveChain>& chains)
      : List(object_type::kProfiles3D, application, L"Profiles3D"), chains_(chains) {}

  HRESULT STDMETHODCALLTYPE AddOpen(VARIANT, IDispatch** value) override {
    return BuildProfile(application(), chains_, false, kProfile3D, value);
  }
  HRESULT STDMETHODCALLTYPE AddClosed(VARIANT, IDispatch** value) override {
    return BuildProfile(application(), chains_, true, kProfile3D, value);
  }

 private:
  std::vector<CurveChain>& chains_;
};

}  // namespace

SketchEntityProxyObject::SketchEntityProxyObject(IDispatch* application, long type,
                                                 ComponentOccurrenceObject& component,
                                                 IDispatch& sketch, const AnalyticCurve& curve,
                                                 bool planar)
    : Object(type, application),
      component_(component),
      sketch_(sketch),
      curve_(curve),
      planar_(planar) {}

HRESULT SketchEntityProxyObject::get_ContainingOccurrence(IDispatch** value) {
  return Give(static_cast<IDispatch*>(&component_), value);
}

HRESULT SketchEntityProxyObject::get_Parent(IDispatch** value) {
  return Give(&sketch_, value);
}

HRESULT SketchEntityProxyObject::get_Geometry(IDispatch** value) {
  IDispatch* application = this->application();
  const AnalyticCurve curve = curve_;
  ComponentOccurrenceObject* component = &component_;
  if (planar_) {
    return Give(
        NewCurveGeometry(application, [=] { return NewCurve2dEvaluator(application, curve); }),
        value);
  }
  return Give(NewCurveGeometry(application,
                               [=] {
                                 return NewCurveEvaluator(application, curve, [component] {
                                   return component->placement();
                                 });
                               }),
              value);
}

PlanarSketchProxyObject::PlanarSketchProxyObject(IDispatch* application,
                                                 ComponentOccurrenceObject& component,
                                                 const Affine& placement)
    : Object(object_type::kPlanarSketchProxy, application),
      component_(component),
      placement_(placement),
      profiles_(Make<ProfilesObject>(application, chains_)) {}

HRESULT PlanarSketchProxyObject::get_ContainingOccurrence(IDispatch** value) {
  return Give(static_cast<IDispatch*>(&component_), value);
}

HRESULT PlanarSketchProxyObject::SketchToModelSpace(IDispatch* point, IDispatch** value) {
  ComPtr<::Point2d> given;
  if (point == nullptr || FAILED(point->QueryInterface(IID_PPV_ARGS(&given)))) {
    return Failure(E_INVALIDARG, L"SketchToModelSpace: a Point2d was expected");
  }
  Vec3 at;
  given->get_X(&at.x);
  given->get_Y(&at.y);
  return Give(NewPoint(application(), ToModel().Point(at)), value);
}

HRESULT PlanarSketchProxyObject::get_SketchToModelTransform(IDispatch** value) {
  return Give(NewMatrix(application(), ToModel()), value);
}

HRESULT PlanarSketchProxyObject::get_Profiles(IDispatch** value) {
  return Give(profiles_, value);
}

Affine PlanarSketchProxyObject::ToModel() const {
  return component_.placement().After(placement_);
}

Sketch3DProxyObject::Sketch3DProxyObject(IDispatch* application,
                                         ComponentOccurrenceObject& component)
    : Object(object_type::kSketch3DProxy, application),
      component_(component),
      profiles_(Make<Profiles3DObject>(application, chains_)) {}

HRESULT Sketch3DProxyObject::get_ContainingOccurrence(IDispatch** value) {
  return Give(static_cast<IDispatch*>(&component_), value);
}

HRESULT Sketch3DProxyObject::get_Profiles3D(IDispatch** value) {
  return Give(profiles_, value);
}

}  // namespace sledway::automation_host
