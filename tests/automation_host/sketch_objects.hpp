#pragma once

// Sketches of a component seen in the assembly: a planar sketch of lines and arcs and a 3D
// sketch, their curves, and the profiles (paths of connected curves) the add-in builds.

#include <vector>

#include "affine.hpp"
#include "analytic_curve.hpp"
#include "com_object.hpp"
#include "component_occurrence.hpp"
#include "geometry_objects.hpp"

namespace sledway::automation_host {

class SketchEntityProxyObject final : public OccurrenceMemberObject<::SketchEntityProxy> {
 public:
  // `type` is the curve's kind code; `curve` is in sketch coordinates (a planar sketch's,
  // z = 0) or in the component's (a 3D sketch's).
  SketchEntityProxyObject(IDispatch* application, long type, ComponentOccurrenceObject& component,
                          IDispatch& sketch, const AnalyticCurve& curve, bool planar)
      : OccurrenceMemberObject(application, component, type),
        sketch_(sketch),
        curve_(curve),
        planar_(planar) {}

  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** value) override { return Give(&sketch_, value); }
  HRESULT STDMETHODCALLTYPE get_Geometry(IDispatch** value) override;

 private:
  IDispatch& sketch_;
  AnalyticCurve curve_;
  bool planar_;
};

// A connected run of sketch curves in order; closed when it ends where it starts.
struct CurveChain {
  std::vector<SketchEntityProxyObject*> curves;
  bool closed = false;
};

class PlanarSketchProxyObject final : public OccurrenceMemberObject<::PlanarSketchProxy> {
 public:
  // `placement` takes sketch coordinates (x, y, 0) to the component's.
  PlanarSketchProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                          const Affine& placement);

  HRESULT STDMETHODCALLTYPE SketchToModelSpace(IDispatch* point, IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_SketchToModelTransform(IDispatch** value) override {
    return Give(NewMatrix(application(), ToModel()), value);
  }
  HRESULT STDMETHODCALLTYPE get_Profiles(IDispatch** value) override {
    return Give(profiles_, value);
  }

  std::vector<CurveChain>& chains() { return chains_; }

 private:
  Affine ToModel() const { return component_.placement().After(placement_); }

  Affine placement_;
  std::vector<CurveChain> chains_;
  ComPtr<IDispatch> profiles_;
};

class Sketch3DProxyObject final : public OccurrenceMemberObject<::Sketch3DProxy> {
 public:
  Sketch3DProxyObject(IDispatch* application, ComponentOccurrenceObject& component);

  HRESULT STDMETHODCALLTYPE get_Profiles3D(IDispatch** value) override {
    return Give(profiles_, value);
  }

  std::vector<CurveChain>& chains() { return chains_; }

 private:
  std::vector<CurveChain> chains_;
  ComPtr<IDispatch> profiles_;
};

}  // namespace sledway::automation_host
