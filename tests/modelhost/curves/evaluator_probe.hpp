#pragma once

#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Vec.hxx>
#include <gp_Vec2d.hxx>

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
inline gp_Vec2d TangentAt(IVCurveEvaluator2d& e, double u) {
  double t[2] = {};
  e.GetTangent({&u, 1}, t);
  return gp_Vec2d(t[0], t[1]);
}

template <class Evaluator>
double MinParam(Evaluator& e) {
  double first = 0.0;
  double last = 0.0;
  e.GetParamRange(first, last);
  return first;
}
template <class Evaluator>
double MaxParam(Evaluator& e) {
  double first = 0.0;
  double last = 0.0;
  e.GetParamRange(first, last);
  return last;
}
template <class Evaluator>
double LengthBetween(Evaluator& e, double u1, double u2) {
  double length = 0.0;
  e.GetLengthBetweenParams(u1, u2, length);
  return length;
}
template <class Evaluator>
double LengthOf(Evaluator& e) {
  return LengthBetween(e, MinParam(e), MaxParam(e));
}
template <class Evaluator>
double ParamAt(Evaluator& e, double from, double length) {
  double param = 0.0;
  e.GetParamAtLength(from, length, param);
  return param;
}

}  // namespace sledway::model::testing
