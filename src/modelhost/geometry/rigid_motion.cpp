#include "modelhost/geometry/rigid_motion.hpp"

#include <algorithm>
#include <cmath>
#include <gp_Ax1.hxx>
#include <gp_Dir.hxx>
#include <gp_Quaternion.hxx>
#include <numbers>

#include "host/host_error.hpp"
#include "modelhost/geometry/input_checks.hpp"

namespace sledway::model {

namespace {

// Below this sine of the angle between two directions their cross product is rounding noise
// (a few units in the last place of the products it is made of): the directions are taken as
// parallel or opposite, and turning about nothing costs less than this in accuracy.
constexpr double kAlignedSine = 5e-16;

// An axis offered for a half turn must keep at least this share of its length once the part
// along `from` is taken away.
constexpr double kUsableAxisShare = 1e-3;

double LargestOrthonormalityError(const gp_Mat& m) {
  const gp_Mat product = m.Transposed().Multiplied(m);
  double largest = 0.0;
  for (int row = 1; row <= 3; ++row) {
    for (int column = 1; column <= 3; ++column) {
      const double expected = row == column ? 1.0 : 0.0;
      largest = std::max(largest, std::abs(product(row, column) - expected));
    }
  }
  return largest;
}

// `v` without its part along the unit vector `a`. Done twice: when most of `v` lies along `a`,
// one pass leaves a remainder along `a` of the order of the rounding of the large part.
gp_XYZ PerpendicularPart(gp_XYZ v, const gp_XYZ& a) {
  for (int pass = 0; pass < 2; ++pass) v -= a * v.Dot(a);
  return v;
}

gp_Trsf RotationAbout(const gp_XYZ& axis, double angle) {
  gp_Trsf rotation;
  rotation.SetRotation(gp_Ax1(gp_Pnt(0.0, 0.0, 0.0), gp_Dir(axis)), angle);
  return rotation;
}

// Some unit vector perpendicular to the unit vector `a`: a crossed with the coordinate axis it
// leans on least.
gp_XYZ AnyPerpendicular(const gp_XYZ& a) {
  const double x = std::abs(a.X());
  const double y = std::abs(a.Y());
  const double z = std::abs(a.Z());
  gp_XYZ least(1.0, 0.0, 0.0);
  if (y <= x && y <= z) least = gp_XYZ(0.0, 1.0, 0.0);
  if (z < x && z < y) least = gp_XYZ(0.0, 0.0, 1.0);
  return PerpendicularPart(a.Crossed(least), a);
}

gp_XYZ UnitOf(const gp_Vec& v, const char* role) {
  const double length = v.Magnitude();
  RequireFinite(role, {v.X(), v.Y(), v.Z(), length});
  if (length == 0.0) {
    throw HostError(hresult::kInvalidArg,
                    std::string(role) + ": a zero vector has no direction to turn");
  }
  return v.XYZ() / length;
}

}  // namespace

gp_Trsf RigidMotion(const gp_Mat& rotation, const gp_XYZ& translation) {
  RequireFinite("placement rotation",
                {rotation(1, 1), rotation(1, 2), rotation(1, 3), rotation(2, 1), rotation(2, 2),
                 rotation(2, 3), rotation(3, 1), rotation(3, 2), rotation(3, 3)});
  RequireFinite("placement translation", {translation.X(), translation.Y(), translation.Z()});
  if (rotation.Determinant() <= 0.0 || LargestOrthonormalityError(rotation) > kRotationNoiseLimit) {
    throw HostError(hresult::kInvalidArg,
                    "placement: the matrix is not a rigid motion (its rotation part scales, "
                    "shears or mirrors)");
  }
  gp_Quaternion quaternion;
  quaternion.SetMatrix(rotation);
  quaternion.Normalize();
  gp_Trsf motion;
  motion.SetRotation(quaternion);
  motion.SetTranslationPart(gp_Vec(translation));
  return motion;
}

gp_Trsf RotationBetween(const gp_Vec& from, const gp_Vec& to, const gp_Vec& axis) {
  const gp_XYZ a = UnitOf(from, "rotation between vectors: the vector to turn from");
  const gp_XYZ b = UnitOf(to, "rotation between vectors: the vector to turn onto");
  const gp_XYZ normal = PerpendicularPart(a.Crossed(b), a);
  const double sine = normal.Modulus();
  const double cosine = a.Dot(b);
  if (sine > kAlignedSine) return RotationAbout(normal, std::atan2(sine, cosine));
  if (cosine > 0.0) return gp_Trsf();

  gp_XYZ halfTurnAxis;
  const double axisLength = axis.Magnitude();
  if (std::isfinite(axisLength) && axisLength > 0.0) {
    halfTurnAxis = PerpendicularPart(axis.XYZ() / axisLength, a);
  }
  if (halfTurnAxis.Modulus() < kUsableAxisShare) halfTurnAxis = AnyPerpendicular(a);
  return RotationAbout(halfTurnAxis, std::numbers::pi);
}

}  // namespace sledway::model
