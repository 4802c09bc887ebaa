#include "part_objects.hpp"

namespace sledway::automation_host {

namespace {

// Line: an unbounded line (a work axis's), its evaluator over one unit of its direction.
class LineObject final : public Object<::Line> {
 public:
  LineObject(IDispatch* application, const Vec3& root, const Vec3& direction)
      : Object(application), root_(root), direction_(Normalized(direction)) {}

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

class WorkAxisProxyObject final : public OccurrenceMemberObject<::WorkAxisProxy> {
 public:
  WorkAxisProxyObject(IDispatch* application, ComponentOccurrenceObject& component,
                      const Vec3& root, const Vec3& direction)
      : OccurrenceMemberObject(application, component), root_(root), direction_(direction) {}

  HRESULT STDMETHODCALLTYPE get_Line(IDispatch** value) override {
    const Affine& placement = component_.placement();
    return Give(
        Make<LineObject>(application(), placement.Point(root_), placement.Direction(direction_)),
        value);
  }

 private:
  Vec3 root_;
  Vec3 direction_;
};

}  // namespace

ComPtr<IDispatch> NewWorkAxisProxy(IDispatch* application, ComponentOccurrenceObject& component,
                                   const Vec3& root, const Vec3& direction) {
  return Make<WorkAxisProxyObject>(application, component, root, direction);
}

}  // namespace sledway::automation_host
