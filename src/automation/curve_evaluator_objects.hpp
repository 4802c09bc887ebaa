#pragma once

// Curve evaluators over the host's CurveEvaluator (model space) and Curve2dEvaluator (a sketch
// plane). The host answers through doubles and arrays of doubles passed by reference.

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

class CurveEvaluatorObject final : public EvaluatorCalls, public IVCurveEvaluator {
 public:
  using EvaluatorCalls::EvaluatorCalls;
  void GetEndPoints(std::span<double, 3> start, std::span<double, 3> end) override {
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

class CurveEvaluator2dObject final : public EvaluatorCalls, public IVCurveEvaluator2d {
 public:
  using EvaluatorCalls::EvaluatorCalls;
  void GetEndPoints(std::span<double, 2> start, std::span<double, 2> end) override {
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

}  // namespace sledway::automation
