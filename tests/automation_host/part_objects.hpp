#pragma once

// What a component's part shows in the assembly: edge, vertex, work point and work axis
// proxies, reported where the component stands now.

#include <vector>

#include "analytic_curve.hpp"
#include "com_object.hpp"
#include "component_occurrence.hpp"

namespace sledway::automation_host {

class EdgeProxyObject final : public Object<::EdgeProxy, ::OccurrenceMember> {
 public:
  // `curve` in the component's own coordinates.
  EdgeProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                  const AnalyticCurve& curve);

  HRESULT STDMETHODCALLTYPE get_ContainingOccurrence(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Evaluator(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_TangentiallyConnectedEdges(IDispatch** value) override;

  // The edges tangent-connected to this one, itself among them, in chain order.
  void SetTangentChain(std::vector<EdgeProxyObject*> chain) { chain_ = std::move(chain); }

 private:
  ComponentOccurrenceObject& component_;
  AnalyticCurve curve_;
  std::vector<EdgeProxyObject*> chain_;
};

class VertexProxyObject final
    : public Object<::VertexProxy, ::PointEntityProxy, ::OccurrenceMember> {
 public:
  // `local` in the component's coordinates.
  VertexProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                    const Vec3& local);

  HRESULT STDMETHODCALLTYPE get_ContainingOccurrence(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Point(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Edges(IDispatch** value) override;

  void SetEdges(std::vector<EdgeProxyObject*> edges) { edges_ = std::move(edges); }

 private:
  ComponentOccurrenceObject& component_;
  Vec3 local_;
  std::vector<EdgeProxyObject*> edges_;
};

// A WorkPointProxy at `local` in the component's coordinates.
ComPtr<IDispatch> NewWorkPointProxy(IDispatch* application, ComponentOccurrenceObject& component,
                                    const Vec3& local);
// A WorkAxisProxy through `root` along `direction` in the component's coordinates.
ComPtr<IDispatch> NewWorkAxisProxy(IDispatch* application, ComponentOccurrenceObject& component,
                                   const Vec3& root, const Vec3& direction);

}  // namespace sledway::automation_host
