#include "automation/curve_evaluator_objects.hpp"

#include <algorithm>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::automation {
namespace {

// The host must give at least as many numbers as the caller has room for.
void CopyOut(const Member& member, const std::vector<double>& given, std::span<double> into) {
  if (given.size() < into.size()) {
    throw HostError(hresult::kFail, std::string(member.role) + ": the host gave " +
                                        std::to_string(given.size()) + " numbers where " +
                                        std::to_string(into.size()) + " were due");
  }
  std::copy_n(given.begin(), into.size(), into.begin());
}

}  // namespace

using namespace member;

void EvaluatorCalls::EndPoints(std::span<double> start, std::span<double> end) {
  DoubleArray startPoint(std::vector<double>(start.size(), 0.0));
  DoubleArray endPoint(std::vector<double>(end.size(), 0.0));
  Host().Call(kGetEndPoints, {Arg::ByRef(startPoint), Arg::ByRef(endPoint)});
  CopyOut(kGetEndPoints, startPoint.Values(kGetEndPoints.role), start);
  CopyOut(kGetEndPoints, endPoint.Values(kGetEndPoints.role), end);
}

void EvaluatorCalls::ParamRange(double& minParam, double& maxParam) {
  Host().Call(kGetParamExtents, {Arg::ByRef(minParam), Arg::ByRef(maxParam)});
}

void EvaluatorCalls::ParamAtLength(double fromParam, double length, double& param) {
  Host().Call(kGetParamAtLength, {fromParam, length, Arg::ByRef(param)});
}

void EvaluatorCalls::LengthBetweenParams(double fromParam, double toParam, double& length) {
  Host().Call(kGetLengthAtParam, {fromParam, toParam, Arg::ByRef(length)});
}

void EvaluatorCalls::AtParams(const Member& member, std::span<const double> params,
                              std::span<double> values) {
  DoubleArray given(params);
  DoubleArray answered(std::vector<double>(values.size(), 0.0));
  Host().Call(member, {Arg::ByRef(given), Arg::ByRef(answered)});
  CopyOut(member, answered.Values(member.role), values);
}

}  // namespace sledway::automation
