#pragma once

// Sketches of a component seen in the assembly: a planar sketch of lines and arcs and a 3D
// sketch, their curves, and the profiles (paths of connected curves) the add-in builds.

#include <vector>

#include "affine.hpp"
#include "analytic_curve.hpp"
#include "com_object.hpp"
#include "component_occurrence.hpp"

namespace sledway::automation_host {

class SketchEntityProxyObject final : public Object<::SketchEntityProxy, ::OccurrenceMember> {
 public:
  // `type` is the curve's kind code; `curve` is in sketch coordinates (a planar sketch's,
  // z = 0) or in the component's (a 3D sketch's).
  SketchEntityProxyObject(IDispatch* application, long type, ComponentOccurrenceObject& component,
                          IDispatch& sketch, const AnalyticCurve& curve, bool planar);

  HRESULT STDMETHODCALLTYPE get_ContainingOccurrence(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Geometry(IDispatch** value) override;

 private:
  ComponentOccurrenceObject& component_;
  IDispatch& sketch_;
  AnalyticCurve curve_;
  bool planar_;
};

// A connected run of sketch curves in order; closed when it ends where it starts.
struct CurveChain {
  std::vector<SketchEntityProxyObject*> curves;
  bool closed = false;
};

class PlanarSketchProxyObject final : public Object<::PlanarSketchProxy, ::OccurrenceMember> {
 public:
  // `placement` takes sketch coordinates (x, y, 0) to the component's.
  PlanarSketchProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                          const Affine& placement);

  HRESULT STDMETHODCALLTYPE get_ContainingOccurrence(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE SketchToModelSpace(IDispatch* point, IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_SketchToModelTransform(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Profiles(IDispatch** value) override;

  std::vector<CurveChain>& chains() { return chains_; }

 private:
  Affine ToModel() const;

  ComponentOccurrenceObject& component_;
  Affine placement_;
  std::vector<CurveChain> chains_;
  ComPtr<IDispatch> profiles_;
};

class Sketch3DProxyObject final : public Object<::Sketch3DProxy, ::OccurrenceMember> {
 public:
  Sketch3DProxyObject(IDispatch* application, ComponentOccurrenceObject& component);

  HRESULT STDMETHODCALLTYPE get_ContainingOccurrence(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Profiles3D(IDispatch** value) override;

  std::vector<CurveChain>& chains() { return chains_; }

 private:
  ComponentOccurrenceObject& component_;
  std::vector<CurveChain> chains_;
  ComPtr<IDispatch> profiles_;
};

}  // namespace sledway::automation_host
