#pragma once

// Set-ups and checks the tests over the model host share, with the model host's object model.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <gp.hxx>
#include <gp_Ax2.hxx>
#include <gp_Ax3.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <numbers>
#include <utility>

#include "host/host.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"

namespace sledway::model {

// An application with one active assembly document.
struct ModelAssembly {
  Ref<Application> app = Application::Create();
  Ref<AssemblyDocument> doc = AssemblyDocument::Create("assembly");
  ModelAssembly() { app->SetActiveDocument(doc); }
};

inline gp_Pnt ModelPoint(const Ref<IVPoint>& point) {
  return gp_Pnt(point->X(), point->Y(), point->Z());
}

inline void ExpectNear(const gp_Pnt& actual, const gp_Pnt& expected, double tolerance = 1e-12) {
  EXPECT_LE(actual.Distance(expected), tolerance)
      << "got (" << actual.X() << ", " << actual.Y() << ", " << actual.Z() << "), expected ("
      << expected.X() << ", " << expected.Y() << ", " << expected.Z() << ")";
}

// The start and end point of a curve.
inline std::pair<gp_Pnt, gp_Pnt> Ends(const Ref<IVCurveEvaluator>& evaluator) {
  double start[3];
  double end[3];
  evaluator->GetEndPoints(start, end);
  return {gp_Pnt(start[0], start[1], start[2]), gp_Pnt(end[0], end[1], end[2])};
}

// The length of the whole curve behind a 2D or 3D evaluator.
template <class Evaluator>
double LengthOf(Evaluator& evaluator) {
  double first = 0.0, last = 0.0, length = 0.0;
  evaluator.GetParamRange(first, last);
  evaluator.GetLengthBetweenParams(first, last, length);
  return length;
}

// How far the rotation part of `t` is from orthonormal: the largest element of M^T M - I.
inline double OrthonormalityError(const gp_Trsf& t) {
  const gp_Mat m = t.VectorialPart();
  const gp_Mat product = m.Transposed().Multiplied(m);
  double largest = 0.0;
  for (int r = 1; r <= 3; ++r) {
    for (int c = 1; c <= 3; ++c) largest = std::max(largest, std::abs(product(r, c) - (r == c)));
  }
  return largest;
}

inline gp_Trsf Shifted(double x, double y, double z) {
  gp_Trsf shift;
  shift.SetTranslation(gp_Vec(x, y, z));
  return shift;
}

// Quarter turn about Z, then 10 cm along X: (x, y, z) -> (10 - y, x, z).
inline gp_Trsf TurnedAndShifted() {
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), std::numbers::pi / 2.0);
  return Shifted(10.0, 0.0, 0.0) * turn;
}

inline gp_Pnt TurnedAndShifted(const gp_Pnt& p) {
  return gp_Pnt(10.0 - p.Y(), p.X(), p.Z());
}

// Runs `call` and returns the HostError it throws.
template <class Call>
HostError Refusal(Call call) {
  try {
    call();
  } catch (const HostError& error) {
    return error;
  }
  ADD_FAILURE() << "the call was not refused";
  return HostError(0, "");
}

}  // namespace sledway::model
