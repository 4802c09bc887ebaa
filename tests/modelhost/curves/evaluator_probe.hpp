#pragma once

#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Vec.hxx>
#include <utility>

#include "host/curve_evaluator.hpp"

namespace sledway::model::testing {

// One-value calls on an evaluator, for readable checks.
inline gp_Pnt PointAt(IVCurveEvaluator& e, double u) {
  double p[3] = {};
  e.GetPointAtParam({&u, 1}, p);
  return gp_Pnt(p[0], p[1], p[2]);
}
inline gp_Vec TangentAt(IVCurveEvaluator& e, double u) {
  double t[3] = {};
  e.GetTangent({&u, 1}, t);
  return gp_Vec(t[0], t[1], t[2]);
}
inline gp_Pnt2d PointAt(IVCurveEvaluator2d& e, double u) {
  double p[2] = {};
  e.GetPointAtParam({&u, 1}, p);
  return gp_Pnt2d(p[0], p[1]);
}

// The first and last parameter of an evaluator's curve.
template <class Evaluator>
std::pair<double, double> Range(Evaluator& e) {
  std::pair<double, double> range;
  e.GetParamRange(range.first, range.second);
  return range;
}
template <class Evaluator>
double LengthBetween(Evaluator& e, double u1, double u2) {
  double length = 0.0;
  e.GetLengthBetweenParams(u1, u2, length);
  return length;
}
template <class Evaluator>
double LengthOf(Evaluator& e) {
  return LengthBetween(e, Range(e).first, Range(e).second);
}
template <class Evaluator>
double ParamAt(Evaluator& e, double from, double length) {
  double param = 0.0;
  e.GetParamAtLength(from, length, param);
  return param;
}

}  // namespace sledway::model::testing
