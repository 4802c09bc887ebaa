#include "path/path_entity.hpp"

#include <array>
#include <span>
#include <string>

#include "host/host_error.hpp"
#include "host/part_entities.hpp"
#include "path/curve_evaluator_table.hpp"

namespace sledway {

void CPathEnt::IVApp(const Ref<IVApplication>& oIVApp) {
  if (!m_oIVApp) m_oIVApp = oIVApp;
}

void CPathEnt::IVCurve(const Ref<IVObject>& oIVCurve) {
  if (!m_oIVCurve) m_oIVCurve = oIVCurve;
}

Ref<IVObject> CPathEnt::IVCurve() const {
  return m_oIVCurve;
}

void CPathEnt::IVCurveType(IVCurveKind lIVCurveType) {
  m_lIVCurveType = lIVCurveType;
}

IVCurveKind CPathEnt::IVCurveType() const {
  return m_lIVCurveType;
}

void CPathEnt::CurveLengthAtStart(double dCurveLengthAtStart) {
  m_dCurveLengthAtStart = dCurveLengthAtStart;
}

double CPathEnt::CurveLengthAtStart() const {
  return m_dCurveLengthAtStart;
}

double CPathEnt::CurveLengthAtEnd() {
  return Length() + CurveLengthAtStart();
}

double CPathEnt::Length() {
  if (!(m_dCurveLength > 0.0)) ComputeLength();
  return m_dCurveLength;
}

void CPathEnt::EntType(std::int16_t iEntType) {
  m_iEntType = iEntType;
}

std::int16_t CPathEnt::EntType() const {
  return m_iEntType;
}

void CPathEnt::Reversed(bool bReversed) {
  m_bReversed = bReversed;
}

bool CPathEnt::Reversed() const {
  return m_bReversed;
}

void CPathEnt::ComputeLength() {
  double minParam = 0.0;
  double maxParam = 0.0;
  double length = 0.0;
  if (UsesEvaluator2d()) {
    if (!m_oEvaluator2d) m_oEvaluator2d = MakeEvaluator2d();
    if (!m_oEvaluator2d) {
      throw HostError(hresult::kPointer, "curve kind " + CurveKindText(m_lIVCurveType) +
                                             " is not a path curve of a 2D sketch");
    }
    m_oEvaluator2d->GetParamRange(minParam, maxParam);
    m_oEvaluator2d->GetLengthBetweenParams(minParam, maxParam, length);
  } else {
    if (!m_oEvaluator3d) m_oEvaluator3d = MakeEvaluator3d();
    if (!m_oEvaluator3d) {
      throw HostError(hresult::kPointer, m_iEntType == 2
                                             ? std::string("the part edge has no evaluator")
                                             : "curve kind " + CurveKindText(m_lIVCurveType) +
                                                   " is not a path curve of a 3D sketch");
    }
    m_oEvaluator3d->GetParamRange(minParam, maxParam);
    m_oEvaluator3d->GetLengthBetweenParams(minParam, maxParam, length);
  }
  m_dCurveLength = length;
}

Ref<IVCurveEvaluator> CPathEnt::MakeEvaluator3d() {
  if (m_iEntType == 2) {
    const auto edge = As<IVEdge>(m_oIVCurve);
    if (!edge) throw HostError(hresult::kNoInterface, "the path curve is not a part edge");
    return edge->GetEvaluator();
  }
  return MakeSketchCurveEvaluator3d(m_lIVCurveType, m_oIVCurve);
}

Ref<IVCurveEvaluator2d> CPathEnt::MakeEvaluator2d() {
  return MakeSketchCurveEvaluator2d(m_lIVCurveType, m_oIVCurve);
}

Ref<IVGeometryFactory> CPathEnt::Factory() const {
  if (!m_oIVApp) throw HostError(hresult::kPointer, "the path entity has no application");
  return m_oIVApp->GetGeometryFactory();
}

const Ref<IVPlanarSketch>& CPathEnt::OwningSketch() const {
  if (m_oSketch) return m_oSketch;
  const auto curve = As<IVSketchEntity>(m_oIVCurve);
  if (!curve) throw HostError(hresult::kNoInterface, "the path curve is not a 2D sketch curve");
  m_oSketch = As<IVPlanarSketch>(curve->Parent());
  if (!m_oSketch) {
    throw HostError(hresult::kNoInterface, "the 2D sketch curve has no planar sketch as parent");
  }
  return m_oSketch;
}

// Throwing here, rather than dividing, keeps infinities and NaNs out of every point, tangent
// and placement computed from the result.
double CPathEnt::DistanceAlongCurve(double LengthAlongPath) const {
  if (!(m_dCurveLength > 0.0)) {
    const bool measured = UsesEvaluator2d() ? m_oEvaluator2d != nullptr : m_oEvaluator3d != nullptr;
    throw HostError(hresult::kDivideByZero, measured ? "the path entity has zero length"
                                                     : "the path entity has not been measured");
  }
  double r = (LengthAlongPath - m_dCurveLengthAtStart) / m_dCurveLength;
  if (m_bReversed) r = 1.0 - r;
  return r * m_dCurveLength;
}

double CPathEnt::ParameterAtDistance(double distance) const {
  double minParam = 0.0;
  double maxParam = 0.0;
  double param = 0.0;
  if (UsesEvaluator2d()) {
    m_oEvaluator2d->GetParamRange(minParam, maxParam);
    m_oEvaluator2d->GetParamAtLength(minParam, distance, param);
  } else {
    m_oEvaluator3d->GetParamRange(minParam, maxParam);
    m_oEvaluator3d->GetParamAtLength(minParam, distance, param);
  }
  return param;
}

// A 2D sketch's coordinates reach model space through the sketch; 3D sketches and edges are
// evaluated in model space already.
Ref<IVPoint> CPathEnt::ModelPoint(const double* coordinates) const {
  if (UsesEvaluator2d()) {
    auto point2d = Factory()->CreatePoint2d(0.0, 0.0);
    point2d->PutCoordinates(coordinates[0], coordinates[1]);
    return OwningSketch()->SketchToModel(point2d);
  }
  auto point = Factory()->CreatePoint(0.0, 0.0, 0.0);
  point->PutCoordinates(coordinates[0], coordinates[1], coordinates[2]);
  return point;
}

Ref<IVPoint> CPathEnt::OwnEndPoint(bool atEnd) const {
  std::array<double, 3> start{};
  std::array<double, 3> end{};
  if (UsesEvaluator2d()) {
    if (!m_oEvaluator2d) throw HostError(hresult::kPointer, "the path entity has no evaluator");
    m_oEvaluator2d->GetEndPoints(std::span<double, 2>(start.data(), 2),
                                 std::span<double, 2>(end.data(), 2));
  } else {
    if (!m_oEvaluator3d) throw HostError(hresult::kPointer, "the path entity has no evaluator");
    m_oEvaluator3d->GetEndPoints(start, end);
  }
  return ModelPoint(atEnd ? end.data() : start.data());
}

Ref<IVPoint> CPathEnt::PartStartPoint() {
  return OwnEndPoint(false);
}

Ref<IVPoint> CPathEnt::PartEndPoint() {
  return OwnEndPoint(true);
}

Ref<IVPoint> CPathEnt::PartPathPoint(double LengthAlongPath) {
  const double param = ParameterAtDistance(DistanceAlongCurve(LengthAlongPath));
  const std::array<double, 1> params{param};
  std::array<double, 3> point{};
  if (UsesEvaluator2d()) {
    m_oEvaluator2d->GetPointAtParam(params, std::span<double>(point.data(), 2));
  } else {
    m_oEvaluator3d->GetPointAtParam(params, point);
  }
  return ModelPoint(point.data());
}

Ref<IVVector> CPathEnt::TangentVectorAtPoint(double LengthAlongPath) {
  const double param = ParameterAtDistance(DistanceAlongCurve(LengthAlongPath));
  const std::array<double, 1> params{param};
  std::array<double, 3> tangent{};
  if (UsesEvaluator2d()) {
    m_oEvaluator2d->GetTangent(params, std::span<double>(tangent.data(), 2));
  } else {
    m_oEvaluator3d->GetTangent(params, tangent);
  }
  auto vector = Factory()->CreateVector(0.0, 0.0, 0.0);
  vector->PutCoordinates(tangent[0], tangent[1], tangent[2]);
  // The sketch's tangent lies in the sketch plane; the motion combines it with model-space
  // directions, so it turns with the plane's orientation (a vector takes no translation).
  if (UsesEvaluator2d()) vector->TransformBy(OwningSketch()->SketchToModelTransform());
  if (m_bReversed) vector->ScaleBy(-1.0);
  return vector;
}

}  // namespace sledway
