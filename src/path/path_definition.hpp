#pragma once

#include <cstdint>
#include <string>

#include "host/application.hpp"
#include "host/component.hpp"
#include "host/event.hpp"
#include "host/geometry.hpp"
#include "host/object.hpp"
#include "host/part_entities.hpp"
#include "path/path_entity_chain.hpp"

namespace sledway {

// Everything one follow job needs: the path (its entity chain and the component that carries
// it), the follower (the component to move and the vertex or work point on it that travels
// along the path), the optional tangent line on the follower with its flip, and the run
// settings the tool window edits. Every field starts empty (false, 0, "", no object); the
// property accessors are plain loads and stores without checks.
class CPath {
 public:
  // The chain, created empty on first need; the same object until DeletePath.
  Ref<CPathEnts> PathEnts();

  bool HidePath() const { return m_bHidePath; }
  void HidePath(bool bHidePath) { m_bHidePath = bHidePath; }
  bool FlipPath() const { return m_bFlipPath; }
  void FlipPath(bool bFlipPath) { m_bFlipPath = bFlipPath; }
  Ref<IVComponent> PathParent() const { return m_oPathParent; }
  void PathParent(const Ref<IVComponent>& oPathParent) { m_oPathParent = oPathParent; }
  bool IsPointFromVertex() const { return m_bIsPointFromVertex; }
  void IsPointFromVertex(bool bIsPointFromVertex) { m_bIsPointFromVertex = bIsPointFromVertex; }
  Ref<IVVertex> FollowVertex() const { return m_oFollowVertex; }
  void FollowVertex(const Ref<IVVertex>& oFollowVertex) { m_oFollowVertex = oFollowVertex; }
  Ref<IVWorkPoint> FollowWorkPoint() const { return m_oFollowWorkPoint; }
  void FollowWorkPoint(const Ref<IVWorkPoint>& oFollowWorkPoint) {
    m_oFollowWorkPoint = oFollowWorkPoint;
  }
  Ref<IVPoint> FollowPoint() const { return m_oFollowPoint; }
  void FollowPoint(const Ref<IVPoint>& oFollowPoint) { m_oFollowPoint = oFollowPoint; }
  Ref<IVComponent> FollowComponent() const { return m_oFollowComponent; }
  void FollowComponent(const Ref<IVComponent>& oFollowComponent) {
    m_oFollowComponent = oFollowComponent;
  }
  bool IsAligned() const { return m_bIsAligned; }
  void IsAligned(bool bIsAligned) { m_bIsAligned = bIsAligned; }
  bool FlipEdge() const { return m_bFlipEdge; }
  void FlipEdge(bool bFlipEdge) { m_bFlipEdge = bFlipEdge; }
  bool IsTangentFromEdge() const { return m_bIsTangentFromEdge; }
  void IsTangentFromEdge(bool bIsTangentFromEdge) { m_bIsTangentFromEdge = bIsTangentFromEdge; }
  Ref<IVEdge> TangentEdge() const { return m_oTangentEdge; }
  void TangentEdge(const Ref<IVEdge>& oTangentEdge) { m_oTangentEdge = oTangentEdge; }
  Ref<IVAxis> TangentAxis() const { return m_oTangentAxis; }
  void TangentAxis(const Ref<IVAxis>& oTangentAxis) { m_oTangentAxis = oTangentAxis; }
  const std::string& Driven() const { return m_sDriven; }
  void Driven(const std::string& sDriven) { m_sDriven = sDriven; }
  double DriveFrom() const { return m_dDriveFrom; }
  void DriveFrom(double dDriveFrom) { m_dDriveFrom = dDriveFrom; }
  double DriveTo() const { return m_dDriveTo; }
  void DriveTo(double dDriveTo) { m_dDriveTo = dDriveTo; }
  std::int32_t Steps() const { return m_lSteps; }
  void Steps(std::int32_t lSteps) { m_lSteps = lSteps; }
  double Pause() const { return m_dPause; }
  void Pause(double dPause) { m_dPause = dPause; }
  bool SES() const { return m_bSES; }
  void SES(bool bSES) { m_bSES = bSES; }
  std::int32_t Reps() const { return m_lReps; }
  void Reps(std::int32_t lReps) { m_lReps = lReps; }

  // PathParent := the component that carries the chain's first entity. Fails on an empty
  // chain; a first entity of an unknown sketch-curve kind leaves PathParent as it was.
  void SetPathParent();
  // Drops the chain, PathParent and the cached length.
  void DeletePath();
  // The total path length, summed once and cached until DeletePath (an empty chain is not
  // cached). Entities added after the first sum do not change it.
  double Length();

  // Places FollowComponent so that its follow point lies on the path at `dPercent` of the
  // cached length (-1.0: the start of travel, which FlipPath decides), turning it first when
  // IsAligned so that the tangent line points along the path. Then the active document is
  // recomputed: a failed recompute raises UpdateError instead of failing the call; after a
  // successful one the host's message loop runs once.
  void MoveToPointOnPath(const Ref<IVApplication>& oIVApp, double dPercent);

  // The recompute that ends a move: the active document updated with `component` held in
  // place, each step's errors ignored, a failed update raised as UpdateError, the host's
  // message loop run once after a successful one.
  void RecomputeHolding(const Ref<IVApplication>& oIVApp, const Ref<IVComponent>& component);

  // The recompute after a move failed.
  Event<> UpdateError;

 private:
  // The first entity, in chain order, whose end is at or beyond `LengthAlongPath`; null when
  // the distance lies beyond the path (rounding excepted) or the chain is empty.
  Ref<CPathEnt> PathEntAtLength(double LengthAlongPath);
  Ref<IVPoint> PathPointAtLength(double LengthAlongPath);
  // The follow point where the host reports it now.
  Ref<IVPoint> ReadFollowPoint();

  Ref<CPathEnts> m_oPathEnts;
  bool m_bFlipPath = false;
  bool m_bHidePath = false;
  double m_dLength = 0.0;
  Ref<IVComponent> m_oPathParent;
  bool m_bIsPointFromVertex = false;
  Ref<IVPoint> m_oFollowPoint;
  Ref<IVVertex> m_oFollowVertex;
  Ref<IVWorkPoint> m_oFollowWorkPoint;
  Ref<IVComponent> m_oFollowComponent;
  bool m_bIsAligned = false;
  bool m_bIsTangentFromEdge = false;
  Ref<IVEdge> m_oTangentEdge;
  Ref<IVAxis> m_oTangentAxis;
  bool m_bFlipEdge = false;
  std::string m_sDriven;
  double m_dDriveFrom = 0.0;
  double m_dDriveTo = 0.0;
  std::int32_t m_lSteps = 0;
  double m_dPause = 0.0;
  bool m_bSES = false;
  std::int32_t m_lReps = 0;
};

}  // namespace sledway
