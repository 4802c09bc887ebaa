#include "path/path_definition.hpp"

#include <cmath>
#include <memory>

#include "host/host_error.hpp"
#include "host/sketch.hpp"
#include "path/curve_evaluator_table.hpp"

namespace sledway {

Ref<CPathEnts> CPath::PathEnts() {
  if (!m_oPathEnts) m_oPathEnts = std::make_shared<CPathEnts>();
  return m_oPathEnts;
}

// A curve of the assembly's own sketch is no proxy: no component carries it, and the host gives
// it no containing occurrence to ask for.
void CPath::SetPathParent() {
  if (!m_oPathEnts) throw HostError(hresult::kPointer, "the path has no entities");
  m_oPathParent = nullptr;
  const auto first = m_oPathEnts->Item(1);
  const auto curve = first->IVCurve();
  switch (first->EntType()) {
    case 0: {
      const auto sketchCurve = As<IVSketchEntity>(curve);
      if (!sketchCurve) {
        throw HostError(hresult::kNoInterface, "the path's first curve is not a 2D sketch curve");
      }
      if (const auto kind = sketchCurve->ObjectType();
          IsPathCurveKind2d(kind) && IsProxyKind(kind)) {
        m_oPathParent = sketchCurve->ContainingOccurrence();
      }
      break;
    }
    case 1: {
      const auto sketchCurve = As<IVSketchEntity3D>(curve);
      if (!sketchCurve) {
        throw HostError(hresult::kNoInterface, "the path's first curve is not a 3D sketch curve");
      }
      if (const auto kind = sketchCurve->ObjectType();
          IsPathCurveKind3d(kind) && IsProxyKind(kind)) {
        m_oPathParent = sketchCurve->ContainingOccurrence();
      }
      break;
    }
    default:
      if (const auto edge = As<IVEdge>(curve)) m_oPathParent = edge->ContainingOccurrence();
      break;
  }
}

void CPath::DeletePath() {
  if (!m_oPathEnts) return;
  const int count = m_oPathEnts->Count();
  for (int i = 0; i < count; ++i) m_oPathEnts->Remove(1);
  m_dLength = 0.0;
  m_oPathParent = nullptr;
  m_oPathEnts = nullptr;
}

double CPath::Length() {
  if (!m_oPathEnts) {
    m_dLength = 0.0;
    return 0.0;
  }
  if (m_dLength > 0.0) return m_dLength;
  // Summed apart and stored whole, so that a failure leaves no partial sum in the cache.
  double sum = m_dLength;
  for (int i = 1; i <= m_oPathEnts->Count(); ++i) sum += m_oPathEnts->Item(i)->Length();
  if (!std::isfinite(sum)) throw HostError(hresult::kOverflow, "the path length overflows");
  m_dLength = sum;
  return m_dLength;
}

}  // namespace sledway
