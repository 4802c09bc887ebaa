#include "modelhost/curves/curve_evaluator.hpp"

#include <utility>

#include "modelhost/curves/evaluator_arrays.hpp"
#include "modelhost/geometry/input_checks.hpp"

namespace sledway::model {

CurveEvaluator::CurveEvaluator(Handle(Adaptor3d_Curve) curve, std::function<gp_Trsf()> placement)
    : curve_(std::move(curve)), placement_(std::move(placement)) {}

gp_Trsf CurveEvaluator::Placement() const {
  return placement_ ? placement_() : gp_Trsf();
}

void CurveEvaluator::GetEndPoints(std::span<double, 3> start, std::span<double, 3> end) {
  const gp_Trsf placement = Placement();
  const gp_Pnt first = curve_.Value(curve_.First()).Transformed(placement);
  const gp_Pnt last = curve_.Value(curve_.Last()).Transformed(placement);
  start[0] = first.X();
  start[1] = first.Y();
  start[2] = first.Z();
  end[0] = last.X();
  end[1] = last.Y();
  end[2] = last.Z();
}

void CurveEvaluator::GetParamRange(double& minParam, double& maxParam) {
  minParam = curve_.First();
  maxParam = curve_.Last();
}

void CurveEvaluator::GetParamAtLength(double fromParam, double length, double& param) {
  RequireFinite("GetParamAtLength", {fromParam, length});
  param = curve_.ParamAtLength(fromParam, length);
}

void CurveEvaluator::GetLengthBetweenParams(double fromParam, double toParam, double& length) {
  RequireFinite("GetLengthBetweenParams", {fromParam, toParam});
  length = curve_.Length(fromParam, toParam);
}

void CurveEvaluator::GetPointAtParam(std::span<const double> params, std::span<double> points) {
  CheckEvaluatorArrays("GetPointAtParam", params, points.size(), 3);
  const gp_Trsf placement = Placement();
  for (std::size_t i = 0; i < params.size(); ++i) {
    const gp_Pnt point = curve_.Value(params[i]).Transformed(placement);
    points[3 * i] = point.X();
    points[3 * i + 1] = point.Y();
    points[3 * i + 2] = point.Z();
  }
}

void CurveEvaluator::GetTangent(std::span<const double> params, std::span<double> tangents) {
  CheckEvaluatorArrays("GetTangent", params, tangents.size(), 3);
  const gp_Trsf placement = Placement();
  for (std::size_t i = 0; i < params.size(); ++i) {
    const gp_Vec tangent = curve_.Derivative(params[i]).Transformed(placement);
    tangents[3 * i] = tangent.X();
    tangents[3 * i + 1] = tangent.Y();
    tangents[3 * i + 2] = tangent.Z();
  }
}

}  // namespace sledway::model
