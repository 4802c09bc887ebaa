#include "modelhost/geometry/rigid_motion.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <gp_Ax1.hxx>
#include <memory>
#include <numbers>
#include <vector>

#include "host/host_error.hpp"
#include "modelhost/geometry/matrix.hpp"

namespace sledway::model {
namespace {

double OrthonormalityError(const gp_Trsf& t) {
  const gp_Mat m = t.VectorialPart();
  const gp_Mat product = m.Transposed().Multiplied(m);
  double largest = 0.0;
  for (int r = 1; r <= 3; ++r) {
    for (int c = 1; c <= 3; ++c) largest = std::max(largest, std::abs(product(r, c) - (r == c)));
  }
  return largest;
}

// Expects `rotation` to be an exact rotation, not a mirror, that turns the direction of `from`
// onto the direction of `to`.
void ExpectTurnOnto(const gp_Trsf& rotation, const gp_Vec& from, const gp_Vec& to) {
  EXPECT_LT((from.Normalized().Transformed(rotation) - to.Normalized()).Magnitude(), 1e-15);
  EXPECT_LT(OrthonormalityError(rotation), 1e-15);
  EXPECT_GT(rotation.VectorialPart().Determinant(), 0.0);
}

TEST(RotationBetweenTest, TurnsGeneralDirectionsOntoEachOtherAboutTheirNormal) {
  const std::vector<gp_Vec> directions = {{1, 0, 0},      {0.3, -2.0, 7.5},  {-1e-3, 4.0, 1e-4},
                                          {1e6, 1.0, -3}, {-0.6, -0.8, 0.0}, {1e-9, -1e-9, 3e-9}};
  for (const gp_Vec& from : directions) {
    for (const gp_Vec& to : directions) {
      SCOPED_TRACE(testing::Message() << "from " << from.X() << " to " << to.X());
      const gp_Trsf rotation = RotationBetween(from, to, gp_Vec(0, 0, 0));
      ExpectTurnOnto(rotation, from, to);
      const gp_Vec normal = from.Crossed(to);
      if (normal.Magnitude() > 1e-6 * from.Magnitude() * to.Magnitude()) {
        ExpectTurnOnto(rotation, normal, normal);  // the turn is about the common normal
      }
    }
  }
  // acos(cos 1e-13) is 0 in double precision; the turn must still be 1e-13 rad.
  for (double angle : {1e-9, 1e-13, 1e-15}) {
    const gp_Vec from(1, 0, 0);
    const gp_Vec to(std::cos(angle), std::sin(angle), 0);
    const gp_Vec turned = from.Transformed(RotationBetween(from, to, gp_Vec(0, 0, 1)));
    EXPECT_NEAR(turned.Y(), std::sin(angle), 1e-12 * angle) << angle;
    EXPECT_EQ(turned.Z(), 0.0);
  }
}

TEST(RotationBetweenTest, ParallelGivesIdentityAndOppositeAHalfTurn) {
  const gp_Vec from(1, 2, 3);
  EXPECT_EQ(RotationBetween(from, gp_Vec(2, 4, 6), gp_Vec(0, 0, 1)).Form(), gp_Identity);

  // Opposite with a usable axis: a half turn about exactly that axis, once made perpendicular.
  const gp_Vec axis(3, 0, -1);  // perpendicular to from
  for (const gp_Vec& offered : {axis, axis + from * 0.01}) {
    const gp_Trsf flip = RotationBetween(from, from.Reversed(), offered);
    ExpectTurnOnto(flip, from, from.Reversed());
    ExpectTurnOnto(flip, axis, axis);
  }
  // Opposite with no usable axis (zero, or along `from`): still a half turn onto `to`.
  for (const gp_Vec& unusable : {gp_Vec(0, 0, 0), gp_Vec(-2, -4, -6), gp_Vec(1, 2, 3.0000001)}) {
    ExpectTurnOnto(RotationBetween(from, gp_Vec(-0.5, -1, -1.5), unusable), from, from.Reversed());
  }
  // Nearly opposite, just off the half turn: still lands exactly on `to`.
  const gp_Vec x(1, 0, 0);
  const gp_Vec almost(-1, 1e-9, 0);
  ExpectTurnOnto(RotationBetween(x, almost, gp_Vec(0, 0, 0)), x, almost);

  for (const gp_Vec& bad : {gp_Vec(0, 0, 0), gp_Vec(std::nan(""), 0, 0), gp_Vec(INFINITY, 0, 0)}) {
    EXPECT_THROW(RotationBetween(bad, x, x), HostError);
    EXPECT_THROW(RotationBetween(x, bad, x), HostError);
  }
}

TEST(RigidMotionTest, SnapsNoisyAndAccumulatedRotationsAndRefusesOtherMatrices) {
  // A 30 degree turn about z with 1e-9 of noise in every element.
  const double c = std::cos(std::numbers::pi / 6);
  const double s = std::sin(std::numbers::pi / 6);
  const gp_Mat noisy(c + 1e-9, -s - 2e-9, 1e-9, s - 1e-9, c + 3e-9, -2e-9, 2e-9, 1e-9, 1 - 1e-9);
  const gp_Trsf snapped = RigidMotion(noisy, gp_XYZ(1, 2, 3));
  EXPECT_LT(OrthonormalityError(snapped), 1e-15);
  EXPECT_NEAR(snapped.Value(2, 1), s, 1e-8);
  EXPECT_EQ(snapped.TranslationPart().Z(), 3.0);

  // A scale, a mirror or a shear is no placement.
  for (const gp_Mat& bad : {gp_Mat(2, 0, 0, 0, 2, 0, 0, 0, 2), gp_Mat(1, 0, 0, 0, 1, 0, 0, 0, -1),
                            gp_Mat(1, 0.01, 0, 0, 1, 0, 0, 0, 1)}) {
    EXPECT_THROW(RigidMotion(bad, gp_XYZ()), HostError);
  }
  EXPECT_THROW(RigidMotion(gp_Mat(1, 0, 0, 0, 1, 0, 0, 0, 1), gp_XYZ(0, std::nan(""), 0)),
               HostError);

  // A hundred thousand small turns of a placement stay a rigid motion.
  gp_Trsf turn;
  turn.SetRotation(gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), 1e-3);
  const auto matrix = std::make_shared<Matrix>(turn);
  Matrix placement;
  for (int i = 0; i < 100000; ++i) placement.TransformBy(matrix);
  EXPECT_LT(OrthonormalityError(placement.Trsf()), 1e-15);
  const double angle = 100000 * 1e-3;  // 100 rad
  EXPECT_NEAR(placement.Cell(1, 1), std::cos(angle), 1e-11);
  EXPECT_NEAR(placement.Cell(2, 1), std::sin(angle), 1e-11);
  EXPECT_EQ(placement.Cell(3, 3), 1.0);
}

}  // namespace
}  // namespace sledway::model
