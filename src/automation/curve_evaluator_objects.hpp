#pragma once

// Curve evaluators over the host's CurveEvaluator (model space) and Curve2dEvaluator (a sketch
// plane). The host answers through doubles and arrays of doubles passed by reference.

#include <cstddef>
#include <span>

#include "automation/host_object.hpp"
#include "host/curve_evaluator.hpp"

namespace sledway::automation {

// The calls both evaluators share; `dimension` coordinates per point.
class EvaluatorCalls : public HostObject {
 public:
  using HostObject::HostObject;

 protected:
  void EndPoints(std::span<double> start, std::span<double> end);
  void ParamRange(double& minParam, double& maxParam);
  void ParamAtLength(double fromParam, double length, double& param);
  void LengthBetweenParams(double fromParam, double toParam, double& length);
  // Calls `member` with the parameters and copies the points (or tangents) it gives.
  void AtParams(const Member& member, std::span<const double> params, std::span<double> values);
};

// A curve's evaluator in model space (Dimension 3, IVCurveEvaluator) or in its sketch plane
// (Dimension 2, IVCurveEvaluator2d): the same host members either way.
template <class Interface, std::size_t Dimension>
class EvaluatorObject final : public EvaluatorCalls, public Interface {
 public:
  using EvaluatorCalls::EvaluatorCalls;
  void GetEndPoints(std::span<double, Dimension> start, std::span<double, Dimension> end) override {
    EndPoints(start, end);
  }
  void GetParamRange(double& minParam, double& maxParam) override {
    ParamRange(minParam, maxParam);
  }
  void GetParamAtLength(double fromParam, double length, double& param) override {
    ParamAtLength(fromParam, length, param);
  }
  void GetLengthBetweenParams(double fromParam, double toParam, double& length) override {
    LengthBetweenParams(fromParam, toParam, length);
  }
  void GetPointAtParam(std::span<const double> params, std::span<double> points) override {
    AtParams(member::kGetPointAtParam, params, points);
  }
  void GetTangent(std::span<const double> params, std::span<double> tangents) override {
    AtParams(member::kGetTangent, params, tangents);
  }
};

using CurveEvaluatorObject = EvaluatorObject<IVCurveEvaluator, 3>;
using CurveEvaluator2dObject = EvaluatorObject<IVCurveEvaluator2d, 2>;

}  // namespace sledway::automation
