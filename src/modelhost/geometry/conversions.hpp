#pragma once

#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <gp_Vec.hxx>

#include "host/geometry.hpp"

namespace sledway::model {

// Values of host geometry objects, read through their interfaces so that objects of any
// implementation are accepted. A missing object fails with HostError kPointer, a NaN or an
// infinity with kInvalidArg.
gp_Pnt ToPnt(const Ref<IVPoint>& point);
gp_Pnt2d ToPnt2d(const Ref<IVPoint2d>& point);
gp_Vec ToVec(const Ref<IVVector>& vector);
// Always a rigid motion: the rotation part is snapped to an exact rotation, and a matrix that
// is not a rotation plus a translation (within rounding) is refused (see RigidMotion).
gp_Trsf ToTrsf(const Ref<IVMatrix>& matrix);

}  // namespace sledway::model
