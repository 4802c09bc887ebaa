#include "modelhost/sketch/sketch_curve_3d.hpp"

#include <functional>
#include <utility>

#include "host/host_error.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/curves/curve_evaluator.hpp"
#include "modelhost/interaction/selectable.hpp"
#include "modelhost/sketch/sketch3d.hpp"

namespace sledway::model {

namespace {

template <IVCurveKind Kind>
class CurveGeometry3d final : public IVCurveGeometry3dOf<Kind> {
 public:
  CurveGeometry3d(Handle(Adaptor3d_Curve) curve, OccurrenceLink component)
      : curve_(std::move(curve)), component_(std::move(component)) {}

  Ref<IVCurveEvaluator> GetEvaluator() override {
    return std::make_shared<CurveEvaluator>(curve_, component_.LivePlacement());
  }

 private:
  Handle(Adaptor3d_Curve) curve_;
  OccurrenceLink component_;
};

template <IVCurveKind Kind>
class SketchCurve3d final : public IVSketchCurve3DOf<Kind>, public Selectable {
 public:
  SketchCurve3d(Handle(Adaptor3d_Curve) curve, std::weak_ptr<Sketch3d> sketch,
                OccurrenceLink component)
      : curve_(std::move(curve)), sketch_(std::move(sketch)), component_(std::move(component)) {}

  // A proxy's code when seen through a component, the kind's own in the assembly's sketch.
  IVCurveKind ObjectType() override { return component_.OnComponent() ? Kind : NativeKind(Kind); }

  Ref<IVObject> Parent() override {
    auto sketch = sketch_.lock();
    if (!sketch) throw HostError(hresult::kUnexpected, "the sketch of this curve no longer exists");
    return sketch;
  }

  Ref<IVComponent> ContainingOccurrence() override { return component_.Occurrence(); }

  Ref<IVCurveGeometry3dOf<Kind>> GetGeometry() override {
    return std::make_shared<CurveGeometry3d<Kind>>(curve_, component_);
  }

  bool PassesFilter(IVSelectFilter filter) override {
    return filter == IVSelectFilter::kSketch3DDefault;
  }

 private:
  Handle(Adaptor3d_Curve) curve_;
  std::weak_ptr<Sketch3d> sketch_;
  OccurrenceLink component_;
};

template <IVCurveKind Kind>
Ref<IVSketchEntity3D> Make(Handle(Adaptor3d_Curve) curve, std::weak_ptr<Sketch3d> sketch,
                           OccurrenceLink component) {
  return std::make_shared<SketchCurve3d<Kind>>(std::move(curve), std::move(sketch),
                                               std::move(component));
}

}  // namespace

Ref<IVSketchEntity3D> MakeSketchCurve3d(IVCurveKind kind, Handle(Adaptor3d_Curve) curve,
                                        std::weak_ptr<Sketch3d> sketch, OccurrenceLink component) {
  using enum IVCurveKind;
  switch (kind) {
    case kSketchLine3DProxy:
      return Make<kSketchLine3DProxy>(std::move(curve), std::move(sketch), std::move(component));
    case kSketchArc3DProxy:
      return Make<kSketchArc3DProxy>(std::move(curve), std::move(sketch), std::move(component));
    case kSketchCircle3DProxy:
      return Make<kSketchCircle3DProxy>(std::move(curve), std::move(sketch), std::move(component));
    case kSketchSpline3DProxy:
      return Make<kSketchSpline3DProxy>(std::move(curve), std::move(sketch), std::move(component));
    case kSketchEllipse3DProxy:
      return Make<kSketchEllipse3DProxy>(std::move(curve), std::move(sketch), std::move(component));
    default:
      throw HostError(hresult::kInvalidArg, "not a kind of 3D sketch curve: " +
                                                std::to_string(static_cast<std::int32_t>(kind)));
  }
}

}  // namespace sledway::model
