#include "sketch_objects.hpp"

#include "curve_objects.hpp"
#include "geometry_objects.hpp"
#include "list_objects.hpp"

namespace sledway::automation_host {

namespace {

class ProfileEntityObject final : public Object<::ProfileEntity> {
 public:
  ProfileEntityObject(IDispatch* application, IDispatch* curve)
      : Object(application), curve_(curve) {}

  HRESULT STDMETHODCALLTYPE get_SketchEntity(IDispatch** value) override {
    return Give(curve_, value);
  }

 private:
  ComPtr<IDispatch> curve_;
};

// A profile of the sketch's chains, one path per chain: only the closed ones for a solid, all
// of them for a surface. Profiles are handed to the caller, not kept by the sketch, so nothing
// the add-in builds outlives its use.
HRESULT BuildProfile(IDispatch* application, const std::vector<CurveChain>& chains, bool closedOnly,
                     IDispatch** value) {
  std::vector<ComPtr<IDispatch>> paths;
  for (const CurveChain& chain : chains) {
    if (closedOnly && !chain.closed) continue;
    std::vector<ComPtr<IDispatch>> entities;
    for (SketchEntityProxyObject* curve : chain.curves) {
      entities.push_back(
          Make<ProfileEntityObject>(application, static_cast<::SketchEntityProxy*>(curve)));
    }
    paths.push_back(NewObjectsEnumerator(application, entities));
  }
  if (paths.empty()) {
    return Failure(E_FAIL, closedOnly ? L"the sketch has no closed loop to make a profile of"
                                      : L"the sketch has no curves to make a profile of");
  }
  return Give(NewObjectsEnumerator(application, paths), value);
}

class ProfilesObject final : public List<::Profiles> {
 public:
  ProfilesObject(IDispatch* application, std::vector<CurveChain>& chains)
      : List(application, L"Profiles"), chains_(chains) {}

  HRESULT STDMETHODCALLTYPE AddForSolid(VARIANT, VARIANT, VARIANT, IDispatch** value) override {
    return BuildProfile(application(), chains_, true, value);
  }
  HRESULT STDMETHODCALLTYPE AddForSurface(VARIANT, IDispatch** value) override {
    return BuildProfile(application(), chains_, false, value);
  }

 private:
  std::vector<CurveChain>& chains_;
};

class Profiles3DObject final : public List<::Profiles3D> {
 public:
  Profiles3DObject(IDispatch* application, std::vector<CurveChain>& chains)
      : List(application, L"Profiles3D"), chains_(chains) {}

  HRESULT STDMETHODCALLTYPE AddOpen(VARIANT, IDispatch** value) override {
    return BuildProfile(application(), chains_, false, value);
  }
  HRESULT STDMETHODCALLTYPE AddClosed(VARIANT, IDispatch** value) override {
    return BuildProfile(application(), chains_, true, value);
  }

 private:
  std::vector<CurveChain>& chains_;
};

}  // namespace

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
    : OccurrenceMemberObject(application, component),
      placement_(placement),
      profiles_(Make<ProfilesObject>(application, chains_)) {}

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

Sketch3DProxyObject::Sketch3DProxyObject(IDispatch* application,
                                         ComponentOccurrenceObject& component)
    : OccurrenceMemberObject(application, component),
      profiles_(Make<Profiles3DObject>(application, chains_)) {}

}  // namespace sledway::automation_host
