#include "part_objects.hpp"

#include "curve_objects.hpp"
#include "geometry_objects.hpp"
#include "list_objects.hpp"
#include "object_types.hpp"

namespace sledway::automation_host {

namespace {

class WorkPointProxyObject final : public Object<::PointEntityProxy, ::OccurrenceMember> {
 public:
  WorkPointProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                       const Vec3& local)
      : Object(object_type::kWorkPointProxy, application), component_(component), local_(local) {}

  HRESULT STDMETHODCALLTYPE get_ContainingOccurrence(IDispatch** value) override {
    return Give(static_cast<IDispatch*>(&component_), value);
  }
  HRESULT STDMETHODCALLTYPE get_Point(IDispatch** value) override {
    return Give(NewPoint(application(), component_.placement().Point(local_)), value);
  }

 private:
  ComponentOccurrenceObject& component_;
  Vec3 local_;
};

// Line: an unbounded line (a work axis's), its evaluator over one unit of its direction.
class LineObject final : public Object<::Line> {
 public:
  LineObject(IDispatch* application, const Vec3& root, const Vec3& direction)
      : Object(object_type::kLine, application), root_(root), direction_(Normalized(direction)) {}

  HRESULT STDMETHODCALLTYPE get_RootPoint(IDispatch** value) override {
    return Give(NewPoint(application(), root_), value);
  }
  HRESULT STDMETHODCALLTYPE get_Direction(IDispatch** value) override {
    return Give(NewUnitVector(application(), direction_), value);
  }
  HRESULT STDMETHODCALLTYPE get_Evaluator(IDispatch** value) override {
    return Give(NewCurveEvaluator(application(), AnalyticCurve::Line(root_, root_ + direction_),
                                  [] { return Affine{}; }),
                value);
  }

 private:
  Vec3 root_;
  Vec3 direction_;
};

class WorkAxisProxyObject final : public Object<::WorkAxisProxy, ::OccurrenceMember> {
 public:
  WorkAxisProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                      const Vec3& root, const Vec3& direction)
      : Object(object_type::kWorkAxisProxy, application),
        component_(component),
        root_(root),
        direction_(direction) {}

  HRESULT STDMETHODCALLTYPE get_ContainingOccurrence(IDispatch** value) override {
    return Give(static_cast<IDispatch*>(&component_), value);
  }
  HRESULT STDMETHODCALLTYPE get_Line(IDispatch** value) override {
    const Affine& placement = component_.placement();
    return Give(
        Make<LineObject>(application(), placement.Point(root_), placement.Direction(direction_)),
        value);
  }

 private:
  ComponentOccurrenceObject& component_;
  Vec3 root_;
  Vec3 direction_;
};

}  // namespace

EdgeProxyObject::EdgeProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                                 const AnalyticCurve& curve)
    : Object(object_type::kEdgeProxy, application), component_(component), curve_(curve) {}

HRESULT EdgeProxyObject::get_ContainingOccurrence(IDispatch** value) {
  return Give(static_cast<IDispatch*>(&component_), value);
}

HRESULT EdgeProxyObject::get_Evaluator(IDispatch** value) {
  ComponentOccurrenceObject* component = &component_;
  return Give(
      NewCurveEvaluator(application(), curve_, [component] { return component->placement(); }),
      value);
}

HRESULT EdgeProxyObject::get_TangentiallyConnectedEdges(IDispatch** value) {
  std::vector<ComPtr<IDispatch>> edges;
  for (EdgeProxyObject* edge : chain_) edges.emplace_back(static_cast<::EdgeProxy*>(edge));
  return Give(NewObjectsEnumerator(application(), edges, object_type::kEdgeCollection), value);
}

VertexProxyObject::VertexProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                                     const Vec3& local)
    : Object(object_type::kVertexProxy, application), component_(component), local_(local) {}

HRESULT VertexProxyObject::get_ContainingOccurrence(IDispatch** value) {
  return Give(static_cast<IDispatch*>(&component_), value);
}

HRESULT VertexProxyObject::get_Point(IDispatch** value) {
  return Give(NewPoint(application(), component_.placement().Point(local_)), value);
}

HRESULT VertexProxyObject::get_Edges(IDispatch** value) {
  std::vector<ComPtr<IDispatch>> edges;
  for (EdgeProxyObject* edge : edges_) edges.emplace_back(static_cast<::EdgeProxy*>(edge));
  return Give(NewObjectsEnumerator(application(), edges, object_type::kEdgeCollection), value);
}

ComPtr<IDispatch> NewWorkPointProxy(IDispatch* application, ComponentOccurrenceObject& component,
                                    const Vec3& local) {
  return Make<WorkPointProxyObject>(application, component, local);
}

ComPtr<IDispatch> NewWorkAxisProxy(IDispatch* application, ComponentOccurrenceObject& component,
                                   const Vec3& root, const Vec3& direction) {
  return Make<WorkAxisProxyObject>(application, component, root, direction);
}

}  // namespace sledway::automation_host
