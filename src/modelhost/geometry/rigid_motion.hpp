#pragma once

#include <gp_Mat.hxx>
#include <gp_Trsf.hxx>
#include <gp_Vec.hxx>
#include <gp_XYZ.hxx>

namespace sledway::model {

// How far (largest element of R^T R - I) a rotation part may stray from orthonormal and still be
// taken as a rotation carrying rounding noise, rather than refused as a scale, shear or mirror.
inline constexpr double kRotationNoiseLimit = 1e-6;

// The rigid motion p' = R p + t. R is first snapped to an exact rotation (through a normalised
// quaternion): placements are composed over and over during a run, and without this the
// rounding of each product would accumulate into scale and shear. Fails with HostError
// kInvalidArg when R is not finite or is no rotation within kRotationNoiseLimit.
gp_Trsf RigidMotion(const gp_Mat& rotation, const gp_XYZ& translation);

// The rotation through the origin that turns the direction of `from` onto that of `to`, about
// their common normal. Parallel directions give the identity. Opposite directions give a half
// turn about `axis` made perpendicular to `from` when it is usable (not zero and not within
// about 0.06 degrees of `from`), otherwise about some axis perpendicular to `from`. The angle
// comes from atan2(|a x b|, a . b), which stays accurate for directions that differ by far
// less than 1e-12 rad, where acos of the dot product would round to zero.
// Fails with HostError kInvalidArg when `from` or `to` is zero or not finite.
gp_Trsf RotationBetween(const gp_Vec& from, const gp_Vec& to, const gp_Vec& axis);

}  // namespace sledway::model
