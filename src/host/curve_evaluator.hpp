#pragma once

#include <span>

#include "host/object.hpp"

namespace sledway {

// Evaluates a curve in model space (model length unit). Parameters are the curve's own.
// Arrays hold one entry per parameter: points and tangents as x, y, z triples.
//
// A length beyond either end of the curve continues the curve along its end tangent:
// GetParamAtLength gives a parameter outside the range, and GetPointAtParam and GetTangent
// evaluate that straight continuation.
class IVCurveEvaluator : public virtual IVObject {
 public:
  // The curve's own start and end point (x, y, z each).
  virtual void GetEndPoints(std::span<double, 3> start, std::span<double, 3> end) = 0;
  virtual void GetParamRange(double& minParam, double& maxParam) = 0;
  // The parameter at arc length `length` from `fromParam` (negative lengths go backwards).
  virtual void GetParamAtLength(double fromParam, double length, double& param) = 0;
  virtual void GetLengthBetweenParams(double fromParam, double toParam, double& length) = 0;
  virtual void GetPointAtParam(std::span<const double> params, std::span<double> points) = 0;
  // First derivative with respect to the parameter (not normalised).
  virtual void GetTangent(std::span<const double> params, std::span<double> tangents) = 0;
};

// Evaluates a curve in its sketch plane; points and tangents are x, y pairs.
class IVCurveEvaluator2d : public virtual IVObject {
 public:
  virtual void GetEndPoints(std::span<double, 2> start, std::span<double, 2> end) = 0;
  virtual void GetParamRange(double& minParam, double& maxParam) = 0;
  virtual void GetParamAtLength(double fromParam, double length, double& param) = 0;
  virtual void GetLengthBetweenParams(double fromParam, double toParam, double& length) = 0;
  virtual void GetPointAtParam(std::span<const double> params, std::span<double> points) = 0;
  virtual void GetTangent(std::span<const double> params, std::span<double> tangents) = 0;
};

}  // namespace sledway
