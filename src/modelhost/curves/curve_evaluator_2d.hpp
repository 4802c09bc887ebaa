#pragma once

#include <Geom2d_Curve.hxx>

#include "host/curve_evaluator.hpp"
#include "modelhost/curves/extended_curve.hpp"

namespace sledway::model {

// Evaluates a curve of a 2D sketch in the sketch plane's own coordinates, with the same rules
// as CurveEvaluator: signed lengths, the straight continuation beyond the ends along the end
// tangent, the last solve remembered, two values per parameter in the arrays.
class CurveEvaluator2d : public IVCurveEvaluator2d {
 public:
  explicit CurveEvaluator2d(const Handle(Geom2d_Curve) & curve);

  void GetEndPoints(std::span<double, 2> start, std::span<double, 2> end) override;
  void GetParamRange(double& minParam, double& maxParam) override;
  void GetParamAtLength(double fromParam, double length, double& param) override;
  void GetLengthBetweenParams(double fromParam, double toParam, double& length) override;
  void GetPointAtParam(std::span<const double> params, std::span<double> points) override;
  void GetTangent(std::span<const double> params, std::span<double> tangents) override;

  // The curve in sketch coordinates, within its range.
  const Handle(Adaptor2d_Curve2d) & Curve() const { return curve_.Within(); }

 private:
  ExtendedCurve<Adaptor2d_Curve2d> curve_;
};

}  // namespace sledway::model
