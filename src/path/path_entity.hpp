#pragma once

#include <cstdint>

#include "host/application.hpp"
#include "host/codes.hpp"
#include "host/curve_evaluator.hpp"
#include "host/geometry.hpp"
#include "host/object.hpp"
#include "host/sketch.hpp"

namespace sledway {

// One curve of a path: a curve of a 2D sketch (EntType 0), of a 3D sketch (EntType 1) or an
// edge of a part (EntType 2), as picked in the assembly. It knows where it begins along the
// whole path, whether the path runs against the curve's own direction, and its arc length,
// measured once on first need and kept for the entity's life (never invalidated).
//
// Callers read Length (or CurveLengthAtEnd) before asking for points or tangents: that is what
// makes the evaluator. The chain (CPathEnts) guarantees this order.
class CPathEnt {
 public:
  // The first application written is kept; later writes are ignored.
  void IVApp(const Ref<IVApplication>& oIVApp);

  // The first curve written is kept; later writes are ignored.
  void IVCurve(const Ref<IVObject>& oIVCurve);
  Ref<IVObject> IVCurve() const;

  // The curve's kind code as its creator read it; selects the way to a sketch curve's
  // evaluator.
  void IVCurveType(IVCurveKind lIVCurveType);
  IVCurveKind IVCurveType() const;

  void CurveLengthAtStart(double dCurveLengthAtStart);
  double CurveLengthAtStart() const;
  // CurveLengthAtStart + Length; may measure the curve.
  double CurveLengthAtEnd();

  // The curve's arc length, measured while the cache holds nothing above 0.
  double Length();

  void EntType(std::int16_t iEntType);
  std::int16_t EntType() const;

  // True when the path runs from the curve's own end to its own start.
  void Reversed(bool bReversed);
  bool Reversed() const;

  // The curve's own start and end points in model space, whatever Reversed says.
  Ref<IVPoint> PartStartPoint();
  Ref<IVPoint> PartEndPoint();

  // The point at `LengthAlongPath`, a distance along the whole path (not along this entity).
  // Distances outside this entity are not clamped: the evaluator continues the curve.
  Ref<IVPoint> PartPathPoint(double LengthAlongPath);
  // The model-space tangent, pointing in the direction of travel, at `LengthAlongPath`; not
  // normalised.
  Ref<IVVector> TangentVectorAtPoint(double LengthAlongPath);

 private:
  void ComputeLength();
  Ref<IVCurveEvaluator> MakeEvaluator3d();
  Ref<IVCurveEvaluator2d> MakeEvaluator2d();

  bool UsesEvaluator2d() const { return m_iEntType == 0; }
  Ref<IVGeometryFactory> Factory() const;
  // The sketch of a 2D sketch curve, found on first need and held from then on like the
  // evaluator: every point of the curve passes through it.
  const Ref<IVPlanarSketch>& OwningSketch() const;
  // The distance from the curve's own start, along its own direction, of a path distance.
  double DistanceAlongCurve(double LengthAlongPath) const;
  // GetParamRange, then GetParamAtLength from the minimum over `distance`.
  double ParameterAtDistance(double distance) const;
  Ref<IVPoint> ModelPoint(const double* coordinates) const;
  Ref<IVPoint> OwnEndPoint(bool atEnd) const;

  std::int16_t m_iEntType = 0;
  IVCurveKind m_lIVCurveType{};
  double m_dCurveLengthAtStart = 0.0;
  double m_dCurveLength = 0.0;
  bool m_bReversed = false;
  Ref<IVCurveEvaluator2d> m_oEvaluator2d;
  Ref<IVCurveEvaluator> m_oEvaluator3d;
  Ref<IVObject> m_oIVCurve;
  Ref<IVApplication> m_oIVApp;
  mutable Ref<IVPlanarSketch> m_oSketch;
};

}  // namespace sledway
