#include "modelhost/curves/curve_evaluator_2d.hpp"

#include <Geom2dAdaptor_Curve.hxx>

#include "host/host_error.hpp"
#include "modelhost/curves/evaluator_arrays.hpp"
#include "modelhost/geometry/input_checks.hpp"

namespace sledway::model {

namespace {

Handle(Adaptor2d_Curve2d) AdaptorOf(const Handle(Geom2d_Curve) & curve) {
  if (curve.IsNull()) throw HostError(hresult::kPointer, "2D curve evaluator: no curve given");
  return new Geom2dAdaptor_Curve(curve);
}

}  // namespace

CurveEvaluator2d::CurveEvaluator2d(const Handle(Geom2d_Curve) & curve) : curve_(AdaptorOf(curve)) {}

void CurveEvaluator2d::GetEndPoints(std::span<double, 2> start, std::span<double, 2> end) {
  const gp_Pnt2d first = curve_.Value(curve_.First());
  const gp_Pnt2d last = curve_.Value(curve_.Last());
  start[0] = first.X();
  start[1] = first.Y();
  end[0] = last.X();
  end[1] = last.Y();
}

void CurveEvaluator2d::GetParamRange(double& minParam, double& maxParam) {
  minParam = curve_.First();
  maxParam = curve_.Last();
}

void CurveEvaluator2d::GetParamAtLength(double fromParam, double length, double& param) {
  RequireFinite("GetParamAtLength", {fromParam, length});
  param = curve_.ParamAtLength(fromParam, length);
}

void CurveEvaluator2d::GetLengthBetweenParams(double fromParam, double toParam, double& length) {
  RequireFinite("GetLengthBetweenParams", {fromParam, toParam});
  length = curve_.Length(fromParam, toParam);
}

void CurveEvaluator2d::GetPointAtParam(std::span<const double> params, std::span<double> points) {
  CheckEvaluatorArrays("GetPointAtParam", params, points.size(), 2);
  for (std::size_t i = 0; i < params.size(); ++i) {
    const gp_Pnt2d point = curve_.Value(params[i]);
    points[2 * i] = point.X();
    points[2 * i + 1] = point.Y();
  }
}

void CurveEvaluator2d::GetTangent(std::span<const double> params, std::span<double> tangents) {
  CheckEvaluatorArrays("GetTangent", params, tangents.size(), 2);
  for (std::size_t i = 0; i < params.size(); ++i) {
    const gp_Vec2d tangent = curve_.Derivative(params[i]);
    tangents[2 * i] = tangent.X();
    tangents[2 * i + 1] = tangent.Y();
  }
}

}  // namespace sledway::model
