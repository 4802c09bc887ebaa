#pragma once

#include <Adaptor3d_Curve.hxx>
#include <gp_Trsf.hxx>

#include "host/object.hpp"

namespace sledway::model {
class Component;
class PlanarSketch;
class Sketch3d;
}  // namespace sledway::model

namespace sledway::cli {

// A curve of the model host in its owner's coordinates (a sketch's plane, a 3D sketch's owner,
// a part), with the motion that carries model space into those coordinates.
struct FramedCurve {
  Handle(Adaptor3d_Curve) curve;
  gp_Trsf modelToCurve;
  // The model host's object that holds the curve's shape (a sketch's curve, a part's edge): the
  // same object for as long as the shape stays the same.
  Handle(Standard_Transient) shape;
};

// Where the model host keeps the curve of one sketch curve (2D or 3D) or edge, found once, so
// that asking for it again at every move of a run costs no search.
class ModelCurveSource {
 public:
  // Fails with a HostError for any other entity.
  explicit ModelCurveSource(const Ref<IVObject>& entity);

  // The curve where its owner stands now.
  FramedCurve Curve() const;
  // The object FramedCurve::shape holds, without making the curve or holding the object.
  const Standard_Transient* Shape() const;

 private:
  Ref<model::PlanarSketch> planar_;
  Ref<model::Sketch3d> spatial_;
  Ref<model::Component> component_;
  // The curve's number in its sketch, or the edge's in its part.
  int number_ = 0;
};

// The model host's own OCCT curve of a sketch curve (2D or 3D) or an edge, where its owner
// stands now. Fails with a HostError for any other entity.
FramedCurve ModelCurveOf(const Ref<IVObject>& entity);

}  // namespace sledway::cli
