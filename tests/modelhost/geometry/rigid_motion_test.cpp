#include "modelhost/geometry/rigid_motion.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

double OrthonormalityError(const gp_Trsf& t) {
  const gp_Mat m = t.VectorialPart();
  const gp_Mat product = m.Transposed().Multiplied(m);
  double largest = 0.0;
  for (int r = 1; r <= 3; ++r) {
    for (int c = 1; c <= 3; ++c) {
      largest = std::max(largest, std::abs(product(r, c) - (r == c ? 1.0 : 0.0)));
    }
  }
  return largest;
}

// Distance between the turned direction of `from` and the direction of `to`.
double TurnMiss(const gp_Trsf& rotation, const gp_Vec& from, const gp_Vec& to) {
  return (from.Normalized().Transformed(rotation) - to.Normalized()).Magnitude();
}

TEST(RotationBetweenTest, TurnsGeneralDirectionsOntoEachOther) {
  const std::vector<gp_Vec> directions = {{1, 0, 0},          {0, 1, 0},          {0.3, -2.0, 7.5},
                                          {-1e-3, 4.0, 1e-4}, {1e6, 1.0, -3},     {-0.6, -0.8, 0.0},
                                          {2.5, 2.5, 2.5},    {1e-9, -1e-9, 3e-9}};
  for (const gp_Vec& from : directions) {
    for (const gp_Vec& to : directions) {
      const gp_Trsf rotation = RotationBetween(from, to, gp_Vec(0, 0, 0));
      EXPECT_LT(TurnMiss(rotation, from, to), 1e-15) << "from " << from.X() << " " << from.Y();
      EXPECT_LT(OrthonormalityError(rotation), 1e-15);
      EXPECT_EQ(rotation.TranslationPart().Modulus(), 0.0);
      // A rotation, not a mirror, and about the common normal: the normal stays put.
      EXPECT_GT(rotation.VectorialPart().Determinant(), 0.0);
      const gp_Vec normal = from.Crossed(to);
      if (normal.Magnitude() > 1e-6 * from.Magnitude() * to.Magnitude()) {
        EXPECT_LT((normal.Normalized().Transformed(rotation) - normal.Normalized()).Magnitude(),
                  1e-15);
      }
    }
  }
}

TEST(RotationBetweenTest, ReachesMisalignmentsFarBelowAcosResolution) {
  // acos(cos 1e-13) is 0 in double precision; the turn must still be 1e-13 rad.
  for (double angle : {1e-9, 1e-13, 1e-15}) {
    const gp_Vec from(1, 0, 0);
    const gp_Vec to(std::cos(angle), std::sin(angle), 0);
    const gp_Trsf rotation = RotationBetween(from, to, gp_Vec(0, 0, 1));
    const gp_Vec turned = from.Transformed(rotation);
    EXPECT_NEAR(turned.Y(), std::sin(angle), 1e-12 * angle) << angle;
    EXPECT_EQ(turned.Z(), 0.0);
  }
}

TEST(RotationBetweenTest, ParallelGivesIdentityAndOppositeAHalfTurn) {
  const gp_Vec from(1, 2, 3);
  const gp_Trsf same = RotationBetween(from, gp_Vec(2, 4, 6), gp_Vec(0, 0, 1));
  EXPECT_EQ(same.Form(), gp_Identity);

  // Opposite with a usable axis: a half turn about exactly that axis.
  const gp_Vec axis(3, 0, -1);  // perpendicular to from
  const gp_Trsf flip = RotationBetween(from, from.Reversed(), axis);
  EXPECT_LT(TurnMiss(flip, from, from.Reversed()), 1e-15);
  EXPECT_LT((axis.Normalized().Transformed(flip) - axis.Normalized()).Magnitude(), 1e-15);

  // An axis not quite perpendicular is used once made perpendicular to `from`.
  const gp_Vec leaning = axis + from * 0.01;
  const gp_Trsf flipLeaning = RotationBetween(from, from.Reversed(), leaning);
  EXPECT_LT((axis.Normalized().Transformed(flipLeaning) - axis.Normalized()).Magnitude(), 1e-15);

  // Opposite with no usable axis (zero, or along `from`): still a half turn onto `to`.
  for (const gp_Vec& unusable : {gp_Vec(0, 0, 0), gp_Vec(-2, -4, -6), gp_Vec(1, 2, 3.0000001)}) {
    const gp_Trsf turn = RotationBetween(from, gp_Vec(-0.5, -1, -1.5), unusable);
    EXPECT_LT(TurnMiss(turn, from, from.Reversed()), 1e-15);
    EXPECT_LT(OrthonormalityError(turn), 1e-15);
    gp_XYZ turnAxis;
    double angle = 0.0;
    ASSERT_TRUE(turn.GetRotation(turnAxis, angle));
    EXPECT_NEAR(angle, std::numbers::pi, 1e-15);
    EXPECT_NEAR(turnAxis.Dot(from.XYZ()), 0.0, 1e-15);
  }
  // Nearly opposite, just off the half turn: still lands exactly on `to`.
  const gp_Vec almost(-1, 1e-9, 0);
  EXPECT_LT(
      TurnMiss(RotationBetween(gp_Vec(1, 0, 0), almost, gp_Vec(0, 0, 0)), gp_Vec(1, 0, 0), almost),
      1e-15);
}

TEST(RotationBetweenTest, RefusesZeroAndNonFiniteVectors) {
  const double nan = std::nan("");
  const std::vector<std::pair<gp_Vec, gp_Vec>> bad = {
      {gp_Vec(0, 0, 0), gp_Vec(1, 0, 0)},
      {gp_Vec(1, 0, 0), gp_Vec(0, 0, 0)},
      {gp_Vec(nan, 0, 0), gp_Vec(1, 0, 0)},
      {gp_Vec(1, 0, 0), gp_Vec(double(INFINITY), 0, 0)}};
  for (const auto& [from, to] : bad) {
    try {
      RotationBetween(from, to, gp_Vec(0, 0, 1));
      ADD_FAILURE() << "accepted a zero or non-finite vector";
    } catch (const HostError& error) {
      EXPECT_EQ(error.Code(), hresult::kInvalidArg);
    }
  }
}

TEST(RigidMotionTest, SnapsNoisyRotationsAndRefusesOtherMatrices) {
  // A 30 degree turn about z with 1e-9 of noise in every element.
  const double c = std::cos(std::numbers::pi / 6);
  const double s = std::sin(std::numbers::pi / 6);
  const gp_Mat noisy(c + 1e-9, -s - 2e-9, 1e-9, s - 1e-9, c + 3e-9, -2e-9, 2e-9, 1e-9, 1 - 1e-9);
  const gp_Trsf snapped = RigidMotion(noisy, gp_XYZ(1, 2, 3));
  EXPECT_LT(OrthonormalityError(snapped), 1e-15);
  EXPECT_NEAR(snapped.Value(2, 1), s, 1e-8);
  EXPECT_EQ(snapped.TranslationPart().X(), 1.0);
  EXPECT_EQ(snapped.TranslationPart().Z(), 3.0);
  EXPECT_EQ(snapped.ScaleFactor(), 1.0);

  const gp_Mat scaled(2, 0, 0, 0, 2, 0, 0, 0, 2);
  const gp_Mat mirror(1, 0, 0, 0, 1, 0, 0, 0, -1);
  const gp_Mat shear(1, 0.01, 0, 0, 1, 0, 0, 0, 1);
  for (const gp_Mat& bad : {scaled, mirror, shear}) {
    EXPECT_THROW(RigidMotion(bad, gp_XYZ()), HostError);
  }
  EXPECT_THROW(RigidMotion(gp_Mat(1, 0, 0, 0, 1, 0, 0, 0, 1), gp_XYZ(0, std::nan(""), 0)),
               HostError);
}

}  // namespace
}  // namespace sledway::model
