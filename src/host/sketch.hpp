#pragma once

#include "host/codes.hpp"
#include "host/component.hpp"
#include "host/curve_evaluator.hpp"
#include "host/geometry.hpp"
#include "host/profiles.hpp"

namespace sledway {

// A sketch on a plane. Its curves live in the plane's 2D coordinates.
class IVPlanarSketch : public virtual IVOccurrenceMember {
 public:
  // The model-space point of a point in the sketch plane.
  virtual Ref<IVPoint> SketchToModel(const Ref<IVPoint2d>& point) = 0;
  // The placement that carries sketch coordinates (x, y, 0) into model space.
  virtual Ref<IVMatrix> SketchToModelTransform() = 0;
  virtual Ref<IVProfiles> GetProfiles() = 0;
};

// A sketch in space: its curves live in model space.
class IVSketch3D : public virtual IVOccurrenceMember {
 public:
  virtual Ref<IVProfiles3D> GetProfiles3D() = 0;
};

// A curve of a 2D sketch. Its kind code tells which kind-specific interface it has.
class IVSketchEntity : public virtual IVOccurrenceMember {
 public:
  virtual IVCurveKind ObjectType() = 0;
  // The owning sketch (an IVPlanarSketch).
  virtual Ref<IVObject> Parent() = 0;
};

// A curve of a 3D sketch.
class IVSketchEntity3D : public virtual IVOccurrenceMember {
 public:
  virtual IVCurveKind ObjectType() = 0;
  // The owning sketch (an IVSketch3D).
  virtual Ref<IVObject> Parent() = 0;
};

// The geometry of one kind of sketch curve, and the way to its evaluator. Each kind has its
// own pair of interfaces: the sketch curve of that kind and the geometry of that kind.
template <IVCurveKind Kind>
class IVCurveGeometry2dOf : public virtual IVObject {
 public:
  virtual Ref<IVCurveEvaluator2d> GetEvaluator() = 0;
};

template <IVCurveKind Kind>
class IVSketchCurveOf : public virtual IVSketchEntity {
 public:
  static constexpr IVCurveKind kKind = Kind;
  virtual Ref<IVCurveGeometry2dOf<Kind>> GetGeometry() = 0;
};

template <IVCurveKind Kind>
class IVCurveGeometry3dOf : public virtual IVObject {
 public:
  virtual Ref<IVCurveEvaluator> GetEvaluator() = 0;
};

template <IVCurveKind Kind>
class IVSketchCurve3DOf : public virtual IVSketchEntity3D {
 public:
  static constexpr IVCurveKind kKind = Kind;
  virtual Ref<IVCurveGeometry3dOf<Kind>> GetGeometry() = 0;
};

using IVSketchLine = IVSketchCurveOf<IVCurveKind::kSketchLineProxy>;
using IVSketchArc = IVSketchCurveOf<IVCurveKind::kSketchArcProxy>;
using IVSketchCircle = IVSketchCurveOf<IVCurveKind::kSketchCircleProxy>;
using IVSketchEllipse = IVSketchCurveOf<IVCurveKind::kSketchEllipseProxy>;
using IVSketchEllipticalArc = IVSketchCurveOf<IVCurveKind::kSketchEllipticalArcProxy>;
using IVSketchSpline = IVSketchCurveOf<IVCurveKind::kSketchSplineProxy>;

using IVSketchLine3D = IVSketchCurve3DOf<IVCurveKind::kSketchLine3DProxy>;
using IVSketchArc3D = IVSketchCurve3DOf<IVCurveKind::kSketchArc3DProxy>;
using IVSketchCircle3D = IVSketchCurve3DOf<IVCurveKind::kSketchCircle3DProxy>;
using IVSketchSpline3D = IVSketchCurve3DOf<IVCurveKind::kSketchSpline3DProxy>;
using IVSketchEllipse3D = IVSketchCurve3DOf<IVCurveKind::kSketchEllipse3DProxy>;
using IVSketchEllipticalArc3D = IVSketchCurve3DOf<IVCurveKind::kSketchEllipticalArc3DProxy>;

}  // namespace sledway
