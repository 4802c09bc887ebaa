#pragma once

// What a component's part shows in the assembly: edge, vertex, work point and work axis
// proxies, reported where the component stands now.

#include <vector>

#include "analytic_curve.hpp"
#include "component_occurrence.hpp"
#include "curve_objects.hpp"
#include "geometry_objects.hpp"
#include "list_objects.hpp"
#include "object_types.hpp"

namespace sledway::automation_host {

class EdgeProxyObject final : public OccurrenceMemberObject<::EdgeProxy> {
 public:
  // `curve` in the component's own coordinates.
  EdgeProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                  const AnalyticCurve& curve)
      : OccurrenceMemberObject(application, component, object_type::kEdgeProxy), curve_(curve) {}

  HRESULT STDMETHODCALLTYPE get_Evaluator(IDispatch** value) override {
    ComponentOccurrenceObject* component = &component_;
    return Give(
        NewCurveEvaluator(application(), curve_, [component] { return component->placement(); }),
        value);
  }
  HRESULT STDMETHODCALLTYPE get_TangentiallyConnectedEdges(IDispatch** value) override {
    return Give(NewObjectsEnumerator(application(), {chain_.begin(), chain_.end()}), value);
  }

  // The edges tangent-connected to this one, itself among them, in chain order (held by the
  // scene, not by each other).
  void SetTangentChain(std::vector<IDispatch*> chain) { chain_ = std::move(chain); }

 private:
  AnalyticCurve curve_;
  std::vector<IDispatch*> chain_;
};

// A work point (`Interface` PointEntityProxy) or a vertex at `local` in the component's
// coordinates.
template <class Interface, class... Bases>
class PointProxyObject : public OccurrenceMemberObject<Interface, Bases...> {
 public:
  PointProxyObject(IDispatch* application, ComponentOccurrenceObject& component, const Vec3& local)
      : OccurrenceMemberObject<Interface, Bases...>(application, component), local_(local) {}

  HRESULT STDMETHODCALLTYPE get_Point(IDispatch** value) override {
    return Give(NewPoint(this->application(), this->component_.placement().Point(local_)), value);
  }

 private:
  Vec3 local_;
};

class VertexProxyObject final : public PointProxyObject<::VertexProxy, ::PointEntityProxy> {
 public:
  using PointProxyObject::PointProxyObject;

  HRESULT STDMETHODCALLTYPE get_Edges(IDispatch** value) override {
    return Give(NewObjectsEnumerator(application(), edges_), value);
  }

  void SetEdges(std::vector<ComPtr<IDispatch>> edges) { edges_ = std::move(edges); }

 private:
  std::vector<ComPtr<IDispatch>> edges_;
};

// A WorkAxisProxy through `root` along `direction` in the component's coordinates.
ComPtr<IDispatch> NewWorkAxisProxy(IDispatch* application, ComponentOccurrenceObject& component,
                                   const Vec3& root, const Vec3& direction);

}  // namespace sledway::automation_host
