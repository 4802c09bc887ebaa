#include "modelhost/sketch/sketch_curve_2d.hpp"

#include <utility>

#include "host/host_error.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/curves/curve_evaluator_2d.hpp"
#include "modelhost/interaction/selectable.hpp"
#include "modelhost/sketch/planar_sketch.hpp"

namespace sledway::model {

namespace {

template <IVCurveKind Kind>
class CurveGeometry2d final : public IVCurveGeometry2dOf<Kind> {
 public:
  explicit CurveGeometry2d(Handle(Geom2d_Curve) curve) : curve_(std::move(curve)) {}

  Ref<IVCurveEvaluator2d> GetEvaluator() override {
    return std::make_shared<CurveEvaluator2d>(curve_);
  }

 private:
  Handle(Geom2d_Curve) curve_;
};

template <IVCurveKind Kind>
class SketchCurve2d final : public IVSketchCurveOf<Kind>, public Selectable {
 public:
  SketchCurve2d(Handle(Geom2d_Curve) curve, std::weak_ptr<PlanarSketch> sketch,
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

  Ref<IVCurveGeometry2dOf<Kind>> GetGeometry() override {
    return std::make_shared<CurveGeometry2d<Kind>>(curve_);
  }

  bool PassesFilter(IVSelectFilter filter) override {
    return filter == IVSelectFilter::kSketchDefault;
  }

 private:
  Handle(Geom2d_Curve) curve_;
  std::weak_ptr<PlanarSketch> sketch_;
  OccurrenceLink component_;
};

template <IVCurveKind Kind>
Ref<IVSketchEntity> Make(Handle(Geom2d_Curve) curve, std::weak_ptr<PlanarSketch> sketch,
                         OccurrenceLink component) {
  return std::make_shared<SketchCurve2d<Kind>>(std::move(curve), std::move(sketch),
                                               std::move(component));
}

}  // namespace

Ref<IVSketchEntity> MakeSketchCurve2d(IVCurveKind kind, Handle(Geom2d_Curve) curve,
                                      std::weak_ptr<PlanarSketch> sketch,
                                      OccurrenceLink component) {
  using enum IVCurveKind;
  switch (kind) {
    case kSketchLineProxy:
      return Make<kSketchLineProxy>(std::move(curve), std::move(sketch), std::move(component));
    case kSketchArcProxy:
      return Make<kSketchArcProxy>(std::move(curve), std::move(sketch), std::move(component));
    case kSketchCircleProxy:
      return Make<kSketchCircleProxy>(std::move(curve), std::move(sketch), std::move(component));
    case kSketchEllipseProxy:
      return Make<kSketchEllipseProxy>(std::move(curve), std::move(sketch), std::move(component));
    case kSketchEllipticalArcProxy:
      return Make<kSketchEllipticalArcProxy>(std::move(curve), std::move(sketch),
                                             std::move(component));
    case kSketchSplineProxy:
      return Make<kSketchSplineProxy>(std::move(curve), std::move(sketch), std::move(component));
    default:
      throw HostError(hresult::kInvalidArg, "not a kind of 2D sketch curve: " +
                                                std::to_string(static_cast<std::int32_t>(kind)));
  }
}

}  // namespace sledway::model
