#pragma once

#include <Adaptor3d_Curve.hxx>
#include <functional>
#include <gp_Trsf.hxx>

#include "host/curve_evaluator.hpp"
#include "modelhost/curves/extended_curve.hpp"

namespace sledway::model {

// Evaluates a curve of the model host in model space.
//
// `placement` maps the curve's own coordinates into model space (a part edge seen through a
// component that may move). It is asked at every query, so the evaluator follows the
// component; tangents are turned by it, never shifted. Empty means the curve already lies in
// model space. Parameters and lengths are the curve's own: a rigid placement changes neither.
//
// Beyond the ends the curve runs straight on along its end tangent, at the parameter speed of
// that end. A length past an end gives a parameter outside the range, u_end + extra /
// |C'(u_end)|, and points and tangents at such a parameter lie on that straight continuation:
// P(u_end) + (u - u_end) C'(u_end), tangent C'(u_end).
//
// Lengths are signed (negative backwards). The last GetParamAtLength answer is remembered, so
// asking for the point and then the tangent at one distance solves once. Arrays must hold three
// values per parameter; NaN or infinite inputs and short arrays fail with HostError kInvalidArg.
class CurveEvaluator : public IVCurveEvaluator {
 public:
  explicit CurveEvaluator(Handle(Adaptor3d_Curve) curve, std::function<gp_Trsf()> placement = {});

  void GetEndPoints(std::span<double, 3> start, std::span<double, 3> end) override;
  void GetParamRange(double& minParam, double& maxParam) override;
  void GetParamAtLength(double fromParam, double length, double& param) override;
  void GetLengthBetweenParams(double fromParam, double toParam, double& length) override;
  void GetPointAtParam(std::span<const double> params, std::span<double> points) override;
  void GetTangent(std::span<const double> params, std::span<double> tangents) override;

  // The curve in its own coordinates, within its range; the placement moves it rigidly.
  const Handle(Adaptor3d_Curve) & Curve() const { return curve_.Within(); }

 private:
  gp_Trsf Placement() const;

  ExtendedCurve<Adaptor3d_Curve> curve_;
  std::function<gp_Trsf()> placement_;
};

}  // namespace sledway::model
