#include "modelhost/curves/extended_curve.hpp"

#include <GCPnts_AbscissaPoint.hxx>
#include <Precision.hxx>
#include <Standard_Failure.hxx>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "host/host_error.hpp"

namespace sledway::model {

namespace {

[[noreturn]] void FailArcLength(const std::string& what, const Standard_Failure* failure) {
  std::string message = "curve evaluator: " + what;
  if (failure != nullptr) message += std::string(" (") + failure->GetMessageString() + ")";
  throw HostError(hresult::kFail, message);
}

}  // namespace

template <class Adaptor>
ExtendedCurve<Adaptor>::ExtendedCurve(opencascade::handle<Adaptor> curve)
    : curve_(std::move(curve)) {
  if (curve_.IsNull()) throw HostError(hresult::kPointer, "curve evaluator: no curve given");
  first_ = curve_->FirstParameter();
  last_ = curve_->LastParameter();
  if (Precision::IsInfinite(first_) || Precision::IsInfinite(last_) || !(first_ < last_)) {
    throw HostError(hresult::kInvalidArg,
                    "curve evaluator: the curve needs a bounded, non-empty parameter range");
  }
  curve_->D1(first_, startPoint_, startTangent_);
  curve_->D1(last_, endPoint_, endTangent_);
}

template <class Adaptor>
const typename ExtendedCurve<Adaptor>::Evaluated& ExtendedCurve<Adaptor>::EvaluateAt(double u) {
  if (lastEvaluated_ && lastEvaluated_->param == u) return *lastEvaluated_;
  Evaluated evaluated{u, {}, {}};
  if (u < first_) {
    evaluated.point = startPoint_.Translated(startTangent_ * (u - first_));
    evaluated.derivative = startTangent_;
  } else if (u > last_) {
    evaluated.point = endPoint_.Translated(endTangent_ * (u - last_));
    evaluated.derivative = endTangent_;
  } else {
    curve_->D1(u, evaluated.point, evaluated.derivative);
  }
  return lastEvaluated_.emplace(evaluated);
}

template <class Adaptor>
double ExtendedCurve<Adaptor>::Speed(bool atLast) const {
  const double speed = (atLast ? endTangent_ : startTangent_).Magnitude();
  if (speed > 0.0) return speed;
  FailArcLength(std::string("the curve stands still at its ") + (atLast ? "end" : "start") +
                    ", so it cannot be continued beyond it",
                nullptr);
}

template <class Adaptor>
double ExtendedCurve<Adaptor>::TotalLength() {
  if (!totalLength_) {
    try {
      totalLength_ = GCPnts_AbscissaPoint::Length(*curve_, first_, last_, kArcLengthTolerance);
    } catch (const Standard_Failure& failure) {
      FailArcLength("the length of the curve could not be measured", &failure);
    }
  }
  return *totalLength_;
}

template <class Adaptor>
double ExtendedCurve<Adaptor>::LengthWithin(double a, double b) {
  if (a == b) return 0.0;
  if (a == first_ && b == last_) return TotalLength();
  try {
    return GCPnts_AbscissaPoint::Length(*curve_, a, b, kArcLengthTolerance);
  } catch (const Standard_Failure& failure) {
    FailArcLength("the length between two parameters could not be measured", &failure);
  }
}

template <class Adaptor>
double ExtendedCurve<Adaptor>::Length(double u1, double u2) {
  if (u2 < u1) return -Length(u2, u1);
  double length = 0.0;
  if (u1 < first_) length += (std::min(u2, first_) - u1) * Speed(false);
  if (u2 > last_) length += (u2 - std::max(u1, last_)) * Speed(true);
  const double a = std::max(u1, first_);
  const double b = std::min(u2, last_);
  if (a < b) length += LengthWithin(a, b);
  return length;
}

template <class Adaptor>
double ExtendedCurve<Adaptor>::SolveWithin(double from, double length) const {
  try {
    const GCPnts_AbscissaPoint solver(kArcLengthTolerance, *curve_, length, from);
    if (solver.IsDone()) return std::clamp(solver.Parameter(), first_, last_);
  } catch (const Standard_Failure& failure) {
    FailArcLength("no point found at the asked length", &failure);
  }
  FailArcLength("no point found at the asked length", nullptr);
}

// Walks forward from `from` over the continuation before the start, the curve itself and the
// continuation after the end, stopping in the piece where the length runs out.
template <class Adaptor>
double ExtendedCurve<Adaptor>::Forward(double from, double length) {
  double u = from;
  double rest = length;
  if (u < first_) {
    const double before = (first_ - u) * Speed(false);
    if (rest <= before) return u + rest / Speed(false);
    rest -= before;
    u = first_;
  }
  if (u < last_) {
    const double within = LengthWithin(u, last_);
    if (rest < within) return SolveWithin(u, rest);
    rest -= within;
    u = last_;
  }
  return rest == 0.0 ? u : u + rest / Speed(true);
}

template <class Adaptor>
double ExtendedCurve<Adaptor>::Backward(double from, double length) {
  double u = from;
  double rest = length;
  if (u > last_) {
    const double after = (u - last_) * Speed(true);
    if (rest <= after) return u - rest / Speed(true);
    rest -= after;
    u = last_;
  }
  if (u > first_) {
    const double within = LengthWithin(first_, u);
    if (rest < within) return SolveWithin(u, -rest);
    rest -= within;
    u = first_;
  }
  return rest == 0.0 ? u : u - rest / Speed(false);
}

template <class Adaptor>
double ExtendedCurve<Adaptor>::ParamAtLength(double from, double length) {
  if (lastSolved_ && lastSolved_->from == from && lastSolved_->length == length) {
    return lastSolved_->param;
  }
  double param = from;
  if (length > 0.0) param = Forward(from, length);
  if (length < 0.0) param = Backward(from, -length);
  lastSolved_ = Solved{from, length, param};
  return param;
}

template class ExtendedCurve<Adaptor3d_Curve>;
template class ExtendedCurve<Adaptor2d_Curve2d>;

}  // namespace sledway::model
