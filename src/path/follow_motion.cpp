// The follow motion of CPath: placing the follow component at a fraction of the path.

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "host/document.hpp"
#include "host/host_error.hpp"
#include "path/path_definition.hpp"
#include "platform/desktop.hpp"

namespace sledway {
namespace {

// A distance this little beyond the path's end, relative to the path length, is rounding of
// fraction times length and still belongs to the last entity.
constexpr double kEndOfTravelRelativeTolerance = 1e-12;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// Whatever reaches a placement must be finite; the host would otherwise store it.
void RequireFinite(double x, double y, double z, const std::string& what) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
    throw HostError(hresult::kOverflow, what + " is not finite (" + Number(x) + ", " + Number(y) +
                                            ", " + Number(z) + ")");
  }
}

// No entity holds a distance beyond the end of the path (or one that is no number).
HostError NoEntityAt(double LengthAlongPath) {
  return HostError(hresult::kInvalidArg, "no path entity lies at distance " +
                                             Number(LengthAlongPath) + " along the path");
}

template <class T>
const Ref<T>& Required(const Ref<T>& object, const char* what) {
  if (!object) throw HostError(hresult::kPointer, std::string("the path has no ") + what);
  return object;
}

}  // namespace

Ref<CPathEnt> CPath::PathEntAtLength(double LengthAlongPath) {
  const auto chain = PathEnts();
  const int count = chain->Count();
  for (int i = 1; i <= count; ++i) {
    auto entity = chain->Item(i);
    if (entity->CurveLengthAtEnd() >= LengthAlongPath) return entity;
  }
  if (count > 0) {
    auto last = chain->Item(count);
    const double end = last->CurveLengthAtEnd();
    if (LengthAlongPath - end <= kEndOfTravelRelativeTolerance * std::abs(end)) return last;
  }
  return nullptr;
}

Ref<IVPoint> CPath::PathPointAtLength(double LengthAlongPath) {
  const auto entity = PathEntAtLength(LengthAlongPath);
  if (!entity) throw NoEntityAt(LengthAlongPath);
  return entity->PartPathPoint(LengthAlongPath);
}

Ref<IVPoint> CPath::ReadFollowPoint() {
  return m_bIsPointFromVertex ? Required(m_oFollowVertex, "follow vertex")->GetPoint()
                              : Required(m_oFollowWorkPoint, "follow work point")->GetPoint();
}

void CPath::MoveToPointOnPath(const Ref<IVApplication>& oIVApp, double dPercent) {
  if (!oIVApp) throw HostError(hresult::kPointer, "moving along the path needs the application");
  const auto factory = oIVApp->GetGeometryFactory();

  double fraction = dPercent;
  if (dPercent == -1.0) fraction = m_bFlipPath ? 1.0 : 0.0;
  const double distance = fraction * m_dLength;
  const auto entity = PathEntAtLength(distance);

  const auto& component = Required(m_oFollowComponent, "follow component");
  const auto placement = component->GetTransformation();
  m_oFollowPoint = ReadFollowPoint();
  double dX = placement->GetTranslation()->X() - m_oFollowPoint->X();
  double dY = placement->GetTranslation()->Y() - m_oFollowPoint->Y();
  double dZ = placement->GetTranslation()->Z() - m_oFollowPoint->Z();

  const auto rotation = factory->CreateMatrix();
  if (m_bIsAligned) {
    if (!entity) throw NoEntityAt(distance);
    const auto pathTangent = entity->TangentVectorAtPoint(distance);
    RequireFinite(pathTangent->X(), pathTangent->Y(), pathTangent->Z(), "the path tangent");

    const std::array<double, 1> params{0.0};
    std::array<double, 3> tangent{};
    if (m_bIsTangentFromEdge) {
      Required(m_oTangentEdge, "tangent edge")->GetEvaluator()->GetTangent(params, tangent);
    } else {
      Required(m_oTangentAxis, "tangent axis")
          ->GetLine()
          ->GetEvaluator()
          ->GetTangent(params, tangent);
    }
    const double sign = FlipEdge() ? -1.0 : 1.0;
    const auto lineDirection =
        factory->CreateVector(sign * tangent[0], sign * tangent[1], sign * tangent[2]);
    RequireFinite(lineDirection->X(), lineDirection->Y(), lineDirection->Z(),
                  "the tangent line's direction");
    const auto axis = lineDirection->CrossProduct(pathTangent);
    const auto saved = placement->GetTranslation();

    // Turned about the assembly origin, then put back: a turn about the component's origin.
    rotation->SetToRotationBetween(lineDirection, pathTangent, axis);
    placement->TransformBy(rotation);
    placement->SetTranslation(factory->CreateVector(saved->X(), saved->Y(), saved->Z()), false);
    component->SetTransformation(placement);

    m_oFollowPoint = ReadFollowPoint();
    const auto turned = component->GetTransformation();
    dX = turned->GetTranslation()->X() - m_oFollowPoint->X();
    dY = turned->GetTranslation()->Y() - m_oFollowPoint->Y();
    dZ = turned->GetTranslation()->Z() - m_oFollowPoint->Z();
  }

  const auto pathPoint = PathPointAtLength(distance);
  const double x = pathPoint->X() + dX;
  const double y = pathPoint->Y() + dY;
  const double z = pathPoint->Z() + dZ;
  RequireFinite(x, y, z, "the follow component's position at fraction " + Number(dPercent));
  placement->SetTranslation(factory->CreateVector(x, y, z), false);
  component->SetTransformation(placement);
  RecomputeHolding(oIVApp, component);
}

void CPath::RecomputeHolding(const Ref<IVApplication>& oIVApp, const Ref<IVComponent>& component) {
  component->Fixed(true);
  // The recompute and what follows run with errors ignored, statement by statement: a failed
  // recompute is reported through UpdateError, never to the caller.
  bool updated = false;
  try {
    // Without an active document there is nothing to recompute: that counts as a failure.
    if (const auto document = oIVApp->GetActiveDocument()) {
      document->Update();
      updated = true;
    }
  } catch (...) {
  }
  if (updated) {
    try {
      platform::YieldToMessageLoop();
    } catch (...) {
    }
  }
  try {
    component->Fixed(false);
  } catch (...) {
  }
  if (!updated) {
    try {
      UpdateError.Raise();
    } catch (...) {
    }
  }
}

}  // namespace sledway
