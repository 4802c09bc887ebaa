#pragma once

#include <Adaptor3d_Curve.hxx>
#include <gp_Trsf.hxx>

#include "host/object.hpp"

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

// The model host's own OCCT curve of a sketch curve (2D or 3D) or an edge, where its owner
// stands now. Fails with a HostError for any other entity.
FramedCurve ModelCurveOf(const Ref<IVObject>& entity);

}  // namespace sledway::cli
