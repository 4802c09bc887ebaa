#include "modelhost/component/work_axis_line.hpp"

#include <memory>
#include <utility>

#include "modelhost/curves/curve_evaluator.hpp"
#include "modelhost/curves/curve_makers.hpp"
#include "modelhost/geometry/point.hpp"
#include "modelhost/geometry/vector.hpp"

namespace sledway::model {

WorkAxisLine::WorkAxisLine(OccurrenceLink component, const gp_Ax1& axis)
    : component_(std::move(component)), axis_(axis) {}

Ref<IVPoint> WorkAxisLine::RootPoint() {
  return std::make_shared<Point>(axis_.Location().Transformed(component_.Placement()));
}

Ref<IVVector> WorkAxisLine::Direction() {
  return std::make_shared<Vector>(gp_Vec(axis_.Direction().Transformed(component_.Placement())));
}

Ref<IVCurveEvaluator> WorkAxisLine::GetEvaluator() {
  return std::make_shared<CurveEvaluator>(MakeInfiniteLine(axis_), component_.LivePlacement());
}

}  // namespace sledway::model
